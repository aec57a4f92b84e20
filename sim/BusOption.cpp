#include "BusOption.h"

#include "NumberText.h"
#include "SensorKeys.h"
#include "core/protocol/CommandCodes.h"

using namespace levelconf;

namespace
{
constexpr qint64 kHighestAddress = Cmd::HighestSensorAddress;
} // namespace

std::optional<std::vector<SensorConfig>>
busFromText(const QString &text, std::vector<std::pair<quint8, Fault>> *faults, QString *error)
{
    const int comma = text.indexOf(QLatin1Char(','));
    const QString countText = comma < 0 ? text : text.left(comma);
    const QString keys = comma < 0 ? QString() : text.mid(comma + 1);
    const std::optional<qint64> count = wholeNumber(countText.trimmed());
    if (!count || *count < 1 || *count > kHighestAddress) {
        *error = QStringLiteral("the count of sensors must be from 1 to %1, not \"%2\"")
                     .arg(kHighestAddress)
                     .arg(countText);
        return std::nullopt;
    }
    Fault fault = Fault::None;
    SensorConfig first;
    if (!keys.trimmed().isEmpty()) {
        bool addressGiven = false;
        const std::optional<SensorConfig> described =
            sensorKeysFromText(keys, &fault, error, &addressGiven);
        if (!described)
            return std::nullopt;
        first = *described;
    }
    if (first.address + *count - 1 > kHighestAddress) {
        *error = QStringLiteral("%1 sensors from address %2 run past address %3")
                     .arg(*count)
                     .arg(first.address)
                     .arg(kHighestAddress);
        return std::nullopt;
    }
    if (first.serial + *count - 1 > 0xFFFFFFFFLL) {
        *error = QStringLiteral("%1 serial numbers from %2 run past 4294967295")
                     .arg(*count)
                     .arg(first.serial);
        return std::nullopt;
    }
    std::vector<SensorConfig> bus;
    for (qint64 i = 0; i < *count; ++i) {
        SensorConfig c = first;
        c.address = quint8(first.address + i);
        c.serial = quint32(first.serial + i);
        bus.push_back(c);
        if (fault != Fault::None)
            faults->emplace_back(c.address, fault);
    }
    return bus;
}
