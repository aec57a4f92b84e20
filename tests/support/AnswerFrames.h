#pragma once

#include "core/protocol/ByteString.h"
#include "core/protocol/FrameCodec.h"

#include <QByteArray>

// Sensor answers as a sensor would send them, for the monitor and engine tests.

// The fields of a data answer (command F0), little-endian on the wire.
struct DataFields {
    quint8 address = 5;
    quint8 temperature = 20;
    quint16 output = 1234; // N
    quint32 amplitude = 1000;
    quint32 emptyValue = 3000;
    quint32 fullValue = 2000;
    quint16 k = 1;
    quint8 mode = 0;
    quint8 minDistance = 10;
    quint8 echo = 0;
    quint16 maxDistance = 1000;
};

inline void appendLe(QByteArray &out, quint32 v, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A data answer of `length` bytes (26 is complete): the fields cut after length - 1
// bytes, then a correct CRC.
inline QByteArray dataAnswer(const DataFields &f = {}, int length = 26)
{
    QByteArray body;
    body.append(char(0x3E));
    body.append(static_cast<char>(f.address));
    body.append(char(0xF0));
    body.append(static_cast<char>(f.temperature));
    appendLe(body, f.output, 2);
    appendLe(body, f.amplitude, 4);
    appendLe(body, f.emptyValue, 4);
    appendLe(body, f.fullValue, 4);
    appendLe(body, f.k, 2);
    body.append(static_cast<char>(f.mode));
    body.append(static_cast<char>(f.minDistance));
    body.append(static_cast<char>(f.echo));
    appendLe(body, f.maxDistance, 2);
    return levelconf::withCrc(body.left(qMax(0, length - 1)));
}

// A framed answer: 3E, address, code, data, CRC.
inline QByteArray framedAnswer(quint8 address, quint8 code, const QByteArray &data = {})
{
    QByteArray body;
    body.append(char(0x3E));
    body.append(static_cast<char>(address));
    body.append(static_cast<char>(code));
    return levelconf::withCrc(body + data);
}
