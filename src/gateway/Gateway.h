#pragma once

#include "BusPoller.h"
#include "GatewayOptions.h"
#include "GatewayTopics.h"
#include "MqttLink.h"
#include "Publisher.h"

#include <QObject>
#include <QTimer>

class SerialPort;

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

    bool start(QString *error);
    // A second request to stop gives up delivering what is left.
    void stop();

signals:
    void finished();

private:
    void pollingStopped();
    void finish();

    GatewayOptions m_options;
    GatewayTopics m_topics;
    MqttLink m_link;
    Publisher m_publisher;
    BusPoller m_poller;
    QTimer m_deliverTimer;
    int m_stopRequests = 0;
    bool m_finished = false;
};
