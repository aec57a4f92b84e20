#pragma once

namespace levelconf
{

// What a sensor can do, by the version code of its firmware (176 for 1.7.6). Every
// version threshold of the program is here: the controls offered, the frames built and
// the answers to expect all follow from this one value. Header only, so that the
// simulated sensors answer by the same rules without the rest of the program.
struct FirmwareCapabilities {
    bool frequencyAndAnalog = false; // 1.3.0: frequency and analog output
    bool impulseOutput = false;      // 1.3.1: impulse/periodic output
    bool laterControls = false;      // 1.3.4: the controls tagged 135 to 162
    bool password = false;           // 1.6.3: password, active RS-485, empty-value warning
    bool table = false;              // 1.7.0: the tank calibration table
    bool group171 = false;           // 1.7.1
    bool range256 = false;           // 1.7.2 only: its wide range counts 256 codes
    bool writeKey = false;           // 1.7.5: setting-changing requests carry the write key
    bool echoInModeAnswer = false;   // 1.7.5: the mode answer reports the echo selection
    bool secondModeByte = false;     // 1.7.6: the mode request carries filtration and echo
    bool filtrationLevel = false;    // 1.7.6: filtration slider and thermal compensation
    int dataAnswerLength = 21;       // bytes of a complete data answer
};

constexpr FirmwareCapabilities capabilitiesOf(int fwVersion)
{
    FirmwareCapabilities c;
    c.frequencyAndAnalog = fwVersion >= 130;
    c.impulseOutput = fwVersion >= 131;
    c.laterControls = fwVersion >= 134;
    c.password = fwVersion >= 163;
    c.table = fwVersion >= 170;
    c.group171 = fwVersion >= 171;
    c.range256 = fwVersion == 172;
    c.writeKey = fwVersion >= 175;
    c.echoInModeAnswer = fwVersion >= 175;
    c.secondModeByte = fwVersion >= 176;
    c.filtrationLevel = fwVersion >= 176;
    // The mode byte came with 1.6.3, the settings bytes after it with 1.7.6.
    c.dataAnswerLength = fwVersion >= 176 ? 26 : fwVersion >= 163 ? 22 : 21;
    return c;
}

} // namespace levelconf
