#include "Publisher.h"

#include "Discovery.h"
#include "GatewayLog.h"
#include "ReadingSpool.h"

#include <QTimer>

#include <climits>

namespace
{
QByteArray onlineWord(bool online)
{
    return online ? QByteArrayLiteral("online") : QByteArrayLiteral("offline");
}

// A count for a message's plural forms, which take an int.
int countOf(quint64 n)
{
    return int(qMin<quint64>(n, INT_MAX));
}
} // namespace

Publisher::Publisher(MqttLink &link, const GatewayTopics &topics, int queueSize, bool discovery,
                     QObject *parent)
    : QObject(parent), m_link(link), m_topics(topics), m_discovery(discovery), m_queue(queueSize)
{
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

void Publisher::addState(quint32 serial, const QByteArray &payload)
{
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
    if (m_link.isConnected())
        sayDiscovery(serial, s);
}

void Publisher::setAvailability(quint32 serial, bool online)
{
    m_sensors[serial].online = online;
    if (m_link.isConnected())
        sayRetained({m_topics.availability(serial), onlineWord(online), true});
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
            sayRetained({m_topics.availability(it.key()), onlineWord(false), true});
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
    // The library sends what it still held from the last connection first; what is said
    // here follows it.
    sayRetained({m_topics.status(), onlineWord(!m_goingOffline), true});
    for (auto it = m_sensors.begin(); it != m_sensors.end(); ++it) {
        it->discoverySaid = false;
        sayDiscovery(it.key(), *it);
        if (it->online)
            sayRetained({m_topics.availability(it.key()), onlineWord(*it->online), true});
    }
    m_droppedSaid = m_queue.dropped();
    sayRetained({m_topics.dropped(), QByteArray::number(m_droppedSaid), true});
    pump();
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
    if (!m_discovery || sensor.discoverySaid || sensor.firmware.isEmpty())
        return;
    for (const MqttMessage &m : discoveryMessages(m_topics, serial, sensor.firmware))
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
