#include "Gateway.h"

#include "GatewayLog.h"
#include "core/sensor/IdentityAnswer.h"

#include <QCoreApplication>

namespace
{
GatewayTopics topicsOf(const GatewayOptions &o)
{
    return {o.topicPrefix, o.discoveryPrefix, o.clientId};
}

MqttLink::Settings linkSettings(const GatewayOptions &o, const GatewayTopics &topics)
{
    // The broker says offline for the gateway when it goes without a goodbye (killed,
    // the machine off, the network cut); its sensors then show unavailable with it.
    return {o.broker,   o.caFile,
            o.username, o.password,
            o.clientId, MqttMessage{topics.status(), QByteArrayLiteral("offline"), true}};
}
} // namespace

Gateway::Gateway(const GatewayOptions &options, SerialPort &port, QObject *parent)
    : QObject(parent), m_options(options), m_topics(topicsOf(options)),
      m_link(linkSettings(options, m_topics)),
      m_publisher(m_link, m_topics, options.queueSize, options.discovery),
      m_poller(port, {options.port, options.addresses, options.intervalMs})
{
    m_deliverTimer.setSingleShot(true);
    connect(&m_deliverTimer, &QTimer::timeout, this, &Gateway::finish);
    connect(&m_poller, &BusPoller::identified, this, [this](quint8, const SensorIdentity &id) {
        m_publisher.sensorIdentified(id.serial, versionText(id.versionPrefix, id.versionCode));
    });
    connect(&m_poller, &BusPoller::reading, &m_publisher, &Publisher::addState);
    connect(&m_poller, &BusPoller::availabilityChanged, &m_publisher, &Publisher::setAvailability);
    connect(&m_poller, &BusPoller::stopped, this, &Gateway::pollingStopped);
}

bool Gateway::start(QString *error)
{
    gatewayLog(tr("levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/")
                   .arg(QCoreApplication::applicationVersion(), m_options.port,
                        m_options.broker.text(), m_options.topicPrefix));
    if (!m_link.start(error))
        return false;
    m_poller.start();
    return true;
}

void Gateway::stop()
{
    if (++m_stopRequests > 1) {
        finish();
        return;
    }
    gatewayLog(tr("Stopping"));
    m_poller.stop();
}

void Gateway::pollingStopped()
{
    m_publisher.goOffline();
    if (m_publisher.settled()) {
        finish();
        return;
    }
    connect(&m_publisher, &Publisher::nowSettled, this, &Gateway::finish);
    m_deliverTimer.start(kDeliverOnStopMs);
}

void Gateway::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_deliverTimer.stop();
    if (!m_publisher.settled())
        gatewayLog(tr("Stopped with readings undelivered: the broker could not "
                      "take them in time"));
    m_link.stop();
    gatewayLog(tr("Stopped"));
    emit finished();
}
