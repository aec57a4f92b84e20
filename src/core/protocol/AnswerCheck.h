#pragma once

#include "FirmwareCapabilities.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// Whether an answer that came is the one awaited, and whole. The CRC alone does not tell:
// two sensors answering at one address run their frames together, and the CRC of the
// second often passes for the whole; a data answer cut short with a good CRC would be read
// with fields missing; and an answer from another sensor, or to another request, is no
// answer to this one.

// What is known of the answer awaited. What is left out is not checked.
struct AwaitedAnswer {
    // The sensor asked; left out where whichever sensor answers is taken.
    std::optional<quint8> address;
    // The command code the answer carries; left out where a confirmation, a refusal and a
    // frequency-mode answer alike are taken.
    std::optional<quint8> code;
    // The firmware of the sensor, once its identity has been read: its data and mode answers
    // have the length it gives. Without it those two are judged by their CRC alone, the
    // identity and table answers, whose length no firmware changes, by their length too.
    std::optional<FirmwareCapabilities> firmware;
};

// `answer` is a framed answer with a good CRC-8, from the address and with the code
// awaited where they are given, and of the length its code and the firmware give where
// that is fixed (expectedAnswerLength).
bool answerAccepted(const QByteArray &answer, const AwaitedAnswer &awaited);

// What the log says of an answer that failed its check: its length and the check byte it
// carried beside the one worked out over the rest, "83 bytes, CRC received 5A, computed 3C".
QString answerCheckText(const QByteArray &answer);

} // namespace levelconf
