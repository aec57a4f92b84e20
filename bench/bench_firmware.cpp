// How fast a firmware update goes against the line it runs on.
//
//   bench_firmware [--runs N] [--blocks N] [--block-time US]
//       Writes a full PL-540 image (224 application blocks) through the window's "Start"
//       into sensor-sim's boot loader, paced at 19200 baud 8N1 with the loader's
//       programming time per block, and compares the block transfer with the sum of its
//       wire time (137 bytes out and three one-byte answers in per block) and the
//       programming time. Target: at most 1.10 times that sum.
//
// The window is the real one on the real serial port; run it under xvfb-run (or with
// QT_QPA_PLATFORM=offscreen) on a machine without a display.
#include "BenchWindow.h"
#include "SensorSim.h"
#include "core/firmware/FirmwareImage.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/serial/QtSerialPort.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <vector>

using namespace levelconf;

namespace
{
constexpr int kBaud = 19200;
constexpr double kBitsPerByte = 10; // 8N1
constexpr int kBytesPerBlock = 2 + 5 + 130 + 3;
constexpr double kTarget = 1.10;

// A PL-540 image of `blocks` application blocks with bytes no one would choose.
QByteArray benchImage(int blocks)
{
    const SensorType type = pl540Type();
    QByteArray image(
        FirmwareImage::kHeaderSize + FirmwareImage::kBlockSize * (type.skipLimit + blocks), '\0');
    QRandomGenerator random(540);
    for (char &b : image)
        b = static_cast<char>(random.bounded(256));
    image[FirmwareImage::kHeaderSize + FirmwareImage::kBlockSize * type.skipLimit] =
        static_cast<char>(FirmwareImage::kApplicationMarker);
    return image;
}

struct Run {
    double totalS = 0;  // from "Start" to the end, the wait for the loader included
    double blocksS = 0; // from the first block's command to the last block's answer
    bool done = false;
    bool memoryMatches = false;
};

Run runOnce(const QByteArray &image, const LoaderSettings &settings, const QString &file)
{
    Run run;
    SensorSim sim;
    sim.setLoader(settings);
    if (!sim.start()) {
        std::fprintf(stderr, "sensor-sim: %s\n", qPrintable(sim.errorString()));
        return run;
    }
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTone tone;
    QtSerialPort port;
    frmSerial w(platformFor(&port, &dialogs, &tone, dir));
    if (!openPort(w, sim.slavePath()))
        return run;
    dialogs.fileToOpen = file;
    w.form()->Command8->click();

    QElapsedTimer clock;
    qint64 blocksFrom = 0;
    qint64 blocksTo = 0;
    QObject::connect(&w.parts().firmware->update(), &FirmwareUpdate::phaseChanged, &w,
                     [&](FirmwareUpdate::Phase phase) {
                         if (phase == FirmwareUpdate::Phase::Blocks)
                             blocksFrom = clock.nsecsElapsed();
                         else if (phase == FirmwareUpdate::Phase::Starting)
                             blocksTo = clock.nsecsElapsed();
                     });
    bool finished = false;
    QObject::connect(&w.parts().firmware->update(), &FirmwareUpdate::finished, &w,
                     [&](const UpdateResult &r) {
                         finished = true;
                         run.done = r.outcome == UpdateResult::Outcome::Done;
                     });
    clock.start();
    w.form()->start->click();
    runEventsUntil([&] { return finished; }, 600000);
    run.totalS = clock.nsecsElapsed() / 1e9;
    run.blocksS = (blocksTo - blocksFrom) / 1e9;
    const int first = pl540Type().skipLimit;
    run.memoryMatches =
        sim.loader().memory().image().mid(128 * first, image.size() - 64 - 128 * first) ==
        image.mid(64 + 128 * first);
    if (dialogs.shown > 0)
        std::printf("  %d boxes were shown\n", dialogs.shown);
    return run;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Updates to time."),
                                  QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption blocks(QStringLiteral("blocks"),
                                    QStringLiteral("Application blocks of the image."),
                                    QStringLiteral("N"), QStringLiteral("224"));
    const QCommandLineOption blockTime(
        QStringLiteral("block-time"),
        QStringLiteral("The loader's programming time per block, microseconds."),
        QStringLiteral("US"), QStringLiteral("3000"));
    parser.addOptions({runs, blocks, blockTime});
    parser.process(app);
    const int runCount = qMax(1, parser.value(runs).toInt());
    const int blockCount = qMax(1, parser.value(blocks).toInt());

    LoaderSettings settings;
    settings.baud = kBaud;
    settings.blockProgramUs = qMax(0, parser.value(blockTime).toInt());
    const QByteArray image = benchImage(blockCount);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.cri"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(image) != image.size())
        return 1;
    f.close();

    const double wireS = blockCount * kBytesPerBlock * kBitsPerByte / kBaud;
    const double programS = blockCount * settings.blockProgramUs / 1e6;
    const double boundS = wireS + programS;
    std::printf("Firmware update of a PL-540 image, %d application blocks, through the window\n"
                "into sensor-sim's boot loader at %d baud 8N1, %d us programming per block,\n"
                "Release build, platform %s.\n",
                blockCount, kBaud, settings.blockProgramUs,
                qPrintable(QGuiApplication::platformName()));
    std::printf("  wire time %.2f s + programming %.2f s = %.2f s\n", wireS, programS, boundS);

    std::vector<double> ratios;
    for (int i = 0; i < runCount; ++i) {
        const Run run = runOnce(image, settings, file);
        if (!run.done || !run.memoryMatches) {
            std::printf("  run %d: the update did not complete as written\n", i + 1);
            return 1;
        }
        ratios.push_back(run.blocksS / boundS);
        std::printf("  run %d: blocks %.2f s = %.3f x the sum   (whole update %.2f s, the "
                    "wait for the loader included)\n",
                    i + 1, run.blocksS, run.blocksS / boundS, run.totalS);
    }
    const double worst = *std::max_element(ratios.begin(), ratios.end());
    std::printf("  worst %.3f x   (target at most %.2f: %s)\n", worst, kTarget,
                worst <= kTarget ? "met" : "NOT MET");
    return 0;
}
