#pragma once

#include <QObject>
#include <QPointer>

#include "TrendPage.h"

class SensorSession;
class TrendPage;
class QWidget;
namespace levelconf
{
struct DataReadings;
enum class StabilityLamp;
} // namespace levelconf

// The trend: every tick meant to bring readings leaves one entry, the readings of a data
// answer or a gap when none came or it could not be decoded; a setting sent is marked once
// its frame is written; a closed port ends the series. Its page is made here and placed by
// the window.
class TrendPart : public QObject
{
    Q_OBJECT

public:
    explicit TrendPart(SensorSession &session, QObject *parent = nullptr);
    ~TrendPart() override;

    TrendPage *page() const { return m_page; }

    void trendSave_Click();

private:
    void reading(const levelconf::DataReadings &r, levelconf::StabilityLamp lamp, bool range4096);
    void missed();

    SensorSession &m_session;
    QPointer<TrendPage> m_page; // the window owns it once it is placed
};
