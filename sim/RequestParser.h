#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// What a sensor makes of the bytes it hears: the network search, a request to one
// address, or nothing it may answer (a broken CRC, a frame too short, noise).
struct Request {
    enum class Kind { Invalid, Search, Command };
    Kind kind = Kind::Invalid;
    quint8 address = 0;
    quint8 code = 0;
    QByteArray body; // everything between the code and the CRC: write key and data
};

Request parseRequest(const QByteArray &message);

// Whether the code changes a setting and so, from firmware 1.7.5 on, must carry the
// write key after it.
bool takesWriteKey(quint8 code);
bool expectsWriteKey(quint8 code, int firmware);

// The data bytes a request with this code carries on this firmware (after the key);
// nothing for a code the sensor does not know.
std::optional<int> requestDataLength(quint8 code, int firmware);

// The data of a request for a sensor with this firmware: the write key checked and taken
// off where the sensor expects it, the length checked. Nothing when the sensor must
// stay silent.
std::optional<QByteArray> requestData(const Request &request, int firmware);
