#include "calibration/CalibrationTable.h"
#include "calibration/TableFile.h"
#include "protocol/AnswerCheck.h"
#include "protocol/ByteString.h"
#include "protocol/FrameCodec.h"

#include <QtTest>

// The calibration table without a window: write frame, read answer, log texts, .pl5 file.
namespace
{
// The default values, high byte first, as the sensor takes them on either side.
const QByteArray kDefaultSide =
    QByteArray::fromHex("00 C8 01 90 02 58 03 20 03 E8 04 B0 05 78 06 40 07 08 07 D0 "
                        "08 98 09 60 0A 28 0A F0 0B B8 0C 80 0D 48 0E 10 0E D8 10 00");

// A table answer carrying `values` (readings then volumes), with a correct CRC.
QByteArray tableAnswer(const QByteArray &values)
{
    return Control_summ(bytes({0x3E, 0x05, 0xEF}) + values);
}

CalibrationCells numbered(int base)
{
    CalibrationCells c;
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        c.readings[i] = QString::number(base + i);
        c.volumes[i] = QString::number(base + 100 + i);
    }
    return c;
}

QStringList linesOf(const CalibrationCells &c)
{
    return tableFileLines(c);
}
} // namespace

class tst_CalibrationTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // ---- to the sensor ----

    void defaultTableDataBytes()
    {
        const TableWriteData d = tableWriteData(CalibrationCells::defaults());
        QVERIFY(!d.refused);
        QCOMPARE(d.bytes.toHex(' '), (kDefaultSide + kDefaultSide).toHex(' '));
    }

    void cellValuesOnTheWire_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("256") << "256" << bytes({0x01, 0x00});
        QTest::newRow("32767") << "32767" << bytes({0x7F, 0xFF});
        QTest::newRow("0") << "0" << bytes({0x00, 0x00});
        QTest::newRow("2.5 to even") << "2.5" << bytes({0x00, 0x02});
        QTest::newRow("3.5 to even") << "3.5" << bytes({0x00, 0x04});
        QTest::newRow("-0.4 is 0") << "-0.4" << bytes({0x00, 0x00});
        QTest::newRow("blanks around") << " 300 " << bytes({0x01, 0x2C});
    }
    void cellValuesOnTheWire()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        // Point 3 of each column: the bytes land in its own place and nowhere else.
        CalibrationCells c = CalibrationCells::defaults();
        c.readings[3] = text;
        c.volumes[3] = text;
        const QByteArray d = tableWriteData(c).bytes;
        QCOMPARE(d.size(), 80);
        QCOMPARE(d.mid(6, 2), wire);
        QCOMPARE(d.mid(46, 2), wire);
        QCOMPARE(d.left(6), kDefaultSide.left(6));
        QCOMPARE(d.mid(8, 38), kDefaultSide.mid(8) + kDefaultSide.left(6));
    }

    void cellsThatCannotBeSent_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        auto row = [](const char *name, TableColumn col, int point, const QString &text,
                      const QString &message) {
            QTest::newRow(name) << int(col) << point << text << message;
        };
        row("letters", TableColumn::Volume, 7, "12a",
            "Point 7, Литры: \"12a\" is not a number from 0 to 32767");
        row("empty", TableColumn::Reading, 0, "",
            "Point 0, Показания датчика: \"\" is not a number from 0 to 32767");
        row("negative", TableColumn::Reading, 19, "-1",
            "Point 19, Показания датчика: \"-1\" is not a number from 0 to 32767");
        row("above 32767", TableColumn::Volume, 0, "32768",
            "Point 0, Литры: \"32768\" is not a number from 0 to 32767");
        row("65535 as read", TableColumn::Volume, 19, "65535",
            "Point 19, Литры: \"65535\" is not a number from 0 to 32767");
        row("rounds above", TableColumn::Reading, 5, "32767.5",
            "Point 5, Показания датчика: \"32767.5\" is not a number from 0 to 32767");
        row("group separator", TableColumn::Reading, 5, "1,500",
            "Point 5, Показания датчика: \"1,500\" is not a number from 0 to 32767");
    }
    void cellsThatCannotBeSent()
    {
        QFETCH(int, column);
        QFETCH(int, point);
        QFETCH(QString, text);
        QFETCH(QString, message);
        CalibrationCells c = CalibrationCells::defaults();
        (TableColumn(column) == TableColumn::Reading ? c.readings : c.volumes)[point] = text;
        const TableWriteData d = tableWriteData(c);
        QVERIFY(d.refused);
        QCOMPARE(refusalMessage(*d.refused), message);
        QVERIFY(d.bytes.isEmpty());
    }

    void theFirstBadCellInFrameOrderIsNamed()
    {
        CalibrationCells c = CalibrationCells::defaults();
        c.volumes[0] = "x";
        c.readings[19] = "y";
        c.readings[4] = "z";
        const TableWriteData d = tableWriteData(c);
        QCOMPARE(d.refused->point, 4);
        QCOMPARE(d.refused->column, TableColumn::Reading);
    }

    void writeRequestWithAndWithoutKey()
    {
        const QByteArray data = tableWriteData(CalibrationCells::defaults()).bytes;
        const QByteArray plain = tableWriteRequest(5, data, false);
        QCOMPARE(plain.size(), 84);
        QCOMPARE(plain.left(3), bytes({0x31, 0x05, 0xF1}));
        QCOMPARE(plain.mid(3, 80), data);
        QVERIFY(answerCrcMatches(plain));

        const QByteArray keyed = tableWriteRequest(5, data, true);
        QCOMPARE(keyed.size(), 87);
        QCOMPARE(keyed.mid(3, 3), write_key());
        QCOMPARE(keyed.mid(6, 80), data);
        QVERIFY(answerCrcMatches(keyed));
    }

    void writeLogLineKeepsTheCellsAsTyped()
    {
        CalibrationCells c = CalibrationCells::defaults();
        c.readings[0] = "0200";
        QString expected = "Cmd_SetTable =  0200,";
        for (int i = 1; i < 19; ++i)
            expected += QStringLiteral(" %1,").arg(200 * (i + 1));
        expected += " 4096,";
        for (int i = 0; i < 19; ++i)
            expected += QStringLiteral(" %1,").arg(200 * (i + 1));
        expected += " 4096,";
        QCOMPARE(tableWriteLogLine(c), expected);
    }

    // ---- from the sensor ----

    void answerIsDecodedHighByteFirst()
    {
        QByteArray values = kDefaultSide + kDefaultSide;
        values[0] = char(0xFF);
        values[1] = char(0xFF);
        values[78] = char(0x01);
        values[79] = char(0x00);
        const std::optional<CalibrationCells> c = decodeTableAnswer(tableAnswer(values));
        QVERIFY(c);
        CalibrationCells expected = CalibrationCells::defaults();
        expected.readings[0] = "65535";
        expected.volumes[19] = "256";
        QCOMPARE(*c, expected);
        // What was read can be looked at, but 65535 cannot go back.
        QCOMPARE(tableWriteData(*c).refused->text, QString("65535"));
        QString log = tableLogText(*c);
        QVERIFY(log.startsWith("65535, 400, 600, "));
        QVERIFY(log.endsWith(", 3800, 256, "));
        QCOMPARE(log.count(", "), 40);
    }

    void damagedAnswersGiveNoCells_data()
    {
        QTest::addColumn<QByteArray>("answer");
        const QByteArray good = tableAnswer(kDefaultSide + kDefaultSide);
        QByteArray badCrc = good;
        badCrc[83] = char(badCrc.at(83) ^ 0x01);
        QByteArray badValue = good;
        badValue[10] = char(badValue.at(10) ^ 0x40);
        QTest::newRow("83 bytes") << Control_summ(good.left(82));
        QTest::newRow("85 bytes") << Control_summ(good.left(83) + char(0));
        QTest::newRow("wrong check byte") << badCrc;
        QTest::newRow("a value changed on the way") << badValue;
        QTest::newRow("4 bytes") << tableAnswer({});
    }
    void damagedAnswersGiveNoCells()
    {
        QFETCH(QByteArray, answer);
        QVERIFY(!decodeTableAnswer(answer));
    }

    void dumpShowsReceivedAndComputedCheckBytes()
    {
        QCOMPARE(tableDumpText(bytes({0x3E, 0x05, 0xEF, 0x00, 0x0A})), QString("3E 05 EF 00 0A 5"));
        const QByteArray good = tableAnswer(kDefaultSide + kDefaultSide);
        const QString dump = tableDumpText(good);
        const QString crc = QString::number(quint8(good.back()), 16).toUpper();
        QVERIFY(dump.startsWith("3E 05 EF 00 C8 01 90 "));
        QVERIFY(dump.endsWith(QStringLiteral("10 00 %1 %1").arg(crc)));
        QCOMPARE(answerCheckText(bytes({0x3E, 0x05, 0xEF, 0x00, 0x0A})),
                 QString("5 bytes, CRC received 0A, computed 05"));
    }

    // ---- the .pl5 file ----

    void fileLinesSplit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("LF, last unended") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("empty file") << "" << QStringList{};
        QTest::newRow("one empty line") << "\r\n" << QStringList{""};
        QTest::newRow("empty line at the end") << "a\r\n\r\n" << QStringList{"a", ""};
    }
    void fileLinesSplit()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(splitTableFileText(text), lines);
    }

    void loadingLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("loadedBase"); // -1: the cells stay as they were
        QTest::addColumn<bool>("endedInside");
        const QStringList a = linesOf(numbered(1000));
        const QStringList b = linesOf(numbered(2000));
        QTest::newRow("one table") << a << 1000 << false;
        QTest::newRow("80 lines: the second table") << a + b << 2000 << false;
        QTest::newRow("empty") << QStringList{} << -1 << false;
        QTest::newRow("39 lines") << a.mid(0, 39) << -1 << true;
        QTest::newRow("1 line") << a.mid(0, 1) << -1 << true;
        QTest::newRow("50 lines: the complete table") << a + b.mid(0, 10) << 1000 << true;
    }
    void loadingLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, loadedBase);
        QFETCH(bool, endedInside);
        const CalibrationCells before = numbered(7);
        const TableFileLoad load = loadTableLines(lines, before);
        QCOMPARE(load.cells, loadedBase < 0 ? before : numbered(loadedBase));
        QCOMPARE(load.lines, lines.size());
        QCOMPARE(load.endedInsideTable, endedInside);
    }

    void fileRoundTripKeepsEveryCellAsText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.pl5");
        CalibrationCells c = CalibrationCells::defaults();
        c.readings[2] = "abc";
        c.volumes[11] = "";
        c.volumes[19] = " 12,5 ";
        QVERIFY(!writeTableFile(path, c));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QCOMPARE(raw.count("\r\n"), 40);
        QCOMPARE(raw.count('\n'), 40);
        QVERIFY(raw.startsWith("200\r\n400\r\nabc\r\n800\r\n"));
        QVERIFY(raw.endsWith("3800\r\n 12,5 \r\n"));

        QString error;
        const std::optional<QStringList> lines = readTableFile(path, &error);
        QVERIFY(lines);
        QCOMPARE(lines->size(), 40);
        const TableFileLoad load = loadTableLines(*lines, numbered(0));
        QCOMPARE(load.cells, c);
        QVERIFY(!load.endedInsideTable);
    }

    void fileFailuresAreReported()
    {
        QTemporaryDir dir;
        const QString gone = dir.filePath("gone/tank.pl5");
        const std::optional<QString> writeError = writeTableFile(gone, numbered(0));
        QVERIFY(writeError);
        QVERIFY(!writeError->isEmpty());
        QVERIFY(!QFile::exists(gone));

        // A folder where the file should be is not replaced.
        QVERIFY(QDir(dir.path()).mkdir("taken.pl5"));
        QVERIFY(writeTableFile(dir.filePath("taken.pl5"), numbered(0)));
        QVERIFY(QFileInfo(dir.filePath("taken.pl5")).isDir());

        QString readError;
        QVERIFY(!readTableFile(gone, &readError));
        QVERIFY(!readError.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_CalibrationTable)
#include "tst_calibrationtable.moc"
