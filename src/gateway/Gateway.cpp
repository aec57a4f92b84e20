#include "Gateway.h"

#include "GatewayLog.h"
#include "ReadingSpool.h"
#include "core/sensor/IdentityAnswer.h"
#include "core/trend/ReadingsCsv.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

using namespace levelconf;

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
            o.certFile, o.keyFile,
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
    // While the broker is away the log says that what the sensors do is not published.
    connect(&m_link, &MqttLink::connected, this, [this] {
        m_poller.setPublished(true);
        m_credentialRefusals = 0;
    });
    connect(&m_link, &MqttLink::connectionLost, this, [this] { m_poller.setPublished(false); });
    connect(&m_link, &MqttLink::refused, this, [this](const QString &, bool credentials) {
        if (credentials)
            credentialsRefused();
    });
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

void Gateway::credentialsRefused()
{
    if (m_options.authRetries == 0 || ++m_credentialRefusals < m_options.authRetries)
        return;
    gatewayLog(tr("MQTT broker %1 refused the gateway's user name or password %n times: "
                  "giving up",
                  nullptr, m_credentialRefusals)
                   .arg(m_options.broker.text()));
    giveUp(ExitBrokerRefused);
}

Gateway::~Gateway() = default;

bool Gateway::start(QString *error)
{
    gatewayLog(tr("levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/")
                   .arg(QCoreApplication::applicationVersion(), m_options.port,
                        m_options.broker.text(), m_options.topicPrefix));
    if (!m_options.spoolDir.isEmpty()) {
        m_spool = std::make_unique<ReadingSpool>(m_options.spoolDir);
        std::vector<SpoolRecords::Pending> held;
        quint64 nextSeq = 1;
        if (!m_spool->open(&held, &nextSeq, error))
            return false;
        m_publisher.keepIn(m_spool.get(), held, nextSeq);
    }
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
    // Giving up on the broker, there is nothing to wait for.
    if (m_publisher.settled() || m_exitStatus != ExitStopped) {
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
    const int unkept = m_publisher.unkept();
    const int kept = m_publisher.undelivered() - unkept;
    if (kept > 0)
        gatewayLog(tr("Stopped with %n readings undelivered, kept in the spool for the next "
                      "start",
                      nullptr, kept));
    if (unkept > 0) {
        gatewayLog(tr("Stopped with %n readings undelivered and lost: the broker could not "
                      "take them in time",
                      nullptr, unkept));
        if (m_exitStatus == ExitStopped)
            m_exitStatus = ExitReadingsLost;
    }
    m_link.stop();
    if (m_spool)
        m_spool->close();
    gatewayLog(tr("Stopped"));
    emit finished(m_exitStatus);
}

void Gateway::giveUp(int exitStatus)
{
    m_exitStatus = exitStatus;
    m_stopRequests = qMax(m_stopRequests, 1);
    m_diagnosticsTimer.stop();
    m_poller.stop();
}
