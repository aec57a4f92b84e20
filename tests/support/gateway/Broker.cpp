#include "Broker.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
sockaddr_in loopback(quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A port nobody listens on now: the system's choice for a socket bound to port 0.
quint16 freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    socklen_t size = sizeof a;
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &size) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

bool listening(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

// Run as root, the broker would change to its own user, which cannot write the test's
// folder; it keeps the user it was started as when named.
QString userName()
{
    const passwd *pw = ::getpwuid(::geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("root");
}
} // namespace

Broker::Broker() : Broker(Access()) {}

Broker::Broker(const Access &access) : m_port(freePort()), m_tls(access.tls)
{
    QString listeners = QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n").arg(m_port);
    m_gatewayPort = m_port;
    if (!access.user.isEmpty() || access.tls) {
        m_gatewayPort = freePort();
        listeners += QStringLiteral("listener %1 127.0.0.1\n").arg(m_gatewayPort);
    }
    if (!access.user.isEmpty()) {
        const QString passwords = m_dir.filePath(QStringLiteral("passwords"));
        QProcess::execute(
            QStringLiteral("mosquitto_passwd"),
            {QStringLiteral("-c"), QStringLiteral("-b"), passwords, access.user, access.password});
        listeners += QStringLiteral("allow_anonymous false\npassword_file %1\n").arg(passwords);
    }
    if (access.tls) {
        const QString tls = QStringLiteral(LEVELCONF_TEST_DATA "/tls/");
        listeners += QStringLiteral("allow_anonymous true\ncafile %1ca.pem\ncertfile "
                                    "%1broker.pem\nkeyfile %1broker.key\n"
                                    "require_certificate true\n")
                         .arg(tls);
    }
    QFile conf(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    if (conf.open(QIODevice::WriteOnly)) {
        conf.write(QStringLiteral("per_listener_settings true\n"
                                  "persistence true\n"
                                  "persistence_location %1/\n"
                                  "user %2\n"
                                  "log_dest none\n")
                       .arg(m_dir.path(), userName())
                       .toUtf8() +
                   listeners.toUtf8());
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

Broker::~Broker()
{
    stop();
}

bool Broker::start()
{
    m_process.start(QStringLiteral("mosquitto"),
                    {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("mosquitto.conf"))});
    if (!m_process.waitForStarted(10000))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        if (listening(m_port) && listening(m_gatewayPort))
            return true;
        QThread::msleep(20);
    }
    return false;
}

void Broker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished();
}

QString Broker::url() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? "mqtts" : "mqtt").arg(m_gatewayPort);
}
