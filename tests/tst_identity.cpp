#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/sensor/IdentityAnswer.h"
#include "ui_frmSerial.h"
#include "window/widgets/Colours.h"
#include "window/widgets/Tags.h"

#include "WindowProbes.h"

#include <QtTest>

using namespace levelconf;

// The identity of the selected sensor and the network search.
class tst_Identity : public QObject
{
    Q_OBJECT

    // 3E 05 FC, serial 12345, then `tail` (version code, prefix), CRC.
    static QByteArray identity(const QByteArray &tail)
    {
        return framedAnswer(5, 0xFC, bytes({0x39, 0x30, 0x00, 0x00}) + tail);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- decoders ----

    void serialAndVersionByLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("serial");
        QTest::addColumn<bool>("version");
        for (int length = 0; length <= 12; ++length) {
            QTest::addRow("%d bytes", length) << length << (length >= 8) << (length == 10);
        }
    }
    void serialAndVersionByLength()
    {
        QFETCH(int, length);
        QFETCH(bool, serial);
        QFETCH(bool, version);
        const QByteArray full = identity(bytes({176, 0})) + QByteArray(2, '\x55');
        const IdentityAnswer id = decodeIdentityAnswer(full.left(length));
        QCOMPARE(id.serial.has_value(), serial);
        if (serial)
            QCOMPARE(*id.serial, quint32(12345));
        QCOMPARE(id.versionCode.has_value(), version);
        if (version)
            QCOMPARE(*id.versionCode, quint8(176));
    }

    void serialIsLittleEndian()
    {
        const QByteArray a = framedAnswer(5, 0xFC, bytes({0x04, 0x03, 0x02, 0xFF, 176, 0}));
        QCOMPARE(*decodeIdentityAnswer(a).serial, quint32(0xFF020304));
    }

    void versionTexts_data()
    {
        QTest::addColumn<int>("prefix");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("176") << 0 << 176 << QString("1.7.6.");
        QTest::newRow("two digits") << 0 << 95 << QString("9.5..");
        QTest::newRow("one digit") << 0 << 5 << QString("5...");
        QTest::newRow("prefix 3") << 3 << 163 << QString("31.6.3.");
        QTest::newRow("prefix 2") << 2 << 176 << QString("21.7.6.");
    }
    void versionTexts()
    {
        QFETCH(int, prefix);
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(versionText(quint8(prefix), quint8(code)), text);
    }

    void searchListHasATrailingBlank()
    {
        QCOMPARE(searchAddresses(bytes({1, 7, 200})), (QStringList{"1", "7", "200"}));
        QCOMPARE(searchListText(bytes({1, 7, 200})), QString("1 7 200 "));
        QCOMPARE(searchListText({}), QString());
    }

    // ---- in the window ----

    void completeIdentityShowsSerialAndVersion()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(bytes({0xB0, 0x00})));
        QCOMPARE(h.ui()->sn->text(), QString("12345"));
        QCOMPARE(h.ui()->vv->text(), QString("1.7.6."));
        QCOMPARE(h.logEvents().last(), QString("Device: 12345  Ver Soft: 1.7.6."));
        QVERIFY(settingsCarryTheKey(h));
    }

    void versionPrefixComesFirst()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(bytes({163, 3})));
        QCOMPARE(h.ui()->vv->text(), QString("31.6.3."));
        // The code is 163, not the prefix: the password controls of 1.6.3 are offered,
        // the table of 1.7.0 is not.
        QVERIFY(ownEnabled(h.ui()->Vvod_PWD));
        QVERIFY(!ownEnabled(h.ui()->Command6));
        h.w().parts().monitor->showIdentity(identity(bytes({176, 0})));
        h.w().parts().monitor->showIdentity(identity(bytes({95, 0})));
        QCOMPARE(h.ui()->vv->text(), QString("9.5.."));
        // The last code counts: 95 takes no write key where 176 did.
        QVERIFY(!settingsCarryTheKey(h));
    }

    void answerWithoutVersionKeepsTheLastOne()
    {
        WindowHarness h;
        h.w().parts().monitor->showIdentity(identity(bytes({176, 0})));
        const QByteArray eight = framedAnswer(5, 0xFC, bytes({0x40, 0xE2, 0x01, 0x00}));
        QCOMPARE(eight.size(), 8);
        h.w().parts().monitor->showIdentity(eight);
        QCOMPARE(h.ui()->sn->text(), QString("123456"));
        QCOMPARE(h.ui()->vv->text(), QString("1.7.6."));
        QCOMPARE(h.logEvents().last(), QString("Device: 123456  Ver Soft: 1.7.6."));

        // Longer than complete: the serial number, not the bytes after it.
        h.w().parts().monitor->showIdentity(identity(bytes({150, 0, 0})));
        QCOMPARE(h.ui()->sn->text(), QString("12345"));
        QVERIFY(settingsCarryTheKey(h));
    }

    void answerTooShortForTheSerialNumber_data()
    {
        QTest::addColumn<int>("length");
        for (int length : {4, 5, 6, 7})
            QTest::addRow("%d bytes", length) << length;
    }
    void answerTooShortForTheSerialNumber()
    {
        QFETCH(int, length);
        WindowHarness h;
        h.w().parts().monitor->showIdentity(identity(bytes({176, 0})));
        const int logLines = h.logEvents().size();
        QByteArray a = identity(bytes({150, 0})).left(length - 1);
        h.w().parts().monitor->showIdentity(withCrc(a));
        QCOMPARE(h.ui()->sn->text(), QString("????????"));
        QCOMPARE(h.ui()->vv->text(), QString("1.7.6."));
        QCOMPARE(h.logEvents().size(), logLines);
        QVERIFY(settingsCarryTheKey(h));
    }

    void engineRoutesTheIdentityAnswer()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showModes(0); // the settings followed the sensor once already
        h.port.reads = {identity(bytes({176, 0}))};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString(" S/n and FW received"));
        QCOMPARE(h.ui()->sn->text(), QString("12345"));
        QVERIFY(settingsFollowNextAnswer(h));
        QVERIFY(settingsCarryTheKey(h));
    }

    // A complete answer carries the firmware code, which decides the controls and the
    // write key: an answer that is not complete with its check byte right is not taken,
    // and the sensor is asked again.
    void damagedIdentityAnswerIsAskedAgain_data()
    {
        QTest::addColumn<QByteArray>("damaged");
        QByteArray wrongCheck = identity(bytes({163, 0}));
        wrongCheck[3] = char(0x3A); // serial 12346, the check byte of 12345
        const QByteArray eight = framedAnswer(5, 0xFC, bytes({0x07, 0, 0, 0}));
        QTest::newRow("check byte wrong") << wrongCheck;
        QTest::newRow("serial number only") << eight;
        QTest::newRow("serial number only, check byte wrong") << eight.left(7) + char(eight[7] ^ 1);
        QTest::newRow("cut short") << withCrc(identity(bytes({163, 0})).left(5));
        // A frame followed by its CRC runs the CRC to zero: the pair passes for one.
        QTest::newRow("two sensors at one address")
            << identity(bytes({163, 0})) + identity(bytes({172, 0}));
    }
    void damagedIdentityAnswerIsAskedAgain()
    {
        QFETCH(QByteArray, damaged);
        WindowHarness h;
        h.openPort();
        h.ui()->CmbNet->addItem("5");
        h.ui()->CmbNet->setCurrentIndex(1);
        h.port.reads = {identity(bytes({176, 0}))};
        h.w().engine().tick();
        h.w().engine().tick();
        const int logLines = h.logEvents().size();
        h.port.reads = {damaged};
        h.w().engine().tick();
        QCOMPARE(h.ui()->sn->text(), QString("12345"));
        QCOMPARE(h.ui()->vv->text(), QString("1.7.6."));
        QCOMPARE(h.ui()->MsgCom->text(), QString("Identity answer damaged: asking again."));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::Red);
        QCOMPARE(h.logEvents().mid(logLines),
                 QStringList{QString::asprintf("Identity answer damaged: %d bytes, CRC received "
                                               "%02X, computed %02X",
                                               int(damaged.size()), quint8(damaged.back()),
                                               crc8(damaged.left(damaged.size() - 1)))});
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), identityRequest(5));
        // Nothing damaged changed the firmware's key.
        QVERIFY(settingsCarryTheKey(h));
    }

    void searchQueuesTheSearchFrame()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showModes(0);
        h.w().engine().queue(dataRequest(9));
        h.ui()->Opros->click();
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith("31 FF DC \n"));
        QCOMPARE(h.logEvents().last(), QString("Cmd Ask Net "));
        QVERIFY(h.port.writes.isEmpty());

        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), bytes({0x31, 0xFF, crc8(bytes({0x31, 0xFF}))}));
        QCOMPARE(h.port.writes.last(), searchRequest());
        // A list of addresses is awaited now.
        h.port.reads = {bytes({0x02})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"2"});
        QVERIFY(settingsFollowNextAnswer(h));
        // Sent once; then the sensor found is asked who it is.
        QCOMPARE(frameOfNextTick(h), identityRequest(2));
    }

    void searchAnswerListsTheSensorsAndAsksTheFirst()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->Opros->click();
        h.w().engine().tick();
        h.w().parts().monitor->showModes(0);
        h.port.reads = {bytes({0x01, 0x07, 0xC8})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), (QStringList{"1", "7", "200"}));
        QCOMPARE(h.ui()->CmbNet->currentText(), QString("1"));
        QCOMPARE(h.ui()->netdev->text(), QString("1 7 200 "));
        QCOMPARE(h.ui()->MsgCom->text(), QString("Network polled."));
        QCOMPARE(h.logEvents().last(), QString("Устройства в сети 1 7 200 "));
        // The list itself, not the answer with a check byte that it does not have.
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith("1 7 C8 \n"));
        QVERIFY(settingsFollowNextAnswer(h));

        // The search is over: another list coming now is not taken.
        h.port.reads = {bytes({0x09})};
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), identityRequest(1));
        QCOMPARE(comboItems(h.ui()->CmbNet), (QStringList{"1", "7", "200"}));
        // Then polling of the sensor found.
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), dataRequest(1));
    }

    void operatorsPickAsksForTheIdentity()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->CmbNet->clear();
        h.ui()->CmbNet->addItems({"3", "7"});
        h.ui()->CmbNet->setCurrentIndex(0);
        h.w().engine().tick();
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), dataRequest(3));
        h.w().engine().queue(bytes({1, 2, 3}));
        h.w().parts().monitor->showModes(0);

        QTest::keyClick(h.ui()->CmbNet, Qt::Key_Down);
        QCOMPARE(h.ui()->CmbNet->currentText(), QString("7"));
        QCOMPARE(frameOfNextTick(h), identityRequest(7));
        QVERIFY(settingsFollowNextAnswer(h));

        // A selection made by the program is not a pick: the engine turns to sensor 3 by
        // itself, with nothing of the pick's pending.
        h.ui()->CmbNet->setCurrentIndex(0);
        QCOMPARE(frameOfNextTick(h), identityRequest(3));
        h.w().engine().queue(bytes({4, 5, 6}));
        h.ui()->CmbNet->setCurrentIndex(1);
        h.ui()->CmbNet->setCurrentIndex(0);
        QCOMPARE(frameOfNextTick(h), bytes({4, 5, 6}));
    }

    void noEntryMeansNoIdentityRequest()
    {
        WindowHarness h;
        h.ui()->CmbNet->clear();
        QVERIFY(h.w().parts().monitor->identityRequestFrame().isEmpty());
        h.w().engine().queue(bytes({1, 2, 3}));
        h.w().parts().monitor->CmbNet_Click();
        QCOMPARE(frameOfNextTick(h), QByteArray());
        h.ui()->CmbNet->addItem("256");
        h.ui()->CmbNet->setCurrentIndex(0);
        QVERIFY(h.w().parts().monitor->identityRequestFrame().isEmpty());
        h.ui()->CmbNet->addItem("255");
        h.ui()->CmbNet->setCurrentIndex(1);
        QCOMPARE(h.w().parts().monitor->identityRequestFrame(), identityRequest(255));
    }
};

QTEST_MAIN(tst_Identity)
#include "tst_identity.moc"
