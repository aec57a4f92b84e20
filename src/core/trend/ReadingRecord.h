#pragma once

#include "ReadingStore.h"
#include "core/sensor/DataAnswer.h"

#include <QDateTime>
#include <QJsonObject>
#include <QLocale>

namespace levelconf
{

// One reading as the programs without a window give it: a trend entry taken at a moment,
// and the JSON object of a watched reading (time, address and the readings), whose keys
// scripts and brokers rely on. The keys and values are those of the measurement table.

// The entry of a data answer's readings from the sensor at `address`, taken `now`; a gap
// when the answer brought no output code. The output's kind follows the answer's mode
// byte.
TrendEntry readingEntry(const DataReadings &r, quint8 address, StabilityLamp lamp,
                        const QDateTime &now);

// The readings of the record: the output under the key of its kind ("distance_cm",
// "volume_L" or "percent") with "output" naming the kind, "empty", "full", "amplitude",
// "temperature_C", "frequency_Hz" and "analog_V", those the answer holds.
void addReadingFields(const DataReadings &r, QJsonObject *o);

// "time" (ISO 8601 with its offset) and "address", then for an answered reading its
// readings as above.
QJsonObject readingJson(const TrendEntry &e, const DataReadings &r);

// Every measurement of the reading, the gateway's own among them ("level_text" written in
// `locale`, "stability" once the lamp is known), without time and address.
QJsonObject measuredValues(const TrendEntry &e, const DataReadings &r,
                           const QLocale &locale = QLocale());

} // namespace levelconf
