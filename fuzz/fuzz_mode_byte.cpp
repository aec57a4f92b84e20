// The mode byte and the echo-selection byte a data or mode answer carries, and the
// firmware version code of an identity answer, as the window turns them into controls.
// Input: mode byte, echo byte, then the version code (16 bits, high byte first).
#include "FuzzCheck.h"
#include "core/sensor/ModeByte.h"

using namespace levelconf;

namespace
{
void checkMode(quint8 nn)
{
    const ModeFlags f = decodeModeByte(nn);
    // Only the combinations that name no output mode leave the options alone.
    const int outputBits = nn & 0x16;
    const bool named = outputBits == 0x00 || outputBits == 0x02 || outputBits == 0x04 ||
                       outputBits == 0x06 || outputBits == 0x10;
    FUZZ_CHECK(f.output.has_value() == named);
    FUZZ_CHECK(f.range4096 == bool(nn & 0x80) && f.inverted == bool(nn & 0x01));
    const qint16 range = progressRange(f.range4096, nn & 0x40);
    FUZZ_CHECK(range == 256 || range == 1024 || range == 4096);
}

void checkLadder(int fw)
{
    const QList<int> steps = firmwareLadder(fw);
    for (int i = 0; i < steps.size(); ++i) {
        FUZZ_CHECK(steps.at(i) >= 130 && steps.at(i) <= 176);
        FUZZ_CHECK(i == 0 || steps.at(i) >= steps.at(i - 1));
    }
    FUZZ_CHECK(fw >= 130 || steps.isEmpty());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    checkMode(data[0]);
    const EchoSelection echo = decodeEchoByte(data[1]);
    FUZZ_CHECK(echo.level >= 0 && echo.level <= 15);
    const int fw = size >= 4 ? (data[2] << 8) | data[3] : data[0];
    checkLadder(fw);
    return 0;
}
