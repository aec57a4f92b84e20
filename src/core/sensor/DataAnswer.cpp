#include "DataAnswer.h"

#include "core/input/NumberInput.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"

#include <QCoreApplication>
#include <cmath>

namespace levelconf
{

namespace
{
// The units and the warning the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(DataAnswer)
};

// The balance quotient is only worked out for values short enough to be calibration
// values at all: fewer than 6 digits for empty, fewer than 8 for full.
constexpr quint32 kBalanceEmptyLimit = 100000;
constexpr quint32 kBalanceFullLimit = 10000000;
// The warning shows values of up to 7 and 8 digits.
constexpr quint32 kWarningEmptyLimit = 10000000;
constexpr quint32 kWarningFullLimit = 100000000;

DataReadings failAt(DataReadings r, int step)
{
    r.failedStep = step;
    return r;
}
} // namespace

DataReadings decodeDataAnswer(const QByteArray &aans, bool withSettings)
{
    DataReadings r;
    const auto amplitude = leValue(aans, 7, 4);
    if (!amplitude)
        return failAt(r, 2);
    r.amplitude = *amplitude;

    const auto t = byteAt(aans, 4);
    if (!t)
        return failAt(r, 4);
    r.temperature = *t > 127 ? int(*t) - 256 : int(*t);

    const auto address = byteAt(aans, 2);
    if (!address)
        return failAt(r, 5);
    r.address = *address;

    const auto n = leValue(aans, 5, 2);
    if (!n)
        return failAt(r, 6);
    r.output = static_cast<quint16>(*n);

    const auto lo = leValue(aans, 11, 4);
    if (!lo)
        return failAt(r, 10);
    r.emptyValue = *lo;
    r.progress = 1;

    const auto hi = leValue(aans, 15, 4);
    if (!hi)
        return failAt(r, 11);
    r.fullValue = *hi;
    r.progress = 2;

    const auto k = leValue(aans, 19, 2);
    if (!k)
        return failAt(r, 12);
    r.k = static_cast<quint16>(*k);
    if (*lo < kBalanceEmptyLimit && *hi < kBalanceFullLimit) {
        if (*k == 0)
            return failAt(r, 12);
        r.balance = (double(qint64(*hi) - qint64(*lo))) / (double(*k) * 64.0);
    }

    const int length = aans.size();
    if (withSettings && length > 22) {
        const auto minDistance = byteAt(aans, 22);
        const auto maxDistance = leValue(aans, 24, 2);
        if (!minDistance || !maxDistance)
            return failAt(r, 13);
        r.minDistance = *minDistance;
        r.maxDistance = static_cast<quint16>(*maxDistance);
    }
    if (withSettings && length > 23)
        r.echoByte = byteAt(aans, 23);
    if (withSettings && length > 21)
        r.modeByte = byteAt(aans, 21);

    if (*lo < kWarningEmptyLimit && *hi < kWarningFullLimit)
        r.warningCm = static_cast<qint16>(*roundToWidth(double(*lo) / 600.0, NumWidth::Int16));
    return r;
}

std::optional<quint32> settingReadBack(const DataReadings &r, quint8 code)
{
    if (code == Cmd::SetMinDistance)
        return r.minDistance;
    if (code == Cmd::SetMaxDistance)
        return r.maxDistance;
    return std::nullopt;
}

StabilityStep nextStability(const Stability &s, quint32 a)
{
    StabilityStep out{s, StabilityLamp::Yellow};
    Stability &n = out.state;
    // The hold counter is capped at 60 below, so it never comes near the 16-bit limit
    // unless someone else has set it there.
    n.hold = static_cast<qint16>(qMin(int(n.hold) + 2, 32767));
    if (a != 0) {
        n.hold = 0;
        n.avg = n.avg + (double(a) - n.avg) / 5.0;
        const double d = std::fabs(n.avg - double(a));
        n.cnt = static_cast<qint16>(double(a) / 5000.0 > d ? qMin(int(n.cnt) + 1, 32767)
                                                           : qMax(int(n.cnt) - 1, -32768));
    }
    if (n.cnt > 5 || n.hold > 60) {
        n.cnt = 5;
        n.hold = 60;
        out.lamp = StabilityLamp::Green;
    }
    if (n.cnt < 0) {
        n.cnt = 0;
        n.hold = 0;
        out.lamp = StabilityLamp::Red;
    }
    return out;
}

QString shortestDecimal(double v, const QLocale &locale)
{
    if (!std::isfinite(v))
        return QString::number(v);
    // Round to 15 significant digits first, then write that value without an exponent.
    const double r = QString::number(v, 'g', 15).toDouble();
    int decimals = 0;
    if (r != 0) {
        const int exponent = int(std::floor(std::log10(std::fabs(r))));
        decimals = qBound(0, 14 - exponent, 340);
    }
    QString s = QString::number(r, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    s.replace(QLatin1Char('-'), locale.negativeSign());
    return s;
}

QString temperatureText(int celsius)
{
    return QString::number(celsius) + QStringLiteral(" °C");
}

QString distanceText(quint16 n, const QLocale &locale)
{
    return shortestDecimal(n / 10.0, locale);
}

QString frequencyText(quint16 n)
{
    return Texts::tr("%1 Гц").arg(int(n) + 300);
}

double analogVolts(quint16 n, bool range4096)
{
    // Hundredths of the 5-volt scale of 4096 codes, halves to even.
    const qint64 b = *roundToWidth(double(qint64(n) * 100 * 5) / 4096.0, NumWidth::Int32);
    return range4096 ? b / 100.0 : b / 25.0;
}

QString analogText(quint16 n, bool range4096, const QLocale &locale)
{
    return Texts::tr("%1 В").arg(shortestDecimal(analogVolts(n, range4096), locale));
}

QString calibrationWarningText(qint16 cm)
{
    return Texts::tr("Warning! Empty value length is equal to %1 cm.").arg(cm);
}

} // namespace levelconf
