#pragma once

#include "SensorRoster.h"
#include "StatePayload.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/trend/Measurements.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

namespace levelconf
{
class SerialPort;
} // namespace levelconf

// The gateway's side of the bus: the port kept open, the sensors found and asked who they
// are, and each polled in turn through the exchange engine, one request at a time, every
// interval. A port that cannot be opened, or is lost (an adapter pulled out), is tried
// again every few seconds; meanwhile every sensor is offline.
//
// Without a list of addresses the bus is searched at the start and then again and again,
// so that a sensor plugged in is found within half a minute: a search that finds the bus
// as it was waits twice as long before the next, from a few seconds up to 20 s, one that
// finds it changed (or a port opened again) starts from the shortest, and searching never
// takes more than a tenth of the bus's time from the polls.
class BusPoller : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPortRetryMs = 3000;
    static constexpr int kSearchShortestMs = 2500;
    static constexpr int kSearchLongestMs = 20 * 1000;

    // What the polls have come to since the gateway started, for its diagnostics.
    struct Counts {
        quint64 polls = 0;       // data polls asked
        quint64 missed = 0;      // of them, without a reading
        double latencySumMs = 0; // from request to reading, over the readings
        quint64 readings = 0;
        QDateTime lastSearch; // invalid until the first
    };

    struct Settings {
        QString device;
        std::vector<quint8> addresses; // empty: search the bus
        int intervalMs = 1000;
    };

    BusPoller(levelconf::SerialPort &port, const Settings &settings, QObject *parent = nullptr);

    void start();
    // Whether what the sensors do reaches the broker now, for the log to say.
    void setPublished(bool published) { m_published = published; }
    // Polling ends once the poll under way has its answer; then the port is closed and
    // stopped() follows.
    void stop();

    const Counts &counts() const { return m_counts; }

signals:
    void identified(quint8 address, const SensorIdentity &identity);
    // One reading of the sensor with this serial number, its output of `kind`.
    void reading(quint32 serial, const SensorState &state, levelconf::OutputKind kind);
    void availabilityChanged(quint32 serial, bool online);
    void stopped();

private:
    enum class Asked { Nothing, Search, Identity, Data };

    void openPort();
    void portLost();
    void beginCycle();
    void pollNext();
    void endCycle();
    void ask(Asked what, quint8 address, const QByteArray &frame);
    void answerCame(const QByteArray &answer);
    void takeAnswer();
    void takeSearch(const QByteArray &answer);
    void takeIdentity(quint8 address, const QByteArray &answer);
    void takeData(quint8 address, const QByteArray &answer);
    void report(const std::optional<AvailabilityChange> &change, const QString &why = QString());
    bool searchDue() const;
    void finishStop();

    levelconf::SerialPort &m_port;
    Settings m_settings;
    levelconf::ExchangeEngine m_engine;
    SensorRoster m_roster;
    QTimer m_cycleTimer;
    QTimer m_portTimer;
    QElapsedTimer m_cycleClock;
    QElapsedTimer m_searchClock; // invalid until the first search
    QElapsedTimer m_askClock;    // since the request under way went
    int m_searchWaitMs = kSearchShortestMs;
    Counts m_counts;
    QHash<quint32, quint64> m_seq; // readings of each sensor since the start
    std::vector<quint8> m_due;     // addresses still to poll in this cycle
    int m_polledInCycle = 0;
    Asked m_asked = Asked::Nothing;
    quint8 m_askedAddress = 0;
    QByteArray m_answer;
    std::optional<QString> m_foundText; // the addresses the last search logged
    bool m_open = false;
    bool m_openFailureLogged = false;
    bool m_stopping = false;
    bool m_stopped = false;
    bool m_published = false;
};

// The wait before the next search: after one that found the bus changed the shortest, else
// twice the last up to the longest; and at least nine times what the search took, so that
// searching takes at most a tenth of the bus.
int nextSearchWaitMs(int lastWaitMs, bool changed, qint64 searchTookMs);
