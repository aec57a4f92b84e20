#include "LineClient.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

LineClient::LineClient(const QString &path)
    : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY))
{
}

LineClient::~LineClient()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LineClient::send(const QByteArray &bytes)
{
    return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray LineClient::receive(int want, int quietMs)
{
    QByteArray out;
    while (out.size() < want) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, quietMs) <= 0)
            break;
        if (!(p.revents & POLLIN)) {
            hungUp = true;
            break;
        }
        char buf[256];
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n <= 0) {
            hungUp = true;
            break;
        }
        out.append(buf, n);
    }
    return out;
}
