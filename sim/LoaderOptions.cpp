#include "LoaderOptions.h"

#include "NumberText.h"

#include <QCommandLineParser>

#include <array>

using namespace levelconf;

namespace
{
struct NumberOption {
    const char *name;
    qint64 min;
    qint64 max;
    int LoaderSettings::*field;
};

// Bounds that keep every value inside an int and a pace the clock can still resolve.
constexpr std::array<NumberOption, 5> kNumbers{{
    {"loader-syncs", 0, 1000000, &LoaderSettings::ignoredSyncs},
    {"loader-delay", 0, 3600000, &LoaderSettings::powerCycleMs},
    {"loader-baud", 0, 100000000, &LoaderSettings::baud},
    {"loader-block-time", 0, 60000000, &LoaderSettings::blockProgramUs},
    {"loader-timeout", 1, 60000, &LoaderSettings::frameTimeoutMs},
}};

bool readNumber(const QCommandLineParser &parser, const NumberOption &option, qint64 *value,
                QString *error)
{
    const QString name = QLatin1String(option.name);
    if (!parser.isSet(name))
        return true;
    const auto number = wholeNumber(parser.value(name));
    *value = number.value_or(0);
    if (!number || *value < option.min || *value > option.max) {
        *error = QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                     .arg(name)
                     .arg(option.min)
                     .arg(option.max)
                     .arg(parser.value(name));
        return false;
    }
    return true;
}
} // namespace

void addLoaderOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("no-loader"),
         QStringLiteral("No boot loader: the syncs (0x7F) of a firmware update are never "
                        "answered.")},
        {QStringLiteral("loader-syncs"),
         QStringLiteral("Syncs that go unanswered while the sensor is power-cycled before the "
                        "boot loader answers (default 3)."),
         QStringLiteral("N")},
        {QStringLiteral("loader-delay"),
         QStringLiteral("Also waits at least MS from the first sync before the boot loader "
                        "answers (default 0)."),
         QStringLiteral("MS")},
        {QStringLiteral("loader-baud"),
         QStringLiteral("Pace of the boot loader's line (default 19200; 0: no pacing)."),
         QStringLiteral("BAUD")},
        {QStringLiteral("loader-block-time"),
         QStringLiteral("Time the boot loader takes to program a block or an option byte "
                        "(default 3000)."),
         QStringLiteral("US")},
        {QStringLiteral("loader-timeout"),
         QStringLiteral("A boot-loader frame left unfinished this long is dropped (default "
                        "50)."),
         QStringLiteral("MS")},
        {QStringLiteral("loader-dump"),
         QStringLiteral("Writes the boot loader's memory, 0x4000 to 0x27FFF as raw bytes, to "
                        "FILE when a go command comes, before it is acknowledged, and at "
                        "exit."),
         QStringLiteral("FILE")},
        {QStringLiteral("loader-refuse-start"),
         QStringLiteral("The boot loader refuses the start command (0x1F) after the last "
                        "block, and keeps the line.")},
        {QStringLiteral("loader-vanish-after"),
         QStringLiteral("Answers N boot-loader frames, then closes the device when the next "
                        "one is to be answered."),
         QStringLiteral("N")},
    });
}

bool readLoaderOptions(const QCommandLineParser &parser, LoaderOptions *options, QString *error)
{
    LoaderOptions o;
    o.settings.present = !parser.isSet(QStringLiteral("no-loader"));
    o.settings.refuseStart = parser.isSet(QStringLiteral("loader-refuse-start"));
    for (const NumberOption &option : kNumbers) {
        qint64 value = o.settings.*option.field;
        if (!readNumber(parser, option, &value, error))
            return false;
        o.settings.*option.field = int(value);
    }
    const NumberOption vanish{"loader-vanish-after", 0, 1000000000, nullptr};
    qint64 frames = 0;
    if (!readNumber(parser, vanish, &frames, error))
        return false;
    o.vanishAfterFrames = quint64(frames);
    o.dumpPath = parser.value(QStringLiteral("loader-dump"));
    *options = o;
    return true;
}

QString describeLoader(const LoaderSettings &s)
{
    if (!s.present)
        return QStringLiteral("no boot loader");
    const QString pace =
        s.baud > 0 ? QStringLiteral("paced at %1 baud").arg(s.baud) : QStringLiteral("unpaced");
    return QStringLiteral("boot loader after %1 ignored syncs and %2 ms, %3, %4 us per block%5")
        .arg(s.ignoredSyncs)
        .arg(s.powerCycleMs)
        .arg(pace)
        .arg(s.blockProgramUs)
        .arg(s.refuseStart ? QStringLiteral(", refusing the start command") : QString());
}
