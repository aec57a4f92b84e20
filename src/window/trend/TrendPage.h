#pragma once

#include "core/trend/ReadingStore.h"
#include "core/trend/SettingMark.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;
class TrendWidget;

// The "Trend" page of the main window: the readings recorded in this run, the chart of the
// newest series with its choice of span, and the button that saves them. It keeps the
// record itself; the window tells it what each tick brought and what was sent.
class TrendPage : public QWidget
{
    Q_OBJECT

public:
    // `clock` gives the local date and time of each entry and marker.
    explicit TrendPage(std::function<QDateTime()> clock, QWidget *parent = nullptr);

    const levelconf::ReadingStore &store() const { return m_store; }
    TrendWidget *chart() const { return m_chart; }

    // One tick's outcome, taken now; its time is set here.
    void record(levelconf::TrendEntry entry);
    void endSeries() { m_store.endSeries(); }

    // A command queued `frame`, logged as `text`; once the engine has written it, a
    // setting is marked on the chart.
    void settingQueued(const QByteArray &frame, const QString &text);
    void frameWritten(const QByteArray &frame);

signals:
    void saveRequested();

private:
    QWidget *controlRow();

    std::function<QDateTime()> m_clock;
    levelconf::ReadingStore m_store;
    levelconf::PendingMark m_pending;
    TrendWidget *m_chart = nullptr;
    QComboBox *m_span = nullptr;
    QPushButton *m_save = nullptr;
};
