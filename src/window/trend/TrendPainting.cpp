#include "TrendPainting.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace levelconf;

namespace
{
const QColor kGrid{225, 225, 225};
const QColor kFrame{160, 160, 160};
const QColor kMarker{230, 120, 0};
constexpr int kLabelGap = 6; // between a label and the plot

double distanceOf(const TrendEntry &e)
{
    return e.output / 10.0;
}
double amplitudeOf(const TrendEntry &e)
{
    return e.amplitude;
}
double temperatureOf(const TrendEntry &e)
{
    return e.temperature;
}

int yOf(double v, const ValueRange &r, const QRect &pane)
{
    const double share = (v - r.low) / (r.high - r.low);
    return pane.bottom() - int(std::lround(share * (pane.height() - 1)));
}

// Decimals enough to tell two neighbouring grid values apart.
int decimalsFor(double step)
{
    return step >= 1 ? 0 : qBound(0, int(std::ceil(-std::log10(step) - 1e-9)), 6);
}

void drawGrid(QPainter &p, const QRect &pane, const ValueRange &r, const QLocale &locale)
{
    const QVector<double> ticks = niceTicks(r.low, r.high, qMax(2, pane.height() / 28));
    const int decimals = ticks.size() > 1 ? decimalsFor(ticks[1] - ticks[0]) : 0;
    const QFontMetrics fm = p.fontMetrics();
    for (double v : ticks) {
        const int y = yOf(v, r, pane);
        p.setPen(kGrid);
        p.drawLine(pane.left(), y, pane.right(), y);
        p.setPen(Qt::black);
        const QString label = locale.toString(v, 'f', decimals);
        // Kept beside its own pane, clear of the one above or below.
        const int top = qBound(pane.top(), y - fm.height() / 2, pane.bottom() + 1 - fm.height());
        const QRect box(0, top, pane.left() - kLabelGap, fm.height());
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

void drawColumns(QPainter &p, const QRect &pane, const QVector<PixelColumn> &columns,
                 const ValueRange &r, const QColor &colour)
{
    QVector<QLine> lines;
    lines.reserve(columns.size() * 2);
    int previous = -1; // the last filled column
    for (int c = 0; c < columns.size(); ++c) {
        const PixelColumn &col = columns[c];
        if (!col.filled)
            continue;
        const int x = pane.left() + c;
        if (col.joined && previous >= 0) {
            lines.append(QLine(pane.left() + previous, yOf(columns[previous].last, r, pane), x,
                               yOf(col.first, r, pane)));
        }
        lines.append(QLine(x, yOf(col.min, r, pane), x, yOf(col.max, r, pane)));
        previous = c;
    }
    p.setPen(QPen(colour, 0));
    p.drawLines(lines);
}
} // namespace

QString TrendQuantity::caption() const
{
    return QCoreApplication::translate("TrendWidget", title);
}

const std::array<TrendQuantity, 3> &trendQuantities()
{
    static const std::array<TrendQuantity, 3> quantities = {{
        {QT_TRANSLATE_NOOP("TrendWidget", "Distance, cm"), QColor(0, 90, 200), distanceOf},
        {QT_TRANSLATE_NOOP("TrendWidget", "Amplitude"), QColor(0, 130, 0), amplitudeOf},
        {QT_TRANSLATE_NOOP("TrendWidget", "Temp, °C"), QColor(200, 40, 0), temperatureOf},
    }};
    return quantities;
}

ValueRange valueRange(const QVector<PixelColumn> &columns)
{
    bool any = false;
    double low = 0;
    double high = 0;
    for (const PixelColumn &c : columns) {
        if (!c.filled)
            continue;
        low = any ? std::min(low, c.min) : c.min;
        high = any ? std::max(high, c.max) : c.max;
        any = true;
    }
    if (!any)
        return {};
    if (high - low < 1e-9) {
        const double room = std::max(1.0, std::fabs(low) * 0.01);
        return {low - room, high + room};
    }
    const double room = (high - low) * 0.05;
    return {low - room, high + room};
}

QVector<double> niceTicks(double low, double high, int most)
{
    QVector<double> out;
    if (!(high > low) || most < 1)
        return out;
    const double rough = (high - low) / most;
    if (!std::isfinite(rough) || rough <= 0)
        return out;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        if (power * f >= rough) {
            step = power * f;
            break;
        }
    }
    for (double v = std::ceil(low / step) * step; v <= high + step * 1e-9; v += step)
        out.append(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    return out;
}

qint64 timeTickStep(qint64 spanMs)
{
    // About six labels across, on round clock times.
    constexpr qint64 steps[] = {10'000, 30'000, 60'000, 120'000, 300'000, 600'000, 1'800'000};
    for (qint64 s : steps) {
        if (spanMs / s <= 6)
            return s;
    }
    return 3'600'000;
}

void drawPane(QPainter &p, const QRect &pane, const QVector<PixelColumn> &columns,
              const TrendQuantity &quantity, const QLocale &locale)
{
    p.fillRect(pane, Qt::white);
    const ValueRange r = valueRange(columns);
    drawGrid(p, pane, r, locale);
    drawColumns(p, pane, columns, r, quantity.colour);
    p.setPen(kFrame);
    p.drawRect(pane.adjusted(0, 0, -1, -1));
    // The title on a ground of its own, so that the line running behind it does not hide it.
    const QFontMetrics fm = p.fontMetrics();
    const QRect title(pane.left() + 3, pane.top() + 2, fm.horizontalAdvance(quantity.caption()) + 4,
                      fm.height());
    p.fillRect(title, QColor(255, 255, 255, 210));
    p.setPen(quantity.colour.darker(130));
    p.drawText(title, Qt::AlignCenter, quantity.caption());
}

void drawTimeAxis(QPainter &p, const QRect &plot, qint64 from, qint64 to, qint32 utcOffset,
                  const QLocale &locale)
{
    const qint64 step = timeTickStep(to - from);
    const QString format = step < 60'000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    const qint64 offsetMs = qint64(utcOffset) * 1000;
    // Labels fall on round local times.
    qint64 t = ((from + offsetMs + step - 1) / step) * step - offsetMs;
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::black);
    for (; t <= to; t += step) {
        const int x = plot.left() + columnOf(t, from, to, plot.width());
        p.setPen(kFrame);
        p.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
        p.setPen(Qt::black);
        const QDateTime when = QDateTime::fromMSecsSinceEpoch(t, Qt::OffsetFromUTC, utcOffset);
        const QString label = locale.toString(when.time(), format);
        const int w = fm.horizontalAdvance(label);
        // The newest label may sit at the right edge: it is moved in rather than cut.
        const int left = qMin(x - w / 2, p.device()->width() - w);
        p.drawText(QRect(left, plot.bottom() + 4, w, fm.height()), Qt::AlignCenter, label);
    }
}

void drawMarker(QPainter &p, const QRect &plot, int x)
{
    p.setPen(QPen(kMarker, 0, Qt::DashLine));
    p.drawLine(x, plot.top(), x, plot.bottom());
    const QPolygon flag(
        {QPoint(x - 4, plot.top()), QPoint(x + 4, plot.top()), QPoint(x, plot.top() + 6)});
    p.setPen(kMarker);
    p.setBrush(kMarker);
    p.drawPolygon(flag);
    p.setBrush(Qt::NoBrush);
}
