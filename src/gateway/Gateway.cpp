#include "Gateway.h"

#include "GatewayLog.h"
#include "core/sensor/IdentityAnswer.h"
#include "core/trend/ReadingsCsv.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
GatewayTopics topicsOf(const GatewayOptions &o)
{
    return {o.topicPrefix, o.discoveryPrefix, o.clientId};
}

Publisher::Settings publisherSettings(const GatewayOptions &o)
{
    return {o.queueSize,
            o.discovery,
            expireAfterSeconds(o.intervalMs, o.changesOnly, o.heartbeatS),
            o.changesOnly,
            o.heartbeatS * 1000LL,
            o.forgetAfterS * 1000};
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

int expireAfterSeconds(int intervalMs, bool changesOnly, int heartbeatS)
{
    const int between = changesOnly ? heartbeatS : qMax(1, (intervalMs + 999) / 1000);
    return 3 * between + 30;
}

Gateway::Gateway(const GatewayOptions &options, SerialPort &port, QObject *parent)
    : QObject(parent), m_options(options), m_topics(topicsOf(options)),
      m_link(linkSettings(options, m_topics)),
      m_publisher(m_link, m_topics, publisherSettings(options)),
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
    connect(&m_diagnosticsTimer, &QTimer::timeout, this, &Gateway::sayDiagnostics);
}

void Gateway::sayDiagnostics()
{
    const BusPoller::Counts &c = m_poller.counts();
    const double seconds = qMax<qint64>(1, m_diagnosticsClock.restart()) / 1000.0;
    const quint64 readings = c.readings - m_readingsBefore;
    QJsonObject o{
        {QStringLiteral("polls_per_s"), qRound((c.polls - m_pollsBefore) / seconds * 100) / 100.0},
        {QStringLiteral("missed_polls"), qint64(c.missed)},
        {QStringLiteral("queue"), m_publisher.queueDepth()},
        {QStringLiteral("dropped"), qint64(m_publisher.dropped())},
    };
    // Without a reading in the time, the latency stays what it was.
    if (readings > 0)
        m_latencyMs = qRound((c.latencySumMs - m_latencyBefore) / readings * 10) / 10.0;
    o.insert(QStringLiteral("latency_ms"), m_latencyMs);
    if (c.lastSearch.isValid())
        o.insert(QStringLiteral("last_search"),
                 isoLocalTime(c.lastSearch.toMSecsSinceEpoch(), c.lastSearch.offsetFromUtc()));
    m_pollsBefore = c.polls;
    m_readingsBefore = c.readings;
    m_latencyBefore = c.latencySumMs;
    m_publisher.setDiagnostics(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

bool Gateway::start(QString *error)
{
    gatewayLog(tr("levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/")
                   .arg(QCoreApplication::applicationVersion(), m_options.port,
                        m_options.broker.text(), m_options.topicPrefix));
    if (!m_link.start(error))
        return false;
    m_poller.start();
    m_diagnosticsClock.start();
    m_diagnosticsTimer.start(kDiagnosticsEveryMs);
    return true;
}

void Gateway::stop()
{
    if (++m_stopRequests > 1) {
        finish();
        return;
    }
    gatewayLog(tr("Stopping"));
    m_diagnosticsTimer.stop();
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
