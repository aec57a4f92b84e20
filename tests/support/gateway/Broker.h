#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's mosquitto broker for a test: on a free loopback port, with a configuration of
// the test's own in a temporary folder, and stopped with the test. It keeps its sessions
// and retained messages on disk, so a subscriber's session outlives a restart, as on a
// broker in service.
class Broker
{
public:
    // How the gateway's listener takes its clients: anyone, by default; with a user name
    // and password; or over TLS with a client certificate signed by the test CA. The
    // subscribers' listener, port(), always takes anyone.
    struct Access {
        QString user;
        QString password;
        bool tls = false;
    };

    Broker();
    explicit Broker(const Access &access);
    ~Broker();
    Broker(const Broker &) = delete;
    Broker &operator=(const Broker &) = delete;

    // Starts it (again, on the same port) and waits until it takes connections.
    bool start();
    // Stops it as its service does (SIGTERM), saving its state.
    void stop();

    quint16 port() const { return m_port; }
    // The gateway's listener.
    QString url() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    quint16 m_gatewayPort = 0;
    bool m_tls = false;
};
