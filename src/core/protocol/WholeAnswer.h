#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// The answers whose length is known before they come, and when such an answer is whole.
// A data answer's length follows from the sensor's firmware and an identity answer has
// ten bytes; no other answer has a length known beforehand, and those end on the line's
// silence.

// Bytes of the complete answer to a request with `code` sent to a sensor whose firmware
// has this version code; nothing when that length is not known beforehand.
std::optional<int> expectedAnswerLength(quint8 code, int fwVersion);

// `answer` is the complete answer of the sensor at `address` to a request with `code`:
// exactly `length` bytes, the answer prefix, that address and code, and a good CRC-8.
bool isWholeAnswer(const QByteArray &answer, quint8 address, quint8 code, int length);
