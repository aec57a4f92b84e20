#pragma once

#include "Faults.h"
#include "LoaderOptions.h"
#include "SensorConfig.h"
#include "SensorSim.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QCommandLineParser;

// What the command line asks of sensor-sim.
struct SimOptions {
    std::vector<SensorConfig> sensors;
    std::vector<std::pair<quint8, Fault>> faults; // by address
    QString linkPath;
    quint64 vanishAfter = 0;
    SimTiming timing;
    LoaderOptions loader;
    bool verbose = false;
};

// Sensors are described by the same keys on the command line ("--sensor
// address=5,firmware=176,serial=12345") and in a bus file (JSON): one key per field of
// SensorConfig that a sensor can be given (the field table in SimOptions.cpp), and fault;
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

// One "--fault ADDRESS:KIND" value.
std::optional<std::pair<quint8, Fault>> faultFromText(const QString &text, QString *error);

void addSimOptions(QCommandLineParser &parser);
std::optional<SimOptions> readSimOptions(const QCommandLineParser &parser, QString *error);
