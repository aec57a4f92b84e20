#include "FakeSerialPort.h"

bool FakeSerialPort::ComOpen(const QString &device, const QString &settings)
{
    openedDevice = device;
    openedSettings = settings;
    open = openSucceeds;
    return open;
}

bool FakeSerialPort::ComClose()
{
    ++closes;
    const bool was = open;
    open = false;
    return was;
}

QByteArray FakeSerialPort::ComRead()
{
    ++readCalls;
    if (reads.empty()) {
        ComFlush();
        return {};
    }
    QByteArray out = reads.front();
    reads.pop_front();
    if (out.isEmpty())
        ComFlush();
    return out;
}

int FakeSerialPort::ComWrite(const QByteArray &data)
{
    writes.append(data);
    if (writeCounts.empty())
        return data.size();
    const int n = writeCounts.front();
    writeCounts.pop_front();
    return n;
}
