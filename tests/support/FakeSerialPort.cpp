#include "FakeSerialPort.h"

#include <QTimer>

#include <utility>

using namespace levelconf;

bool FakeSerialPort::open(const QString &device, const QString &settings)
{
    openedDevice = device;
    openedSettings = settings;
    opened = openSucceeds;
    return opened;
}

bool FakeSerialPort::close()
{
    ++closes;
    const bool was = opened;
    opened = false;
    return was;
}

QByteArray FakeSerialPort::takeArrived()
{
    ++readCalls;
    QByteArray out = std::exchange(arrived, QByteArray());
    if (!reads.empty()) {
        out += reads.front();
        reads.pop_front();
    }
    return out;
}

int FakeSerialPort::send(const QByteArray &data)
{
    writes.append(data);
    int n = data.size();
    if (!writeCounts.empty()) {
        n = writeCounts.front();
        writeCounts.pop_front();
    }
    const QByteArray reply = responder ? responder(data) : QByteArray();
    if (!reply.isEmpty())
        QTimer::singleShot(0, &events(), [this, reply] { deliver(reply); });
    return n;
}

void FakeSerialPort::deliver(const QByteArray &bytes)
{
    arrived += bytes;
    emit events().bytesArrived();
}

void FakeSerialPort::loseDevice()
{
    QTimer::singleShot(0, &events(), [this] { emit events().deviceLost(); });
}
