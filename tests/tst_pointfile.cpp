// The tank calibration's point file without a window: reading it back, how a loaded
// series goes on, and appends that must fail rather than lose a point.
#include "FileLoss.h"
#include "core/calibration/PointFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace levelconf;

class tst_PointFile : public QObject
{
    Q_OBJECT

private slots:
    void readsUpToTheFirstLineThatIsNotAPoint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("points"); // as lines again
        QTest::addColumn<int>("stopLine");
        QTest::newRow("header only") << ";;\r\n" << QStringList() << 0;
        QTest::newRow("LF line ends, last line unended")
            << ";;\n1;0;1\n2;5;2" << QStringList{"1;0;1", "2;5;2"} << 0;
        QTest::newRow("the level keeps its own ;") << "x\r\n07;-20;No data;x\r\n"
                                                   << QStringList{"07;-20;No data;x"} << 0;
        QTest::newRow("a blank line") << ";;\r\n1;0;1\r\n\r\n3;9;3\r\n"
                                      << QStringList{"1;0;1"} << 3;
        QTest::newRow("a line with one ;") << ";;\r\n1;0;1\r\n2;5\r\n" << QStringList{"1;0;1"} << 3;
        QTest::newRow("no header line") << "" << QStringList() << 1;
    }
    void readsUpToTheFirstLineThatIsNotAPoint()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, points);
        QFETCH(int, stopLine);
        const LoadedPoints loaded = parsePointFile(text);
        QStringList lines;
        for (const CalibrationPoint &p : loaded.points)
            lines.append(pointLine(p));
        QCOMPARE(lines, points);
        QCOMPARE(loaded.stopLine, stopLine);
        QCOMPARE(loaded.complete(), stopLine == 0);
    }

    void goesOnFromTheEndOfASeries_data()
    {
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<int>("portion");     // found in the file; 0: to be asked (then 30)
        QTest::addColumn<QString>("pending"); // volume; empty: the series cannot go on
        QTest::newRow("no point: starts at 0") << QStringList() << 0 << "0";
        QTest::newRow("one point: follows it") << QStringList{"70"} << 0 << "100";
        QTest::newRow("falling, blanks, earlier volumes not read")
            << QStringList{"x", " 0", "-20 "} << -20 << "-40";
        QTest::newRow("last volume not whole") << QStringList{"0", "5.5"} << 0 << "";
        QTest::newRow("volume beyond 32 bits") << QStringList{"2147483648"} << 0 << "";
        QTest::newRow("step beyond a portion") << QStringList{"0", "40000"} << 0 << "";
    }
    void goesOnFromTheEndOfASeries()
    {
        QFETCH(QStringList, volumes);
        QFETCH(int, portion);
        QFETCH(QString, pending);
        QList<CalibrationPoint> points;
        for (const QString &v : volumes)
            points.append({"1", v, "1"});
        QString problem;
        const std::optional<SeriesEnd> end = seriesEnd(points, &problem);
        QCOMPARE(end ? QString::number(pendingVolume(*end, end->portion.value_or(30))) : "",
                 pending);
        QCOMPARE(problem.isEmpty(), end.has_value());
        QCOMPARE(end && end->portion ? int(*end->portion) : 0, portion);
    }

    void anAppendThatCannotLandFails_data() { addFileLossRows(); }
    void anAppendThatCannotLandFails()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString path = dir.filePath("cal/tank.trr");
        QVERIFY(QDir().mkpath(dir.filePath("cal")));
        QCOMPARE(createPointFile(path), QString());
        QVERIFY(loseFile(how, path));
        QVERIFY(!appendPointLine(path, pointLine({"1", "0", "12.5"})).isEmpty());
        // Nothing was made anew in its place.
        QVERIFY(!QFileInfo(path).isFile());
    }
};

QTEST_GUILESS_MAIN(tst_PointFile)
#include "tst_pointfile.moc"
