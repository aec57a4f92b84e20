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

// One "--fault ADDRESS:KIND" value.
std::optional<std::pair<quint8, Fault>> faultFromText(const QString &text, QString *error);

void addSimOptions(QCommandLineParser &parser);
std::optional<SimOptions> readSimOptions(const QCommandLineParser &parser, QString *error);
