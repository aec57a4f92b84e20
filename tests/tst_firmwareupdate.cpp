// The firmware update from the "FW Update" page: the window on a scripted port with a
// loader at the other end.
#include "FirmwareImages.h"
#include "WindowHarness.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"
#include "window/widgets/Tags.h"

#include <QtTest>

#include <functional>

using namespace levelconf;

namespace
{
const QByteArray kAck("\x79", 1);
const QString kUpdateAgain = "the sensor must be updated again";

// The loader at the other end of the line: it wakes after two 7F, answers every frame
// with 79 and keeps what it is told to write, unless one frame is to go wrong.
class ScriptedLoader
{
public:
    int silentSyncs = 2;             // 7F ignored first; -1 for a loader that never wakes
    int failing = -1;                // the frame after the synchronisation that goes wrong
    bool refuse = true;              // refused with 1F, or else left unanswered
    std::function<void()> onFailing; // runs when that frame comes

    QList<QByteArray> frames; // what came after the synchronisation
    QByteArray erases;        // the erase arguments, one after the other
    QList<quint32> addresses; // written to, in order
    QMap<quint32, QByteArray> memory;
    bool started = false;

    QByteArray answer(const QByteArray &frame)
    {
        if (frames.isEmpty() && !m_synced) {
            m_synced = frame == "\x7f" && silentSyncs >= 0 && m_syncs++ >= silentSyncs;
            return m_synced ? kAck : QByteArray();
        }
        frames.append(frame);
        if (frames.size() - 1 == failing) {
            if (onFailing)
                onFailing();
            return refuse ? QByteArray("\x1f") : QByteArray();
        }
        const QByteArray last = frames.value(frames.size() - 2);
        if (last == QByteArray::fromHex("43bc"))
            erases += frame;
        else if (last == QByteArray::fromHex("31ce"))
            addresses.append(qFromBigEndian<quint32>(frame.constData()));
        else if (frames.size() > 2 && frames.at(frames.size() - 3) == QByteArray::fromHex("31ce"))
            memory[addresses.last()] = frame.mid(1, frame.size() - 2);
        started = frame == QByteArray::fromHex("21de");
        return kAck;
    }

private:
    bool m_synced = false;
    int m_syncs = 0;
};

// The window with an open port, the loader on the line and an image file to choose.
class Bench
{
public:
    Bench()
    {
        h.openPort();
        h.port.responder = [this](const QByteArray &frame) { return loader.answer(frame); };
        setTimeouts(2000);
    }

    void setTimeouts(int ms) { h.w().parts().firmware->update().setTimeouts({1, ms, ms, ms}); }

    QString writeFile(const QByteArray &bytes)
    {
        QFile f(dir.filePath("sensor.cri"));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName()
                                                                              : QString();
    }

    void choose(const QString &path)
    {
        h.dialogs.fileAnswers.push_back(path);
        h.ui()->Command8->click();
    }

    // Chooses a file holding a three-block image and presses "Start".
    void start(const QString &type = "PL-540", bool eeprom = false)
    {
        choose(writeFile(firmwareImage(type == "PL-140" ? pl140Type() : pl540Type(), 3)));
        (type == "PL-140" ? h.ui()->PL140 : h.ui()->PL540)->setChecked(true);
        h.ui()->EEPROM->setChecked(eeprom);
        h.ui()->start->click();
    }

    // The update has ended, its result shown.
    bool ended()
    {
        return !h.ui()->fwCancel->isEnabled() ||
               QSignalSpy(&h.w().parts().firmware->update(), &FirmwareUpdate::finished).wait(10000);
    }

    QString progressLog() const { return h.ui()->txtRec1->toPlainText(); }

    QMap<QString, bool> controlStates()
    {
        QMap<QString, bool> out;
        for (QWidget *w : taggedControls(&h.w()))
            out[w->objectName()] = ownEnabled(w);
        return out;
    }

    WindowHarness h;
    ScriptedLoader loader;
    QTemporaryDir dir;
};
} // namespace

class tst_FirmwareUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void writesTheImageWhereItBelongs_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<QList<quint32>>("blocks");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("PL-540") << "PL-540" << false << QList<quint32>{0x9000, 0x9080, 0x9100}
                                << "Block -1";
        QTest::newRow("PL-540, calibration reset")
            << "PL-540" << true << QList<quint32>{0x4000, 0x4080, 0x4100, 0x4180, 0x4200, 0x4280,
                                                  0x4300, 0x4380, 0x9000, 0x9080, 0x9100}
            << "Block -161";
        QTest::newRow("PL-140, calibration reset")
            << "PL-140" << true << QList<quint32>{0x4000, 0x8A00, 0x8A80, 0x8B00} << "Block -149";
    }
    void writesTheImageWhereItBelongs()
    {
        QFETCH(QString, type);
        QFETCH(bool, eeprom);
        QFETCH(QList<quint32>, blocks);
        QFETCH(QString, firstLine);
        Bench b;
        const QMap<QString, bool> before = b.controlStates();
        b.start(type, eeprom);
        QVERIFY(b.ended());

        QCOMPARE(b.h.port.writes.mid(0, 3), QList<QByteArray>(3, "\x7f"));
        QCOMPARE(b.loader.erases, QByteArray::fromHex(eeprom ? "ff00ee11" : "ff00"));
        QCOMPARE(b.loader.addresses, (QList<quint32>{0x4803, 0x4805, 0x4807, 0x4809}) + blocks);
        const QByteArray image = firmwareImage(type == "PL-140" ? pl140Type() : pl540Type(), 3);
        for (quint32 address : blocks)
            QCOMPARE(b.loader.memory.value(address), imageBlock(image, (address - 0x4000) / 128));
        QCOMPARE(b.loader.memory.value(0x4809), QByteArray("\xa4"));
        QVERIFY(b.loader.started);

        QVERIFY(b.progressLog().startsWith("Прошиваем !  \nOk! \n" + firstLine + "\n"));
        QVERIFY(b.progressLog().endsWith("Block -1\nBlock 0\nBlock 1\n-----Готово------"));
        QCOMPARE(b.h.ui()->fwProgress->value(), int(blocks.size()));
        QCOMPARE(b.h.ui()->fwProgress->maximum(), int(blocks.size()));
        QVERIFY(b.h.dialogs.messages().isEmpty());
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.w().engine().isPolling());
    }

    void aFileThatCannotBeWrittenIsRefusedBeforeAnyByte_data()
    {
        QTest::addColumn<QString>("file"); // "" for no file chosen
        QTest::addColumn<QString>("reason");
        QTest::newRow("no file chosen") << ""
                                        << "No firmware file is chosen";
        QTest::newRow("missing") << "gone.cri"
                                 << "cannot be opened";
        QTest::newRow("PL-140 image") << "sensor.cri"
                                      << "block 160";
    }
    void aFileThatCannotBeWrittenIsRefusedBeforeAnyByte()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        Bench b;
        b.writeFile(firmwareImage(pl140Type(), 20));
        if (!file.isEmpty())
            b.choose(b.dir.filePath(file));
        b.h.ui()->start->click();

        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(reason) && shown[0].contains(file) &&
                     shown[0].endsWith("Nothing was sent to the sensor."),
                 qPrintable(shown[0]));
        QVERIFY(b.h.port.writes.isEmpty());
        QVERIFY(b.h.w().engine().isPolling());
        QVERIFY(b.h.ui()->start->isEnabled());
    }

    // Frames after the synchronisation: 0 and 1 erase, 2 to 13 the option bytes, from 14
    // three a block, the start command last (23 with three blocks).
    void aFailingLoaderEndsTheUpdateWithoutStartingIt_data()
    {
        QTest::addColumn<int>("failing");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QStringList>("messages"); // the last one is the start of the closing
        QTest::newRow("erase refused")
            << 0 << true
            << QStringList{"Error 1F !!!!",
                           "Firmware update failed: the loader refused the erase."};
        QTest::newRow("option byte unanswered")
            << 4 << false
            << QStringList{
                   "Firmware update failed: no answer from the loader to the option bytes."};
        QTest::newRow("block command refused")
            << 14 << true
            << QStringList{"Error 1F !!!!", " 31 0,wrong block",
                           "Firmware update failed: the loader refused block 0."};
        QTest::newRow("block address unanswered")
            << 15 << false
            << QStringList{"addr 0,wrong block",
                           "Firmware update failed: no answer from the loader to block 0."};
        QTest::newRow("second block refused")
            << 19 << true
            << QStringList{"Error 1F !!!!", " data 1,wrong block",
                           "Firmware update failed: the loader refused block 1."};
    }
    void aFailingLoaderEndsTheUpdateWithoutStartingIt()
    {
        QFETCH(int, failing);
        QFETCH(bool, refuse);
        QFETCH(QStringList, messages);
        Bench b;
        b.setTimeouts(30);
        b.loader.failing = failing;
        b.loader.refuse = refuse;
        const QMap<QString, bool> before = b.controlStates();
        b.start();
        QVERIFY(b.ended());

        QCOMPARE(b.loader.frames.size(), failing + 1);
        QStringList shown = b.h.dialogs.messages();
        QVERIFY2(shown.last().startsWith(messages.takeLast()) &&
                     shown.last().contains(kUpdateAgain),
                 qPrintable(shown.last()));
        QCOMPARE(shown.mid(0, shown.size() - 1), messages);
        QVERIFY(b.progressLog().endsWith("\nUpdate failed: the sensor must be updated again."));
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.w().engine().isPolling());
    }

    // Every block is acknowledged before the start command: the firmware is there, and
    // switching the sensor off and on starts it.
    void aStartNotTakenIsNotReportedAsDone_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("unanswered") << false
                                    << QStringList{"The firmware is written, but the loader did "
                                                   "not confirm the start command: switch the "
                                                   "sensor off and on again."};
        QTest::newRow("refused") << true
                                 << QStringList{"Error 1F !!!!",
                                                "The firmware is written, but the loader refused "
                                                "the start command: switch the sensor off and "
                                                "on again."};
    }
    void aStartNotTakenIsNotReportedAsDone()
    {
        QFETCH(bool, refuse);
        QFETCH(QStringList, messages);
        Bench b;
        b.setTimeouts(30);
        b.loader.failing = 23;
        b.loader.refuse = refuse;
        b.start();
        QVERIFY(b.ended());
        QCOMPARE(b.loader.frames.last(), QByteArray::fromHex("21de"));
        QCOMPARE(b.h.dialogs.messages(), messages);
        QVERIFY(!b.progressLog().contains("Готово"));
        QVERIFY(!b.progressLog().contains(kUpdateAgain));
    }

    void cancelWhileWaitingForASilentLoader()
    {
        Bench b;
        b.loader.silentSyncs = -1;
        b.h.ui()->Opros->click(); // a search waiting for the engine
        const QMap<QString, bool> before = b.controlStates();
        b.start();

        // 7F goes out again and again; of the sensor's controls only Cancel is left.
        QTRY_VERIFY(b.h.port.writes.size() >= 5);
        QCOMPARE(b.h.port.writes, QList<QByteArray>(b.h.port.writes.size(), "\x7f"));
        QVERIFY(!b.h.w().engine().isPolling());
        for (QWidget *w : taggedControls(&b.h.w()))
            QVERIFY2(tagOf(w) <= 8 || !ownEnabled(w), qPrintable(w->objectName()));
        QVERIFY(!b.h.ui()->BTNCloseCom->isEnabled());

        b.h.ui()->fwCancel->click();
        QCOMPARE(b.h.dialogs.messages(),
                 QStringList{"Firmware update cancelled before the loader answered. Nothing was "
                             "written to the sensor."});
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.ui()->BTNCloseCom->isEnabled());
        const qsizetype sent = b.h.port.writes.size();
        QTest::qWait(20);
        QCOMPARE(b.h.port.writes.size(), sent);
        // The engine takes over again with nothing pending: the search is gone.
        QVERIFY(b.h.w().engine().isPolling());
        b.h.w().engine().tick();
        QCOMPARE(b.h.port.writes.last(), dataRequest(0));
    }

    void aSensorAnswerDuringTheWaitIsNotTakenForTheLoader()
    {
        Bench b;
        b.loader.silentSyncs = -1;
        b.h.w().parts().firmware->update().setTimeouts({60000, 1000, 1000, 1000});
        b.start();
        // The tail of a data answer to the engine's last request, a 79 inside it.
        b.h.port.deliver(QByteArray::fromHex("3e05f0"));
        b.h.port.deliver(kAck);
        QTest::qWait(20);
        QCOMPARE(b.h.port.writes, QList<QByteArray>{"\x7f"});
        b.h.ui()->fwCancel->click();
        QVERIFY(b.h.dialogs.messages().value(0).contains("before the loader answered"));
    }

    void cancelDuringTheTransfer_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Cancel") << false;
        QTest::newRow("window closed") << true;
    }
    void cancelDuringTheTransfer()
    {
        QFETCH(bool, closeWindow);
        Bench b;
        b.setTimeouts(60000);
        b.loader.failing = 19; // the second block's data, left unanswered
        b.loader.refuse = false;
        b.start();
        QTRY_COMPARE(b.loader.frames.size(), 20);
        QCOMPARE(b.h.ui()->fwProgress->value(), 1);
        if (closeWindow)
            b.h.w().close();
        else
            b.h.ui()->fwCancel->click();
        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("Firmware update cancelled.\n") &&
                shown[0].contains(kUpdateAgain));
        QVERIFY(b.progressLog().endsWith("Block -1\nUpdate cancelled: " + kUpdateAgain + "."));
        QTest::qWait(20);
        QCOMPARE(b.loader.frames.size(), 20);
        QCOMPARE(b.h.port.opened, !closeWindow);
        if (closeWindow)
            QCOMPARE(b.h.logEvents().mid(b.h.logEvents().size() - 2),
                     (QStringList{"Firmware update cancelled: " + kUpdateAgain + ".",
                                  "Com Port ttyUSB0 Closed"}));
    }

    void aPortThatFailsEndsTheUpdateAndIsClosed_data()
    {
        QTest::addColumn<bool>("vanish"); // the device goes, or a write is not taken
        QTest::newRow("device gone") << true;
        QTest::newRow("write not taken") << false;
    }
    void aPortThatFailsEndsTheUpdateAndIsClosed()
    {
        QFETCH(bool, vanish);
        Bench b;
        if (vanish) {
            b.loader.failing = 16;
            b.loader.refuse = false;
            b.loader.onFailing = [&] { b.h.port.loseDevice(); };
        } else {
            b.h.port.responder = [&](const QByteArray &frame) {
                const QByteArray answer = b.loader.answer(frame);
                if (b.loader.frames.size() == 16) // the port takes nothing after this frame
                    b.h.port.writeCounts.push_back(0);
                return answer;
            };
        }
        b.start();
        QVERIFY(b.ended());

        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], QString("Error! COM port unavailable"));
        QVERIFY(shown[1].startsWith("Firmware update failed: the port") &&
                shown[1].contains(kUpdateAgain));
        QVERIFY(!b.h.port.opened);
        QVERIFY(!b.h.w().engine().isPolling());
        QVERIFY(b.h.ui()->BTNOpenCom->isEnabled() && !b.h.ui()->start->isEnabled());
        QCOMPARE(b.h.logEvents().last(), QString("Com Port ttyUSB0 Closed"));
    }

    void boxesShownAtTheEndDoNotRestartTheUpdate()
    {
        Bench b;
        b.loader.failing = 16;
        // The loader keeps talking while the boxes wait for the operator.
        b.h.dialogs.whileShown = [&] {
            b.h.port.deliver(kAck + kAck);
            QCoreApplication::processEvents();
        };
        b.start();
        QVERIFY(b.ended());
        QCOMPARE(b.h.dialogs.messages().size(), 3);
        QCOMPARE(b.h.port.writes.size(), 3 + 17);
    }

    // The image is checked before the update; should it change in between, the update
    // itself still refuses an application that does not start with its marker.
    void aDamagedApplicationBlockStopsTheTransfer()
    {
        WindowHarness h;
        ScriptedLoader loader;
        loader.silentSyncs = 0;
        h.port.responder = [&](const QByteArray &frame) { return loader.answer(frame); };
        FirmwarePlan plan =
            *planFirmwareUpdate(firmwareImage(pl540Type(), 2), pl540Type(), true).plan;
        plan.blocks[8].data[0] = '\0';
        FirmwareUpdate update(h.port);
        QList<UpdateResult> results;
        connect(&update, &FirmwareUpdate::finished, this,
                [&](const UpdateResult &r) { results.append(r); });
        QVERIFY(update.start(plan));
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results[0].outcome, UpdateResult::Outcome::Failed);
        QCOMPARE(results[0].loaderMessages, QStringList{" File damaged "});
        QCOMPARE(loader.addresses.size(), 4 + 8); // the option bytes and the data EEPROM
        QVERIFY(!loader.started);
    }
};

QTEST_MAIN(tst_FirmwareUpdate)
#include "tst_firmwareupdate.moc"
