#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What can go wrong with a sensor's answers. A fault stays until it is cleared. The
// device vanishing altogether is a fault of the whole bus (SensorSim::vanish).
enum class Fault {
    None,
    Silent,        // answers nothing, not even the search
    BadCrc,        // framed answers with a wrong CRC-8
    FrequencyMode, // every framed answer is the frequency-mode answer 0xFE
    Garbage,       // noise instead of each answer
    ShortData,     // the data answer cut to 12 bytes (with a correct CRC)
    WrongCode,     // framed answers with a code the program does not know
};

// The names used on the command line and in bus files: none, silent, bad-crc, freq,
// garbage, short, wrong-code.
QString faultName(Fault fault);
std::optional<Fault> faultFromName(const QString &name);
QStringList faultNames();

// The bytes a faulty sensor sends instead of `answer` (a complete framed answer, or the
// one-byte search answer). `hertz` is what a frequency-mode answer reports.
QByteArray applyFault(Fault fault, const QByteArray &answer, quint16 hertz);
