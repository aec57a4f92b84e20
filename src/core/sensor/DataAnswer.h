#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <optional>

namespace levelconf
{

// The data answer (command 0xF0) turned into readings, without a window. The answer is
// the frame as received, prefix first and CRC last; its numbers are little-endian.

// Everything one answer yields, in the order the readings are taken. Reading stops at the
// first step that finds no data (a position beyond the end, or a zero coefficient that
// would have to divide), so every field after that step stays empty.
struct DataReadings {
    int failedStep = 0; // 0 when every step ran; else the step that stopped the pass
    int progress = 0;   // 0 before the empty value, 1 after it, 2 after the full value

    std::optional<quint32> amplitude;   // step 2
    std::optional<int> temperature;     // step 4, degrees Celsius
    std::optional<quint8> address;      // step 5
    std::optional<quint16> output;      // steps 6-9, the output code N
    std::optional<quint32> emptyValue;  // step 10
    std::optional<quint32> fullValue;   // step 11
    std::optional<quint16> k;           // step 12
    std::optional<double> balance;      // step 12, only when the values are short enough
    std::optional<quint8> minDistance;  // step 13, only with settings
    std::optional<quint16> maxDistance; // step 13, only with settings
    std::optional<quint8> echoByte;     // step 14, only with settings
    std::optional<quint8> modeByte;     // step 15, only with settings
    std::optional<qint16> warningCm;    // step 16, empty value over 600
};

// Reads the answer step by step. `withSettings` says whether the settings bytes (mode,
// distances, echo selection) are wanted; without it those steps are skipped, not failed.
DataReadings decodeDataAnswer(const QByteArray &aans, bool withSettings);

// The value of the setting the command `code` sets, as the answer reported it; nothing
// for a setting the data answer does not report, or did not this time.
std::optional<quint32> settingReadBack(const DataReadings &r, quint8 code);

// The level-stability indicator: a smoothed amplitude, a score of steady answers and a
// hold counter that keeps a sensor with zero amplitude from flagging red for ever.
enum class StabilityLamp { Green, Yellow, Red };
struct Stability {
    double avg = 0;
    qint16 cnt = 0;
    qint16 hold = 0;
};
struct StabilityStep {
    Stability state;
    StabilityLamp lamp = StabilityLamp::Yellow;
};
StabilityStep nextStability(const Stability &s, quint32 amplitude);
// The smoothed amplitude starts from nothing and closes a fifth of its distance to the
// amplitude with each answer, so before this many answers with an amplitude even a
// perfectly steady one lies further from it than the 1/5000 that counts as steady
// (0.8 to the power n falls below 1/5000 at n = 39): until then the lamp is red or yellow
// whatever the level does, and says nothing about it.
constexpr int kStabilityWarmUpAnswers = 39;

// Texts of the readings. Quotients are written in the shortest decimal form (at most 15
// significant digits, no trailing zeros, no exponent) with the locale's separator.
QString shortestDecimal(double v, const QLocale &locale = QLocale());
QString temperatureText(int celsius);                                             // "-5 °C"
QString distanceText(quint16 n, const QLocale &locale = QLocale());               // N / 10
QString frequencyText(quint16 n);                                                 // N + 300
QString analogText(quint16 n, bool range4096, const QLocale &locale = QLocale()); // volts
double analogVolts(quint16 n, bool range4096); // the value analogText shows
QString calibrationWarningText(qint16 cm);

} // namespace levelconf
