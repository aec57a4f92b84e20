#pragma once

#include "GatewayTopics.h"
#include "MqttLink.h"
#include "ReadingQueue.h"
#include "SpoolRecords.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

class ReadingSpool;

// What the gateway says on the broker. Readings wait in a bounded queue and go out in
// order, a few at a time, each taken off only once the broker has it; while the broker
// cannot be reached they wait, and past the bound the oldest go, counted on the gateway's
// dropped topic. The retained messages (the gateway's status, each sensor's availability
// and discovery configs) say how things stand now, so they are said again on every
// connection: a broker that was restarted may have forgotten them.
class Publisher : public QObject
{
    Q_OBJECT

public:
    // Readings handed to the library and not yet acknowledged, at most.
    static constexpr int kStatesInFlight = 20;
    // A broker that neither answers nor refuses (a host that drops the packets) is
    // reported as not reached after this long.
    static constexpr int kNotReachedMs = 10000;

    Publisher(MqttLink &link, const GatewayTopics &topics, int queueSize, bool discovery,
              QObject *parent = nullptr);

    // Readings are kept in `spool` as well from now on; what it held from before the start
    // is queued ahead of every new reading.
    void keepIn(ReadingSpool *spool, const std::vector<SpoolRecords::Pending> &held,
                quint64 nextSeq);

    void addState(quint32 serial, const QByteArray &payload);
    void sensorIdentified(quint32 serial, const QString &firmware);
    void setAvailability(quint32 serial, bool online);
    // The gateway is going: its status and every sensor it polled say offline.
    void goOffline();

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
        QString firmware;
        std::optional<bool> online;
        bool discoverySaid = false; // on this connection
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
    void pump();
    void queueState(const MqttMessage &message, quint64 seq);
    void settleState(quint64 seq);
    void logBroker(const QString &what);

    MqttLink &m_link;
    GatewayTopics m_topics;
    bool m_discovery;
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
