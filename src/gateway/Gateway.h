#pragma once

#include "BusPoller.h"
#include "GatewayOptions.h"
#include "GatewayTopics.h"
#include "MqttLink.h"
#include "Publisher.h"

#include <QObject>
#include <QTimer>

#include <memory>

class ReadingSpool;
class SerialPort;

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

    Gateway(const GatewayOptions &options, SerialPort &port, QObject *parent = nullptr);
    ~Gateway() override;

    bool start(QString *error);
    // A second request to stop gives up delivering what is left.
    void stop();

signals:
    void finished(int exitStatus);

private:
    void pollingStopped();
    void finish();
    void giveUp(int exitStatus);
    void credentialsRefused();

    GatewayOptions m_options;
    std::unique_ptr<ReadingSpool> m_spool;
    GatewayTopics m_topics;
    MqttLink m_link;
    Publisher m_publisher;
    BusPoller m_poller;
    QTimer m_deliverTimer;
    int m_stopRequests = 0;
    int m_exitStatus = ExitStopped;
    int m_credentialRefusals = 0; // in a row
    bool m_finished = false;
};
