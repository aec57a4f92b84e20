#include "core/protocol/Requests.h"
#include "core/trend/ColumnReduction.h"
#include "core/trend/ReadingStore.h"
#include "core/trend/SettingMark.h"

#include <QtTest>

using namespace levelconf;

// The record behind the trend: the bounded store and its series, the reduction of a series
// to pixel columns, and the marks of settings written.
namespace
{
TrendEntry reading(qint64 secs, quint8 address = 5, quint16 output = 1000)
{
    TrendEntry e;
    e.msecs = secs * 1000;
    e.address = address;
    e.output = output;
    return e;
}

TrendEntry gapAt(qint64 secs, quint8 address = 5)
{
    TrendEntry e = reading(secs, address);
    e.gap = true;
    return e;
}

QVector<TimedValue> line(std::initializer_list<std::pair<qint64, double>> points)
{
    QVector<TimedValue> out;
    for (const auto &[t, v] : points)
        out.append({t, v, false});
    return out;
}
} // namespace

class tst_TrendStore : public QObject
{
    Q_OBJECT

private slots:
    // ---- store ----

    void keepsTheNewestEntriesUpToItsCapacity()
    {
        ReadingStore store(100);
        for (int i = 0; i < 250; ++i)
            store.add(reading(i, 5, quint16(i)));
        QCOMPARE(store.size(), 100);
        QCOMPARE(store.at(0).output, quint16(150));
        QCOMPARE(store.at(99).output, quint16(249));
        // Gaps take their place in the ring like readings.
        store.add(gapAt(250));
        QCOMPARE(store.size(), 100);
        QVERIFY(store.at(99).gap);
        QCOMPARE(store.at(0).output, quint16(151));
        QCOMPARE(store.lowerBound(200'000, 0, store.size()), 49);
    }

    void aDayOfPollingIsTheDefaultBound()
    {
        ReadingStore store;
        for (int i = 0; i < ReadingStore::kDayOfPolling + 10; ++i)
            store.add(reading(i));
        QCOMPARE(store.size(), 86400);
        QCOMPARE(store.at(0).msecs, qint64(10'000));
    }

    void startsANewSeries_data()
    {
        QTest::addColumn<int>("event"); // what happens before the second entry
        QTest::addColumn<bool>("newSeries");
        QTest::newRow("same sensor, a second later") << 0 << false;
        QTest::newRow("same sensor, a gap") << 1 << false;
        QTest::newRow("another sensor") << 2 << true;
        QTest::newRow("port closed and opened") << 3 << true;
        QTest::newRow("clock set back") << 4 << true;
        QTest::newRow("clock standing still") << 5 << false;
    }
    void startsANewSeries()
    {
        QFETCH(int, event);
        QFETCH(bool, newSeries);
        ReadingStore store;
        store.add(reading(100));
        TrendEntry next = reading(101);
        if (event == 1)
            next = gapAt(101);
        if (event == 2)
            next = reading(101, 7);
        if (event == 3)
            store.endSeries();
        if (event == 4)
            next = reading(40);
        if (event == 5)
            next = reading(100);
        store.add(next);
        QCOMPARE(store.at(1).series != store.at(0).series, newSeries);
        QCOMPARE(store.newestSeries(), std::make_pair(newSeries ? 1 : 0, 2));
    }

    void markersGoWithTheirSeriesAndTheirReadings()
    {
        ReadingStore store(10);
        QCOMPARE(store.newestSeries(), std::make_pair(0, 0));
        store.addMarker(500, QStringLiteral("before any reading"));
        store.add(reading(1));
        store.addMarker(1500, QStringLiteral("Cmd Shift Low: 20"));
        store.endSeries();
        store.addMarker(2500, QStringLiteral("after the close"));
        store.add(reading(3, 5));
        store.addMarker(3500, QStringLiteral("in the second series"));
        const auto &m = store.markers();
        QCOMPARE(m.size(), size_t(4));
        QCOMPARE(m[0].series, store.at(0).series); // made before the series it opened
        QCOMPARE(m[1].series, store.at(0).series);
        QCOMPARE(m[2].series, store.at(1).series);
        QCOMPARE(m[3].series, store.at(1).series);

        // Once the readings around a marker have gone, so has the marker.
        for (int i = 4; i < 12; ++i)
            store.add(reading(i));
        QCOMPARE(store.markers().size(), size_t(4));
        store.add(reading(12));
        QCOMPARE(store.markers().size(), size_t(1));
        QCOMPARE(store.markers().front().text, QStringLiteral("in the second series"));
    }

    // ---- pixel columns ----

    void columnsKeepTheExtremesAndEnds()
    {
        // Ten columns of a second each over [0, 10 s]; three values fall into column 2.
        const auto cols = reduceColumns(
            line({{2000, 5}, {2300, 9}, {2600, 1}, {2900, 4}, {4000, 6}}), 0, 10'000, 10, 5000);
        QCOMPARE(cols.size(), 10);
        QVERIFY(!cols[0].filled && !cols[3].filled);
        QVERIFY(cols[2].filled);
        QCOMPARE(cols[2].min, 1.0);
        QCOMPARE(cols[2].max, 9.0);
        QCOMPARE(cols[2].first, 5.0);
        QCOMPARE(cols[2].last, 4.0);
        QVERIFY(!cols[2].joined);
        QVERIFY(cols[4].joined);
    }

    void linesAreBrokenWhereNothingWasRecorded_data()
    {
        QTest::addColumn<QVector<TimedValue>>("samples");
        QTest::addColumn<bool>("joined"); // the value at 6 s to the one before it
        QTest::newRow("next second") << line({{5000, 1}, {6000, 2}}) << true;
        QTest::newRow("three seconds, a confirmation between")
            << line({{3000, 1}, {6000, 2}}) << true;
        QTest::newRow("a missed answer between")
            << QVector<TimedValue>{{5000, 1, false}, {5500, 0, true}, {6000, 2, false}} << false;
        QTest::newRow("engine stopped for 6 s") << line({{0, 1}, {6000, 2}}) << false;
        QTest::newRow("the one before is outside the chart")
            << line({{-1000, 1}, {6000, 2}}) << false;
    }
    void linesAreBrokenWhereNothingWasRecorded()
    {
        QFETCH(QVector<TimedValue>, samples);
        QFETCH(bool, joined);
        const auto cols = reduceColumns(samples, 0, 10'000, 10, 5000);
        QVERIFY(cols[6].filled);
        QCOMPARE(cols[6].joined, joined);
    }

    void theNewestValueFallsIntoTheLastColumn()
    {
        QCOMPARE(columnOf(10'000, 0, 10'000, 800), 799);
        QCOMPARE(columnOf(0, 0, 10'000, 800), 0);
        QCOMPARE(columnOf(-5, 0, 10'000, 800), 0);
        // A day of readings at one per second into 800 columns: 108 a column.
        const qint64 day = 86'400'000;
        QCOMPARE(columnOf(107'999, 0, day, 800), 0);
        QCOMPARE(columnOf(108'000, 0, day, 800), 1);
        QCOMPARE(columnOf(5, 5, 5, 800), 799); // no span at all
    }

    // ---- setting marks ----

    void onlyTheWrittenSettingIsMarked_data()
    {
        const QByteArray shift = shiftRequest(5, false, 20, true);
        QTest::addColumn<QByteArray>("queued");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("marked");
        QTest::newRow("shift written") << shift << shift << true;
        QTest::newRow("mode written") << modeRequest(5, 0x88, true, quint8(0x13))
                                      << modeRequest(5, 0x88, true, quint8(0x13)) << true;
        QTest::newRow("replaced by the identity request") << shift << identityRequest(5) << false;
        QTest::newRow("dropped: nothing written") << shift << QByteArray() << false;
        QTest::newRow("table read is no setting")
            << tableReadRequest(5) << tableReadRequest(5) << false;
        QTest::newRow("password entry is no setting")
            << passwordRequest(5, false, 1234, true) << passwordRequest(5, false, 1234, true)
            << false;
    }
    void onlyTheWrittenSettingIsMarked()
    {
        QFETCH(QByteArray, queued);
        QFETCH(QByteArray, written);
        QFETCH(bool, marked);
        PendingMark mark;
        mark.queued(queued, QStringLiteral("Cmd"));
        QCOMPARE(mark.written(written).has_value(), marked);
        // Whatever was written, the mark is not made a second time.
        QVERIFY(!mark.written(queued));
    }
};

QTEST_GUILESS_MAIN(tst_TrendStore)
#include "tst_trendstore.moc"
