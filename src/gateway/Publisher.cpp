#include "Publisher.h"

#include "Discovery.h"
#include "GatewayLog.h"
#include "ReadingSpool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>

#include <climits>

using namespace levelconf;

namespace
{
QByteArray onlineWord(bool online)
{
    return online ? QByteArrayLiteral("online") : QByteArrayLiteral("offline");
}

// The forget-after time as a log line gives it.
QString durationText(qint64 ms)
{
    const qint64 s = ms / 1000;
    if (s % 86400 == 0)
        return Publisher::tr("%n days", nullptr, int(s / 86400));
    if (s % 3600 == 0)
        return Publisher::tr("%n hours", nullptr, int(s / 3600));
    return Publisher::tr("%n s", nullptr, int(s));
}

// A count for a message's plural forms, which take an int.
int countOf(quint64 n)
{
    return int(qMin<quint64>(n, INT_MAX));
}
} // namespace

bool stateDue(bool changesOnly, const QJsonObject &lastSent, qint64 lastSentMs,
              const QJsonObject &now, qint64 nowMs, qint64 heartbeatMs)
{
    if (!changesOnly || lastSentMs < 0 || now != lastSent)
        return true;
    return nowMs - lastSentMs >= heartbeatMs;
}

Publisher::Publisher(MqttLink &link, const GatewayTopics &topics, const Settings &settings,
                     QObject *parent)
    : QObject(parent), m_link(link), m_topics(topics), m_settings(settings),
      m_queue(settings.queueSize)
{
    m_clock.start();
    connect(&m_link, &MqttLink::messageArrived, this, &Publisher::onMessage);
    connect(&m_forgetTimer, &QTimer::timeout, this, &Publisher::forgetUnheard);
    // A look every tenth of the time, within a second and a minute, is soon enough.
    if (m_settings.forgetAfterMs > 0)
        m_forgetTimer.start(
            int(qBound(qint64(1000), m_settings.forgetAfterMs / 10, qint64(60000))));
    connect(&m_link, &MqttLink::connected, this, &Publisher::onConnected);
    connect(&m_link, &MqttLink::connectFailed, this, &Publisher::onConnectFailed);
    connect(&m_link, &MqttLink::refused, this, &Publisher::onRefused);
    connect(&m_link, &MqttLink::connectionLost, this, &Publisher::onConnectionLost);
    connect(&m_link, &MqttLink::clientIdInUse, this, &Publisher::onClientIdInUse);
    connect(&m_link, &MqttLink::acked, this, &Publisher::onAcked);
    QTimer::singleShot(kNotReachedMs, this, &Publisher::noteNotReached);
}

void Publisher::noteNotReached()
{
    if (m_link.isConnected() || m_failing)
        return;
    noteFailure(tr("not reached yet; trying again"));
}

void Publisher::logBroker(const QString &what)
{
    gatewayLog(tr("MQTT broker %1: %2").arg(m_link.brokerText(), what));
}

void Publisher::keepIn(ReadingSpool *spool, const std::vector<SpoolRecords::Pending> &held,
                       quint64 nextSeq)
{
    m_spool = spool;
    m_nextSeq = qMax(m_nextSeq, nextSeq);
    for (const SpoolRecords::Pending &p : held)
        queueState(p.message, p.seq);
    pump();
}

void Publisher::addState(quint32 serial, const SensorState &state, OutputKind kind)
{
    Sensor &s = m_sensors[serial];
    const qint64 now = m_clock.elapsed();
    s.lastHeardMs = now;
    // The mode has changed: the entity of the new quantity replaces the old one.
    if (s.kind != kind) {
        s.kind = kind;
        s.discoverySaid = false;
        if (m_link.isConnected())
            sayDiscovery(serial, s);
    }
    const QByteArray payload = state.payload();
    s.lastState = payload;
    if (!stateDue(m_settings.changesOnly, s.lastSent, s.lastSentMs, state.values, now,
                  m_settings.heartbeatMs))
        return;
    s.lastSent = state.values;
    s.lastSentMs = now;
    // The reading is numbered and spooled only when it goes out, so the spool holds
    // exactly the states a live run would have sent.
    const MqttMessage message{m_topics.state(serial), payload, false};
    const quint64 seq = m_nextSeq++;
    if (m_spool)
        m_spool->append(seq, message);
    queueState(message, seq);
    pump();
}

void Publisher::queueState(const MqttMessage &message, quint64 seq)
{
    quint64 dropped = 0;
    if (!m_queue.push(message, seq, &dropped))
        return;
    settleState(dropped);
    if (!m_dropLogged) {
        gatewayLog(tr("Queue full (%n readings): the oldest readings are dropped", nullptr,
                      countOf(m_queue.capacity())));
        m_dropLogged = true;
    }
}

void Publisher::settleState(quint64 seq)
{
    if (m_spool)
        m_spool->settle(seq);
}

void Publisher::sensorIdentified(quint32 serial, const QString &firmware)
{
    Sensor &s = m_sensors[serial];
    if (s.firmware != firmware)
        s.discoverySaid = false;
    s.firmware = firmware;
    s.lastHeardMs = m_clock.elapsed();
    if (m_link.isConnected())
        sayDiscovery(serial, s);
}

void Publisher::setAvailability(quint32 serial, bool online)
{
    Sensor &s = m_sensors[serial];
    s.online = online;
    if (online)
        s.lastHeardMs = m_clock.elapsed();
    if (!m_link.isConnected())
        return;
    // Identified while the broker was away, or before the connection said the online
    // sensors: its configs go before its availability.
    if (online)
        sayDiscovery(serial, s);
    sayAvailability(serial, s);
}

void Publisher::sayAvailability(quint32 serial, Sensor &sensor)
{
    sayRetained({m_topics.availability(serial), onlineWord(sensor.online == true), true});
    sensor.availabilitySaid = sensor.online;
}

void Publisher::goOffline()
{
    m_goingOffline = true;
    const bool connected = m_link.isConnected();
    if (connected)
        sayRetained({m_topics.status(), onlineWord(false), true});
    // Nobody polls them any more. Sensors whose topics have said nothing keep it so.
    for (auto it = m_sensors.begin(); it != m_sensors.end(); ++it) {
        if (it->online != true)
            continue;
        it->online = false;
        if (connected)
            sayAvailability(it.key(), *it);
    }
}

bool Publisher::settled() const
{
    return m_queue.isEmpty() && m_statesInFlight.isEmpty() && m_othersInFlight.isEmpty();
}

int Publisher::undelivered() const
{
    return m_queue.size() + int(m_statesInFlight.size());
}

int Publisher::unkept() const
{
    return qMax(0, undelivered() - (m_spool ? m_spool->held() : 0));
}

void Publisher::onConnected()
{
    logBroker(tr("connected"));
    m_failing = false;
    m_refusal.clear();
    const quint64 lost = m_queue.dropped() - m_droppedBefore;
    if (lost > 0) {
        gatewayLog(tr("%n readings were dropped while the broker could not be reached", nullptr,
                      countOf(lost)));
    }
    m_link.subscribe(m_topics.homeAssistantStatus());
    m_link.subscribe(m_topics.forget());
    // The configs of an earlier run tell which sensors were this gateway's, so that one
    // that left while it was not running is forgotten too.
    if (m_settings.discovery && m_settings.forgetAfterMs > 0)
        m_link.subscribe(
            (m_topics.discoveryPrefix + QStringLiteral("/sensor/+/+/config")).toUtf8());
    // The library sends what it still held from the last connection first; what is said
    // here follows it.
    sayAll(false);
    pump();
}

void Publisher::sayAll(bool homeAssistantAsked)
{
    sayRetained({m_topics.status(), onlineWord(!m_goingOffline), true});
    if (m_settings.discovery) {
        for (const MqttMessage &m : gatewayDiscovery(m_topics))
            sayRetained(m);
    }
    // Only the sensors that are online: an offline one keeps what it had, and a device
    // deleted in Home Assistant while its sensor is away stays deleted.
    for (auto it = m_sensors.begin(); it != m_sensors.end(); ++it) {
        if (it->online != true) {
            // Gone offline while the broker was away: that much is said. Its configs are
            // said again once it is identified again.
            if (it->online && it->availabilitySaid != it->online)
                sayAvailability(it.key(), *it);
            it->discoverySaid = false;
            continue;
        }
        it->discoverySaid = false;
        sayDiscovery(it.key(), *it);
        sayAvailability(it.key(), *it);
        // Home Assistant has just subscribed: its states are unknown until the next one.
        if (homeAssistantAsked && !it->lastState.isEmpty())
            sayRetained({m_topics.state(it.key()), it->lastState, false});
    }
    m_droppedSaid = m_queue.dropped();
    sayRetained({m_topics.dropped(), QByteArray::number(m_droppedSaid), true});
    if (!m_diagnostics.isEmpty())
        sayRetained({m_topics.diagnostics(), m_diagnostics, true});
}

void Publisher::onMessage(const QByteArray &topic, const QByteArray &payload, bool retained)
{
    if (topic == m_topics.homeAssistantStatus()) {
        if (payload == "online" && !retained && !m_goingOffline)
            sayAll(true);
    } else if (topic == m_topics.forget()) {
        bool ok = false;
        const quint32 serial = payload.trimmed().toUInt(&ok);
        if (ok && !retained)
            forget(serial, tr("forgotten on request"));
    } else if (retained) {
        noteEarlierSensor(topic, payload);
    }
}

void Publisher::noteEarlierSensor(const QByteArray &topic, const QByteArray &payload)
{
    static const QRegularExpression node(QStringLiteral("/sensor/levelconf_(\\d+)/[^/]+/config$"));
    const QRegularExpressionMatch match = node.match(QString::fromUtf8(topic));
    if (!match.hasMatch() || payload.isEmpty())
        return;
    const QJsonObject device = QJsonDocument::fromJson(payload).object().value("device").toObject();
    if (device.value(QStringLiteral("via_device")).toString() != m_topics.gatewayDevice())
        return;
    const quint32 serial = match.captured(1).toUInt();
    // Not heard in this run yet: its time runs from the start.
    if (!m_sensors.contains(serial))
        m_sensors[serial].lastHeardMs = 0;
}

void Publisher::forgetUnheard()
{
    const qint64 now = m_clock.elapsed();
    QList<quint32> due;
    for (auto it = m_sensors.begin(); it != m_sensors.end(); ++it) {
        if (it->online != true && now - it->lastHeardMs >= m_settings.forgetAfterMs)
            due << it.key();
    }
    for (const quint32 serial : due)
        forget(serial, tr("not heard for %1").arg(durationText(m_settings.forgetAfterMs)));
}

void Publisher::forget(quint32 serial, const QString &why)
{
    // Its topics are the broker's: without it, the next look tries again.
    if (!m_link.isConnected())
        return;
    m_sensors.remove(serial);
    for (const MqttMessage &m : sensorForgotten(m_topics, serial))
        sayRetained(m);
    sayRetained({m_topics.availability(serial), QByteArray(), true});
    gatewayLog(tr("Sensor %1: %2; its topics are cleared").arg(serial).arg(why));
}

void Publisher::setDiagnostics(const QByteArray &payload)
{
    m_diagnostics = payload;
    if (m_link.isConnected())
        sayRetained({m_topics.diagnostics(), payload, true});
}

void Publisher::onConnectFailed(const QString &reason)
{
    // One line when the broker goes out of reach, not one for each try.
    if (!m_failing)
        noteFailure(tr("cannot connect (%1); trying again").arg(reason));
}

void Publisher::onRefused(const QString &reason, bool credentials)
{
    // Said again only when the broker changes its mind about why.
    if (reason != m_refusal)
        noteFailure(
            credentials
                ? tr("refused the gateway's user name or password (%1); trying again").arg(reason)
                : tr("refused the gateway (%1); trying again").arg(reason));
    m_refusal = reason;
}

void Publisher::onClientIdInUse()
{
    logBroker(tr("client id %1 is in use by another client; each takes the connection from the "
                 "other, so the gateway waits longer and longer before it takes it back")
                  .arg(m_topics.clientId));
}

void Publisher::onConnectionLost(const QString &reason)
{
    if (m_failing)
        return;
    noteFailure(tr("connection lost (%1); reconnecting").arg(reason));
    m_droppedBefore = m_queue.dropped();
}

void Publisher::noteFailure(const QString &what)
{
    logBroker(tr("%1, waiting up to %2 s between tries; readings are queued meanwhile")
                  .arg(what)
                  .arg(MqttLink::kRetryCeilingS));
    m_failing = true;
}

void Publisher::onAcked(int messageId)
{
    const auto state = m_statesInFlight.constFind(messageId);
    if (state != m_statesInFlight.constEnd()) {
        settleState(*state);
        m_statesInFlight.erase(state);
    }
    m_othersInFlight.remove(messageId);
    pump();
    if (settled())
        emit nowSettled();
}

void Publisher::sayRetained(const MqttMessage &message)
{
    if (const std::optional<int> id = m_link.publish(message))
        m_othersInFlight.insert(*id);
}

void Publisher::sayDiscovery(quint32 serial, Sensor &sensor)
{
    if (!m_settings.discovery || sensor.discoverySaid || sensor.firmware.isEmpty())
        return;
    for (const MqttMessage &m :
         sensorDiscovery(m_topics, serial, sensor.firmware, sensor.kind, m_settings.expireAfterS))
        sayRetained(m);
    sensor.discoverySaid = true;
}

void Publisher::pump()
{
    if (!m_link.isConnected())
        return;
    while (!m_queue.isEmpty() && m_statesInFlight.size() < kStatesInFlight) {
        if (const std::optional<int> id = m_link.publish(m_queue.front())) {
            m_statesInFlight.insert(*id, m_queue.frontSeq());
        } else {
            gatewayLog(tr("A reading for %1 was refused by the MQTT library")
                           .arg(QString::fromUtf8(m_queue.front().topic)));
            settleState(m_queue.frontSeq());
        }
        m_queue.pop();
    }
    if (m_queue.isEmpty())
        m_dropLogged = false;
    if (m_queue.dropped() != m_droppedSaid) {
        m_droppedSaid = m_queue.dropped();
        sayRetained({m_topics.dropped(), QByteArray::number(m_droppedSaid), true});
    }
}
