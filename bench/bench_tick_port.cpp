// Engine ticks of the real window on a port given by name, with the system's own serial
// module: on Windows (under Wine, say) against sensor-sim on COM5, on Linux against its
// pseudo-terminal, so that the two builds are measured alike.
//   bench_tick_port --port COM5 [--ticks 200] [--spacing 100]
#include "BenchWindow.h"
#include "TickTiming.h"
#include "core/serial/SystemSerialPort.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>

using namespace levelconf;

namespace
{
const QString kVersion = QStringLiteral("1.7.6.");

int benchTicks(const QString &device, int ticks, int spacingMs)
{
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTone tone;
    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    frmSerial w(platformFor(port.get(), &dialogs, &tone, dir));
    if (!openAndFindSensor(w, device, kVersion, spacingMs))
        return 1;
    std::printf("Engine tick on the window's thread, port %s, platform %s.\n", qPrintable(device),
                qPrintable(QGuiApplication::platformName()));
    printTicks("answering sensor (firmware 1.7.6, 26-byte data answer)",
               timeTicks(w, ticks, spacingMs));
    printTicks("answer still arriving (ticks 20 ms apart)",
               timeTicks(w, ticks, kArrivingSpacingMs));
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("The bus's port."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption ticks(QStringLiteral("ticks"), QStringLiteral("Ticks of each kind."),
                                   QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption spacing(QStringLiteral("spacing"),
                                     QStringLiteral("Milliseconds between two ticks."),
                                     QStringLiteral("MS"), QStringLiteral("100"));
    parser.addOptions({port, ticks, spacing});
    parser.process(app);
    if (!parser.isSet(port)) {
        std::fprintf(stderr, "bench_tick_port: --port DEVICE is needed\n");
        return 1;
    }
    return benchTicks(parser.value(port), qMax(1, parser.value(ticks).toInt()),
                      qMax(1, parser.value(spacing).toInt()));
}
