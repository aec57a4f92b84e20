#pragma once

#include "core/sensor/DataAnswer.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QLocale>

// The state message of one reading: the JSON object of a reading of levelconf-cli --json
// watch (the address, the readings under the same names, the output under the key of its
// kind), with the gateway's own measurements beside them that dashboards show:
// "level_text", the output as the window writes it in `locale`, and "stability", the
// colour of the level-stability lamp. "seq" counts the sensor's readings from the
// gateway's start, and "time" has its milliseconds, so that no two readings look alike.
struct SensorState {
    QJsonObject values; // the measurements, which say whether anything changed
    quint64 seq = 0;
    QDateTime time;

    QByteArray payload() const;
};

SensorState sensorState(const levelconf::DataReadings &readings, quint8 address,
                        std::optional<levelconf::StabilityLamp> lamp, const QDateTime &time,
                        quint64 seq, const QLocale &locale = QLocale());
