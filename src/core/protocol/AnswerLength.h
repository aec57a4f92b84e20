#pragma once

#include "CommandCodes.h"
#include "FirmwareCapabilities.h"

#include <QtGlobal>
#include <optional>

namespace levelconf
{

// How long a whole answer is, by its command code and the firmware of the sensor.

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

} // namespace levelconf
