#include "core/calibration/CalibrationTable.h"
#include "core/calibration/TableFile.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/FrameCodec.h"

#include <QtTest>

using namespace levelconf;

// The calibration table without a window: write frame, read answer, .pl5 file.
namespace
{
// The default values, high byte first, as they go on the wire for either column.
const QByteArray kDefaultSide =
    QByteArray::fromHex("00 C8 01 90 02 58 03 20 03 E8 04 B0 05 78 06 40 07 08 07 D0 "
                        "08 98 09 60 0A 28 0A F0 0B B8 0C 80 0D 48 0E 10 0E D8 10 00");

CalibrationCells numbered(int base)
{
    CalibrationCells c;
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        c.readings[i] = QString::number(base + i);
        c.volumes[i] = QString::number(base + 100 + i);
    }
    return c;
}
} // namespace

class tst_CalibrationTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void writeFrames()
    {
        const QByteArray data = tableWriteData(CalibrationCells::defaults()).bytes;
        QCOMPARE(data.toHex(' '), (kDefaultSide + kDefaultSide).toHex(' '));
        const QByteArray plain = tableWriteRequest(5, data, false);
        QCOMPARE(plain.size(), 84);
        QCOMPARE(plain.left(3) + plain.mid(3, 80), bytes({0x31, 0x05, 0xF1}) + data);
        const QByteArray keyed = tableWriteRequest(5, data, true);
        QCOMPARE(keyed.size(), 87);
        QCOMPARE(keyed.mid(3, 3) + keyed.mid(6, 80), writeKey() + data);
        QVERIFY(answerCrcMatches(plain) && answerCrcMatches(keyed));
    }

    // Volume 7 holds `text`: its two bytes, or the message that names it.
    void cellsOnTheWire_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire"); // empty: refused
        QTest::newRow("256") << "256" << bytes({0x01, 0x00});
        QTest::newRow("32767") << "32767" << bytes({0x7F, 0xFF});
        QTest::newRow("0") << "0" << bytes({0x00, 0x00});
        QTest::newRow("2.5 to even") << "2.5" << bytes({0x00, 0x02});
        QTest::newRow("letters") << "12a" << QByteArray();
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("-1") << "-1" << QByteArray();
        QTest::newRow("65535 as read") << "65535" << QByteArray();
        QTest::newRow("rounds to 32768") << "32767.5" << QByteArray();
    }
    void cellsOnTheWire()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        CalibrationCells c = CalibrationCells::defaults();
        c.volumes[7] = text;
        const TableWriteData d = tableWriteData(c);
        QCOMPARE(d.bytes.mid(54, 2), wire);
        if (wire.isEmpty()) {
            QCOMPARE(
                refusalMessage(*d.refused),
                QStringLiteral("Point 7, Литры: \"%1\" is not a number from 0 to 32767").arg(text));
        }
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("taken");
        QByteArray values = kDefaultSide + kDefaultSide;
        values[0] = char(0xFF);
        values[1] = char(0xFF);
        const QByteArray good = withCrc(bytes({0x3E, 0x05, 0xEF}) + values);
        QByteArray badCrc = good;
        badCrc[20] = char(badCrc.at(20) ^ 0x40);
        QTest::newRow("84 bytes") << good << true;
        QTest::newRow("83 bytes") << withCrc(good.left(82)) << false;
        QTest::newRow("85 bytes") << withCrc(good.left(83) + '\0') << false;
        QTest::newRow("a value changed on the way") << badCrc << false;
    }
    void answers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, taken);
        const std::optional<CalibrationCells> c = decodeTableAnswer(answer);
        QCOMPARE(c.has_value(), taken);
        if (!taken)
            return;
        CalibrationCells expected = CalibrationCells::defaults();
        expected.readings[0] = "65535";
        QCOMPARE(*c, expected);
        QVERIFY(tableLogText(*c).startsWith("65535, 400, 600, "));
    }

    void dumpPutsBothCheckBytesSideBySide()
    {
        QCOMPARE(tableDumpText(bytes({0x3E, 0x05, 0xEF, 0x00, 0x0A})), QString("3E 05 EF 00 0A 5"));
    }

    void fileLoads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("loaded"); // base of the table loaded; -1: none
        QTest::addColumn<bool>("endedInside");
        auto text = [](int base, int lines) {
            return tableFileLines(numbered(base)).mid(0, lines).join("\r\n").toUtf8() + "\r\n";
        };
        QTest::newRow("80 lines") << text(1000, 40) + text(2000, 40) << 2000 << false;
        QTest::newRow("LF only") << text(1000, 40).replace("\r", "") << 1000 << false;
        QTest::newRow("empty") << QByteArray() << -1 << false;
        QTest::newRow("39 lines") << text(1000, 39) << -1 << true;
        QTest::newRow("50 lines") << text(1000, 40) + text(2000, 10) << 1000 << true;
    }
    void fileLoads()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, loaded);
        QFETCH(bool, endedInside);
        QTemporaryDir dir;
        QFile f(dir.filePath("t.pl5"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();
        QString error;
        const TableFileLoad load =
            loadTableLines(*readTableFile(f.fileName(), &error), numbered(7));
        QCOMPARE(load.cells, numbered(loaded < 0 ? 7 : loaded));
        QCOMPARE(load.endedInsideTable, endedInside);
    }

    // A file picked by mistake (a video, a disk image, a device that never ends) is refused
    // by its size instead of being read into memory whole.
    void fileSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("1 MiB") << qint64(1024 * 1024) << true;
        QTest::newRow("a byte more") << qint64(1024 * 1024 + 1) << false;
    }
    void fileSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, read);
        QTemporaryDir dir;
        QFile f(dir.filePath("big.pl5"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(size));
        f.close();
        QString error;
        const std::optional<QStringList> lines = readTableFile(f.fileName(), &error);
        QCOMPARE(lines.has_value(), read);
        QCOMPARE(error, read ? QString()
                             : "it is larger than 1048576 bytes, far more than any "
                               "calibration file");
    }

    void fileRoundTripKeepsCellsAsText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.pl5");
        CalibrationCells c = CalibrationCells::defaults();
        c.readings[2] = "abc";
        c.volumes[19] = " 12,5 ";
        QVERIFY(!writeTableFile(path, c));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QCOMPARE(raw.count("\r\n"), 40);
        QVERIFY(raw.startsWith("200\r\n400\r\nabc\r\n800\r\n") && raw.endsWith("\r\n 12,5 \r\n"));
        QString error;
        QCOMPARE(loadTableLines(*readTableFile(path, &error), numbered(0)).cells, c);
        // Where the folder has gone, the save fails and leaves nothing behind.
        QVERIFY(writeTableFile(dir.filePath("gone/tank.pl5"), c));
        QVERIFY(!QFile::exists(dir.filePath("gone")));
    }
};

QTEST_GUILESS_MAIN(tst_CalibrationTable)
#include "tst_calibrationtable.moc"
