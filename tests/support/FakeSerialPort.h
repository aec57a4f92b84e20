#pragma once

#include "core/serial/SerialPort.h"

#include <QList>
#include <QSet>
#include <deque>
#include <functional>

// A scripted port: the platform's port list, the result of an open, the bytes each take
// finds and what each send reports, with every send recorded. Bytes arrive when the test delivers
// them or as a responder's answer to each send, one pass of the event loop later, as from a
// device on the line; and each takeArrived also finds the next scripted read, as bytes that came
// in long before (each engine tick takes one).
class FakeSerialPort : public levelconf::SerialPort
{
public:
    QStringList ports;      // what the platform enumerates
    QSet<QString> unusable; // enumerated but not usable
    bool openSucceeds = true;
    OpenFailure failure = OpenFailure::NotFound;

    bool opened = false;
    QString openedDevice;
    QString openedSettings;
    QList<QByteArray> writes;     // every send, empty ones included
    std::deque<QByteArray> reads; // what the next takes find; then nothing
    std::deque<int> writeCounts;  // counts the next sends report; then all bytes
    int flushes = 0;
    int readCalls = 0; // takeArrived calls
    int closes = 0;

    QStringList portNames() override { return ports; }
    bool portExists(const QString &name) override
    {
        return ports.contains(name) && !unusable.contains(name);
    }
    QString deviceName(const QString &item) const override
    {
        return item.contains(QLatin1Char('/')) ? item : QStringLiteral("/dev/") + item;
    }
    bool open(const QString &device, const QString &settings) override;
    OpenFailure lastOpenFailure() const override { return opened ? OpenFailure::None : failure; }
    bool close() override;
    void flush() override { ++flushes; }
    QByteArray arrived;                                      // not taken yet
    std::function<QByteArray(const QByteArray &)> responder; // answer to each send

    QByteArray takeArrived() override;
    int send(const QByteArray &data) override;
    // `bytes` arrive now and are announced.
    void deliver(const QByteArray &bytes);
    // The device goes, announced as the real port does: from the event loop.
    void loseDevice();
};
