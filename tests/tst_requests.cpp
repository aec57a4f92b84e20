#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

class tst_Requests : public QObject
{
    Q_OBJECT

private slots:
    void framesMatchTheSensorsExamples_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("data 1") << dataRequest(1) << QByteArray::fromHex("3101F0C5");
        QTest::newRow("data 5") << dataRequest(5) << QByteArray::fromHex("3105F0FE");
        QTest::newRow("identity 1") << identityRequest(1) << QByteArray::fromHex("3101FC66");
        QTest::newRow("shift empty -1")
            << shiftRequest(1, false, -1, false) << QByteArray::fromHex("3101F9FFFF71");
        QTest::newRow("shift full 10")
            << shiftRequest(1, true, 10, false) << QByteArray::fromHex("3101F4000AAB");
        QTest::newRow("direct full 100000") << directLevelRequest(1, true, 100000, false)
                                            << QByteArray::fromHex("3101EC000186A064");
        QTest::newRow("mode 0") << modeRequest(1, 0, false) << QByteArray::fromHex("3101F20064");
        QTest::newRow("address 5 to 7") << settingRequest(Cmd::SetNetAddress, 5, {7}, false)
                                        << QByteArray::fromHex("3105FB07CB");
    }
    void framesMatchTheSensorsExamples()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(frame.toHex(' ').toUpper(), expected.toHex(' ').toUpper());
    }

    void dataBytesAndKeyPlacement()
    {
        const QByteArray key = writeKey();
        QCOMPARE(shiftRequest(1, false, -1000, false).mid(3, 2), bytes({0xFC, 0x18}));
        QCOMPARE(shiftRequest(1, true, 1000, true).mid(3, 5), key + bytes({0x03, 0xE8}));
        QCOMPARE(passwordRequest(2, false, 2000000000, false).mid(2, 5),
                 bytes({0xF8, 0x77, 0x35, 0x94, 0x00}));
        QCOMPARE(passwordRequest(2, true, 1, true).size(), 11);
        QCOMPARE(passwordRequest(2, true, 1, true).at(2), char(0xF7));
        QCOMPARE(modeRequest(3, 0x8C, true, quint8(0x13)).mid(3, 5), key + bytes({0x8C, 0x13}));
        QCOMPARE(modeRequest(3, 0x8C, true).size(), 8);
        QCOMPARE(airRequest(1, 2520, 10000, 35).mid(2, 6),
                 bytes({0xD0, 0x09, 0xD8, 0x27, 0x10, 0x23}));
        QCOMPARE(airRequest(1, -150, 5000, 1).mid(3, 2), bytes({0xFF, 0x6A}));
        QCOMPARE(settingRequest(Cmd::SetMaxDistance, 1, {1200}, false).mid(2, 3),
                 bytes({0xE9, 0x04, 0xB0}));
        QCOMPARE(settingRequest(Cmd::SetMinDistance, 1, {99}, true).mid(2, 5),
                 bytes({0xEE}) + key + bytes({99}));
        for (const QByteArray &f : {shiftRequest(9, true, 5, true), airRequest(9, 1, 2, 3),
                                    settingRequest(Cmd::SetNetAddress, 9, {1}, true)})
            QVERIFY(answerCrcMatches(f));
    }

    // Every requested command of the table, built from its row on a firmware without the
    // write key and one with it: the frame has the data length the row says, and the key
    // exactly where the row says the command is keyed.
    void everyRowBuildsItsLengthAndKey_data()
    {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<int>("fw");
        for (const CommandRow &row : commandRows()) {
            if (row.requestData == 0 || row.requestData == CommandRow::kNotRequested)
                continue;
            for (const int fw : {174, 176}) {
                const QByteArray name =
                    QByteArray::number(row.code, 16) + ' ' + QByteArray::number(fw);
                QTest::newRow(name.constData()) << row.code << fw;
            }
        }
    }
    void everyRowBuildsItsLengthAndKey()
    {
        QFETCH(quint8, code);
        QFETCH(int, fw);
        const CommandRow &row = *commandRow(code);
        const FirmwareCapabilities caps = capabilitiesOf(fw);
        const int length = *requestDataLength(code, caps);
        const int values = row.requestData == CommandRow::kModeData ? length : row.values;
        const QByteArray frame = settingRequest(code, 7, QList<qint64>(values, 1), caps.writeKey);
        const bool keyed = row.keyed && caps.writeKey;
        QCOMPARE(frame.size(), 4 + (keyed ? int(writeKey().size()) : 0) + length);
        QCOMPARE(quint8(frame.at(2)), code);
        QCOMPARE(frame.mid(3, writeKey().size()) == writeKey(), keyed);
        QVERIFY(answerCrcMatches(frame));
    }

    void modeByteFromTheControls()
    {
        ModeControls c;
        QCOMPARE(modeByte(c), quint8(0x00));
        c.outputs[2] = true; // frequency
        c.filtration = true;
        c.range4096 = true;
        QCOMPARE(modeByte(c), quint8(0x8C));
        c.outputs[4] = true; // a later selected option wins
        QCOMPARE(modeByte(c), quint8(0x98));
        ModeControls all;
        all.inverted = all.filtration = all.range4096 = all.litres = all.percent = true;
        QCOMPARE(modeByte(all), quint8(0xE9));
    }
};

QTEST_GUILESS_MAIN(tst_Requests)
#include "tst_requests.moc"
