#pragma once

#include <QString>

#include <optional>

// A whole number as people write it in a sensor description or a bus file: decimal, with
// an optional sign, or hexadecimal after "0x". A leading zero is just a zero ("010" is
// ten, not eight) and no other base is taken, so that a value never means something else
// than it reads as.
std::optional<qint64> wholeNumber(const QString &text);
