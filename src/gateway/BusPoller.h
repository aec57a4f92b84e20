#pragma once

#include "SensorRoster.h"
#include "core/protocol/ExchangeEngine.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

class SerialPort;

// The gateway's side of the bus: the port kept open, the sensors found and asked who they
// are, and each polled in turn through the exchange engine, one request at a time, every
// interval. A port that cannot be opened, or is lost (an adapter pulled out), is tried
// again every few seconds; meanwhile every sensor is offline.
class BusPoller : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPortRetryMs = 3000;
    static constexpr int kSearchEveryMs = 5 * 60 * 1000;
    // A bus where a search found nobody is searched again this soon.
    static constexpr int kEmptyBusSearchMs = 10 * 1000;

    struct Settings {
        QString device;
        std::vector<quint8> addresses; // empty: search the bus
        int intervalMs = 1000;
    };

    BusPoller(SerialPort &port, const Settings &settings, QObject *parent = nullptr);

    void start();
    // Whether what the sensors do reaches the broker now, for the log to say.
    void setPublished(bool published) { m_published = published; }
    // Polling ends once the poll under way has its answer; then the port is closed and
    // stopped() follows.
    void stop();

signals:
    void identified(quint8 address, const SensorIdentity &identity);
    // One reading of the sensor with this serial number, as its state message.
    void reading(quint32 serial, const QByteArray &statePayload);
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

    SerialPort &m_port;
    Settings m_settings;
    ExchangeEngine m_engine;
    SensorRoster m_roster;
    QTimer m_cycleTimer;
    QTimer m_portTimer;
    QElapsedTimer m_cycleClock;
    QElapsedTimer m_searchClock; // invalid until the first search
    std::vector<quint8> m_due;   // addresses still to poll in this cycle
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
