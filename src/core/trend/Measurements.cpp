#include "Measurements.h"

#include "ReadingStore.h"
#include "ReadingsCsv.h"

namespace levelconf
{

namespace
{
using R = const MeasuredReading &;

QJsonValue none()
{
    return QJsonValue(QJsonValue::Undefined);
}

// The output in its quantity, under the key of `kind` alone.
template <OutputKind kind> QJsonValue output(R m)
{
    if (m.entry.gap || m.entry.kind != kind)
        return none();
    return outputValue(m.entry.output, kind);
}

QJsonValue kindOf(R m)
{
    return m.entry.gap ? none() : QJsonValue(outputKindWord(m.entry.kind));
}

QJsonValue emptyValue(R m)
{
    return m.readings.emptyValue ? QJsonValue(qint64(*m.readings.emptyValue)) : none();
}

QJsonValue fullValue(R m)
{
    return m.readings.fullValue ? QJsonValue(qint64(*m.readings.fullValue)) : none();
}

QJsonValue amplitude(R m)
{
    return m.readings.amplitude ? QJsonValue(qint64(*m.readings.amplitude)) : none();
}

QJsonValue temperature(R m)
{
    return m.readings.temperature ? QJsonValue(*m.readings.temperature) : none();
}

QJsonValue frequency(R m)
{
    return m.entry.gap ? none() : QJsonValue(int(m.entry.output) + 300);
}

QJsonValue analog(R m)
{
    return m.entry.gap ? none() : QJsonValue(analogVolts(m.entry.output, m.entry.range4096));
}

QJsonValue levelText(R m)
{
    return m.entry.gap ? none() : QJsonValue(outputText(m.entry.output, m.entry.kind, m.locale));
}

// Left out while the lamp says nothing yet, as the command line leaves it blank.
QJsonValue stability(R m)
{
    return m.entry.gap || !m.entry.lampKnown ? none() : QJsonValue(lampWord(m.entry.lamp));
}
} // namespace

OutputKind outputKindOf(std::optional<quint8> modeByte)
{
    if (!modeByte)
        return OutputKind::Distance;
    if (*modeByte & 0x20)
        return OutputKind::Percent;
    if (*modeByte & 0x40)
        return OutputKind::Volume;
    return OutputKind::Distance;
}

QString outputKindWord(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Volume:
        return QStringLiteral("volume");
    case OutputKind::Percent:
        return QStringLiteral("percent");
    case OutputKind::Distance:
        break;
    }
    return QStringLiteral("distance");
}

double outputValue(quint16 n, OutputKind kind)
{
    return kind == OutputKind::Volume ? double(n) : n / 10.0;
}

QString outputText(quint16 n, OutputKind kind, const QLocale &locale)
{
    return kind == OutputKind::Volume ? QString::number(n) : distanceText(n, locale);
}

const std::vector<Measurement> &measurements()
{
    static const std::vector<Measurement> table = {
        {"distance_cm", "distance", "Distance", "cm", "distance", "measurement", false, true,
         OutputKind::Distance, output<OutputKind::Distance>},
        {"volume_L", "volume", "Volume", "L", "volume_storage", "measurement", false, true,
         OutputKind::Volume, output<OutputKind::Volume>},
        {"percent", "percent", "Level", "%", nullptr, "measurement", false, true,
         OutputKind::Percent, output<OutputKind::Percent>},
        {"output", nullptr, nullptr, nullptr, nullptr, nullptr, false, true, std::nullopt, kindOf},
        {"level_text", "level_text", "Level text", nullptr, nullptr, nullptr, true, false,
         std::nullopt, levelText},
        {"empty", nullptr, nullptr, nullptr, nullptr, nullptr, false, true, std::nullopt,
         emptyValue},
        {"full", nullptr, nullptr, nullptr, nullptr, nullptr, false, true, std::nullopt, fullValue},
        {"amplitude", "amplitude", "Amplitude", nullptr, nullptr, "measurement", true, true,
         std::nullopt, amplitude},
        {"temperature_C", "temperature", "Temperature", "°C", "temperature", "measurement", false,
         true, std::nullopt, temperature},
        {"frequency_Hz", "frequency", "Frequency", "Hz", "frequency", "measurement", true, true,
         std::nullopt, frequency},
        {"analog_V", "analog", "Analog output", "V", "voltage", "measurement", true, true,
         std::nullopt, analog},
        {"stability", "stability", "Level stability", nullptr, "enum", nullptr, false, false,
         std::nullopt, stability},
    };
    return table;
}

} // namespace levelconf
