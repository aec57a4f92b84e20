#include "MqttSubscriber.h"

#include <mosquitto.h>

#include <chrono>

MqttSubscriber::MqttSubscriber(const QString &clientId)
{
    mosquitto_lib_init();
    m_client = mosquitto_new(clientId.toUtf8().constData(), false, this);
    mosquitto_connect_callback_set(m_client, &MqttSubscriber::onConnect);
    mosquitto_subscribe_callback_set(m_client, &MqttSubscriber::onSubscribe);
    mosquitto_message_callback_set(m_client, &MqttSubscriber::onMessage);
    mosquitto_reconnect_delay_set(m_client, 1, 1, false);
}

MqttSubscriber::~MqttSubscriber()
{
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, false);
    mosquitto_destroy(m_client);
    mosquitto_lib_cleanup();
}

bool MqttSubscriber::start(quint16 port, const QByteArray &filter)
{
    m_filter = filter;
    return mosquitto_connect(m_client, "127.0.0.1", port, 30) == MOSQ_ERR_SUCCESS &&
           mosquitto_loop_start(m_client) == MOSQ_ERR_SUCCESS;
}

bool MqttSubscriber::publish(const QByteArray &topic, const QByteArray &payload, bool retain)
{
    return mosquitto_publish(m_client, nullptr, topic.constData(), int(payload.size()),
                             payload.constData(), 1, retain) == MOSQ_ERR_SUCCESS;
}

bool MqttSubscriber::subscribed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_subscribed;
}

QList<MqttSubscriber::Message> MqttSubscriber::messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

QList<QByteArray> MqttSubscriber::payloads(const QByteArray &topic) const
{
    QList<QByteArray> out;
    for (const Message &m : messages()) {
        if (m.topic == topic)
            out << m.payload;
    }
    return out;
}

QByteArray MqttSubscriber::last(const QByteArray &topic) const
{
    const QList<QByteArray> all = payloads(topic);
    return all.isEmpty() ? QByteArray() : all.last();
}

void MqttSubscriber::onConnect(mosquitto *client, void *self, int rc)
{
    if (rc == 0)
        mosquitto_subscribe(client, nullptr,
                            static_cast<MqttSubscriber *>(self)->m_filter.constData(), 1);
}

void MqttSubscriber::onSubscribe(mosquitto *, void *self, int, int, const int *)
{
    auto *s = static_cast<MqttSubscriber *>(self);
    std::lock_guard<std::mutex> lock(s->m_mutex);
    s->m_subscribed = true;
}

void MqttSubscriber::onMessage(mosquitto *, void *self, const struct mosquitto_message *m)
{
    const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    auto *s = static_cast<MqttSubscriber *>(self);
    std::lock_guard<std::mutex> lock(s->m_mutex);
    s->m_messages.append({QByteArray(m->topic),
                          QByteArray(static_cast<const char *>(m->payload), m->payloadlen),
                          m->retain, now});
}
