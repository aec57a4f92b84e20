#pragma once

#include "SensorRoster.h"
#include "core/sensor/DataAnswer.h"

#include <QByteArray>
#include <optional>
#include <vector>

// What the gateway takes from the bus, by the answer check levelconf-cli makes: an answer
// counts only when it is whole (the length its command and the sensor's firmware give),
// comes from the sensor asked and carries a good CRC. Anything else is a missed poll:
// a reading cut short or from another sensor published under this one's serial number
// would be worse than none.

// The identity in the answer of the sensor at `address`; nothing when it fails a check.
std::optional<SensorIdentity> identityFromAnswer(const QByteArray &answer, quint8 address);

// The readings in the data answer of the sensor at `address`, whose firmware has
// `fwVersion`; nothing when it fails a check.
std::optional<levelconf::DataReadings> readingsFromAnswer(const QByteArray &answer, quint8 address,
                                                          int fwVersion);

// The addresses a search answer names, each once, in the order they came. They are only
// candidates until their identity has been read: noise on the line reads as addresses too.
std::vector<quint8> searchCandidates(const QByteArray &answer);
