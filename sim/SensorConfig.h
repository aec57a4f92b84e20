#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

// The 20-point tank table a sensor keeps: readings against volumes.
struct CalibrationTable {
    std::array<quint16, 20> readings{};
    std::array<quint16, 20> volumes{};

    // 200, 400 ... 3800 and 4096 on both sides: what a sensor leaves the factory with.
    static CalibrationTable defaults();
    bool operator==(const CalibrationTable &other) const
    {
        return readings == other.readings && volumes == other.volumes;
    }
};

// Everything a simulated sensor is and holds. The settings commands change these values;
// the readings (amplitude and output code) are the centre of a small live variation.
struct SensorConfig {
    quint8 address = 1;
    quint32 serial = 12345;
    quint8 firmware = 176;        // version code: 176 is firmware 1.7.6
    quint8 prefix = 0;            // version prefix; 0 when the sensor has none
    quint8 mode = 0x80;           // mode byte: output mode and flags
    quint8 filtration = 0x03;     // echo selection (bits 4-5), filtration level (bits 0-3)
    quint8 minDistance = 10;      // cm between two objects
    quint16 distanceLimit = 1000; // cm
    quint32 emptyValue = 40000;
    quint32 fullValue = 1600000;
    quint16 k = 100;
    qint8 temperature = 21; // degrees Celsius
    quint32 amplitude = 250000;
    quint16 outputCode = 2048; // tenths of a centimetre of distance; with the litre or per-cent
                               // flag in the mode, the table turns it into the output
    qint32 fillRate = 0;       // codes per second the output moves by as the sim runs: a tank
                               // filling (negative, the distance shrinks) or emptying
    bool liveVariation = true;
    CalibrationTable table = CalibrationTable::defaults();
    quint32 password = 0;
    bool locked = false; // settings refused until the right password is entered

    // Ambient air as last set, kept only so that it can be looked at.
    qint16 airTemperature = 2520; // hundredths of a degree
    qint16 airPressure = 10000;   // tenths of a hectopascal
    quint8 airHumidity = 35;      // per cent
};

// The bus of the demo: three sensors of three firmware generations.
std::vector<SensorConfig> demoSensors();
