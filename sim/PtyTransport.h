#pragma once

#include <QByteArray>
#include <QString>

// The simulated line: the master side of a pseudo-terminal in raw mode. Whoever opens the
// slave device (its path, or the link to it) is the program on the other end of the
// RS-485 adapter. The slave is held open here as well, so that the master never sees a
// hang-up between the program's opens.
class PtyTransport
{
public:
    PtyTransport() = default;
    ~PtyTransport();
    PtyTransport(const PtyTransport &) = delete;
    PtyTransport &operator=(const PtyTransport &) = delete;

    bool open(QString *error);
    // A symbolic link to the slave device. A link to a pseudo-terminal, left by an earlier
    // run, is replaced; any other link, and anything else at that path, is left alone and
    // reported with its path.
    bool makeLink(const QString &path, QString *error);
    // Closes both sides and removes the link: the device is gone.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int fd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }

    // What the program has written, without waiting.
    QByteArray readAvailable();
    // Sends bytes to the program; what does not fit its input queue now is dropped, as
    // it would be on a line nobody reads.
    void write(const QByteArray &bytes);

private:
    void removeLink();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};
