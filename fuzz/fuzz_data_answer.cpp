// The data answer (0xF0) as the bus brings it: decoded with and without the settings
// bytes, its readings turned into the texts the window shows, and its amplitudes fed to
// the level-stability indicator.
#include "FuzzCheck.h"
#include "core/sensor/DataAnswer.h"

#include <QLocale>

#include <cmath>

using namespace levelconf;

namespace
{
// A quotient is shown without an exponent and keeps its value to 15 significant digits.
void checkDecimal(double v)
{
    const QString shown = shortestDecimal(v, QLocale::c());
    FUZZ_CHECK(!shown.contains(QLatin1Char('e')));
    FUZZ_CHECK(shown.toDouble() == QString::number(v, 'g', 15).toDouble());
    const QLocale german(QLocale::German, QLocale::Germany);
    FUZZ_CHECK(german.toDouble(shortestDecimal(v, german)) == shown.toDouble());
}

void checkReadings(const QByteArray &answer, bool withSettings)
{
    const DataReadings r = decodeDataAnswer(answer, withSettings);
    FUZZ_CHECK(r.amplitude.has_value() == (answer.size() >= 10));
    FUZZ_CHECK(r.failedStep != 0 || answer.size() >= 20);
    // A pass that stopped shows nothing of the steps after it.
    FUZZ_CHECK(r.failedStep == 0 || (!r.warningCm && !r.modeByte && !r.echoByte));
    FUZZ_CHECK(withSettings || (!r.modeByte && !r.echoByte && !r.minDistance && !r.maxDistance));
    FUZZ_CHECK(r.minDistance.has_value() == r.maxDistance.has_value());
    if (r.balance) {
        FUZZ_CHECK(std::isfinite(*r.balance) && r.k && *r.k != 0);
        checkDecimal(*r.balance);
    }
    if (r.temperature) {
        FUZZ_CHECK(*r.temperature >= -128 && *r.temperature <= 127);
        FUZZ_CHECK(temperatureText(*r.temperature).endsWith(QStringLiteral(" °C")));
    }
    if (r.output) {
        checkDecimal(*r.output / 10.0);
        FUZZ_CHECK(!distanceText(*r.output).isEmpty());
        FUZZ_CHECK(frequencyText(*r.output).endsWith(QStringLiteral(" Гц")));
        FUZZ_CHECK(analogText(*r.output, true).endsWith(QStringLiteral(" В")));
        FUZZ_CHECK(analogText(*r.output, false).endsWith(QStringLiteral(" В")));
    }
    if (r.warningCm) {
        FUZZ_CHECK(*r.warningCm >= 0);
        FUZZ_CHECK(calibrationWarningText(*r.warningCm).endsWith(QStringLiteral(" cm.")));
    }
}

// Every 4 bytes taken as one answer's amplitude: the lamp's counters stay in their bounds
// whatever the sensor reports.
void checkStability(const QByteArray &answer)
{
    Stability s;
    for (int at = 0; at + 4 <= answer.size(); at += 4) {
        quint32 a = 0;
        for (int i = 3; i >= 0; --i)
            a = (a << 8) | quint8(answer.at(at + i));
        const StabilityStep step = nextStability(s, a);
        s = step.state;
        FUZZ_CHECK(s.cnt >= 0 && s.cnt <= 5);
        FUZZ_CHECK(s.hold >= 0 && s.hold <= 60);
        FUZZ_CHECK(std::isfinite(s.avg));
        FUZZ_CHECK(step.lamp != StabilityLamp::Green || (s.cnt == 5 && s.hold == 60));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer = fuzzInput(data, size);
    checkReadings(answer, false);
    checkReadings(answer, true);
    checkStability(answer);
    return 0;
}
