#include "core/trend/ReadingStore.h"
#include "core/trend/ReadingsCsv.h"

#include <QtTest>

using namespace levelconf;

// The readings file: what a spreadsheet or a script reading it as CSV gets back.
namespace
{
// 2026-12-07 14:05:33 local time, one hour ahead of UTC.
constexpr qint64 kUtcMsecs = 1'796'648'733'000;
constexpr qint32 kOffset = 3600;

TrendEntry entry(quint16 output, quint32 amplitude, int temperature)
{
    TrendEntry e;
    e.msecs = kUtcMsecs;
    e.utcOffset = kOffset;
    e.address = 5;
    e.output = output;
    e.amplitude = amplitude;
    e.temperature = static_cast<qint8>(temperature);
    e.lamp = StabilityLamp::Green;
    e.range4096 = true;
    return e;
}

QStringList lines(const QByteArray &csv)
{
    QStringList out = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}
} // namespace

class tst_ReadingsCsv : public QObject
{
    Q_OBJECT

private slots:
    void rowsWhateverTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("row");
        // The level text is the window's own and keeps the locale's comma, so it is quoted;
        // every number the file gives is written with a dot.
        QTest::newRow("C") << QLocale::c()
                           << "2026-12-07T14:05:33+01:00,5,123.4,123.4,300000,-7,1534,1.51,green,"
                              "distance,,";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << "2026-12-07T14:05:33+01:00,5,123.4,\"123,4\",300000,-7,1534,"
                                   "1.51,green,distance,,";
        QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia)
                                 << "2026-12-07T14:05:33+01:00,5,123.4,\"123,4\",300000,-7,1534,"
                                    "1.51,green,distance,,";
    }
    void rowsWhateverTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, row);
        ReadingStore store;
        store.add(entry(1234, 300000, -7));
        const QStringList got = lines(readingsCsv(store, locale));
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[0], QStringLiteral("time,address,distance_cm,level_text,amplitude,"
                                        "temperature_C,frequency_Hz,analog_V,stability,output,"
                                        "volume_L,percent"));
        QCOMPARE(got[1], row);
    }

    void everyEntryIsARowAndAGapHasNoReadings()
    {
        ReadingStore store;
        TrendEntry first = entry(0, 0, 127);
        first.lamp = StabilityLamp::Red;
        first.range4096 = false;
        store.add(first);
        TrendEntry gap = entry(0, 0, 0);
        gap.msecs += 1000;
        gap.gap = true;
        store.add(gap);
        TrendEntry last = entry(65535, 4294967295u, -128);
        last.msecs += 2000;
        last.lamp = StabilityLamp::Yellow;
        store.add(last);
        TrendEntry early = entry(1, 1, 1);
        early.msecs += 3000;
        early.lampKnown = false;
        store.add(early);
        const QStringList got = lines(readingsCsv(store, QLocale::c()));
        QCOMPARE(got.mid(1), QStringList({
                                 "2026-12-07T14:05:33+01:00,5,0,0,0,127,300,0,red,distance,,",
                                 "2026-12-07T14:05:34+01:00,5,,,,,,,,,,",
                                 "2026-12-07T14:05:35+01:00,5,6553.5,6553.5,4294967295,-128,"
                                 "65835,80,yellow,distance,,",
                                 "2026-12-07T14:05:36+01:00,5,0.1,0.1,1,1,301,0,,distance,,",
                             }));
    }

    void fieldsAreQuotedOnlyWhenTheyMustBe_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "123.4"
                               << "123.4";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("comma") << "123,4"
                               << "\"123,4\"";
        QTest::newRow("quote") << "5 \"Гц\""
                               << "\"5 \"\"Гц\"\"\"";
        QTest::newRow("line break") << "a\r\nb"
                                    << "\"a\r\nb\"";
        QTest::newRow("spaces stay as they are") << " 12 "
                                                 << " 12 ";
    }
    void fieldsAreQuotedOnlyWhenTheyMustBe()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csvField(text), field);
    }

    void timesCarryTheirOwnOffset_data()
    {
        QTest::addColumn<qint32>("offset");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTC") << 0 << "2026-12-07T13:05:33+00:00";
        QTest::newRow("west") << -5 * 3600 << "2026-12-07T08:05:33-05:00";
        QTest::newRow("half hour") << 19800 << "2026-12-07T18:35:33+05:30";
        QTest::newRow("west, with minutes") << -(3 * 3600 + 1800) << "2026-12-07T09:35:33-03:30";
    }
    void timesCarryTheirOwnOffset()
    {
        QFETCH(qint32, offset);
        QFETCH(QString, text);
        QCOMPARE(isoLocalTime(kUtcMsecs, offset), text);
    }
};

QTEST_GUILESS_MAIN(tst_ReadingsCsv)
#include "tst_readingscsv.moc"
