// The boot loader's frames, the check of an image and the frames of a whole update,
// without a port.
#include "FirmwareImages.h"
#include "core/firmware/LoaderFrames.h"
#include "core/firmware/UpdateSequence.h"

#include <QtTest>

using namespace levelconf;

Q_DECLARE_METATYPE(SensorType)

namespace
{
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
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
        QTest::newRow("go") << codeFrame(Loader::kGo) << hex("21de");
        QTest::newRow("all address bytes") << addressFrame(0x12345678) << hex("1234567808");
        QTest::newRow("one data byte") << dataFrame(hex("a5")) << hex("00a5a5");
        QTest::newRow("three data bytes") << dataFrame(hex("0102f0")) << hex("020102f0f1");
        QTest::newRow("128 zero bytes")
            << dataFrame(QByteArray(128, '\0')) << hex("7f") + QByteArray(128, '\0') + hex("7f");
        QTest::newRow("no data") << dataFrame(QByteArray()) << QByteArray();
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
        QTest::addColumn<QList<int>>("fileBlocks"); // the first and the last written
        QTest::newRow("PL-540, full image") << pl540Type() << false << 224 << QList<int>{160, 383};
        QTest::newRow("PL-140, calibration reset")
            << pl140Type() << true << 2 << QList<int>{0, 148, 149};
        // Up to the last byte of the program memory, 0x27FFF.
        QTest::newRow("PL-540, program memory full")
            << pl540Type() << false << 992 << QList<int>{160, 1151};
        QTest::newRow("PL-140, program memory full")
            << pl140Type() << false << 1004 << QList<int>{148, 1151};
    }
    void plans()
    {
        QFETCH(SensorType, type);
        QFETCH(bool, eeprom);
        QFETCH(int, applicationBlocks);
        QFETCH(QList<int>, fileBlocks);
        const QByteArray image = firmwareImage(type, applicationBlocks);
        const PlanResult result = planFirmwareUpdate(image, type, eeprom);
        QVERIFY2(result.plan, qPrintable(result.refusal));
        const FirmwarePlan &plan = *result.plan;
        QCOMPARE(plan.optionBytes, hex("a1a2a3a4"));
        QCOMPARE(plan.blocks.size(), (eeprom ? type.eepromBlocks : 0) + applicationBlocks);
        QList<int> got;
        for (const PlannedBlock &b : plan.blocks) {
            got.append(b.fileBlock);
            // Both types start their application where the file's numbering puts it.
            QCOMPARE(b.address, quint32(0x4000 + 128 * b.fileBlock));
            QCOMPARE(b.data, imageBlock(image, b.fileBlock));
            QCOMPARE(blockNumber(plan, b), b.fileBlock - type.skipLimit);
        }
        QCOMPARE((got.size() > 11 ? QList<int>{got.first(), got.last()} : got), fileBlocks);
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
        QTest::newRow("application block cut short")
            << full.left(64 + 128 * 161 - 1) << pl540Type() << "it holds 20671 bytes";
        QTest::newRow("trailing part")
            << full + QByteArray(100, '\xFF') << pl540Type()
            << "its length is not the header plus whole blocks of 128 bytes (100 bytes left over)";
        QTest::newRow("no marker") << unmarked << pl540Type()
                                   << "block 160, where the PL-540 application begins, does "
                                      "not start with 0x23";
        QTest::newRow("PL-540 image for a PL-140")
            << full << pl140Type() << "block 148, where the PL-140 application begins";
        QTest::newRow("beyond the PL-540's program memory")
            << firmwareImage(pl540Type(), 1000) << pl540Type()
            << "its application is 1000 blocks long, but the PL-540's program memory ends at "
               "0x27FFF and holds 992 (blocks 160 to 1151 of the file)";
        QTest::newRow("one block beyond the PL-140's")
            << firmwareImage(pl140Type(), 1005) << pl140Type() << "holds 1004";
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

    // The frames after the loader has answered, in the order they go out.
    void updateFrames_data()
    {
        QTest::addColumn<SensorType>("type");
        QTest::addColumn<bool>("eeprom");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("firstBlock");
        const QByteArray options = hex("31ce 000048034b 00a1a1 31ce 000048054d 00a2a2"
                                       "31ce 000048074f 00a3a3 31ce 0000480941 00a4a4");
        QTest::newRow("PL-540") << pl540Type() << false
                                << hex("43bc ff00") + options + hex("31ce 0000900090") << 160;
        QTest::newRow("PL-540, calibration reset")
            << pl540Type() << true << hex("43bc ff00 43bc ee11") + options + hex("31ce 0000400040")
            << 0;
        QTest::newRow("PL-140") << pl140Type() << false
                                << hex("43bc ff00") + options + hex("31ce 00008a008a") << 148;
    }
    void updateFrames()
    {
        QFETCH(SensorType, type);
        QFETCH(bool, eeprom);
        QFETCH(QByteArray, start);
        QFETCH(int, firstBlock);
        const QByteArray image = firmwareImage(type, 3);
        const FirmwarePlan plan = *planFirmwareUpdate(image, type, eeprom).plan;
        const QList<LoaderStep> steps = updateSteps(plan);
        QByteArray sent;
        for (const LoaderStep &s : steps)
            sent += s.frame;
        QCOMPARE(sent.left(start.size()).toHex(' '), start.toHex(' '));
        const QByteArray block = imageBlock(image, firstBlock);
        char sum = 0x7F;
        for (char b : block)
            sum ^= b;
        QCOMPARE(sent.mid(start.size(), 130), hex("7f") + block + sum);
        // Three frames a block, and the start command last.
        QCOMPARE(steps.size(), (eeprom ? 18 : 16) - 2 + 3 * int(plan.blocks.size()) + 1);
        QCOMPARE(steps.last().frame, hex("21de"));
    }
};

QTEST_GUILESS_MAIN(tst_FirmwareImage)
#include "tst_firmwareimage.moc"
