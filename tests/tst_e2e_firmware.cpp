// The firmware update end to end: the window on the real serial port, writing a full
// image into the simulated sensor's boot loader.
#include "BusWindowHarness.h"
#include "FastLoader.h"
#include "FirmwareImages.h"
#include "SensorSim.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"

#include <QtTest>

using namespace levelconf;

namespace
{
constexpr int kApplicationBlocks = 224; // a full PL-540 image
constexpr int kUpdateLimitMs = 60000;   // only a machine that has stopped gets there

SensorConfig sensor()
{
    SensorConfig c;
    c.address = 0; // the address the window polls before a search
    c.liveVariation = false;
    return c;
}

class Bench
{
public:
    explicit Bench(const LoaderSettings &loader = fastLoader()) : sim({sensor()})
    {
        sim.setLoader(loader);
    }

    bool start()
    {
        if (!sim.start() || !h.open(sim.slavePath()))
            return false;
        // The loader's answer to a sync must be in before the next sync goes, or the two
        // cross on the line; a machine busy with other work can hold the simulator's thread
        // for more than the few milliseconds a fast line needs, so the syncs keep the pace
        // of a real update.
        h.w().parts().firmware->update().setTimeouts({100, 1000, 10000, 3000});
        const QString path = dir.filePath("PL-540.cri");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(image) != image.size())
            return false;
        h.dialogs.fileAnswers.push_back(path);
        h.ui()->Command8->click();
        return true;
    }

    // Presses "Start" and runs the window until the update has ended.
    bool run()
    {
        QSignalSpy finished(&h.w().parts().firmware->update(), &FirmwareUpdate::finished);
        h.ui()->start->click();
        return finished.wait(kUpdateLimitMs);
    }

    QByteArray image = firmwareImage(pl540Type(), kApplicationBlocks);
    SensorSim sim;
    BusWindowHarness h; // after the bus: the port closes before the line goes
    QTemporaryDir dir;
};
} // namespace

class tst_E2EFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aFullImageLandsInTheLoadersMemory()
    {
        Bench b;
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.run());

        QCOMPARE(b.h.dialogs.messages(), QStringList());
        QVERIFY(b.h.ui()->txtRec1->toPlainText().endsWith("Block 222\n-----Готово------"));
        QCOMPARE(b.h.ui()->fwProgress->value(), kApplicationBlocks);
        const BootLoader loader = b.sim.loader();
        QCOMPARE(loader.stats().goCount, 1u);
        QCOMPARE(loader.stats().refused, 0u);
        // Block k of the file at 0x4000 + 128·k from the application on; the loader's own
        // blocks and the calibration values untouched.
        const QByteArray memory = loader.memory().image();
        QCOMPARE(memory.mid(128 * 160, 128 * kApplicationBlocks), b.image.mid(64 + 128 * 160));
        QByteArray below(128 * 160, '\0');
        below.replace(0x4803 - 0x4000, 7, QByteArray::fromHex("a100a200a300a4"));
        QCOMPARE(memory.left(128 * 160), below);

        // The engine takes over again and the sensor's application answers.
        QVERIFY(b.h.w().engine().isPolling());
        QTRY_COMPARE_WITH_TIMEOUT(b.h.ui()->MsgCom->text(), QString("Sensor connected"), 10000);
    }

    void cancelWhileWaitingForTheLoader()
    {
        LoaderSettings absent = fastLoader();
        absent.present = false;
        Bench b(absent);
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        b.h.ui()->start->click();
        QTRY_VERIFY(b.sim.loaderStats().syncsIgnored >= 3);
        b.h.ui()->fwCancel->click();
        QVERIFY(b.h.dialogs.messages().value(0).startsWith(
            "Firmware update cancelled before the loader answered."));
        QVERIFY(b.h.ui()->BTNCloseCom->isEnabled());
        QVERIFY(b.h.ui()->start->isEnabled());
        QVERIFY(!b.sim.loader().isActive());
    }

    void aDevicePulledMidTransferClosesThePort()
    {
        Bench b;
        // The synchronisation, the erase, the option bytes and five blocks.
        b.sim.setLoaderVanishAfter(1 + 2 + 12 + 3 * 5);
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.run());

        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], QString("Error! COM port unavailable"));
        QVERIFY(shown[1].contains("the sensor must be updated again"));
        QCOMPARE(b.h.ui()->fwProgress->value(), 5);
        QVERIFY(b.h.ui()->BTNOpenCom->isEnabled());
        QVERIFY(!b.h.w().engine().isPolling());
        QVERIFY(b.h.logEvents().contains("Com Port " + b.sim.slavePath() + " Closed"));
        QCOMPARE(b.sim.loaderStats().goCount, 0u);
    }
};

QTEST_MAIN(tst_E2EFirmware)
#include "tst_e2e_firmware.moc"
