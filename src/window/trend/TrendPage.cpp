#include "TrendPage.h"

#include "TrendWidget.h"
#include "window/widgets/Tags.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace levelconf;

namespace
{
struct Span {
    const char *caption;
    qint64 msecs;
};
constexpr Span kSpans[] = {{QT_TRANSLATE_NOOP("TrendPage", "1 min"), 60'000},
                           {QT_TRANSLATE_NOOP("TrendPage", "10 min"), 600'000},
                           {QT_TRANSLATE_NOOP("TrendPage", "1 h"), 3'600'000}};
constexpr int kDefaultSpan = 1;

// The trend is of use without a port as well: its controls stay in the always-available
// group.
template <typename W> W *named(W *w, const char *name, const QString &accessible = QString())
{
    w->setObjectName(QLatin1String(name));
    w->setProperty("Tag", Tags::kDefault);
    if (!accessible.isEmpty())
        w->setAccessibleName(accessible);
    return w;
}
} // namespace

TrendPage::TrendPage(std::function<QDateTime()> clock, QWidget *parent)
    : QWidget(parent), m_clock(std::move(clock))
{
    named(this, "tabTrend");
    m_chart = named(new TrendWidget(m_store, this), "trendChart",
                    tr("Trend of distance, amplitude and temperature"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(controlRow());
    layout->addWidget(m_chart, 1);
}

QWidget *TrendPage::controlRow()
{
    auto *row = named(new QWidget(this), "trendControls");
    auto *label = named(new QLabel(tr("Time span:"), row), "trendSpanLabel");
    m_span = named(new QComboBox(row), "trendSpan", tr("Trend time span"));
    for (const Span &s : kSpans)
        m_span->addItem(tr(s.caption), s.msecs);
    m_span->setCurrentIndex(kDefaultSpan);
    m_chart->setSpan(kSpans[kDefaultSpan].msecs);
    label->setBuddy(m_span);
    m_save = named(new QPushButton(tr("Save readings…"), row), "trendSave", tr("Save readings"));

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_span);
    layout->addStretch(1);
    layout->addWidget(m_save);

    connect(m_span, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_chart->setSpan(m_span->itemData(i).toLongLong()); });
    connect(m_save, &QPushButton::clicked, this, &TrendPage::saveRequested);
    return row;
}

void TrendPage::record(TrendEntry entry)
{
    const QDateTime now = m_clock();
    entry.msecs = now.toMSecsSinceEpoch();
    entry.utcOffset = now.offsetFromUtc();
    m_store.add(entry);
    m_chart->update();
}

void TrendPage::settingQueued(const QByteArray &frame, const QString &text)
{
    m_pending.queued(frame, text);
}

void TrendPage::frameWritten(const QByteArray &frame)
{
    if (const std::optional<QString> text = m_pending.written(frame)) {
        m_store.addMarker(m_clock().toMSecsSinceEpoch(), *text);
        m_chart->update();
    }
}
