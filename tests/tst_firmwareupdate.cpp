// The firmware update from the "FW Update" page: the window on a scripted port with a
// loader at the other end.
#include "FirmwareImages.h"
#include "WindowHarness.h"
#include "firmware/FirmwareUpdate.h"
#include "protocol/Requests.h"
#include "shell/Tags.h"
#include "ui_frmSerial.h"

#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(SensorType)

namespace
{
const QByteArray kAck("\x79", 1);
const QByteArray kRefused("\x1f", 1);
const QString kUpdateAgain = "the sensor must be updated again";
const QString kNothingSent = "Nothing was sent to the sensor.";

// The loader at the other end of the line: it wakes after a few 7F, answers every frame
// with 79 and keeps what it is told to write, unless one frame is to go wrong.
class ScriptedLoader
{
public:
    int silentSyncs = 2;             // 7F bytes it ignores first; -1 for a loader that never wakes
    int failing = -1;                // the frame after the synchronisation that goes wrong
    bool refuse = true;              // that frame is refused with 1F, or left unanswered
    std::function<void()> onFailing; // runs when that frame comes

    QList<QByteArray> frames; // what came after the synchronisation
    QList<QByteArray> erases;
    QList<quint32> addresses; // written to, in order
    QMap<quint32, QByteArray> memory;
    bool started = false;

    QByteArray answer(const QByteArray &frame)
    {
        if (!m_synced) {
            if (frame != "\x7f" || silentSyncs < 0 || m_syncs++ < silentSyncs)
                return {};
            m_synced = true;
            return kAck;
        }
        frames.append(frame);
        if (frames.size() - 1 == failing) {
            if (onFailing)
                onFailing();
            return refuse ? kRefused : QByteArray();
        }
        take(frame);
        return kAck;
    }

private:
    void take(const QByteArray &frame)
    {
        switch (m_expect) {
        case Expect::Command:
            if (frame == QByteArray::fromHex("43bc"))
                m_expect = Expect::EraseArgument;
            else if (frame == QByteArray::fromHex("31ce"))
                m_expect = Expect::Address;
            else if (frame == QByteArray::fromHex("21de"))
                started = true;
            return;
        case Expect::EraseArgument:
            erases.append(frame);
            break;
        case Expect::Address:
            m_address = qFromBigEndian<quint32>(frame.constData());
            addresses.append(m_address);
            m_expect = Expect::Data;
            return;
        case Expect::Data:
            memory[m_address] = frame.mid(1, frame.size() - 2);
            break;
        }
        m_expect = Expect::Command;
    }

    enum class Expect { Command, EraseArgument, Address, Data };
    Expect m_expect = Expect::Command;
    bool m_synced = false;
    int m_syncs = 0;
    quint32 m_address = 0;
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

    void setTimeouts(int ms) { h.w().firmwareUpdate().setTimeouts({1, ms, ms, ms}); }

    QString writeFile(const QByteArray &bytes)
    {
        const QString path = dir.filePath("sensor.cri");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }

    void choose(const QString &path)
    {
        h.dialogs.fileAnswers.push_back(path);
        h.ui()->Command8->click();
    }

    // Chooses a file holding `image` and presses "Start".
    void start(const SensorType &type, bool eeprom, const QByteArray &image)
    {
        choose(writeFile(image));
        (type.name == "PL-140" ? h.ui()->PL140 : h.ui()->PL540)->setChecked(true);
        h.ui()->EEPROM->setChecked(eeprom);
        h.ui()->start->click();
    }

    // The update has ended: its Cancel button is off again.
    bool ended()
    {
        return QTest::qWaitFor([&] { return !h.ui()->fwCancel->isEnabled(); });
    }

    QString progressLog() const { return h.ui()->txtRec1->toPlainText(); }

    // Which controls are switched on, by name.
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

SensorType typeNamed(const QString &name)
{
    return name == "PL-140" ? pl140Type() : pl540Type();
}
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
        QTest::addColumn<QList<QByteArray>>("firstFrames");
        QTest::addColumn<QList<quint32>>("blockAddresses");
        QTest::addColumn<QString>("blockLines");
        const auto hex = [](const char *t) { return QByteArray::fromHex(t); };
        QTest::newRow("PL-540") << "PL-540" << false
                                << QList<QByteArray>{hex("43bc"), hex("ff00"), hex("31ce"),
                                                     hex("000048034b"), hex("00a1a1")}
                                << QList<quint32>{0x9000, 0x9080, 0x9100}
                                << "Block -1\nBlock 0\nBlock 1\n";
        QTest::newRow("PL-540, calibration reset")
            << "PL-540" << true
            << QList<QByteArray>{hex("43bc"), hex("ff00"), hex("43bc"), hex("ee11"), hex("31ce")}
            << QList<quint32>{0x4000, 0x4080, 0x4100, 0x4180, 0x4200, 0x4280,
                              0x4300, 0x4380, 0x9000, 0x9080, 0x9100}
            << "Block -161\nBlock -160\nBlock -159\nBlock -158\nBlock -157\nBlock -156\n"
               "Block -155\nBlock -154\nBlock -1\nBlock 0\nBlock 1\n";
        QTest::newRow("PL-140") << "PL-140" << false
                                << QList<QByteArray>{hex("43bc"), hex("ff00"), hex("31ce"),
                                                     hex("000048034b"), hex("00a1a1")}
                                << QList<quint32>{0x8A00, 0x8A80, 0x8B00}
                                << "Block -1\nBlock 0\nBlock 1\n";
        QTest::newRow("PL-140, calibration reset")
            << "PL-140" << true
            << QList<QByteArray>{hex("43bc"), hex("ff00"), hex("43bc"), hex("ee11"), hex("31ce")}
            << QList<quint32>{0x4000, 0x8A00, 0x8A80, 0x8B00}
            << "Block -149\nBlock -1\nBlock 0\nBlock 1\n";
    }
    void writesTheImageWhereItBelongs()
    {
        QFETCH(QString, type);
        QFETCH(bool, eeprom);
        QFETCH(QList<QByteArray>, firstFrames);
        QFETCH(QList<quint32>, blockAddresses);
        QFETCH(QString, blockLines);
        Bench b;
        const QMap<QString, bool> before = b.controlStates();
        const QByteArray image = firmwareImage(typeNamed(type), 3);
        b.start(typeNamed(type), eeprom, image);
        QVERIFY(b.ended());

        QCOMPARE(b.h.port.writes.mid(0, 3), QList<QByteArray>(3, "\x7f"));
        QCOMPARE(b.loader.frames.mid(0, firstFrames.size()), firstFrames);
        QCOMPARE(b.loader.erases.size(), eeprom ? 2 : 1);
        QCOMPARE(b.loader.addresses.mid(0, 4), (QList<quint32>{0x4803, 0x4805, 0x4807, 0x4809}));
        QCOMPARE(b.loader.addresses.mid(4), blockAddresses);
        for (quint32 address : blockAddresses)
            QCOMPARE(b.loader.memory.value(address), imageBlock(image, (address - 0x4000) / 128));
        QCOMPARE(b.loader.memory.value(0x4803), QByteArray("\xa1"));
        QVERIFY(b.loader.started);

        QCOMPARE(b.progressLog(), "Прошиваем !  \nOk! \n" + blockLines + "-----Готово------");
        QCOMPARE(b.h.ui()->fwProgress->value(), int(blockAddresses.size()));
        QCOMPARE(b.h.ui()->fwProgress->maximum(), int(blockAddresses.size()));
        QVERIFY(b.h.dialogs.messages().isEmpty());
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.w().TMRComm.isActive());
        QVERIFY(b.h.logEvents().contains("Firmware update done."));
    }

    void aFileNotFitForTheSensorIsRefusedBeforeAnyByte_data()
    {
        QTest::addColumn<QByteArray>("image"); // "none": no file chosen; "missing": no such file
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("reason");
        const QByteArray good = firmwareImage(pl540Type(), 2);
        QByteArray unmarked = good;
        unmarked[64 + 128 * 160] = 'x';
        QTest::newRow("no file chosen") << QByteArray("none") << "PL-540"
                                        << "No firmware file";
        QTest::newRow("missing") << QByteArray("missing") << "PL-540"
                                 << "cannot be opened";
        QTest::newRow("empty") << QByteArray() << "PL-540"
                               << "it holds 0 bytes";
        QTest::newRow("no application") << good.left(64 + 128 * 160) << "PL-540"
                                        << "needs at least 20672";
        QTest::newRow("trailing part") << good + "abc"
                                       << "PL-540"
                                       << "3 bytes left over";
        QTest::newRow("damaged") << unmarked << "PL-540"
                                 << "does not start with 0x23";
        QTest::newRow("PL-540 image, PL-140 chosen") << good << "PL-140"
                                                     << "block 148";
    }
    void aFileNotFitForTheSensorIsRefusedBeforeAnyByte()
    {
        QFETCH(QByteArray, image);
        QFETCH(QString, type);
        QFETCH(QString, reason);
        Bench b;
        QString path;
        if (image == "missing")
            path = b.dir.filePath("gone.cri");
        else if (image != "none")
            path = b.writeFile(image);
        if (!path.isEmpty())
            b.choose(path);
        QCOMPARE(b.h.ui()->filename_prog->text(), path.isEmpty() ? QString("No file") : path);
        (type == "PL-140" ? b.h.ui()->PL140 : b.h.ui()->PL540)->setChecked(true);
        b.h.ui()->EEPROM->setChecked(true);
        b.h.dialogs.clear();
        b.h.ui()->start->click();

        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(reason) && shown[0].contains(path) &&
                     shown[0].endsWith(kNothingSent),
                 qPrintable(shown[0]));
        QVERIFY(b.h.port.writes.isEmpty());
        QVERIFY(b.h.w().TMRComm.isActive());
        QVERIFY(b.h.ui()->start->isEnabled());
        QVERIFY(b.progressLog().isEmpty());
    }

    // Frames after the synchronisation: 0 and 1 erase, 2 to 13 the option bytes, from 14
    // three a block, the start command last (23 with three blocks).
    void aFailingLoaderEndsTheUpdateWithoutStartingIt_data()
    {
        QTest::addColumn<int>("failing");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QStringList>("loaderMessages");
        QTest::addColumn<QString>("closing");
        QTest::newRow("erase refused") << 0 << true << QStringList{"Error 1F !!!!"}
                                       << "Firmware update failed: the loader refused the erase.";
        QTest::newRow("erase unanswered")
            << 1 << false << QStringList{}
            << "Firmware update failed: no answer from the loader to the erase.";
        QTest::newRow("option byte refused")
            << 4 << true << QStringList{"Error 1F !!!!"}
            << "Firmware update failed: the loader refused the option bytes.";
        QTest::newRow("block command refused")
            << 14 << true << QStringList{"Error 1F !!!!", " 31 0,wrong block"}
            << "Firmware update failed: the loader refused block 0.";
        QTest::newRow("block address unanswered")
            << 15 << false << QStringList{"addr 0,wrong block"}
            << "Firmware update failed: no answer from the loader to block 0.";
        QTest::newRow("second block refused")
            << 19 << true << QStringList{"Error 1F !!!!", " data 1,wrong block"}
            << "Firmware update failed: the loader refused block 1.";
        QTest::newRow("last block unanswered")
            << 22 << false << QStringList{" data 2,wrong block"}
            << "Firmware update failed: no answer from the loader to block 2.";
    }
    void aFailingLoaderEndsTheUpdateWithoutStartingIt()
    {
        QFETCH(int, failing);
        QFETCH(bool, refuse);
        QFETCH(QStringList, loaderMessages);
        QFETCH(QString, closing);
        Bench b;
        b.setTimeouts(30);
        b.loader.failing = failing;
        b.loader.refuse = refuse;
        const QMap<QString, bool> before = b.controlStates();
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QVERIFY(b.ended());

        QCOMPARE(b.loader.frames.size(), failing + 1);
        QVERIFY(!b.loader.frames.contains(QByteArray::fromHex("21de")));
        QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.mid(0, shown.size() - 1), loaderMessages);
        QVERIFY2(shown.last().startsWith(closing) && shown.last().contains(kUpdateAgain),
                 qPrintable(shown.last()));
        QVERIFY(!b.progressLog().contains("Готово"));
        QVERIFY(b.progressLog().endsWith("Update failed: the sensor must be updated again."));
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.w().TMRComm.isActive());
    }

    void anUnansweredStartIsNotReportedAsDone()
    {
        Bench b;
        b.setTimeouts(30);
        b.loader.failing = 23;
        b.loader.refuse = false;
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QVERIFY(b.ended());
        QCOMPARE(b.loader.frames.last(), QByteArray::fromHex("21de"));
        QCOMPARE(b.h.dialogs.messages(),
                 QStringList{"The firmware is written, but the loader did not confirm the start "
                             "command: switch the sensor off and on again."});
        QVERIFY(!b.progressLog().contains("Готово"));
    }

    void cancelWhileWaitingForASilentLoader()
    {
        Bench b;
        b.loader.silentSyncs = -1;
        b.h.ui()->Opros->click(); // a search waiting for the engine
        const QMap<QString, bool> before = b.controlStates();
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));

        // The window goes on; 7F goes out again and again; only Cancel is left to press.
        QTRY_VERIFY(b.h.port.writes.size() >= 5);
        QCOMPARE(b.h.port.writes, QList<QByteArray>(b.h.port.writes.size(), "\x7f"));
        QVERIFY(!b.h.w().TMRComm.isActive());
        for (QWidget *w : taggedControls(&b.h.w())) {
            if (tagOf(w) > 8)
                QVERIFY2(!ownEnabled(w), qPrintable(w->objectName()));
        }
        QVERIFY(!b.h.ui()->BTNCloseCom->isEnabled());
        QVERIFY(b.h.ui()->fwCancel->isEnabled());

        b.h.ui()->fwCancel->click();
        QCOMPARE(
            b.h.dialogs.messages(),
            QStringList{"Firmware update cancelled before the loader answered. Nothing was written "
                        "to the sensor."});
        QCOMPARE(b.controlStates(), before);
        QVERIFY(b.h.ui()->BTNCloseCom->isEnabled());
        QVERIFY(b.progressLog().endsWith("Update cancelled: nothing was written."));
        const qsizetype sent = b.h.port.writes.size();
        QTest::qWait(20);
        QCOMPARE(b.h.port.writes.size(), sent);

        // The engine takes over again with nothing pending: the search is gone.
        QVERIFY(b.h.w().TMRComm.isActive());
        b.h.w().TMRComm_Timer();
        QCOMPARE(b.h.port.writes.last(), dataRequest(0));
    }

    void aSensorAnswerDuringTheWaitIsNotTakenForTheLoader()
    {
        Bench b;
        b.loader.silentSyncs = -1;
        b.h.w().firmwareUpdate().setTimeouts({60000, 1000, 1000, 1000});
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        // The tail of a data answer to the engine's last request, a 79 inside it.
        b.h.port.deliver(QByteArray::fromHex("3e05f0"));
        b.h.port.deliver(QByteArray::fromHex("79"));
        QTest::qWait(20);
        QCOMPARE(b.h.port.writes, QList<QByteArray>{"\x7f"});
        b.h.ui()->fwCancel->click();
        QVERIFY(b.h.dialogs.messages().value(0).contains("before the loader answered"));
    }

    // The image is checked before the update; should it change in between, the update
    // itself still refuses to write an application that does not start with its marker.
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

    void cancelDuringTheTransfer()
    {
        Bench b;
        b.setTimeouts(60000);
        b.loader.failing = 19; // the second block's data, left unanswered
        b.loader.refuse = false;
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QTRY_COMPARE(b.loader.frames.size(), 20);
        QCOMPARE(b.h.ui()->fwProgress->value(), 1);
        b.h.ui()->fwCancel->click();
        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("Firmware update cancelled.\n") &&
                shown[0].contains(kUpdateAgain));
        QVERIFY(b.progressLog().endsWith("Block -1\nUpdate cancelled: the sensor must be "
                                         "updated again."));
        QTest::qWait(20);
        QCOMPARE(b.loader.frames.size(), 20);
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
                if (b.loader.frames.size() == 16) // the port takes no more after this one
                    b.h.port.sendCounts.push_back(0);
                return answer;
            };
        }
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QVERIFY(b.ended());

        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], QString("Error! COM port unavailable"));
        QVERIFY(shown[1].startsWith("Firmware update failed: the port") &&
                shown[1].contains(kUpdateAgain));
        QVERIFY(!b.h.port.open);
        QVERIFY(!b.h.w().TMRComm.isActive());
        QVERIFY(b.h.ui()->BTNOpenCom->isEnabled());
        QVERIFY(!b.h.ui()->start->isEnabled());
        QCOMPARE(b.h.logEvents().last(), QString("Com Port ttyUSB0 Closed"));
        QVERIFY(!b.progressLog().contains("Готово"));
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
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QVERIFY(b.ended());
        QCOMPARE(b.loader.frames.size(), 17);
        QCOMPARE(b.h.dialogs.messages().size(), 3);
        QCOMPARE(b.h.port.writes.size(), 3 + 17);
    }

    void closingTheWindowCancelsTheUpdateFirst()
    {
        Bench b;
        b.loader.failing = 16;
        b.loader.refuse = false;
        b.setTimeouts(60000);
        b.start(pl540Type(), false, firmwareImage(pl540Type(), 3));
        QTRY_COMPARE(b.loader.frames.size(), 17);
        b.h.w().close();
        const QStringList shown = b.h.dialogs.messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("Firmware update cancelled.\n"));
        QVERIFY(!b.h.port.open);
        const QStringList log = b.h.logEvents();
        QCOMPARE(log.mid(log.size() - 2),
                 (QStringList{"Firmware update cancelled: the sensor must be updated again.",
                              "Com Port ttyUSB0 Closed"}));
    }
};

QTEST_MAIN(tst_FirmwareUpdate)
#include "tst_firmwareupdate.moc"
