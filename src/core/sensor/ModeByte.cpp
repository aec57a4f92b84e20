#include "ModeByte.h"

#include "core/protocol/FirmwareCapabilities.h"

#include <utility>

namespace levelconf
{

ModeFlags decodeModeByte(quint8 nn)
{
    ModeFlags f;
    f.inverted = nn & 0x01;
    f.filtration = nn & 0x08;
    f.percent = nn & 0x20;
    f.litres = nn & 0x40;
    f.range4096 = nn & 0x80;
    switch (nn & 0x16) {
    case 0x00:
        f.output = OutputMode::Rs485Passive;
        break;
    case 0x02:
        f.output = OutputMode::Analog;
        break;
    case 0x04:
        f.output = OutputMode::Frequency;
        break;
    case 0x06:
        f.output = OutputMode::Impulse;
        break;
    case 0x10:
        f.output = OutputMode::Rs485Active;
        break;
    default:
        break;
    }
    return f;
}

qint16 progressRange(bool range4096, bool range256)
{
    if (!range4096)
        return 1024;
    return range256 ? 256 : 4096;
}

EchoSelection decodeEchoByte(quint8 m)
{
    EchoSelection s;
    if (m & 0x20)
        s.choice = EchoChoice::FirstLast;
    else if (m & 0x10)
        s.choice = EchoChoice::Last;
    else
        s.choice = EchoChoice::First;
    s.level = m & 0x0F;
    return s;
}

QList<int> firmwareLadder(int fw)
{
    const FirmwareCapabilities c = capabilitiesOf(fw);
    QList<int> steps;
    const std::pair<bool, int> groups[] = {
        {c.frequencyAndAnalog, 130}, {c.impulseOutput, 131}, {c.laterControls, 134},
        {c.password, 163},           {c.table, 170},         {c.group171, 171}};
    for (const auto &[on, group] : groups) {
        if (on)
            steps.append(group);
    }
    if (c.range256)
        steps << 171 << 172;
    if (c.filtrationLevel)
        steps.append(176);
    return steps;
}

} // namespace levelconf
