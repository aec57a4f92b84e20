#pragma once

#include <QByteArray>
#include <QString>

// A program on the other end of a simulated line, by plain file calls: what it writes goes
// out at once, and a read takes what has come so far.
class LineClient
{
public:
    explicit LineClient(const QString &path);
    ~LineClient();
    LineClient(const LineClient &) = delete;
    LineClient &operator=(const LineClient &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    bool send(const QByteArray &bytes);
    // What arrives until `want` bytes are in or the line has been quiet for `quietMs`.
    QByteArray receive(int want, int quietMs = 2000);

    // The device went away under the client.
    bool hungUp = false;

private:
    int m_fd;
};
