#pragma once

#include "Faults.h"
#include "SensorConfig.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// A whole bus in a few words: "--bus COUNT[,KEYS]" gives COUNT sensors alike, described
// by KEYS as one "--sensor" is, at consecutive addresses from the address KEYS give (1
// without it) and with serial numbers counting up from the serial KEYS give, so that
// each sensor still has a serial number of its own. "--bus 30" is thirty sensors of
// firmware 1.7.6 at addresses 1 to 30; "--bus 8,address=100,firmware=163" eight older
// ones from address 100. A fault named in KEYS is every one of them's.
std::optional<std::vector<SensorConfig>>
busFromText(const QString &text, std::vector<std::pair<quint8, Fault>> *faults, QString *error);
