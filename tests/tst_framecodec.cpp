#include "AnswerFrames.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"

#include <QtTest>

using namespace levelconf;

class tst_FrameCodec : public QObject
{
    Q_OBJECT

private slots:
    void crcCheckValues_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("check string") << QByteArray("123456789") << 0xA1;
        QTest::newRow("abc") << QByteArray("abc") << 0x42;
        QTest::newRow("empty") << QByteArray() << 0x00;
        QTest::newRow("data to 1") << bytes({0x31, 0x01, 0xF0}) << 0xC5;
        QTest::newRow("data to 5") << bytes({0x31, 0x05, 0xF0}) << 0xFE;
        QTest::newRow("identity to 1") << bytes({0x31, 0x01, 0xFC}) << 0x66;
        QTest::newRow("search") << bytes({0x31, 0xFF}) << 0xDC;
        QTest::newRow("data to 0") << bytes({0x31, 0x00, 0xF0}) << 0x01;
        QTest::newRow("empty set answer") << bytes({0x3E, 0x05, 0xFA}) << 0xDF;
    }
    void crcCheckValues()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, expected);
        QCOMPARE(int(crc8(input)), expected);
        QCOMPARE(withCrc(input), input + QByteArray(1, char(expected)));
    }

    // The table-driven step must agree with the plain bitwise reflected algorithm for
    // every byte and running value, or some frames would be rejected by the sensor.
    void crcStepMatchesBitwiseAlgorithm()
    {
        for (int cr = 0; cr < 256; ++cr) {
            for (int d = 0; d < 256; ++d) {
                quint8 r = quint8(cr ^ d);
                for (int i = 0; i < 8; ++i)
                    r = (r & 1) ? quint8((r >> 1) ^ 0x8C) : quint8(r >> 1);
                if (crc(quint8(d), quint8(cr)) != r)
                    QFAIL(qPrintable(
                        QStringLiteral("step differs at data %1 crc %2").arg(d).arg(cr)));
            }
        }
    }

    void frameWithItsOwnCrcRunsToZeroButIsCheckedWithoutIt()
    {
        const QByteArray frame = withCrc(bytes({0x3E, 0x01, 0xF0, 0x10, 0x20}));
        QCOMPARE(crc8(frame), quint8(0));
        QVERIFY(answerCrcMatches(frame));
        QByteArray broken = frame;
        broken[3] = char(0x11);
        QVERIFY(!answerCrcMatches(broken));
        QVERIFY(!answerCrcMatches(QByteArray(1, char(0x00))));
    }

    void longToString_data()
    {
        QTest::addColumn<quint32>("num");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("2e9") << 2000000000u << bytes({0x77, 0x35, 0x94, 0x00});
        QTest::newRow("zero") << 0u << bytes({0, 0, 0, 0});
        QTest::newRow("255") << 255u << bytes({0, 0, 0, 0xFF});
        QTest::newRow("256") << 256u << bytes({0, 0, 1, 0});
        QTest::newRow("int max") << 2147483647u << bytes({0x7F, 0xFF, 0xFF, 0xFF});
        QTest::newRow("100000") << 100000u << bytes({0x00, 0x01, 0x86, 0xA0});
    }
    void longToString()
    {
        QFETCH(quint32, num);
        QFETCH(QByteArray, expected);
        QCOMPARE(bigEndian32(num), expected);
    }

    void requestsCarryTheKeyFrom175()
    {
        QVERIFY(!needsWriteKey(0));
        QVERIFY(!needsWriteKey(174));
        QVERIFY(needsWriteKey(175));
        QVERIFY(needsWriteKey(176));

        QCOMPARE(writeKey().size(), 3);
        const QByteArray plain = buildRequest(1, Cmd::ShiftEmpty, false, bytes({0xFF, 0xFF}));
        QCOMPARE(plain, bytes({0x31, 0x01, 0xF9, 0xFF, 0xFF, 0x71}));
        const QByteArray keyed = buildRequest(1, Cmd::ShiftEmpty, true, bytes({0xFF, 0xFF}));
        QCOMPARE(keyed.size(), 9);
        QCOMPARE(keyed.mid(3, 3), writeKey());
        QCOMPARE(keyed.mid(6, 2), bytes({0xFF, 0xFF}));
        QVERIFY(answerCrcMatches(keyed));
    }

    void searchRequestIsAddressFFWithoutCode()
    {
        QCOMPARE(searchRequest(), bytes({0x31, 0xFF, 0xDC}));
    }

    void onlyFramedAnswersAreDispatched()
    {
        QVERIFY(isFramedAnswer(bytes({0x3E, 0x05, 0xFA, 0xDF})));
        QVERIFY(!isFramedAnswer(bytes({0x3E, 0x05, 0xFA})));
        QVERIFY(!isFramedAnswer(bytes({0x31, 0x05, 0xFA, 0xDF})));
        QVERIFY(!isFramedAnswer(QByteArray()));
    }

    // An answer is taken when it comes from the sensor asked, with the code awaited, its
    // CRC right and the length its code has: the CRC alone passes two frames run together.
    void answersAreTakenOnlyAsAwaited_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("address"); // -1: whichever sensor answers
        QTest::addColumn<int>("code");    // -1: any code
        QTest::addColumn<int>("fw");      // 0: the firmware is not known
        QTest::addColumn<bool>("taken");

        const QByteArray identity = framedAnswer(5, 0xFC, bytes({0x39, 0x30, 0, 0, 0xB0, 0}));
        const QByteArray mode = framedAnswer(5, 0xF2, bytes({0x88}));
        const QByteArray modeEcho = framedAnswer(5, 0xF2, bytes({0x88, 0x13}));
        QByteArray badCrc = identity;
        badCrc[4] = char(badCrc.at(4) ^ 0x01);
        QTest::newRow("awaited, good") << identity << 5 << 0xFC << 176 << true;
        QTest::newRow("another sensor's") << identity << 6 << 0xFC << 176 << false;
        QTest::newRow("another command's") << identity << 5 << 0xF0 << 176 << false;
        QTest::newRow("bad CRC") << badCrc << 5 << 0xFC << 176 << false;
        QTest::newRow("unframed, good CRC") << withCrc(bytes({5, 7})) << -1 << -1 << 0 << false;
        QTest::newRow("data 1.7.6") << dataAnswer({}, 26) << 5 << 0xF0 << 176 << true;
        QTest::newRow("data 1.6.3") << dataAnswer({}, 22) << 5 << 0xF0 << 163 << true;
        QTest::newRow("data cut short, good CRC") << dataAnswer({}, 12) << -1 << -1 << 176 << false;
        QTest::newRow("data of a newer firmware") << dataAnswer({}, 26) << -1 << -1 << 150 << false;
        QTest::newRow("data, firmware not known") << dataAnswer({}, 12) << -1 << -1 << 0 << true;
        // A frame followed by its own CRC runs the CRC to zero, so the second frame's CRC
        // passes for both: a good CRC, a wrong length.
        QTest::newRow("two identities run together")
            << identity + identity << 5 << 0xFC << 0 << false;
        QTest::newRow("identity without its version")
            << withCrc(identity.left(7)) << -1 << -1 << 176 << false;
        QTest::newRow("mode 1.7.4 with a byte more") << modeEcho << -1 << -1 << 174 << false;
        QTest::newRow("mode 1.7.5, either way") << mode << -1 << -1 << 175 << true;
        QTest::newRow("mode 1.7.6 without the echo") << mode << -1 << -1 << 176 << false;
        QTest::newRow("table cut short")
            << framedAnswer(5, 0xEF, QByteArray(79, 1)) << -1 << -1 << 176 << false;
        QTest::newRow("confirmation, any length")
            << framedAnswer(5, 0xE9, bytes({1, 2})) << 5 << -1 << 176 << true;
        QTest::newRow("confirmation, bad CRC")
            << bytes({0x3E, 5, 0xD0, 0}) << -1 << -1 << 176 << false;
    }
    void answersAreTakenOnlyAsAwaited()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, address);
        QFETCH(int, code);
        QFETCH(int, fw);
        QFETCH(bool, taken);
        AwaitedAnswer awaited;
        if (address >= 0)
            awaited.address = quint8(address);
        if (code >= 0)
            awaited.code = quint8(code);
        if (fw)
            awaited.firmware = capabilitiesOf(fw);
        QCOMPARE(answerAccepted(answer, awaited), taken);
    }

    void int16BigEndianIsTwosComplement()
    {
        QCOMPARE(int16BigEndian(-1), bytes({0xFF, 0xFF}));
        QCOMPARE(int16BigEndian(1000), bytes({0x03, 0xE8}));
        QCOMPARE(int16BigEndian(-1000), bytes({0xFC, 0x18}));
        QCOMPARE(int16BigEndian(-150), bytes({0xFF, 0x6A}));
    }

    void positionsCountFromOneAndNeverReadPastTheEnd()
    {
        const QByteArray s = bytes({0x3E, 0x01, 0x02, 0x03});
        QCOMPARE(byteAt(s, 1).value(), quint8(0x3E));
        QCOMPARE(byteAt(s, 4).value(), quint8(0x03));
        QVERIFY(!byteAt(s, 5));
        QVERIFY(!byteAt(s, 0));
        QCOMPARE(leValue(s, 2, 3).value(), 0x030201u);
        QVERIFY(!leValue(s, 3, 4));
        QCOMPARE(beValue16(s, 2).value(), quint16(0x0102));
        QVERIFY(!beValue16(s, 4));
    }
};

QTEST_GUILESS_MAIN(tst_FrameCodec)
#include "tst_framecodec.moc"
