#include "MqttLink.h"

#include <mosquitto.h>

#include <QMetaObject>

#include <cerrno>
#include <cstring>

namespace
{
QString errorText(int rc)
{
    // The library reports a failed system call as such; what failed is in errno.
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

QByteArray utf8OrNull(const QString &s)
{
    return s.isEmpty() ? QByteArray() : s.toUtf8();
}

const char *orNull(const QByteArray &s)
{
    return s.isNull() ? nullptr : s.constData();
}
} // namespace

MqttLink::Library::Library()
{
    mosquitto_lib_init();
}

MqttLink::Library::~Library()
{
    mosquitto_lib_cleanup();
}

MqttLink::MqttLink(const Settings &settings, QObject *parent)
    : QObject(parent), m_settings(settings)
{
}

MqttLink::~MqttLink()
{
    stop();
    if (m_client)
        mosquitto_destroy(m_client);
}

bool MqttLink::start(QString *error)
{
    // A clean session: what the gateway has to say is in its own queue and its retained
    // messages, which it publishes again on every connection.
    m_client = mosquitto_new(m_settings.clientId.toUtf8().constData(), true, this);
    if (!m_client) {
        *error = tr("the MQTT client cannot be made");
        return false;
    }
    mosquitto_threaded_set(m_client, true);
    mosquitto_connect_callback_set(m_client, &MqttLink::onConnect);
    mosquitto_disconnect_callback_set(m_client, &MqttLink::onDisconnect);
    mosquitto_publish_callback_set(m_client, &MqttLink::onPublish);
    mosquitto_message_callback_set(m_client, &MqttLink::onMessage);

    const MqttMessage &will = m_settings.will;
    int rc = will.topic.isEmpty()
                 ? MOSQ_ERR_SUCCESS
                 : mosquitto_will_set(m_client, will.topic.constData(), int(will.payload.size()),
                                      will.payload.constData(), 1, will.retain);
    if (rc == MOSQ_ERR_SUCCESS && !m_settings.username.isEmpty()) {
        const QByteArray password = utf8OrNull(m_settings.password);
        rc = mosquitto_username_pw_set(m_client, m_settings.username.toUtf8().constData(),
                                       orNull(password));
    }
    if (rc == MOSQ_ERR_SUCCESS && m_settings.broker.tls) {
        const QByteArray caFile = utf8OrNull(m_settings.caFile);
        const QByteArray certFile = utf8OrNull(m_settings.certFile);
        const QByteArray keyFile = utf8OrNull(m_settings.keyFile);
        if (caFile.isNull())
            rc = mosquitto_int_option(m_client, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        if (rc == MOSQ_ERR_SUCCESS && !(caFile.isNull() && certFile.isNull()))
            rc = mosquitto_tls_set(m_client, orNull(caFile), nullptr, orNull(certFile),
                                   orNull(keyFile), nullptr);
    }
    if (rc != MOSQ_ERR_SUCCESS) {
        *error = tr("the MQTT client cannot be set up: %1").arg(errorText(rc));
        return false;
    }
    m_thread = std::thread([this] { run(); });
    return true;
}

void MqttLink::stop()
{
    if (!m_thread.joinable())
        return;
    // The goodbye goes out first, so that the broker keeps the will to itself; the loop
    // sends it and ends.
    mosquitto_disconnect(m_client);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
    m_connected = false;
}

std::optional<int> MqttLink::publish(const MqttMessage &message)
{
    int mid = 0;
    const int rc =
        mosquitto_publish(m_client, &mid, message.topic.constData(), int(message.payload.size()),
                          message.payload.constData(), 1, message.retain);
    // Without a connection the library still queues a QoS 1 message, sends it once the
    // connection is back and reports it then; it only says it could not send it yet.
    if (rc == MOSQ_ERR_SUCCESS || rc == MOSQ_ERR_NO_CONN)
        return mid;
    return std::nullopt;
}

void MqttLink::subscribe(const QByteArray &filter)
{
    mosquitto_subscribe(m_client, nullptr, filter.constData(), 1);
}

void MqttLink::run()
{
    // The library's own loop (mosquitto_loop_forever) sleeps between its tries to
    // reconnect, up to the ceiling, and nothing wakes it: a gateway told to stop would wait
    // that long. This loop waits where stopping can wake it.
    const QByteArray host = m_settings.broker.host.toUtf8();
    int wait = 1;
    while (!m_stopping) {
        // Connected in the background: the loop below completes it.
        const int rc = mosquitto_connect_async(m_client, host.constData(), m_settings.broker.port,
                                               kKeepAliveS);
        if (rc == MOSQ_ERR_SUCCESS) {
            m_madeIt = false;
            while (!m_stopping && mosquitto_loop(m_client, kLoopMs, 1) == MOSQ_ERR_SUCCESS) {
            }
            // After a working connection the waits start short again, unless another client
            // keeps taking it over: then they grow, and the two take turns less often.
            if (m_madeIt && !m_stopping && takenOverAgain())
                post([this] { emit clientIdInUse(); });
            else if (m_madeIt)
                wait = 1;
        } else {
            const QString reason = errorText(rc);
            post([this, reason] { emit connectFailed(reason); });
        }
        if (!waitBeforeRetry(wait))
            break;
        wait = qMin(wait * 2, int(kRetryCeilingS));
    }
}

bool MqttLink::takenOverAgain()
{
    const auto now = std::chrono::steady_clock::now();
    m_losses.push_back(now);
    while (now - m_losses.front() > std::chrono::minutes(1))
        m_losses.erase(m_losses.begin());
    return int(m_losses.size()) > kTakeoversInAMinute;
}

bool MqttLink::waitBeforeRetry(int seconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_stopping.load(); });
    return !m_stopping;
}

void MqttLink::post(std::function<void()> what)
{
    QMetaObject::invokeMethod(this, std::move(what), Qt::QueuedConnection);
}

void MqttLink::onConnect(mosquitto *, void *self, int rc)
{
    auto *link = static_cast<MqttLink *>(self);
    if (rc != 0) {
        const QString reason = QString::fromUtf8(mosquitto_connack_string(rc));
        // 4 and 5: a bad user name or password, not authorised.
        const bool credentials = rc == 4 || rc == 5;
        link->post([link, reason, credentials] { emit link->refused(reason, credentials); });
        return;
    }
    link->m_madeIt = true;
    link->post([link] {
        link->m_connected = true;
        emit link->connected();
    });
}

void MqttLink::onDisconnect(mosquitto *, void *self, int rc)
{
    auto *link = static_cast<MqttLink *>(self);
    // 0 is the goodbye the gateway said itself.
    if (rc == 0)
        return;
    const QString reason = errorText(rc);
    link->post([link, reason] {
        link->m_connected = false;
        emit link->connectionLost(reason);
    });
}

void MqttLink::onPublish(mosquitto *, void *self, int mid)
{
    auto *link = static_cast<MqttLink *>(self);
    link->post([link, mid] { emit link->acked(mid); });
}

void MqttLink::onMessage(mosquitto *, void *self, const struct mosquitto_message *m)
{
    auto *link = static_cast<MqttLink *>(self);
    const QByteArray topic(m->topic);
    const QByteArray payload(static_cast<const char *>(m->payload), m->payloadlen);
    const bool retained = m->retain;
    link->post(
        [link, topic, payload, retained] { emit link->messageArrived(topic, payload, retained); });
}
