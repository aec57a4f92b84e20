// The tank calibration's point file without a window: its lines, reading it back, how a
// loaded series goes on, and the file work that must never count a point it lost.
#include "FileLoss.h"
#include "calibration/PointFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList volumes(const QList<CalibrationPoint> &points)
{
    QStringList out;
    for (const CalibrationPoint &p : points)
        out.append(p.volume);
    return out;
}
} // namespace

class tst_PointFile : public QObject
{
    Q_OBJECT

private slots:
    void writesTheExampleFileByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.trr");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier calibration that must go\r\n1;0;5\r\n");
        old.close();

        QCOMPARE(createPointFile(path), QString());
        QCOMPARE(appendPointLine(path, pointLine({"1", "0", "12.5"})), QString());
        QCOMPARE(appendPointLine(path, pointLine({"2", "50", "20.1"})), QString());
        QCOMPARE(appendPointLine(path, pointLine({"3", "100", "27.9"})), QString());
        QCOMPARE(contents(path), QByteArray(";;\r\n1;0;12.5\r\n2;50;20.1\r\n3;100;27.9\r\n"));
    }

    void readsTheLinesUpToTheFirstThatIsNotAPoint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<int>("stopLine");
        QTest::newRow("header only") << ";;\r\n" << QStringList() << 0;
        QTest::newRow("three points") << ";;\r\n1;0;12.5\r\n2;50;20.1\r\n3;100;27.9\r\n"
                                      << QStringList{"0", "50", "100"} << 0;
        QTest::newRow("LF line ends, last line unended")
            << ";;\n1;0;1\n2;5;2" << QStringList{"0", "5"} << 0;
        QTest::newRow("a blank line ends the load") << ";;\r\n1;0;1\r\n\r\n3;10;3\r\n"
                                                    << QStringList{"0"} << 3;
        QTest::newRow("a line with one ;") << ";;\r\n1;0;1\r\n2;5\r\n" << QStringList{"0"} << 3;
        QTest::newRow("the header is not looked at") << "x\r\n1;0;1\r\n" << QStringList{"0"} << 0;
        QTest::newRow("an empty file has no header") << "" << QStringList() << 1;
    }
    void readsTheLinesUpToTheFirstThatIsNotAPoint()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, volumes);
        QFETCH(int, stopLine);
        const LoadedPoints loaded = parsePointFile(text);
        QCOMPARE(::volumes(loaded.points), volumes);
        QCOMPARE(loaded.stopLine, stopLine);
        QCOMPARE(loaded.complete(), stopLine == 0);
    }

    void keepsTheLevelAsText()
    {
        // Whatever the reading showed goes back into the grid unchanged, separators and all.
        const LoadedPoints loaded = parsePointFile(";;\r\n07;-20;No data;x\r\n");
        QCOMPARE(loaded.points.size(), 1);
        QCOMPARE(loaded.points.at(0).number, QString("07"));
        QCOMPARE(loaded.points.at(0).volume, QString("-20"));
        QCOMPARE(loaded.points.at(0).level, QString("No data;x"));
    }

    void goesOnFromTheEndOfASeries_data()
    {
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("portion");    // -1000: to be asked for
        QTest::addColumn<qint64>("pending"); // with the portion found, or with 30 when asked
        QTest::newRow("no point: starts at 0") << QStringList() << true << -1000 << qint64(0);
        QTest::newRow("one point: follows it") << QStringList{"70"} << true << -1000 << qint64(100);
        QTest::newRow("100, 150") << QStringList{"0", "50", "100", "150"} << true << 50
                                  << qint64(200);
        QTest::newRow("falling") << QStringList{"0", "-20"} << true << -20 << qint64(-40);
        QTest::newRow("blanks around a volume")
            << QStringList{" 10", "25 "} << true << 15 << qint64(40);
        QTest::newRow("earlier volumes are not read")
            << QStringList{"x", "1", "2"} << true << 1 << qint64(3);
        QTest::newRow("last volume not a number")
            << QStringList{"0", "5.5"} << false << 0 << qint64(0);
        QTest::newRow("volume before it not a number")
            << QStringList{"", "5"} << false << 0 << qint64(0);
        QTest::newRow("volume beyond 32 bits")
            << QStringList{"2147483648"} << false << 0 << qint64(0);
        QTest::newRow("step beyond a portion")
            << QStringList{"0", "40000"} << false << 0 << qint64(0);
    }
    void goesOnFromTheEndOfASeries()
    {
        QFETCH(QStringList, volumes);
        QFETCH(bool, ok);
        QFETCH(int, portion);
        QFETCH(qint64, pending);
        QList<CalibrationPoint> points;
        for (int i = 0; i < volumes.size(); ++i)
            points.append({QString::number(i + 1), volumes.at(i), "1"});
        QString problem;
        const std::optional<SeriesEnd> end = seriesEnd(points, &problem);
        QCOMPARE(end.has_value(), ok);
        QCOMPARE(problem.isEmpty(), ok);
        if (!ok)
            return;
        QCOMPARE(end->portion.has_value(), portion != -1000);
        const qint16 step = end->portion.value_or(30);
        QCOMPARE(int(step), end->portion ? portion : 30);
        QCOMPARE(pendingVolume(*end, step), pending);
    }

    void anAppendThatCannotLandFails_data() { addFileLossRows(); }
    void anAppendThatCannotLandFails()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString folder = dir.filePath("cal");
        const QString path = folder + "/tank.trr";
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(createPointFile(path), QString());
        QVERIFY(loseFile(how, path));

        QVERIFY(!appendPointLine(path, pointLine({"1", "0", "12.5"})).isEmpty());
        // Nothing was made anew in its place.
        QCOMPARE(QFileInfo(path).isFile(), false);
    }

    void readingOrCreatingWhereThereIsNoFileFails()
    {
        QTemporaryDir dir;
        QString problem;
        QVERIFY(!readPointFile(dir.filePath("none.trr"), &problem));
        QVERIFY(!problem.isEmpty());
        QVERIFY(!createPointFile(dir.filePath("no/such/folder.trr")).isEmpty());
        QVERIFY(!createPointFile(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_PointFile)
#include "tst_pointfile.moc"
