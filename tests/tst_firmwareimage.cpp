// The boot loader's frames, the check of an image and the frames of a whole update,
// without a port.
#include "FirmwareImages.h"
#include "firmware/FirmwareImage.h"
#include "firmware/LoaderFrames.h"
#include "firmware/UpdateSequence.h"

#include <QtTest>

Q_DECLARE_METATYPE(SensorType)

namespace
{
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// The loader's data frame of a block: 7F, the bytes, the XOR of both.
QByteArray blockFrame(const QByteArray &block)
{
    char sum = 0x7F;
    for (char b : block)
        sum ^= b;
    return hex("7f") + block + sum;
}

QList<QByteArray> framesOf(const QList<LoaderStep> &steps)
{
    QList<QByteArray> out;
    for (const LoaderStep &s : steps)
        out.append(s.frame);
    return out;
}
} // namespace

class tst_FirmwareImage : public QObject
{
    Q_OBJECT

private slots:
    void frames_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("erase") << codeFrame(Loader::kErase) << hex("43bc");
        QTest::newRow("erase everything") << codeFrame(Loader::kEraseEverything) << hex("ff00");
        QTest::newRow("erase data EEPROM") << codeFrame(Loader::kEraseDataEeprom) << hex("ee11");
        QTest::newRow("write memory") << codeFrame(Loader::kWriteMemory) << hex("31ce");
        QTest::newRow("go") << codeFrame(Loader::kGo) << hex("21de");
        QTest::newRow("PL-540 application") << addressFrame(0x9000) << hex("0000900090");
        QTest::newRow("PL-140 application") << addressFrame(0x8A00) << hex("00008a008a");
        QTest::newRow("option byte 1") << addressFrame(0x4803) << hex("000048034b");
        QTest::newRow("option byte 2") << addressFrame(0x4805) << hex("000048054d");
        QTest::newRow("option byte 3") << addressFrame(0x4807) << hex("000048074f");
        QTest::newRow("option byte 4") << addressFrame(0x4809) << hex("0000480941");
        QTest::newRow("all four address bytes") << addressFrame(0x12345678) << hex("1234567808");
        QTest::newRow("one data byte") << dataFrame(hex("a5")) << hex("00a5a5");
        QTest::newRow("128 zero bytes")
            << dataFrame(QByteArray(128, '\0')) << hex("7f") + QByteArray(128, '\0') + hex("7f");
        QTest::newRow("128 bytes FF") << dataFrame(QByteArray(128, '\xFF'))
                                      << hex("7f") + QByteArray(128, '\xFF') + hex("7f");
        QTest::newRow("three bytes") << dataFrame(hex("0102f0")) << hex("020102f0f1");
        QTest::newRow("256 bytes, the most")
            << dataFrame(QByteArray(256, '\x01')).left(2) << hex("ff01");
        QTest::newRow("no bytes") << dataFrame(QByteArray()) << QByteArray();
        QTest::newRow("257 bytes") << dataFrame(QByteArray(257, '\0')) << QByteArray();
    }
    void frames()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(frame.toHex(' '), expected.toHex(' '));
    }

    void plans_data()
    {
        QTest::addColumn<SensorType>("type");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<int>("applicationBlocks");
        QTest::addColumn<QList<int>>("fileBlocks");
        QTest::addColumn<quint32>("firstApplicationAddress");
        QTest::newRow("PL-540, full image")
            << pl540Type() << false << 224 << QList<int>{160, 383} << quint32(0x9000);
        QTest::newRow("PL-540, calibration reset")
            << pl540Type() << true << 3 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 160, 161, 162}
            << quint32(0x9000);
        QTest::newRow("PL-140") << pl140Type() << false << 2 << QList<int>{148, 149}
                                << quint32(0x8A00);
        QTest::newRow("PL-140, calibration reset")
            << pl140Type() << true << 2 << QList<int>{0, 148, 149} << quint32(0x8A00);
    }
    void plans()
    {
        QFETCH(SensorType, type);
        QFETCH(bool, eeprom);
        QFETCH(int, applicationBlocks);
        QFETCH(QList<int>, fileBlocks);
        QFETCH(quint32, firstApplicationAddress);
        const QByteArray image = firmwareImage(type, applicationBlocks);
        const PlanResult result = planFirmwareUpdate(image, type, eeprom);
        QVERIFY2(result.plan, qPrintable(result.refusal));
        const FirmwarePlan &plan = *result.plan;
        QCOMPARE(plan.optionBytes, hex("a1a2a3a4"));
        const int eepromBlocks = eeprom ? type.eepromBlocks : 0;
        QCOMPARE(plan.blocks.size(), eepromBlocks + applicationBlocks);
        QList<int> got;
        for (const PlannedBlock &b : plan.blocks) {
            got.append(b.fileBlock);
            QCOMPARE(b.address, quint32(0x4000 + 128 * b.fileBlock));
            QCOMPARE(b.data, imageBlock(image, b.fileBlock));
        }
        if (fileBlocks.size() == 2 && applicationBlocks > 2)
            got = {got.first(), got.last()};
        QCOMPARE(got, fileBlocks);
        const PlannedBlock &first = plan.blocks.at(eepromBlocks);
        QCOMPARE(first.address, firstApplicationAddress);
        QCOMPARE(blockNumber(plan, first), 0);
        QCOMPARE(blockNumber(plan, plan.blocks.first()), eeprom ? -type.skipLimit : 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<SensorType>("type");
        QTest::addColumn<QString>("reason");
        const QByteArray full = firmwareImage(pl540Type(), 4);
        QByteArray unmarked = full;
        unmarked[64 + 128 * 160] = '\0';
        QTest::newRow("empty") << QByteArray() << pl540Type()
                               << "it holds 0 bytes, but a PL-540 image needs at least 20672 "
                                  "(the header and blocks 0 to 160)";
        QTest::newRow("no application block")
            << full.left(64 + 128 * 160) << pl540Type() << "it holds 20544 bytes";
        QTest::newRow("application block cut short")
            << full.left(64 + 128 * 161 - 1) << pl540Type() << "it holds 20671 bytes";
        QTest::newRow("trailing part")
            << full + QByteArray(100, '\xFF') << pl540Type()
            << "its length is not the header plus whole blocks of 128 bytes (100 bytes left over)";
        QTest::newRow("trailing byte")
            << full + QByteArray(1, '\0') << pl540Type() << "(1 byte left over)";
        QTest::newRow("no marker") << unmarked << pl540Type()
                                   << "block 160, where the PL-540 application begins, does "
                                      "not start with 0x23";
        QTest::newRow("PL-540 image for a PL-140")
            << full << pl140Type() << "block 148, where the PL-140 application begins";
    }
    void refusals()
    {
        QFETCH(QByteArray, image);
        QFETCH(SensorType, type);
        QFETCH(QString, reason);
        for (bool eeprom : {false, true}) {
            const PlanResult result = planFirmwareUpdate(image, type, eeprom);
            QVERIFY(!result.plan);
            QVERIFY2(result.refusal.contains(reason), qPrintable(result.refusal));
        }
    }

    // The frames after the loader has answered, as they go out.
    void updateFrames_data()
    {
        QTest::addColumn<SensorType>("type");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<QList<QByteArray>>("start");
        QTest::addColumn<int>("firstBlock");
        const QList<QByteArray> options = {hex("31ce"), hex("000048034b"), hex("00a1a1"),
                                           hex("31ce"), hex("000048054d"), hex("00a2a2"),
                                           hex("31ce"), hex("000048074f"), hex("00a3a3"),
                                           hex("31ce"), hex("0000480941"), hex("00a4a4")};
        QTest::newRow("PL-540") << pl540Type() << false
                                << QList<QByteArray>{hex("43bc"), hex("ff00")} + options +
                                       QList<QByteArray>{hex("31ce"), hex("0000900090")}
                                << 160;
        QTest::newRow("PL-540, calibration reset")
            << pl540Type() << true
            << QList<QByteArray>{hex("43bc"), hex("ff00"), hex("43bc"), hex("ee11")} + options +
                   QList<QByteArray>{hex("31ce"), hex("0000400040")}
            << 0;
        QTest::newRow("PL-140") << pl140Type() << false
                                << QList<QByteArray>{hex("43bc"), hex("ff00")} + options +
                                       QList<QByteArray>{hex("31ce"), hex("00008a008a")}
                                << 148;
    }
    void updateFrames()
    {
        QFETCH(SensorType, type);
        QFETCH(bool, eeprom);
        QFETCH(QList<QByteArray>, start);
        QFETCH(int, firstBlock);
        const QByteArray image = firmwareImage(type, 3);
        const FirmwarePlan plan = *planFirmwareUpdate(image, type, eeprom).plan;
        const QList<QByteArray> frames = framesOf(updateSteps(plan));
        QCOMPARE(frames.mid(0, start.size()), start);
        QCOMPARE(frames.at(start.size()), blockFrame(imageBlock(image, firstBlock)));
        // Three frames a block, and the start command last.
        QCOMPARE(frames.size(), start.size() - 2 + 3 * int(plan.blocks.size()) + 1);
        QCOMPARE(frames.last(), hex("21de"));
    }

    void loaderTexts()
    {
        using Kind = LoaderStep::Kind;
        QCOMPARE(blockFailureText(Kind::BlockCommand, 0), QString(" 31 0,wrong block"));
        QCOMPARE(blockFailureText(Kind::BlockAddress, 12), QString("addr 12,wrong block"));
        QCOMPARE(blockFailureText(Kind::BlockData, -160), QString(" data -160,wrong block"));
        QCOMPARE(blockFailureText(Kind::OptionData, 0), QString());
        QCOMPARE(blockProgressText(0), QString("Block -1"));
        QCOMPARE(blockProgressText(-160), QString("Block -161"));
    }
};

QTEST_GUILESS_MAIN(tst_FirmwareImage)
#include "tst_firmwareimage.moc"
