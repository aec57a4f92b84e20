// The gateway's rules without a bus or a broker: when a sensor is online or offline, which
// search answers become sensors, which readings the queue lets go, what a reading says and
// what Home Assistant is told of it.
#include "DiscoveryCheck.h"
#include "TankOutput.h"
#include "gateway/BusPoller.h"
#include "gateway/Discovery.h"
#include "gateway/GatewayOptions.h"
#include "gateway/ReadingQueue.h"
#include "gateway/SensorRoster.h"
#include "gateway/StatePayload.h"

#include <QtTest>

using namespace levelconf;

namespace
{
QJsonObject parsed(const QByteArray &payload)
{
    return QJsonDocument::fromJson(payload).object();
}
} // namespace

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

    // The output code in the quantity the mode byte names, in the state and in discovery:
    // the entity of that quantity alone, the others emptied, each config within Home
    // Assistant's rules.
    void theOutputIsInTheQuantityOfTheMode_data()
    {
        QTest::addColumn<int>("modeByte"); // -1: firmware without one
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value"); // of the output code 1234
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("deviceClass");
        QTest::newRow("no mode byte") << -1 << "distance"
                                      << "distance_cm" << 123.4 << "distance"
                                      << "cm"
                                      << "distance";
        QTest::newRow("distance") << 0x88 << "distance"
                                  << "distance_cm" << 123.4 << "distance"
                                  << "cm"
                                  << "distance";
        QTest::newRow("litres") << 0xC0 << "volume"
                                << "volume_L" << 1234.0 << "volume"
                                << "L"
                                << "volume_storage";
        QTest::newRow("per cent") << 0x20 << "percent"
                                  << "percent" << 123.4 << "percent"
                                  << "%"
                                  << "";
        QTest::newRow("per cent of the table") << 0x60 << "percent"
                                               << "percent" << 123.4 << "percent"
                                               << "%"
                                               << "";
    }
    void theOutputIsInTheQuantityOfTheMode()
    {
        QFETCH(int, modeByte);
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(double, value);
        QFETCH(QString, object);
        QFETCH(QString, unit);
        QFETCH(QString, deviceClass);
        DataReadings r;
        r.output = 1234;
        r.amplitude = 250000;
        r.temperature = 21;
        r.emptyValue = 40000;
        r.fullValue = 1600000;
        if (modeByte >= 0)
            r.modeByte = quint8(modeByte);
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(1796648733250, Qt::OffsetFromUTC, 3600);
        const QJsonObject o =
            parsed(sensorState(r, 5, StabilityLamp::Green, t, 7, QLocale::c()).payload());
        QCOMPARE(o.value("output").toString(), kind);
        QCOMPARE(o.value(key).toDouble(), value);
        for (const char *other : {"distance_cm", "volume_L", "percent"})
            QCOMPARE(o.contains(other), key == other);
        QCOMPARE(o.value("seq").toInt(), 7);
        QCOMPARE(o.value("time").toString(), QString("2026-12-07T14:05:33.250+01:00"));
        QCOMPARE(o.value("stability").toString(), QString("green"));

        const GatewayTopics topics{"levelconf", "homeassistant", "bus-1"};
        int entities = 0;
        for (const MqttMessage &m :
             sensorDiscovery(topics, 12345, "1.7.6.", outputKindOf(r.modeByte), 33)) {
            const QString leaf = QString::fromUtf8(m.topic).section('/', 3, 3);
            const bool output = QStringList{"distance", "volume", "percent"}.contains(leaf);
            QCOMPARE(m.payload.isEmpty(), output && leaf != object);
            QVERIFY(m.retain);
            if (m.payload.isEmpty())
                continue;
            ++entities;
            QVERIFY2(discoveryFaults("sensor", m.payload).isEmpty(),
                     qPrintable(discoveryFaults("sensor", m.payload).join("; ")));
            const QJsonObject c = parsed(m.payload);
            QCOMPARE(c.value("device").toObject().value("via_device").toString(),
                     QString("levelconf_gateway_bus-1"));
            if (leaf == object) {
                QCOMPARE(c.value("unit_of_measurement").toString(), unit);
                QCOMPARE(c.value("device_class").toString(), deviceClass);
                QCOMPARE(c.value("value_template").toString(), "{{ value_json." + key + " }}");
            }
        }
        QCOMPARE(entities, 7);
        for (const MqttMessage &m : gatewayDiscovery(topics)) {
            const QByteArray component = m.topic.split('/').at(1);
            QVERIFY2(discoveryFaults(component, m.payload).isEmpty(), m.topic);
        }
    }

    // The simulated sensor's output through its tank table (readings 100, 200 ... 2000
    // against 1500, 3000 ... 30000 L): a line between the points, from the zero point up,
    // flat past the last; per cent in tenths of the largest volume.
    void theSimulatedTankOutputsThroughItsTable_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("distanceCode");
        QTest::addColumn<int>("output");
        QTest::newRow("a distance") << 0x80 << 1234 << 1234;
        QTest::newRow("litres on a point") << 0x40 << 1000 << 15000;
        QTest::newRow("litres between points") << 0x40 << 1050 << 15750;
        QTest::newRow("litres below the first point") << 0x40 << 50 << 750;
        QTest::newRow("litres past the last point") << 0x40 << 4000 << 30000;
        QTest::newRow("per cent") << 0x20 << 1000 << 500;
        QTest::newRow("per cent with the litre flag") << 0x60 << 2000 << 1000;
    }
    void theSimulatedTankOutputsThroughItsTable()
    {
        QFETCH(int, mode);
        QFETCH(int, distanceCode);
        QFETCH(int, output);
        SensorConfig c;
        c.mode = quint8(mode);
        for (int i = 0; i < 20; ++i) {
            c.table.readings[i] = quint16(100 * (i + 1));
            c.table.volumes[i] = quint16(1500 * (i + 1));
        }
        QCOMPARE(int(tankOutputCode(c, quint16(distanceCode))), output);
    }

    // The checker finds what Home Assistant would refuse, or it would prove nothing.
    void theCheckerFindsFaults_data()
    {
        QTest::addColumn<QByteArray>("component");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("fault");
        const QByteArray ok = R"("state_topic":"s","unique_id":"u","device":{"identifiers":["d"]})";
        QTest::newRow("good") << QByteArray("sensor") << "{" + ok + "}"
                              << "";
        QTest::newRow("an unknown key") << QByteArray("sensor") << "{" + ok + R"(,"unit":"cm"})"
                                        << "unit: not a";
        QTest::newRow("a wrong type") << QByteArray("sensor") << "{" + ok + R"(,"qos":"1"})"
                                      << "qos: not of its";
        QTest::newRow("no state topic")
            << QByteArray("sensor") << QByteArray("{}") << "state_topic: missing";
        QTest::newRow("a unit its class does not take")
            << QByteArray("sensor")
            << "{" + ok + R"(,"device_class":"volume_storage","unit_of_measurement":"cm"})"
            << "unit_of_measurement: not a unit of volume_storage";
        QTest::newRow("an enum with a state class")
            << QByteArray("sensor")
            << "{" + ok + R"(,"device_class":"enum","options":["a"],"state_class":"measurement"})"
            << "enum: takes neither";
        QTest::newRow("a category sensors do not have")
            << QByteArray("sensor") << "{" + ok + R"(,"entity_category":"config"})"
            << "entity_category: config";
        QTest::newRow("a device without identifiers")
            << QByteArray("binary_sensor")
            << QByteArray(R"({"state_topic":"s","unique_id":"u","device":{"name":"n"}})")
            << "device: neither";
        QTest::newRow("an origin without a name")
            << QByteArray("binary_sensor") << "{" + ok + R"(,"origin":{"sw_version":"1"}})"
            << "origin: needs a name";
    }
    void theCheckerFindsFaults()
    {
        QFETCH(QByteArray, component);
        QFETCH(QByteArray, config);
        QFETCH(QString, fault);
        const QStringList faults = discoveryFaults(component, config);
        if (fault.isEmpty())
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        else
            QVERIFY2(faults.join("; ").contains(fault), qPrintable(faults.join("; ")));
    }

    // The searches back off while they find nobody new, up to 20 s so that a sensor
    // plugged in is found within half a minute, and never take more than a tenth of the bus.
    void theSearchBacksOff_data()
    {
        QTest::addColumn<int>("lastWaitMs");
        QTest::addColumn<bool>("foundNew");
        QTest::addColumn<int>("tookMs");
        QTest::addColumn<int>("waitMs");
        QTest::newRow("doubling") << 2500 << false << 50 << 5000;
        QTest::newRow("up to 20 s") << 20000 << false << 50 << 20000;
        QTest::newRow("a changed bus starts again") << 20000 << true << 50 << 2500;
        QTest::newRow("a slow search waits nine times its time") << 2500 << true << 400 << 3600;
    }
    void theSearchBacksOff()
    {
        QFETCH(int, lastWaitMs);
        QFETCH(bool, foundNew);
        QFETCH(int, tookMs);
        QFETCH(int, waitMs);
        QCOMPARE(nextSearchWaitMs(lastWaitMs, foundNew, tookMs), waitMs);
        QVERIFY(tookMs * 10 <= tookMs + waitMs);
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
