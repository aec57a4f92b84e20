// A bus file as sensor-sim's --config reads it: either sensors, each a whole description,
// or a reason. A bus made of what was read answers every sensor's requests with whole
// frames of the length its firmware gives them.
#include "Answers.h"
#include "FuzzCheck.h"
#include "SensorBus.h"
#include "SimOptions.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"

#include <set>

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
        const QByteArray data = bus.respond(buildRequest(c.address, Cmd::ReadData, false));
        FUZZ_CHECK(answerCrcMatches(data) && data.size() == dataAnswerLength(c.firmware));
        const QByteArray identity = bus.respond(buildRequest(c.address, Cmd::ReadIdentity, false));
        FUZZ_CHECK(answerCrcMatches(identity) && identity.size() == 10);
        const QByteArray table = bus.respond(buildRequest(c.address, Cmd::ReadTable, false));
        FUZZ_CHECK(answerCrcMatches(table) && table.size() == 84);
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
