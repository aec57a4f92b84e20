// What sensor-sim makes of the bytes it hears: a request parsed, its data taken as each
// firmware generation takes it, and the bus of sensors answering it. The input goes to
// the bus as it came, then with a good check byte, so that both reach the sensors; every
// answer a sensor sends is a whole frame with a good check byte, whatever the request
// left behind.
#include "Answers.h"
#include "FuzzCheck.h"
#include "RequestParser.h"
#include "SensorBus.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"

#include <set>

using namespace levelconf;

namespace
{
// The demo bus and two more generations: readings only, and the first with the key.
std::vector<SensorConfig> someSensors()
{
    std::vector<SensorConfig> sensors = demoSensors();
    SensorConfig old;
    old.address = 7;
    old.firmware = 150;
    SensorConfig keyed;
    keyed.address = 9;
    keyed.firmware = 175;
    keyed.password = 42;
    keyed.locked = true;
    sensors.push_back(old);
    sensors.push_back(keyed);
    return sensors;
}

void checkParsed(const QByteArray &message, const Request &r)
{
    if (r.kind == Request::Kind::Invalid)
        return;
    FUZZ_CHECK(quint8(message.at(0)) == Cmd::RequestPrefix && answerCrcMatches(message));
    if (r.kind == Request::Kind::Search) {
        FUZZ_CHECK(message.size() == 3 && r.address == Cmd::SearchAddress);
        return;
    }
    FUZZ_CHECK(withCrc(message.left(3) + r.body) == message);
    for (int firmware : {150, 163, 172, 175, 176}) {
        const std::optional<QByteArray> data = requestData(r, firmware);
        if (data)
            FUZZ_CHECK(data->size() == requestDataLength(r.code, firmware));
    }
}

bool isOneAnswer(const QByteArray &answer)
{
    return isFramedAnswer(answer) && answerCrcMatches(answer);
}

// Each sensor alone at its address still answers a data request with its whole answer.
void checkSensorsAnswer(SensorBus &bus)
{
    std::multiset<int> addresses;
    for (const SensorConfig &c : bus.sensors())
        addresses.insert(c.address);
    for (const SensorConfig &c : bus.sensors()) {
        if (addresses.count(c.address) != 1 || c.address == Cmd::SearchAddress)
            continue;
        const QByteArray answer = bus.respond(buildRequest(c.address, Cmd::ReadData, false));
        FUZZ_CHECK(isOneAnswer(answer) && answer.size() == dataAnswerLength(c.firmware));
    }
}

int sensorsAt(const SensorBus &bus, quint8 address)
{
    int n = 0;
    for (const SensorConfig &c : bus.sensors())
        n += c.address == address ? 1 : 0;
    return n;
}

void hear(SensorBus &bus, const QByteArray &message)
{
    const Request r = parseRequest(message);
    checkParsed(message, r);
    const size_t sensors = bus.sensors().size();
    const bool alone = sensorsAt(bus, r.address) == 1;
    const QByteArray answer = bus.respond(message);
    if (r.kind == Request::Kind::Search)
        FUZZ_CHECK(size_t(answer.size()) == sensors);
    else if (r.kind == Request::Kind::Invalid)
        FUZZ_CHECK(answer.isEmpty());
    else if (alone && !answer.isEmpty())
        FUZZ_CHECK(isOneAnswer(answer) && quint8(answer.at(1)) == r.address);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SensorBus bus(someSensors());
    for (const QByteArray &message : receivedAndMended(fuzzInput(data, size)))
        hear(bus, message);
    checkSensorsAnswer(bus);
    return 0;
}
