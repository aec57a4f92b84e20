#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal for tests of the real port: the test talks on the master side while
// the port under test opens the slave device by its path. The slave is kept open here
// too, so that the master side never sees a hang-up between two opens.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_path; }
    int slaveFd() const { return m_slave; }

    // Writes on the master side; the bytes become input of the slave device.
    bool write(const QByteArray &bytes);
    // Waits (boundedly) until the slave device holds at least `n` unread input bytes.
    bool waitForSlaveInput(int n);
    // Everything that arrives on the master side until it has been quiet for `quietMs`.
    QByteArray readAll(int quietMs = 200);
    // Closes the master side: the device vanishes under whoever has the slave open.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
