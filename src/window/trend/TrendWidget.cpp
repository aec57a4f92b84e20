#include "TrendWidget.h"

#include "TrendPainting.h"
#include "core/sensor/DataAnswer.h"
#include "core/trend/ReadingStore.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

using namespace levelconf;

namespace
{
constexpr int kTopMargin = 22;    // the heading: the sensor and the readout
constexpr int kBottomMargin = 22; // the time labels
constexpr int kPaneGap = 8;
constexpr qint64 kDefaultSpanMs = 10 * 60 * 1000;
// The engine polls once a second, and a tick that brings a confirmation instead of
// readings leaves two or three seconds between two readings. Readings further apart had
// the engine stopped between them (a firmware update, say): nothing is known of that time.
constexpr qint64 kJoinLimitMs = 5000;
constexpr int kMarkerReach = 3; // pixels either side of a marker that show its text

QString clockText(const TrendEntry &e, const QLocale &locale)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(e.msecs, Qt::OffsetFromUTC, e.utcOffset);
    return locale.toString(t.time(), QStringLiteral("HH:mm:ss"));
}

// A long log text (a whole table written) in lines of about 80 characters, broken between
// words, so that its tooltip stays on the screen.
QString wrapped(const QString &text)
{
    constexpr int kLine = 80;
    QString out;
    int lineLength = 0;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        if (lineLength > 0 && lineLength + 1 + word.size() > kLine) {
            out += QLatin1Char('\n');
            lineLength = 0;
        } else if (!out.isEmpty()) {
            out += QLatin1Char(' ');
            ++lineLength;
        }
        out += word;
        lineLength += int(word.size());
    }
    return out;
}

QVector<TimedValue> samplesOf(const ReadingStore &store, int first, int end,
                              double (*value)(const TrendEntry &))
{
    QVector<TimedValue> out;
    out.reserve(end - first);
    for (int i = first; i < end; ++i) {
        const TrendEntry &e = store.at(i);
        out.append({e.msecs, e.gap ? 0.0 : value(e), e.gap});
    }
    return out;
}
} // namespace

TrendWidget::TrendWidget(const ReadingStore &store, QWidget *parent)
    : QWidget(parent), m_store(store), m_span(kDefaultSpanMs)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendWidget::setSpan(qint64 msecs)
{
    m_span = qMax<qint64>(1000, msecs);
    update();
}

std::optional<TrendWidget::View> TrendWidget::view() const
{
    const auto [first, end] = m_store.newestSeries();
    if (first == end)
        return std::nullopt;
    const qint64 to = m_store.at(end - 1).msecs;
    const qint64 from = to - m_span;
    return View{m_store.lowerBound(from, first, end), end, from, to};
}

QRect TrendWidget::plotRect() const
{
    return QRect(kLeftMargin, kTopMargin, qMax(1, width() - kLeftMargin - kRightMargin),
                 qMax(3, height() - kTopMargin - kBottomMargin));
}

QRect TrendWidget::paneRect(int pane) const
{
    const QRect plot = plotRect();
    const int panes = int(trendQuantities().size());
    const int h = qMax(1, (plot.height() - kPaneGap * (panes - 1)) / panes);
    return QRect(plot.left(), plot.top() + pane * (h + kPaneGap), plot.width(), h);
}

int TrendWidget::xOf(qint64 msecs, const View &v) const
{
    const QRect plot = plotRect();
    return plot.left() + columnOf(msecs, v.from, v.to, plot.width());
}

std::optional<int> TrendWidget::nearestEntry(int x, const View &v) const
{
    const QRect plot = plotRect();
    if (x < plot.left() || x > plot.right() || v.first == v.end)
        return std::nullopt;
    const double perPixel = double(v.to - v.from) / plot.width();
    const qint64 t = v.from + qint64((x - plot.left() + 0.5) * perPixel);
    const int i = m_store.lowerBound(t, v.first, v.end);
    int best = i < v.end ? i : v.end - 1;
    if (i > v.first && (i == v.end || t - m_store.at(i - 1).msecs < m_store.at(i).msecs - t))
        best = i - 1;
    // Far from any entry the pointer is over time nothing was recorded in.
    const qint64 reach = qMax<qint64>(kJoinLimitMs, qint64(perPixel * kMarkerReach));
    if (qAbs(m_store.at(best).msecs - t) > reach)
        return std::nullopt;
    return best;
}

QString TrendWidget::readoutAt(int x) const
{
    const std::optional<View> v = view();
    const std::optional<int> i = v ? nearestEntry(x, *v) : std::nullopt;
    if (!i)
        return {};
    const QLocale locale;
    const TrendEntry &e = m_store.at(*i);
    const QString gap = QStringLiteral("   ");
    if (e.gap)
        return clockText(e, locale) + gap + tr("no answer");
    const auto &q = trendQuantities();
    return clockText(e, locale) + gap + q[0].caption() + QStringLiteral(": ") +
           distanceText(e.output, locale) + gap + q[1].caption() + QStringLiteral(": ") +
           QString::number(e.amplitude) + gap + q[2].caption() + QStringLiteral(": ") +
           QString::number(e.temperature);
}

QString TrendWidget::markerAt(int x) const
{
    const std::optional<View> v = view();
    if (!v)
        return {};
    const quint32 series = m_store.at(v->end - 1).series;
    QString text;
    int closest = kMarkerReach + 1;
    for (const TrendMarker &m : m_store.markers()) {
        if (m.series != series || m.msecs < v->from || m.msecs > v->to)
            continue;
        const int d = qAbs(xOf(m.msecs, *v) - x);
        if (d < closest) {
            closest = d;
            text = m.text;
        }
    }
    return text;
}

void TrendWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const std::optional<View> v = view();
    if (!v) {
        p.drawText(rect(), Qt::AlignCenter,
                   tr("No readings yet: open the port and pick a sensor."));
        return;
    }
    paintPanes(p, *v);
    paintMarkers(p, *v);
    drawTimeAxis(p, plotRect(), v->from, v->to, m_store.at(v->end - 1).utcOffset, QLocale());
    paintHeading(p, *v);
}

void TrendWidget::paintPanes(QPainter &p, const View &v) const
{
    // Numbers as the readings beside the chart show them: no thousands separators.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const auto &quantities = trendQuantities();
    for (size_t i = 0; i < quantities.size(); ++i) {
        const QRect pane = paneRect(int(i));
        const QVector<PixelColumn> columns =
            reduceColumns(samplesOf(m_store, v.first, v.end, quantities[i].value), v.from, v.to,
                          pane.width(), kJoinLimitMs);
        drawPane(p, pane, columns, quantities[i], locale);
    }
}

void TrendWidget::paintMarkers(QPainter &p, const View &v) const
{
    const quint32 series = m_store.at(v.end - 1).series;
    for (const TrendMarker &m : m_store.markers()) {
        if (m.series == series && m.msecs >= v.from && m.msecs <= v.to)
            drawMarker(p, plotRect(), xOf(m.msecs, v));
    }
}

void TrendWidget::paintHeading(QPainter &p, const View &v) const
{
    const QRect line(kLeftMargin, 0, plotRect().width(), kTopMargin);
    const QString heading = tr("Network address %1").arg(m_store.at(v.end - 1).address);
    const QString readout = readoutAt(m_hoverX);
    // The readout is what the operator is looking for; on a narrow chart it has the line.
    const QFontMetrics fm = p.fontMetrics();
    const int room = line.width() - fm.horizontalAdvance(readout) - fm.averageCharWidth() * 3;
    p.setPen(palette().windowText().color());
    if (readout.isEmpty() || fm.horizontalAdvance(heading) <= room)
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, heading);
    if (readout.isEmpty())
        return;
    p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, readout);
    p.setPen(QPen(Qt::darkGray, 0, Qt::DotLine));
    const QRect plot = plotRect();
    p.drawLine(m_hoverX, plot.top(), m_hoverX, plot.bottom());
}

void TrendWidget::mouseMoveEvent(QMouseEvent *event)
{
    m_hoverX = int(event->position().x());
    update();
}

void TrendWidget::leaveEvent(QEvent *)
{
    m_hoverX = -1;
    update();
}

bool TrendWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString text = markerAt(help->pos().x());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(),
                       Qt::convertFromPlainText(wrapped(text), Qt::WhiteSpacePre), this);
    return true;
}
