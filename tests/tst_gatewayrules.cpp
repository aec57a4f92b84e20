// The gateway's rules without a bus or a broker: when a sensor is online or offline, which
// search answers become sensors, and which readings the queue lets go.
#include "gateway/ReadingQueue.h"
#include "gateway/SensorRoster.h"

#include <QtTest>

class tst_GatewayRules : public QObject
{
    Q_OBJECT

private slots:
    // Polls of the sensor at address 5, one letter each: I its identity (serial 100), J the
    // identity of another sensor (serial 200), R a reading, M a missed poll, L the port lost.
    void availability_data()
    {
        QTest::addColumn<QString>("polls");
        QTest::addColumn<QString>("said"); // what its availability topics say, in order
        QTest::newRow("online from the first reading") << "IRR"
                                                       << "100 online";
        QTest::newRow("offline at the third miss in a row") << "IRMMM"
                                                            << "100 online, 100 offline";
        QTest::newRow("a reading between misses") << "IRMMRMM"
                                                  << "100 online";
        QTest::newRow("back once its identity is read again")
            << "IRMMMRIR"
            << "100 online, 100 offline, 100 online";
        // A sensor that never answered since the start says offline once, for a retained
        // online of an earlier run would otherwise stand.
        QTest::newRow("never answering") << "IMMMIMMM"
                                         << "100 offline";
        QTest::newRow("the port lost") << "IRRL"
                                       << "100 online, 100 offline";
        QTest::newRow("another sensor at the address") << "IRMMMJR"
                                                       << "100 online, 100 offline, 200 online";
        QTest::newRow("nothing without an identity") << "MMMRL"
                                                     << "";
    }
    void availability()
    {
        QFETCH(QString, polls);
        QFETCH(QString, said);
        SensorRoster roster;
        roster.listAddresses({5});
        QStringList out;
        const auto note = [&](const std::optional<AvailabilityChange> &c) {
            if (c)
                out << QStringLiteral("%1 %2").arg(c->serial).arg(c->online ? "online" : "offline");
        };
        for (const QChar p : polls) {
            if (p == 'I' || p == 'J')
                roster.identified(5, {p == 'I' ? 100u : 200u, 176, 0});
            else if (p == 'R')
                note(roster.answered(5));
            else if (p == 'M')
                note(roster.missed(5));
            else
                for (const AvailabilityChange &c : roster.allLost())
                    note(c);
        }
        QCOMPARE(out.join(", "), said);
    }

    // A search answer names candidates: one whose identity never comes was noise and is
    // given up after three tries; an address the operator listed never is.
    void searchCandidatesNeedAnIdentity()
    {
        SensorRoster roster;
        roster.searchFound({7, 3});
        QCOMPARE(int(roster.sensors().size()), 2);
        QCOMPARE(int(roster.sensors().front().address), 3);
        roster.identified(3, {300, 176, 0});
        for (int i = 0; i < SensorRoster::kIdentityTries; ++i)
            roster.missed(7);
        QVERIFY(!roster.sensor(7));
        // A later search that misses an answering sensor keeps it.
        roster.searchFound({9});
        QVERIFY(roster.sensor(3) && roster.sensor(9));

        SensorRoster listed;
        listed.listAddresses({7});
        for (int i = 0; i < 10; ++i)
            listed.missed(7);
        QVERIFY(listed.sensor(7));
    }

    // The lamp says nothing until its average has had the warm-up answers of the sensor at
    // the address: again for another sensor there, not again for the same one read again.
    void theLampWarmsUpForEachSensor()
    {
        SensorRoster roster;
        roster.listAddresses({5});
        const auto silentAnswers = [&] {
            int n = 0;
            while (!roster.lampAfter(5, 40000) && n <= kStabilityWarmUpAnswers)
                ++n;
            return n;
        };
        roster.identified(5, {100, 176, 0});
        QCOMPARE(silentAnswers(), kStabilityWarmUpAnswers - 1);
        roster.identified(5, {100, 176, 0});
        QCOMPARE(silentAnswers(), 0);
        roster.identified(5, {200, 176, 0});
        QCOMPARE(silentAnswers(), kStabilityWarmUpAnswers - 1);
    }

    void theQueueLetsTheOldestGo_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("pushed");
        QTest::addColumn<QByteArray>("kept"); // the payloads left, oldest first
        QTest::addColumn<int>("dropped");
        QTest::newRow("within the bound") << 3 << 2 << QByteArray("01") << 0;
        QTest::newRow("at the bound") << 3 << 3 << QByteArray("012") << 0;
        QTest::newRow("past it") << 3 << 7 << QByteArray("456") << 4;
        QTest::newRow("a bound of one") << 1 << 3 << QByteArray("2") << 2;
    }
    void theQueueLetsTheOldestGo()
    {
        QFETCH(int, capacity);
        QFETCH(int, pushed);
        QFETCH(QByteArray, kept);
        QFETCH(int, dropped);
        ReadingQueue q(capacity);
        int full = 0;
        for (int i = 0; i < pushed; ++i)
            full += q.push({"t", QByteArray::number(i)}) ? 1 : 0;
        QCOMPARE(full, dropped);
        QCOMPARE(q.dropped(), quint64(dropped));
        QByteArray left;
        for (; !q.isEmpty(); q.pop())
            left += q.front().payload;
        QCOMPARE(left, kept);
    }
};

QTEST_GUILESS_MAIN(tst_GatewayRules)
#include "tst_gatewayrules.moc"
