#pragma once

#include "BusPoller.h"
#include "GatewayOptions.h"
#include "GatewayTopics.h"
#include "MqttLink.h"
#include "Publisher.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class ReadingSpool;
namespace levelconf
{
class SerialPort;
} // namespace levelconf

// How the gateway ends, its exit status.
enum GatewayExit : int {
    ExitStopped = 0,       // stopped, every reading delivered or kept in the spool
    ExitConfiguration = 1, // options, a configuration or a file that cannot be used
    ExitReadingsLost = 3,  // stopped with readings undelivered and nowhere to keep them
    ExitBrokerRefused = 4, // the broker refused the gateway's credentials --auth-retries times
};

// The gateway: the bus polled on one side, the broker told on the other. Stopping (SIGTERM,
// SIGINT) ends the poll under way, sets the gateway's status and its sensors offline,
// delivers what is queued for a few seconds at most, says goodbye to the broker and closes
// the port; finished() follows.
class Gateway : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDeliverOnStopMs = 5000;
    static constexpr int kDiagnosticsEveryMs = 10000;

    Gateway(const GatewayOptions &options, levelconf::SerialPort &port, QObject *parent = nullptr);
    ~Gateway() override;

    bool start(QString *error);
    // A second request to stop gives up delivering what is left.
    void stop();

signals:
    void finished(int exitStatus);

private:
    void pollingStopped();
    void finish();
    void sayDiagnostics();
    void giveUp(int exitStatus);
    void credentialsRefused();

    GatewayOptions m_options;
    std::unique_ptr<ReadingSpool> m_spool;
    GatewayTopics m_topics;
    MqttLink m_link;
    Publisher m_publisher;
    BusPoller m_poller;
    QTimer m_deliverTimer;
    QTimer m_diagnosticsTimer;
    QElapsedTimer m_diagnosticsClock;
    quint64 m_pollsBefore = 0; // at the last diagnostics
    quint64 m_readingsBefore = 0;
    double m_latencyBefore = 0;
    double m_latencyMs = 0; // as last said
    int m_stopRequests = 0;
    int m_exitStatus = ExitStopped;
    int m_credentialRefusals = 0; // in a row
    bool m_finished = false;
};

// How long Home Assistant shows a sensor's values without a new state: three times the
// time between states (the polling interval, at least a second, or the heartbeat when
// only changes go out), after which the gateway itself would have said the sensor offline,
// and 30 s more for a full bus's cycle and the broker's delays. Beyond that, a gateway that
// hangs without dying leaves no value shown as current.
int expireAfterSeconds(int intervalMs, bool changesOnly, int heartbeatS);
