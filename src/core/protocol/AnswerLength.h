#pragma once

#include "CommandCodes.h"
#include "FirmwareCapabilities.h"

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// How long a whole answer is, and whether one that came can be trusted. The CRC alone does
// not tell: two sensors answering at one address run their frames together, and the CRC
// of the second often passes for the whole; a data answer cut short with a good CRC would
// be read with fields missing.

// The length, prefix and CRC included, of the answer with this command code from a sensor
// with these capabilities: the data answer by its firmware (21, 22 or 26 bytes), the
// identity answer (10), the mode answer (5, or 6 with the echo selection from 1.7.6) and
// the table answer (84). Nothing for the answers whose length is not fixed here, the
// confirmations and refusals.
constexpr std::optional<int> expectedAnswerLength(quint8 code, const FirmwareCapabilities &caps)
{
    switch (code) {
    case Cmd::ReadData:
        return caps.dataAnswerLength;
    case Cmd::ReadIdentity:
        return 10; // 3E, address, FC, serial number (4 bytes), version code and prefix, CRC
    case Cmd::SetMode:
        // 3E, address, F2, mode byte, [echo selection], CRC. The sensors that take the echo
        // selection report it; 1.7.5 may report it without taking it, so its length is
        // not fixed.
        if (caps.secondModeByte)
            return 6;
        if (caps.echoInModeAnswer)
            return std::nullopt;
        return 5;
    case Cmd::ReadTable:
        return 84; // 3E, address, EF, 20 readings and 20 volumes of 2 bytes each, CRC
    default:
        return std::nullopt;
    }
}

// A framed answer whose CRC matches and whose length, where its code has one, is that
// length. Without `caps` (the sensor's firmware is not known yet) the data and mode answers
// are judged by their CRC alone, the identity and table answers by both.
bool answerIntact(const QByteArray &answer, const std::optional<FirmwareCapabilities> &caps);

// `answer` is the complete answer of the sensor at `address` to a request with `code`:
// exactly `length` bytes, the answer prefix, that address and code, and a good CRC-8. The
// engine takes an answer of a known length as soon as it is this, without waiting for the
// line's silence.
bool isWholeAnswer(const QByteArray &answer, quint8 address, quint8 code, int length);
