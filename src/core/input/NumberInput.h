#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace levelconf
{

// Every number an operator types goes through these. The text is read in the locale's
// format (group separators are refused, so "1,5" is never silently read as 15 where the
// comma groups thousands); whole numbers are rounded to the nearest, halves to even; a
// text that is not a number, or whose value does not fit the target, is a failure.

enum class NumWidth {
    Byte,  // 0 .. 255
    Int16, // -32768 .. 32767
    Int32, // -2147483648 .. 2147483647
};

// The decimal value of `text`, or nothing when it is not a number.
std::optional<double> parseNumber(const QString &text, const QLocale &locale = QLocale());

// `value` rounded halves-to-even, or nothing when the result does not fit `width`.
std::optional<qint64> roundToWidth(double value, NumWidth width);

// parseNumber followed by roundToWidth.
std::optional<qint64> toWhole(const QString &text, NumWidth width,
                              const QLocale &locale = QLocale());

// A decimal written with a comma in the program's defaults ("25,2") as the locale
// writes it, so that the default is valid input wherever the program runs.
QString localizedDecimal(const QString &commaText, const QLocale &locale = QLocale());

} // namespace levelconf
