#pragma once

#include <QString>
#include <QtGlobal>

namespace levelconf
{

// Operator values of the settings commands as the sensor takes them.

// A typed air value scaled to the whole number the request carries.
struct AirValue {
    enum class Check {
        Ok,
        Unreadable, // not a number, or beyond 16 bits once scaled
        OutOfRange,
    };
    Check check = Check::Unreadable;
    qint16 value = 0;
};

// Degrees Celsius to hundredths of a degree; -60.00 to 60.00.
AirValue airTemperature(const QString &text);
// Hectopascal rounded to a whole number, then in tenths; 500 to 1200.
AirValue airPressure(const QString &text);
// Per cent, whole; 1 to 100.
AirValue airHumidity(const QString &text);

// The second mode byte: the filtration level in the low bits, then the echo selection
// (further object 0x10, closest and further 0x20, closest object none).
quint8 secondModeByte(quint8 filtration, bool furtherObject, bool closestAndFurther);

} // namespace levelconf
