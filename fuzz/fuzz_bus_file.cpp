// A bus file as sensor-sim's --config reads it: either sensors, each a whole description,
// or a reason. A bus made of what was read answers every sensor's requests with whole
// frames of the length its firmware gives them.
#include "FuzzCheck.h"
#include "SensorBus.h"
#include "SensorKeys.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"

#include <set>

using namespace levelconf;

namespace
{
void checkAnswers(const std::vector<SensorConfig> &sensors)
{
    std::multiset<int> addresses;
    for (const SensorConfig &c : sensors)
        addresses.insert(c.address);
    SensorBus bus(sensors);
    for (const SensorConfig &c : sensors) {
        if (addresses.count(c.address) != 1)
            continue;
        // Whole, intact and the sensor's own by the program's rule, or it would refuse them.
        const FirmwareCapabilities caps = capabilitiesOf(c.firmware);
        for (const quint8 code : {Cmd::ReadData, Cmd::ReadIdentity, Cmd::ReadTable}) {
            const QByteArray answer = bus.respond(buildRequest(c.address, code, false));
            FUZZ_CHECK(answerAccepted(answer, {c.address, code, caps}));
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::pair<quint8, Fault>> faults;
    QString error;
    const auto sensors = sensorsFromJson(fuzzInput(data, size), &faults, &error);
    FUZZ_CHECK(sensors.has_value() == error.isEmpty());
    if (!sensors)
        return 0;
    FUZZ_CHECK(!sensors->empty() && faults.size() <= sensors->size());
    for (const auto &[address, fault] : faults) {
        FUZZ_CHECK(fault != Fault::None);
        bool known = false;
        for (const SensorConfig &c : *sensors)
            known = known || c.address == address;
        FUZZ_CHECK(known);
    }
    checkAnswers(*sensors);
    return 0;
}
