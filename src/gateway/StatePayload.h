#pragma once

#include "core/sensor/DataAnswer.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>

// The state message of one reading: the JSON object of a reading of levelconf-cli --json
// watch (the time with its offset, the address, the readings under the same names), with
// two fields of the readings file beside them that dashboards show: "level_text", the
// distance as the window writes it in `locale`, and "stability", the colour of the
// level-stability lamp.
QByteArray statePayload(const DataReadings &readings, quint8 address,
                        std::optional<StabilityLamp> lamp, const QDateTime &time,
                        const QLocale &locale = QLocale());
