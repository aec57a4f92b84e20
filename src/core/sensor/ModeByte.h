#pragma once

#include <QList>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// The sensor's mode byte and echo-selection byte, and which feature groups a firmware
// version code unlocks.

// Output mode options, in the order of the mode controls: passive RS-485, analog,
// frequency, impulse/periodic, active RS-485.
enum class OutputMode { Rs485Passive, Analog, Frequency, Impulse, Rs485Active };

struct ModeFlags {
    bool inverted = false;   // 0x01
    bool filtration = false; // 0x08
    bool percent = false;    // 0x20, output in per cent
    bool litres = false;     // 0x40, output through the tank table
    bool range4096 = false;  // 0x80
    // Nothing for the combinations 0x12, 0x14 and 0x16, which leave the options alone.
    std::optional<OutputMode> output;
};
ModeFlags decodeModeByte(quint8 nn);

// Full scale of the level bar: 1024 codes, or 4096 with the wide range; sensors whose
// firmware counts the wide range in 256 codes have been met when `range256`.
qint16 progressRange(bool range4096, bool range256);

// Which of two echoes the sensor reports (bits 4-5) and its filtration level (bits 0-3).
enum class EchoChoice { First, Last, FirstLast };
struct EchoSelection {
    EchoChoice choice = EchoChoice::First;
    int level = 0; // 0..15
};
EchoSelection decodeEchoByte(quint8 m);

// The enabling procedures a firmware version code runs, in order, by their group
// numbers (130, 131, 134, 163, 170, 171, 172, 176); 171 appears twice for code 172.
QList<int> firmwareLadder(int fwVersion);

} // namespace levelconf
