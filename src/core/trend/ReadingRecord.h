#pragma once

#include "ReadingStore.h"
#include "core/sensor/DataAnswer.h"

#include <QDateTime>
#include <QJsonObject>

// One reading as the programs without a window give it: a trend entry taken at a moment,
// and the JSON object of a watched reading (time, address and the readings), whose keys
// scripts and brokers rely on.

// The entry of a data answer's readings from the sensor at `address`, taken `now`; a gap
// when the answer brought no output code.
TrendEntry readingEntry(const DataReadings &r, quint8 address, StabilityLamp lamp,
                        const QDateTime &now);

// "empty", "full", "distance_cm", "amplitude", "temperature_C": the readings the answer
// holds.
void addReadingFields(const DataReadings &r, QJsonObject *o);

// "time" (ISO 8601 with its offset) and "address", then for an answered reading its
// readings, "frequency_Hz" and "analog_V".
QJsonObject readingJson(const TrendEntry &e, const DataReadings &r);
