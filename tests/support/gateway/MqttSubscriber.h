#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <mutex>

struct mosquitto;

// A subscriber to everything on a broker, as a consumer of the gateway's topics would be:
// every message it gets is kept, in order. Its session is persistent (QoS 1, not clean),
// so what is published while it is away reaches it when it is back; it reconnects by
// itself.
class MqttSubscriber
{
public:
    struct Message {
        QByteArray topic;
        QByteArray payload;
        bool retained = false;
        qint64 receivedNs = 0; // when it came, on the steady clock
    };

    explicit MqttSubscriber(const QString &clientId);
    ~MqttSubscriber();
    MqttSubscriber(const MqttSubscriber &) = delete;
    MqttSubscriber &operator=(const MqttSubscriber &) = delete;

    // Connects to the broker on this loopback port and subscribes to `filter`, every topic
    // unless told.
    bool start(quint16 port, const QByteArray &filter = "#");
    // Whether its subscription is in place.
    bool subscribed() const;

    // Publishes with QoS 1, as another client of the broker would (Home Assistant saying
    // it is online, say).
    bool publish(const QByteArray &topic, const QByteArray &payload, bool retain = false);

    QList<Message> messages() const;
    // The payloads of `topic`, in the order they came.
    QList<QByteArray> payloads(const QByteArray &topic) const;
    // The last payload of `topic`; empty when none came.
    QByteArray last(const QByteArray &topic) const;

private:
    static void onConnect(mosquitto *client, void *self, int rc);
    static void onSubscribe(mosquitto *, void *self, int, int, const int *);
    static void onMessage(mosquitto *, void *self, const struct mosquitto_message *m);

    mosquitto *m_client = nullptr;
    QByteArray m_filter;
    mutable std::mutex m_mutex;
    QList<Message> m_messages;
    bool m_subscribed = false;
};
