#include "SimOptions.h"

#include "BusOption.h"
#include "NumberText.h"
#include "SensorKeys.h"
#include "core/input/AddressText.h"
#include "core/text/ProgramOptions.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <set>

using namespace levelconf;

namespace
{
// Far above any bus a person writes, far below what would hold the program up.
constexpr qint64 kMaxBusFileBytes = 1024 * 1024;

// The bytes of a bus file; the error does not repeat the path.
std::optional<QByteArray> readBusFile(const QString &path, QString *error)
{
    // A device or a pipe given by mistake would be read without end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    if (info.size() > kMaxBusFileBytes) {
        *error = QStringLiteral("larger than 1 MiB");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // Bounded again: the file may have grown since it was looked at.
    QByteArray json = file.read(kMaxBusFileBytes + 1);
    if (json.size() > kMaxBusFileBytes) {
        *error = QStringLiteral("larger than 1 MiB");
        return std::nullopt;
    }
    return json;
}

std::optional<quint8> repeatedAddress(const std::vector<SensorConfig> &sensors)
{
    std::set<quint8> seen;
    for (const SensorConfig &c : sensors) {
        if (!seen.insert(c.address).second)
            return c.address;
    }
    return std::nullopt;
}
} // namespace

std::optional<std::pair<quint8, Fault>> faultFromText(const QString &text, QString *error)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    const std::optional<quint8> address = addressFromText(QStringView(text).left(colon));
    const auto fault = faultFromName(text.mid(colon + 1).trimmed());
    if (colon <= 0 || !address || !fault) {
        *error = QStringLiteral("--fault takes ADDRESS:KIND with KIND one of %1, not \"%2\"")
                     .arg(faultNames().join(QStringLiteral(", ")), text);
        return std::nullopt;
    }
    return std::make_pair(*address, *fault);
}

void addSimOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "A simulated bus of RS-485 level sensors on a pseudo-terminal. Prints the device "
        "path; open it with levelconf --port PATH. Without --demo, --sensor, --bus or --config "
        "it runs the demo bus. Ctrl+C (SIGINT) or SIGTERM stops it; SIGUSR1 makes the device "
        "vanish as a pulled adapter would."));
    addProgramOptions(parser);
    parser.addOptions({
        {QStringLiteral("demo"),
         QStringLiteral("Three sensors: address 1 (firmware 1.6.3), 2 (1.7.2, locked, "
                        "password 1234) and 5 (1.7.6, serial 12345).")},
        {QStringLiteral("sensor"),
         QStringLiteral("Adds a sensor described as key=value pairs separated by commas, "
                        "address first, e.g. address=3,firmware=176 or "
                        "address=4,locked=1,password=42. Repeatable."),
         QStringLiteral("KEYS")},
        {QStringLiteral("config"), QStringLiteral("Adds the sensors of a JSON bus file."),
         QStringLiteral("FILE")},
        {QStringLiteral("bus"),
         QStringLiteral("Adds COUNT sensors alike at consecutive addresses, with serial "
                        "numbers counting up; KEYS as for --sensor give the first one, e.g. "
                        "30 or 8,address=100,firmware=163. Repeatable."),
         QStringLiteral("COUNT[,KEYS]")},
        {QStringLiteral("link"),
         QStringLiteral("Keeps a symbolic link to the device at PATH while running."),
         QStringLiteral("PATH")},
        {QStringLiteral("fault"),
         QStringLiteral("Injects a fault into the sensor at ADDRESS: silent, bad-crc, freq, "
                        "garbage, short or wrong-code. Repeatable."),
         QStringLiteral("ADDRESS:KIND")},
        {QStringLiteral("vanish-after"),
         QStringLiteral("Answers N requests, then closes the device when the next one "
                        "comes, as a pulled adapter."),
         QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the answer delays (5 to 30 ms)."),
         QStringLiteral("N")},
        {QStringLiteral("verbose"),
         QStringLiteral("Prints every request and answer in hex on standard error.")},
    });
    addLoaderOptions(parser);
}

std::optional<SimOptions> readSimOptions(const QCommandLineParser &parser, QString *error)
{
    SimOptions o;
    if (parser.isSet(QStringLiteral("demo")))
        o.sensors = demoSensors();
    for (const QString &text : parser.values(QStringLiteral("sensor"))) {
        Fault fault = Fault::None;
        const auto c = sensorFromText(text, &fault, error);
        if (!c) {
            *error = QStringLiteral("--sensor %1: %2").arg(text, *error);
            return std::nullopt;
        }
        o.sensors.push_back(*c);
        if (fault != Fault::None)
            o.faults.emplace_back(c->address, fault);
    }
    for (const QString &text : parser.values(QStringLiteral("bus"))) {
        const auto bus = busFromText(text, &o.faults, error);
        if (!bus) {
            *error = QStringLiteral("--bus %1: %2").arg(text, *error);
            return std::nullopt;
        }
        o.sensors.insert(o.sensors.end(), bus->begin(), bus->end());
    }
    for (const QString &path : parser.values(QStringLiteral("config"))) {
        const auto json = readBusFile(path, error);
        const auto list = json ? sensorsFromJson(*json, &o.faults, error) : std::nullopt;
        if (!list) {
            *error = QStringLiteral("%1: %2").arg(path, *error);
            return std::nullopt;
        }
        o.sensors.insert(o.sensors.end(), list->begin(), list->end());
    }
    if (o.sensors.empty())
        o.sensors = demoSensors();
    if (const auto address = repeatedAddress(o.sensors)) {
        *error = QStringLiteral("two sensors at address %1: on a real bus both would answer, "
                                "which is a wiring fault")
                     .arg(*address);
        return std::nullopt;
    }

    for (const QString &text : parser.values(QStringLiteral("fault"))) {
        const auto f = faultFromText(text, error);
        if (!f)
            return std::nullopt;
        o.faults.push_back(*f);
    }
    for (const auto &[address, fault] : o.faults) {
        bool known = false;
        for (const SensorConfig &c : o.sensors)
            known = known || c.address == address;
        if (!known) {
            *error = QStringLiteral("--fault: no sensor at address %1").arg(address);
            return std::nullopt;
        }
    }

    o.linkPath = parser.value(QStringLiteral("link"));
    // An empty path would quietly mean no link, and the script waiting for one waits on.
    if (parser.isSet(QStringLiteral("link")) && o.linkPath.isEmpty()) {
        *error = QStringLiteral("--link takes a path, not an empty text");
        return std::nullopt;
    }
    bool ok = true;
    if (parser.isSet(QStringLiteral("vanish-after")))
        o.vanishAfter = parser.value(QStringLiteral("vanish-after")).toULongLong(&ok);
    if (ok && parser.isSet(QStringLiteral("seed")))
        o.timing.seed = parser.value(QStringLiteral("seed")).toUInt(&ok);
    if (!ok) {
        *error = QStringLiteral("--vanish-after and --seed take a whole number");
        return std::nullopt;
    }
    o.verbose = parser.isSet(QStringLiteral("verbose"));
    if (!readLoaderOptions(parser, &o.loader, error))
        return std::nullopt;
    return o;
}
