#pragma once

#include "Faults.h"
#include "SensorConfig.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// Sensors are described by the same keys on the command line ("--sensor
// address=5,firmware=176,serial=12345") and in a bus file (JSON): one key per field of
// SensorConfig that a sensor can be given (the field table in SensorKeys.cpp), and fault;
// in a file only, "table": {"readings": [20 numbers], "volumes": [20 numbers]}.
// Every sensor names its address, each key at most once; a key left out keeps the value
// of a default sensor (firmware 1.7.6). Numbers are decimal or 0x hex; only the yes/no keys
// take true/false (or yes/no, on/off).

// One "--sensor" value.
std::optional<SensorConfig> sensorFromText(const QString &text, Fault *fault, QString *error);
// The same keys where the address may be left out ("--bus 30,firmware=163" starts at the
// default sensor's address); `addressGiven` says whether it was named.
std::optional<SensorConfig> sensorKeysFromText(const QString &text, Fault *fault, QString *error,
                                               bool *addressGiven);

// A bus file: {"sensors": [ {...}, ... ]} and nothing else. Faults named in it are added
// to `faults`.
std::optional<std::vector<SensorConfig>>
sensorsFromJson(const QByteArray &json, std::vector<std::pair<quint8, Fault>> *faults,
                QString *error);
