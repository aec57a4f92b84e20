#pragma once

#include "GatewayTopics.h"
#include "MqttLink.h"
#include "ReadingQueue.h"
#include "SpoolRecords.h"
#include "StatePayload.h"
#include "core/trend/Measurements.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <optional>
#include <vector>

class ReadingSpool;

// Whether a state of these measurements goes out: with every reading, or when they differ
// from the last sent, or when the heartbeat is due (`lastSentMs` -1: none sent yet).
bool stateDue(bool changesOnly, const QJsonObject &lastSent, qint64 lastSentMs,
              const QJsonObject &now, qint64 nowMs, qint64 heartbeatMs);

// What the gateway says on the broker. Readings wait in a bounded queue and go out in
// order, a few at a time, each taken off only once the broker has it; while the broker
// cannot be reached they wait, and past the bound the oldest go, counted on the gateway's
// dropped topic. The retained messages (the gateway's status, each sensor's availability
// and discovery configs) say how things stand now, so they are said again on every
// connection: a broker that was restarted may have forgotten them, but only for sensors
// that are online, so that a device deleted in Home Assistant while its sensor is away does
// not come back. Home Assistant's own "online", after it restarted, brings the configs,
// availabilities and last states of the online sensors again at once. A sensor not heard
// for the forget-after time (or one named on the forget topic) has its configs and
// availability cleared with empty retained messages.
class Publisher : public QObject
{
    Q_OBJECT

public:
    // Readings handed to the library and not yet acknowledged, at most.
    static constexpr int kStatesInFlight = 20;
    // A broker that neither answers nor refuses (a host that drops the packets) is
    // reported as not reached after this long.
    static constexpr int kNotReachedMs = 10000;

    struct Settings {
        int queueSize = 3600;
        bool discovery = true;
        int expireAfterS = 0;     // of every sensor entity
        bool changesOnly = false; // a state only when a value changed, or at the heartbeat
        qint64 heartbeatMs = 0;
        qint64 forgetAfterMs = 0; // 0: never
    };

    Publisher(MqttLink &link, const GatewayTopics &topics, const Settings &settings,
              QObject *parent = nullptr);

    // Readings are kept in `spool` as well from now on; what it held from before the start
    // is queued ahead of every new reading.
    void keepIn(ReadingSpool *spool, const std::vector<SpoolRecords::Pending> &held,
                quint64 nextSeq);

    void addState(quint32 serial, const SensorState &state, levelconf::OutputKind kind);
    void sensorIdentified(quint32 serial, const QString &firmware);
    void setAvailability(quint32 serial, bool online);
    // The gateway is going: its status and every sensor it polled say offline.
    void goOffline();
    // The gateway's diagnostics message, said now and again on every connection.
    void setDiagnostics(const QByteArray &payload);
    // Clears the topics of the sensor, with a log line saying `why`.
    void forget(quint32 serial, const QString &why);

    int queueDepth() const { return m_queue.size(); }
    quint64 dropped() const { return m_queue.dropped(); }

    // Nothing queued, and the broker has acknowledged everything handed to it.
    bool settled() const;
    // Readings not yet delivered, and of them those not kept in a spool: lost if the
    // gateway ends now.
    int undelivered() const;
    int unkept() const;

signals:
    // Everything is delivered.
    void nowSettled();

private:
    struct Sensor {
        QString firmware; // empty: known only from a retained config of an earlier run
        std::optional<bool> online;
        std::optional<bool> availabilitySaid; // what the broker was last told
        bool discoverySaid = false;           // on this connection
        levelconf::OutputKind kind = levelconf::OutputKind::Distance;
        QByteArray lastState; // the payload of its last reading
        QJsonObject lastSent; // the measurements of the last state published
        qint64 lastSentMs = -1;
        qint64 lastHeardMs = 0; // on m_clock
    };

    void noteNotReached();
    void onConnected();
    void onConnectFailed(const QString &reason);
    void onRefused(const QString &reason, bool credentials);
    void onClientIdInUse();
    void onConnectionLost(const QString &reason);
    void onAcked(int messageId);
    // The broker cannot be reached: one line saying `what`.
    void noteFailure(const QString &what);
    void sayRetained(const MqttMessage &message);
    void sayDiscovery(quint32 serial, Sensor &sensor);
    void sayAll(bool homeAssistantAsked);
    void sayAvailability(quint32 serial, Sensor &sensor);
    void onMessage(const QByteArray &topic, const QByteArray &payload, bool retained);
    void noteEarlierSensor(const QByteArray &topic, const QByteArray &payload);
    void forgetUnheard();
    void pump();
    void queueState(const MqttMessage &message, quint64 seq);
    void settleState(quint64 seq);
    void logBroker(const QString &what);

    MqttLink &m_link;
    GatewayTopics m_topics;
    Settings m_settings;
    QElapsedTimer m_clock;
    QTimer m_forgetTimer;
    QByteArray m_diagnostics;
    ReadingQueue m_queue;
    QMap<quint32, Sensor> m_sensors;
    QHash<int, quint64> m_statesInFlight; // message id, and the reading's number
    ReadingSpool *m_spool = nullptr;
    quint64 m_nextSeq = 1;
    QSet<int> m_othersInFlight;
    bool m_goingOffline = false;
    quint64 m_droppedSaid = 0;
    quint64 m_droppedBefore = 0; // when the broker was last lost
    bool m_dropLogged = false;
    bool m_failing = false; // the broker is out of reach, and the log has said so
    QString m_refusal;      // why the broker last refused the gateway, as logged
};
