// sensor-sim: a simulated RS-485 sensor bus on a pseudo-terminal.
#include "SensorSim.h"
#include "SimOptions.h"
#include "core/text/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace levelconf;

namespace
{
// The signal handlers only pass the signal on through this pipe; whichever thread they
// run on, the main loop does the work.
int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int sig)
{
    const int saved = errno;
    const char c = char(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
    errno = saved;
}

bool catchSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1}) {
        if (::sigaction(s, &action, nullptr) != 0)
            return false;
    }
    return true;
}

// The next signal caught, waiting at most `ms`; 0 when none came.
int nextSignal(int ms)
{
    pollfd p{signalPipe[0], POLLIN, 0};
    if (::poll(&p, 1, ms) <= 0)
        return 0;
    char c = 0;
    return ::read(signalPipe[0], &c, 1) == 1 ? int(quint8(c)) : 0;
}

void say(const QString &line)
{
    std::fprintf(stderr, "sensor-sim: %s\n", qPrintable(line));
}

void dumpLoader(const QByteArray &image, const QString &path)
{
    if (path.isEmpty())
        return;
    QString error;
    if (saveMemoryImage(image, path, &error))
        say(QStringLiteral("boot loader memory written to %1").arg(path));
    else
        say(error);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sensor-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.4"));

    QCommandLineParser parser;
    addSimOptions(parser);
    parser.process(app);
    const ProgramRequest asked = programRequest(parser);
    if (asked.help)
        parser.showHelp(); // ends the program
    if (asked.version) {
        std::printf("%s\n", qPrintable(versionText(QCoreApplication::applicationName())));
        return 0;
    }
    QString error;
    const auto options = readSimOptions(parser, &error);
    if (!options) {
        say(error);
        return 2;
    }

    if (!catchSignals()) {
        say(QStringLiteral("cannot set up signal handling"));
        return 1;
    }

    SensorSim sim(options->sensors, options->timing);
    for (const auto &[address, fault] : options->faults)
        sim.bus().setFault(address, fault);
    sim.setVanishAfter(options->vanishAfter);
    sim.setLoader(options->loader.settings);
    sim.setLoaderVanishAfter(options->loader.vanishAfterFrames);
    if (options->verbose)
        sim.setTrace([](const QString &line) { say(line); });
    // Before the go is acknowledged: a script that compares the image as soon as its update
    // has ended must find it written.
    const QString dumpPath = options->loader.dumpPath;
    sim.setGoListener([dumpPath](const QByteArray &image) { dumpLoader(image, dumpPath); });
    if (!sim.start(options->linkPath)) {
        say(sim.errorString());
        return 1;
    }

    std::printf("%s\n", qPrintable(sim.slavePath()));
    std::fflush(stdout);
    if (!sim.linkPath().isEmpty())
        say(QStringLiteral("link %1 -> %2").arg(sim.linkPath(), sim.slavePath()));
    for (const SensorConfig &c : sim.bus().sensors()) {
        say(QStringLiteral("sensor at address %1: serial %2, firmware code %3%4")
                .arg(c.address)
                .arg(c.serial)
                .arg(c.firmware)
                .arg(c.locked ? QStringLiteral(", locked") : QString()));
    }
    say(describeLoader(options->loader.settings));

    for (;;) {
        const int sig = nextSignal(100);
        if (sig == SIGUSR1)
            sim.vanish();
        else if (sig > 0)
            break;
        if (sim.hasVanished()) {
            say(QStringLiteral("device closed"));
            break;
        }
    }
    sim.stop();
    dumpLoader(sim.loader().memory().image(), dumpPath);
    return 0;
}
