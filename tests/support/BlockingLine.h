#pragma once

#include <QByteArray>
#include <QList>

namespace levelconf
{
class SerialPort;
} // namespace levelconf

// A port read and written the old blocking way, for tests that talk to a line directly:
// a read gives what has arrived, at most 255 bytes, ending on 20 ms of silence and never
// waiting longer than 256 ms, and keeps the rest for the next read; an empty read flushes
// the port. A write hands the data over in pieces of 255 bytes. The program itself never
// waits on its port like this.
class BlockingLine
{
public:
    explicit BlockingLine(levelconf::SerialPort &port) : m_port(port) {}

    QByteArray read();
    // The number of bytes the port took; fewer than the size means it is not usable.
    int write(const QByteArray &data);

private:
    // Waits up to `ms` for bytes to be announced; false when none were.
    bool waitForBytes(int ms);

    levelconf::SerialPort &m_port;
    QByteArray m_kept; // arrived beyond the last read's 255 bytes
};

// `data` cut into the pieces it is written in: 255 bytes each, the last one shorter.
// An empty string has no pieces.
QList<QByteArray> writePieces(const QByteArray &data);
