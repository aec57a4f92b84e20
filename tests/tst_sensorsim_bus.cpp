// sensor-sim's bus in a few words: "--bus COUNT[,KEYS]".
#include "BusOption.h"

#include <QtTest>

class tst_SensorSimBus : public QObject
{
    Q_OBJECT

private slots:
    void aBusOfSensorsAlike_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstAddress");
        QTest::addColumn<quint32>("lastSerial");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<int>("faults");
        QTest::newRow("thirty") << "30" << 30 << 1 << quint32(12374) << 176 << 0;
        QTest::newRow("keys") << "8,address=100,firmware=163,serial=500" << 8 << 100 << quint32(507)
                              << 163 << 0;
        QTest::newRow("up to the last address")
            << "5,address=250" << 5 << 250 << quint32(12349) << 176 << 0;
        QTest::newRow("a fault for each")
            << "3,fault=silent" << 3 << 1 << quint32(12347) << 176 << 3;
    }
    void aBusOfSensorsAlike()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, firstAddress);
        QFETCH(quint32, lastSerial);
        QFETCH(int, firmware);
        QFETCH(int, faults);
        std::vector<std::pair<quint8, Fault>> injected;
        QString error;
        const auto bus = busFromText(text, &injected, &error);
        QVERIFY2(bus, qPrintable(error));
        QCOMPARE(int(bus->size()), count);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(int(bus->at(i).address), firstAddress + i);
            QCOMPARE(int(bus->at(i).firmware), firmware);
        }
        QCOMPARE(bus->back().serial, lastSerial);
        QCOMPARE(int(injected.size()), faults);
    }

    void whatItRefuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << "0"
                              << "the count of sensors must be from 1 to 254, not \"0\"";
        QTest::newRow("not a number") << "thirty"
                                      << "the count of sensors must be from 1 to 254, not "
                                         "\"thirty\"";
        QTest::newRow("past the last address")
            << "10,address=250"
            << "10 sensors from address 250 run past address 254";
        QTest::newRow("past the last serial")
            << "2,serial=4294967295"
            << "2 serial numbers from 4294967295 run past 4294967295";
        QTest::newRow("a key of --sensor's refused") << "2,colour=red"
                                                     << "unknown sensor key \"colour\"";
    }
    void whatItRefuses()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        std::vector<std::pair<quint8, Fault>> injected;
        QString got;
        QVERIFY(!busFromText(text, &injected, &got));
        QCOMPARE(got, error);
    }
};

QTEST_GUILESS_MAIN(tst_SensorSimBus)
#include "tst_sensorsim_bus.moc"
