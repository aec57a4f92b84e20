#pragma once

#include "BrokerUrl.h"
#include "MqttMessage.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

struct mosquitto;

// The connection to the broker, on libmosquitto. The library's network loop runs on a
// thread of its own, so that neither a slow broker nor a lost one holds up the bus; what
// it reports comes to this object's thread as signals. It connects, keeps the connection
// and reconnects, waiting twice as long after each failed try up to a ceiling, and leaves
// the last will with the broker: the message the broker publishes when the connection
// ends without a goodbye.
class MqttLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int kKeepAliveS = 30;
    static constexpr int kRetryCeilingS = 60;
    // The network loop looks whether it is to stop at least this often.
    static constexpr int kLoopMs = 500;
    // More working connections than this lost within a minute are another client taking
    // over the gateway's client id, again and again.
    static constexpr int kTakeoversInAMinute = 3;

    struct Settings {
        BrokerUrl broker;
        QString caFile;   // mqtts: empty trusts the system's certificates
        QString certFile; // mqtts: the gateway's own certificate and key; empty: none
        QString keyFile;
        QString username;
        QString password;
        QString clientId;
        MqttMessage will; // none when its topic is empty
    };

    // The library's set-up, once for the program, for as long as this lives.
    class Library
    {
    public:
        Library();
        ~Library();
        Library(const Library &) = delete;
        Library &operator=(const Library &) = delete;
    };

    explicit MqttLink(const Settings &settings, QObject *parent = nullptr);
    ~MqttLink() override;

    // Starts connecting; false, with the reason, when the client cannot be set up.
    bool start(QString *error);
    // Says goodbye to the broker (so it keeps the will to itself) and ends the thread.
    void stop();

    bool isConnected() const { return m_connected; }
    // The broker's address, for log lines.
    QString brokerText() const { return m_settings.broker.text(); }

    // Hands `message` to the library with QoS 1: its id, which acked() reports once the
    // broker has it, or nothing when the library refused it. A message handed over while
    // the connection is down is kept by the library and sent once it is back.
    std::optional<int> publish(const MqttMessage &message);
    // Subscribes to `filter` with QoS 1 on the connection now; the session is clean, so
    // each connection subscribes again.
    void subscribe(const QByteArray &filter);

signals:
    void connected();
    // A try to reach the broker failed: the link tries again.
    void connectFailed(const QString &reason);
    // The broker refused the gateway (its credentials, its client name): the link tries
    // again, in case that changes. `credentials` when the user name or password was why.
    void refused(const QString &reason, bool credentials);
    // The connection has been taken over by another client under the same client id too
    // often: the link waits longer and longer before it takes it back.
    void clientIdInUse();
    // A working connection broke; the link reconnects.
    void connectionLost(const QString &reason);
    void acked(int messageId);
    // A message came on a subscribed topic.
    void messageArrived(const QByteArray &topic, const QByteArray &payload, bool retained);

private:
    void run();
    bool waitBeforeRetry(int seconds);
    bool takenOverAgain();
    void post(std::function<void()> what);
    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onPublish(mosquitto *, void *self, int mid);
    static void onMessage(mosquitto *, void *self, const struct mosquitto_message *m);

    Settings m_settings;
    mosquitto *m_client = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_madeIt{false}; // the connection under way has worked
    std::vector<std::chrono::steady_clock::time_point> m_losses; // of working connections
    bool m_connected = false;                                    // on this object's thread
};
