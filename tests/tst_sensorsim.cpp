#include "Answers.h"
#include "LineClient.h"
#include "NumberText.h"
#include "SensorBus.h"
#include "SensorKeys.h"
#include "SensorSim.h"
#include "SimOptions.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"

#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace levelconf;

namespace
{
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// The default table on the wire: 200, 400 ... 3800, 4096, high byte first.
const QByteArray kDefaultTableBytes = hex("00 C8 01 90 02 58 03 20 03 E8 04 B0 05 78 06 40 07 08 "
                                          "07 D0 08 98 09 60 0A 28 0A F0 0B B8 0C 80 0D 48 0E 10 "
                                          "0E D8 10 00");

SensorConfig steadySensor(quint8 address = 5, quint8 firmware = 176)
{
    SensorConfig c;
    c.address = address;
    c.firmware = firmware;
    c.serial = 12345;
    c.liveVariation = false;
    return c;
}

QByteArray request(quint8 address, quint8 code, bool key, const QByteArray &data = {})
{
    return buildRequest(address, code, key, data);
}

bool framedWithGoodCrc(const QByteArray &a)
{
    return isFramedAnswer(a) && answerCrcMatches(a);
}
} // namespace

Q_DECLARE_METATYPE(Fault)

class tst_SensorSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- answers ----

    void identityAnswer()
    {
        SensorBus bus({steadySensor(5, 176)});
        const QByteArray answer = bus.respond(identityRequest(5));
        QCOMPARE(answer, withCrc(hex("3E 05 FC 39 30 00 00 B0 00")));
        QCOMPARE(answer.size(), 10);
    }

    void identityAnswerWithPrefix()
    {
        SensorConfig c = steadySensor(1, 163);
        c.serial = 0x01020304;
        c.prefix = 3;
        SensorBus bus({c});
        QCOMPARE(bus.respond(identityRequest(1)), withCrc(hex("3E 01 FC 04 03 02 01 A3 03")));
    }

    void everySensorAnswersTheSearchWithItsAddress()
    {
        SensorBus bus(demoSensors());
        QCOMPARE(bus.respond(hex("31 FF DC")), hex("01 02 05"));
        QVERIFY(bus.setFault(2, Fault::Silent));
        QCOMPARE(bus.respond(hex("31 FF DC")), hex("01 05"));
        QCOMPARE(bus.respond(hex("31 FF DD")), QByteArray());
    }

    void theDemoBusHasThreeGenerations()
    {
        QSet<int> addresses;
        QList<int> firmware;
        for (const SensorConfig &c : demoSensors()) {
            addresses.insert(c.address);
            firmware.append(c.firmware);
        }
        QCOMPARE(addresses.size(), 3);
        QCOMPARE(firmware, (QList<int>{163, 172, 176}));
    }

    void tableAnswerOfTheDefaultTable()
    {
        SensorBus bus({steadySensor()});
        const QByteArray answer = bus.respond(tableReadRequest(5));
        QCOMPARE(answer.size(), 84);
        QCOMPARE(answer, withCrc(hex("3E 05 EF") + kDefaultTableBytes + kDefaultTableBytes));
    }

    void dataAnswerLayout_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<int>("length");
        QTest::newRow("1.7.6: readings and settings") << 176 << 26;
        QTest::newRow("1.7.5: up to the mode byte") << 175 << 22;
        QTest::newRow("1.7.2") << 172 << 22;
        QTest::newRow("1.6.3") << 163 << 22;
        QTest::newRow("1.5.0: readings only") << 150 << 21;
    }
    void dataAnswerLayout()
    {
        QFETCH(int, firmware);
        QFETCH(int, length);
        SensorConfig c = steadySensor(9, quint8(firmware));
        c.temperature = -5;
        c.outputCode = 0x1234;
        c.amplitude = 0x01020304;
        c.emptyValue = 50000;
        c.fullValue = 0xA0B0C0D0;
        c.k = 0x0102;
        c.mode = 0x8A;
        c.minDistance = 25;
        c.filtration = 0x13;
        c.distanceLimit = 1200;
        SensorBus bus({c});
        const QByteArray a = bus.respond(dataRequest(9));
        QCOMPARE(a.size(), length);
        QVERIFY(framedWithGoodCrc(a));
        QCOMPARE(byteAt(a, 2), quint8(9));
        QCOMPARE(byteAt(a, 3), quint8(0xF0));
        QCOMPARE(byteAt(a, 4), quint8(0xFB));
        QCOMPARE(leValue(a, 5, 2), 0x1234u);
        QCOMPARE(leValue(a, 7, 4), 0x01020304u);
        QCOMPARE(leValue(a, 11, 4), 50000u);
        QCOMPARE(leValue(a, 15, 4), 0xA0B0C0D0u);
        QCOMPARE(leValue(a, 19, 2), 0x0102u);
        if (length > 21)
            QCOMPARE(byteAt(a, 21), quint8(0x8A));
        if (length > 22) {
            QCOMPARE(byteAt(a, 22), quint8(25));
            QCOMPARE(byteAt(a, 23), quint8(0x13));
            QCOMPARE(leValue(a, 24, 2), 1200u);
        }
    }

    void readingsVaryGentlyWhenLive()
    {
        SensorConfig c = steadySensor();
        c.liveVariation = true;
        SensorBus bus({c});
        QSet<quint32> amplitudes;
        for (int i = 0; i < 12; ++i) {
            const QByteArray a = bus.respond(dataRequest(5));
            const quint32 amplitude = *leValue(a, 7, 4);
            const int output = int(*leValue(a, 5, 2));
            amplitudes.insert(amplitude);
            // Close enough for the program's level-stability check (amplitude / 5000).
            QVERIFY(qAbs(qint64(amplitude) - c.amplitude) <= c.amplitude / 10000);
            QVERIFY(qAbs(output - c.outputCode) <= 2);
        }
        QVERIFY(amplitudes.size() > 1);
    }

    void aFillingTankMovesTheReadingWithTime()
    {
        Fault fault = Fault::None;
        QString error;
        const auto c =
            sensorFromText("address=5,output=3000,fill=-250,variation=0", &fault, &error);
        QVERIFY2(c, qPrintable(error));
        QCOMPARE(c->fillRate, -250);
        QVERIFY(!sensorFromText("fill=70000", &fault, &error));
        // Output codes per second, stopping at the ends of the code's range.
        QCOMPARE(filledOutputCode(*c, 0), quint16(3000));
        QCOMPARE(filledOutputCode(*c, 2000), quint16(2500));
        QCOMPARE(filledOutputCode(*c, 60000), quint16(0));
        SensorConfig rising = *c;
        rising.fillRate = 65535;
        QCOMPARE(filledOutputCode(rising, 1000), quint16(65535));

        // On the bus, with the clock running: 120 ms at 250 a second is 30 codes down.
        SensorBus bus({*c});
        const int first = int(*leValue(bus.respond(dataRequest(5)), 5, 2));
        QThread::msleep(120);
        const int later = int(*leValue(bus.respond(dataRequest(5)), 5, 2));
        QVERIFY2(first <= 3000 && later <= first - 30,
                 qPrintable(QString("%1 then %2").arg(first).arg(later)));
    }

    // ---- what a sensor does not answer ----

    void silence_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QByteArray>("frame");
        const QByteArray shift = int16BigEndian(-1);
        QByteArray badCrc = dataRequest(5);
        badCrc.back() = char(badCrc.back() ^ 1);
        QTest::newRow("wrong CRC") << 176 << badCrc;
        QTest::newRow("no key from 1.7.5") << 175 << request(5, 0xF9, false, shift);
        QTest::newRow("wrong key") << 176 << withCrc(hex("31 05 F9 A5 5A C4 FF FF"));
        QTest::newRow("key where none is taken") << 174 << request(5, 0xF9, true, shift);
        QTest::newRow("key on a read") << 176 << request(5, 0xF0, true);
        QTest::newRow("another address") << 176 << dataRequest(6);
        QTest::newRow("unknown code") << 176 << request(5, 0x42, false);
        QTest::newRow("table one byte short")
            << 176 << request(5, 0xF1, true, QByteArray(79, '\0'));
        QTest::newRow("second mode byte missing") << 176 << request(5, 0xF2, true, hex("80"));
        QTest::newRow("too short") << 176 << hex("31 05");
        QTest::newRow("answer prefix") << 176 << withCrc(hex("3E 05 F0"));
        QTest::newRow("address 255 by search") << 176 << request(5, 0xFB, true, hex("FF"));
    }
    void silence()
    {
        QFETCH(int, firmware);
        QFETCH(QByteArray, frame);
        SensorBus bus({steadySensor(5, quint8(firmware))});
        QCOMPARE(bus.respond(frame), QByteArray());
        QCOMPARE(bus.sensor(5)->emptyValue, SensorConfig().emptyValue);
    }

    void theKeyFollowsTheFirmware()
    {
        const QByteArray shift = int16BigEndian(-1);
        SensorBus older({steadySensor(1, 174)});
        QCOMPARE(older.respond(hex("31 01 F9 FF FF 71")),
                 hex("3E 01 F9") + char(crc8(hex("3E 01 F9"))));
        SensorBus newer({steadySensor(1, 175)});
        QCOMPARE(newer.respond(request(1, 0xF9, true, shift)), confirmation(1, 0xF9));
        QCOMPARE(newer.sensor(1)->emptyValue, SensorConfig().emptyValue - 1);
        // The air parameters never take the key.
        QCOMPARE(newer.respond(airRequest(1, 2520, 10000, 35)), confirmation(1, 0xD0));
    }

    // ---- state kept ----

    void aNewAddressIsUsedFromThenOn()
    {
        SensorBus bus({steadySensor(5, 174)});
        QCOMPARE(bus.respond(hex("31 05 FB 07 CB")), confirmation(5, 0xFB));
        QCOMPARE(bus.respond(dataRequest(5)), QByteArray());
        QCOMPARE(byteAt(bus.respond(dataRequest(7)), 2), quint8(7));
        QCOMPARE(bus.respond(searchRequest()), hex("07"));
    }

    void modeIsSetAndEchoed()
    {
        SensorBus bus({steadySensor(5, 176), steadySensor(6, 175)});
        QCOMPARE(bus.respond(modeRequest(5, 0x8C, true, 0x13)), withCrc(hex("3E 05 F2 8C 13")));
        const QByteArray data = bus.respond(dataRequest(5));
        QCOMPARE(byteAt(data, 21), quint8(0x8C));
        QCOMPARE(byteAt(data, 23), quint8(0x13));

        QCOMPARE(bus.respond(modeRequest(6, 0x02, true)), withCrc(hex("3E 06 F2 02")));
        QCOMPARE(bus.sensor(6)->mode, quint8(0x02));
    }

    void distancesAreSetAndEchoed()
    {
        SensorBus bus({steadySensor()});
        QCOMPARE(bus.respond(settingRequest(Cmd::SetMaxDistance, 5, {1200}, true)),
                 withCrc(hex("3E 05 E9 B0 04")));
        QCOMPARE(bus.respond(settingRequest(Cmd::SetMinDistance, 5, {25}, true)),
                 withCrc(hex("3E 05 EE 19")));
        const QByteArray data = bus.respond(dataRequest(5));
        QCOMPARE(byteAt(data, 22), quint8(25));
        QCOMPARE(leValue(data, 24, 2), 1200u);
    }

    void levelsAreShiftedAndSet()
    {
        SensorConfig c = steadySensor();
        c.emptyValue = 10;
        c.fullValue = 5000;
        SensorBus bus({c});
        QCOMPARE(bus.respond(shiftRequest(5, false, -1000, true)), confirmation(5, 0xF9));
        QCOMPARE(bus.sensor(5)->emptyValue, 0u); // not below zero
        QCOMPARE(bus.respond(shiftRequest(5, true, 1000, true)), confirmation(5, 0xF4));
        QCOMPARE(bus.sensor(5)->fullValue, 6000u);
        QCOMPARE(bus.respond(directLevelRequest(5, false, 100000, true)), confirmation(5, 0xED));
        QCOMPARE(bus.respond(directLevelRequest(5, true, 2000000, true)), confirmation(5, 0xEC));
        const QByteArray data = bus.respond(dataRequest(5));
        QCOMPARE(leValue(data, 11, 4), 100000u);
        QCOMPARE(leValue(data, 15, 4), 2000000u);
    }

    void aWrittenTableIsReadBack()
    {
        SensorBus bus({steadySensor()});
        QByteArray table;
        for (int i = 0; i < 40; ++i)
            table += int16BigEndian(qint16(i * 100 + 1));
        QCOMPARE(bus.respond(request(5, 0xF1, true, table)), confirmation(5, 0xF1));
        QCOMPARE(bus.respond(tableReadRequest(5)), withCrc(hex("3E 05 EF") + table));
        QCOMPARE(bus.sensor(5)->table.volumes[19], quint16(3901));
    }

    void airParametersAreKept()
    {
        SensorBus bus({steadySensor()});
        QCOMPARE(bus.respond(airRequest(5, -150, 10000, 35)), confirmation(5, 0xD0));
        QCOMPARE(bus.sensor(5)->airTemperature, qint16(-150));
        QCOMPARE(bus.sensor(5)->airPressure, qint16(10000));
        QCOMPARE(bus.sensor(5)->airHumidity, quint8(35));
    }

    void passwords()
    {
        SensorConfig c = steadySensor();
        c.password = 1234;
        SensorBus bus({c});
        QCOMPARE(bus.respond(passwordRequest(5, false, 1235, true)), withCrc(hex("3E 05 FD")));
        QCOMPARE(bus.respond(passwordRequest(5, false, 1234, true)), confirmation(5, 0xF8));
        QCOMPARE(bus.respond(passwordRequest(5, true, 2000000000, true)), confirmation(5, 0xF7));
        QCOMPARE(bus.respond(passwordRequest(5, false, 1234, true)), wrongPasswordAnswer(5));
        QCOMPARE(bus.respond(passwordRequest(5, false, 2000000000, true)), confirmation(5, 0xF8));
    }

    void aLockedSensorRefusesSettingsUntilThePassword()
    {
        SensorConfig c = steadySensor();
        c.password = 42;
        c.locked = true;
        SensorBus bus({c});
        const QList<QByteArray> settings = {shiftRequest(5, false, 10, true),
                                            modeRequest(5, 0x02, true, 0x00),
                                            settingRequest(Cmd::SetMaxDistance, 5, {500}, true),
                                            settingRequest(Cmd::SetMinDistance, 5, {50}, true),
                                            settingRequest(Cmd::SetNetAddress, 5, {9}, true),
                                            passwordRequest(5, true, 7, true),
                                            directLevelRequest(5, true, 1, true),
                                            request(5, 0xF1, true, QByteArray(80, '\0'))};
        for (const QByteArray &frame : settings)
            QCOMPARE(bus.respond(frame), wrongPasswordAnswer(5));
        const SensorConfig after = *bus.sensor(5);
        QCOMPARE(after.emptyValue, c.emptyValue);
        QCOMPARE(after.mode, c.mode);
        QCOMPARE(after.password, 42u);
        QVERIFY(after.table == c.table);

        // Reading and the ambient air go on.
        QVERIFY(framedWithGoodCrc(bus.respond(dataRequest(5))));
        QCOMPARE(bus.respond(airRequest(5, 0, 10000, 50)), confirmation(5, 0xD0));
        QCOMPARE(bus.respond(hex("31 FF DC")), hex("05"));

        QCOMPARE(bus.respond(passwordRequest(5, false, 41, true)), wrongPasswordAnswer(5));
        QVERIFY(bus.sensor(5)->locked);
        QCOMPARE(bus.respond(passwordRequest(5, false, 42, true)), confirmation(5, 0xF8));
        QCOMPARE(bus.respond(shiftRequest(5, false, 10, true)), confirmation(5, 0xF9));
        QCOMPARE(bus.sensor(5)->emptyValue, c.emptyValue + 10);
    }

    // ---- faults ----

    void faults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("bad CRC") << Fault::BadCrc;
        QTest::newRow("frequency mode") << Fault::FrequencyMode;
        QTest::newRow("garbage") << Fault::Garbage;
        QTest::newRow("short data") << Fault::ShortData;
        QTest::newRow("wrong code") << Fault::WrongCode;
        QTest::newRow("silent") << Fault::Silent;
    }
    void faults()
    {
        QFETCH(Fault, fault);
        SensorConfig c = steadySensor();
        c.outputCode = 1000;
        SensorBus bus({c});
        QVERIFY(bus.setFault(5, fault));
        const QByteArray data = bus.respond(dataRequest(5));
        const QByteArray identity = bus.respond(identityRequest(5));
        switch (fault) {
        case Fault::BadCrc:
            QCOMPARE(data.size(), 26);
            QVERIFY(isFramedAnswer(data) && !answerCrcMatches(data));
            QVERIFY(!answerCrcMatches(identity));
            break;
        case Fault::FrequencyMode:
            QCOMPARE(data, withCrc(hex("3E 05 FE 05 14"))); // 1300 Hz
            QCOMPARE(identity, data);
            break;
        case Fault::Garbage:
            QVERIFY(!data.isEmpty());
            QVERIFY(!isFramedAnswer(data));
            break;
        case Fault::ShortData:
            QCOMPARE(data.size(), 12);
            QVERIFY(framedWithGoodCrc(data));
            QCOMPARE(byteAt(data, 3), quint8(0xF0));
            QCOMPARE(identity.size(), 10); // only the data answer is cut
            break;
        case Fault::WrongCode:
            QVERIFY(framedWithGoodCrc(data));
            QVERIFY(byteAt(data, 3) != quint8(0xF0));
            QVERIFY(framedWithGoodCrc(identity));
            QVERIFY(byteAt(identity, 3) != quint8(0xFC));
            break;
        default:
            QCOMPARE(data, QByteArray());
            QCOMPARE(identity, QByteArray());
            QCOMPARE(bus.respond(searchRequest()), QByteArray());
            break;
        }
        bus.clearFaults();
        QVERIFY(framedWithGoodCrc(bus.respond(dataRequest(5))));
    }

    void faultNamesRoundTrip()
    {
        for (const QString &name : faultNames())
            QCOMPARE(faultName(*faultFromName(name)), name);
        QVERIFY(!faultFromName("sometimes"));
    }

    // ---- describing the bus ----

    void sensorOnTheCommandLine()
    {
        Fault fault = Fault::None;
        QString error;
        const auto c = sensorFromText(
            "address=3, firmware=0xB0,serial=777,locked=yes,password=42,fault=garbage,"
            "temperature=-7,variation=off",
            &fault, &error);
        QVERIFY2(c, qPrintable(error));
        QCOMPARE(c->address, quint8(3));
        QCOMPARE(c->firmware, quint8(176));
        QCOMPARE(c->serial, 777u);
        QVERIFY(c->locked);
        QCOMPARE(c->password, 42u);
        QCOMPARE(c->temperature, qint8(-7));
        QVERIFY(!c->liveVariation);
        QCOMPARE(fault, Fault::Garbage);

        QVERIFY(!sensorFromText("adress=3", &fault, &error));
        QVERIFY(error.contains("adress"));
        QVERIFY(!sensorFromText("address=255", &fault, &error));
        QVERIFY(!sensorFromText("firmware=1.7.6", &fault, &error));
        QVERIFY(!sensorFromText("address", &fault, &error));

        const auto f = faultFromText("5:bad-crc", &error);
        QVERIFY(f);
        QCOMPARE(f->first, quint8(5));
        QCOMPARE(f->second, Fault::BadCrc);
        QVERIFY(!faultFromText("5", &error));
        QVERIFY(!faultFromText("x:silent", &error));
    }

    void sensorsInABusFile()
    {
        QByteArray json = R"({"sensors": [
            {"address": 4, "firmware": 172, "mode": "0x80", "locked": true, "password": 9,
             "fault": "short"},
            {"address": 5, "table": {"readings": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,
                                                  18,19,20],
                                     "volumes": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
                                                 65535]}}
        ]})";
        std::vector<std::pair<quint8, Fault>> faults;
        QString error;
        const auto sensors = sensorsFromJson(json, &faults, &error);
        QVERIFY2(sensors, qPrintable(error));
        QCOMPARE(int(sensors->size()), 2);
        QCOMPARE(sensors->at(0).mode, quint8(0x80));
        QVERIFY(sensors->at(0).locked);
        QCOMPARE(sensors->at(1).table.readings[19], quint16(20));
        QCOMPARE(sensors->at(1).table.volumes[19], quint16(65535));
        QCOMPARE(int(faults.size()), 1);
        QCOMPARE(faults.at(0), std::make_pair(quint8(4), Fault::ShortData));

        QVERIFY(!sensorsFromJson("{", &faults, &error));
        QVERIFY(!sensorsFromJson(R"({"sensors": []})", &faults, &error));
        QVERIFY(!sensorsFromJson(R"({"sensors": [{"address": 1.5}]})", &faults, &error));
        QVERIFY(!sensorsFromJson(R"({"sensors": [{"serial": 1e300}]})", &faults, &error));
        QVERIFY(
            !sensorsFromJson(R"({"sensors": [{"table": {"readings": [1]}}]})", &faults, &error));
        QVERIFY(error.contains("sensor 1"));
    }

    // The help is wrapped to the terminal between words; an example must not be cut.
    void helpKeepsItsExamplesWhole()
    {
        QCommandLineParser parser;
        addSimOptions(parser);
        QVERIFY(parser.helpText().contains("address=4,locked=1,password=42."));
    }

    void numbersAreDecimalOrHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value"); // -1: refused
        QTest::newRow("decimal") << "176" << qint64(176);
        QTest::newRow("leading zero is still decimal") << "010" << qint64(10);
        QTest::newRow("hex") << "0xB0" << qint64(176);
        QTest::newRow("signed") << "-7" << qint64(-7);
        QTest::newRow("binary") << "0b101" << qint64(-1);
        QTest::newRow("hex twice") << "0x0x5" << qint64(-1);
        QTest::newRow("bare prefix") << "0x" << qint64(-1);
        QTest::newRow("exponent") << "1e3" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("beyond 64 bits") << "99999999999999999999" << qint64(-1);
    }
    void numbersAreDecimalOrHex()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        const auto n = wholeNumber(text);
        QCOMPARE(n.has_value(), value != -1);
        if (n)
            QCOMPARE(*n, value);
    }

    // What sensor-sim refuses to start with, each refusal naming what is wrong and where.
    // {dir} stands for a scratch folder, {fifo} for a named pipe in it; "file" is written
    // to {dir}/bus.json, "link" makes {dir}/bus a link to it. No error expected: accepted.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QStringList>("error");
        const QStringList config = {"--config", "{dir}/bus.json"};
        const QStringList link = {"--link", "{dir}/bus"};
        const QByteArray none;
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        row("empty --sensor") << QStringList{"--sensor", ""} << none << ""
                              << QStringList{"--sensor", "empty"};
        row("binary number") << QStringList{"--sensor", "address=0b101"} << none << ""
                             << QStringList{"address", "0b101"};
        row("word for a number") << QStringList{"--sensor", "address=yes"} << none << ""
                                 << QStringList{"address", "yes"};
        row("same address twice") << QStringList{"--sensor", "address=5", "--sensor",
                                                 "address=0x05"}
                                  << none << "" << QStringList{"two sensors at address 5"};
        row("same address in a file")
            << config << QByteArray(R"({"sensors": [{"address": 3}, {"address": 3, "serial": 9}]})")
            << "" << QStringList{"address 3"};
        row("sensor not an object") << config << QByteArray(R"({"sensors": [{"address": 3}, 5]})")
                                    << "" << QStringList{"{dir}/bus.json", "sensor 2", "object"};
        row("flag for a number") << config << QByteArray(R"({"sensors": [{"address": true}]})")
                                 << "" << QStringList{"sensor 1", "address", "true"};
        row("text for a number") << config
                                 << QByteArray(
                                        R"({"sensors": [{"address": 3}, {"firmware": "1.7.6"}]})")
                                 << "" << QStringList{"sensor 2", "firmware", "\"1.7.6\""};
        row("number for a fault") << config << QByteArray(R"({"sensors": [{"fault": 3}]})") << ""
                                  << QStringList{"sensor 1", "fault"};
        row("table not an object") << config << QByteArray(R"({"sensors": [{"table": [1, 2]}]})")
                                   << "" << QStringList{"sensor 1", "table"};
        row("unknown key in the table")
            << config << QByteArray(R"({"sensors": [{"table": {"volume": []}}]})") << ""
            << QStringList{"sensor 1", "volume"};
        row("larger than 1 MiB") << config << QByteArray(1024 * 1024 + 1, ' ') << ""
                                 << QStringList{"{dir}/bus.json", "1 MiB"};
        row("1 MiB exactly")
            << config
            << QByteArray(R"({"sensors": [{"address": 3}]})").leftJustified(1024 * 1024, ' ') << ""
            << QStringList{};
        row("a sensor without its address") << QStringList{"--sensor", "firmware=176"} << none << ""
                                            << QStringList{"--sensor firmware=176", "no address"};
        row("a key twice") << QStringList{"--sensor", "address=3,address=4"} << none << ""
                           << QStringList{"address is given twice"};
        row("a sensor in a file without its address")
            << config << QByteArray(R"({"sensors": [{"address": 3}, {"firmware": 176}]})") << ""
            << QStringList{"sensor 2", "no address"};
        row("a bare array") << config << QByteArray(R"([{"address": 3}])") << ""
                            << QStringList{"{dir}/bus.json", "not an array"};
        row("a key beside the sensors")
            << config << QByteArray(R"({"sensors": [{"address": 3}], "sensor": {"address": 4}})")
            << "" << QStringList{"{dir}/bus.json", "unknown key \"sensor\""};
        row("an empty link") << QStringList{"--link", ""} << none << ""
                             << QStringList{"--link", "empty"};
        row("a device") << QStringList{"--config", "/dev/zero"} << none << ""
                        << QStringList{"/dev/zero", "regular"};
        row("a named pipe") << QStringList{"--config", "{fifo}"} << none << ""
                            << QStringList{"{fifo}", "regular"};
        row("no such file") << QStringList{"--config", "{dir}/none.json"} << none << ""
                            << QStringList{"{dir}/none.json"};
        row("someone's link") << link << none << "{dir}/notes"
                              << QStringList{"{dir}/bus", "{dir}/notes"};
        row("a link left by a killed run") << link << none << "/dev/pts/999999" << QStringList{};
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, file);
        QFETCH(QString, link);
        QFETCH(QStringList, error);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        auto place = [&](QString text) {
            return text.replace("{dir}", dir.path()).replace("{fifo}", fifo);
        };
        if (!file.isNull()) {
            QFile f(dir.filePath("bus.json"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        }
        if (!link.isEmpty())
            QVERIFY(QFile::link(place(link), dir.filePath("bus")));

        QCommandLineParser parser;
        addSimOptions(parser);
        QStringList line = {"sensor-sim"};
        for (const QString &a : args)
            line.append(place(a));
        QVERIFY(parser.parse(line));
        QString message;
        const auto options = readSimOptions(parser, &message);
        SensorSim sim(options ? options->sensors : std::vector<SensorConfig>{});
        if (options && !sim.start(options->linkPath))
            message = sim.errorString();

        if (error.isEmpty()) {
            QVERIFY2(message.isEmpty(), qPrintable(message));
            if (!options->linkPath.isEmpty())
                QCOMPARE(QFileInfo(options->linkPath).symLinkTarget(), sim.slavePath());
            return;
        }
        for (const QString &part : error)
            QVERIFY2(message.contains(place(part)), qPrintable(message));
        // A link that is not the simulator's is left as it was.
        if (!link.isEmpty())
            QCOMPARE(QFile::symLinkTarget(dir.filePath("bus")), place(link));
    }

    // ---- on the line ----

    void answersOnThePseudoTerminal()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        SensorSim sim({steadySensor(5, 176)});
        QVERIFY2(sim.start(link), qPrintable(sim.errorString()));
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.slavePath());

        LineClient client(link);
        QVERIFY(client.isOpen());
        QVERIFY(client.send(identityRequest(5)));
        QCOMPARE(client.receive(10), withCrc(hex("3E 05 FC 39 30 00 00 B0 00")));
        QVERIFY(client.send(hex("31 FF DC")));
        QCOMPARE(client.receive(1), hex("05"));
        // A request it must not answer gets nothing, and what follows is answered.
        const quint64 heard = sim.bus().messagesHeard();
        QVERIFY(client.send(hex("31 05 F0 00")));
        QTRY_COMPARE(sim.bus().messagesHeard(), heard + 1);
        QVERIFY(client.send(dataRequest(5)));
        const QByteArray data = client.receive(26);
        QCOMPARE(data.size(), 26);
        QVERIFY(framedWithGoodCrc(data));
        QVERIFY(sim.bus().messagesHeard() >= 3);

        sim.stop();
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void aMessageSettlesOnceItsAnswerIsOut()
    {
        SensorSim sim({steadySensor(5, 176)});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        LineClient client(sim.slavePath());
        QVERIFY(client.isOpen());
        // One it must not answer settles without an answer, one to another address too.
        QVERIFY(client.send(hex("31 05 F0 00")));
        QTRY_COMPARE(sim.messagesSettled(), quint64(1));
        QVERIFY(client.send(dataRequest(6)));
        QTRY_COMPARE(sim.messagesSettled(), quint64(2));
        QVERIFY(client.send(identityRequest(5)));
        QTRY_COMPARE(sim.messagesSettled(), quint64(3));
        // Settled means the answer can already be read.
        pollfd p{client.fd(), POLLIN, 0};
        QCOMPARE(::poll(&p, 1, 0), 1);
        QCOMPARE(client.receive(10).size(), 10);
        QCOMPARE(sim.bus().messagesHeard(), quint64(3));

        // An answer still waiting for its moment is not out yet.
        SimTiming late;
        late.minDelayMs = late.maxDelayMs = 3600 * 1000;
        SensorSim slow({steadySensor(5, 176)}, late);
        QVERIFY2(slow.start(), qPrintable(slow.errorString()));
        LineClient other(slow.slavePath());
        QVERIFY(other.send(identityRequest(5)));
        QTRY_COMPARE(slow.bus().messagesHeard(), quint64(1));
        QCOMPARE(slow.messagesSettled(), quint64(0));
    }

    void aStaleLinkIsReplacedAndAFileIsNot()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        QVERIFY(QFile::link("/dev/pts/999999", link));
        SensorSim sim({steadySensor()});
        QVERIFY2(sim.start(link), qPrintable(sim.errorString()));
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.slavePath());
        sim.stop();

        const QString file = dir.filePath("notes");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!sim.start(file));
        QVERIFY(!sim.errorString().isEmpty());
        QVERIFY(QFileInfo(file).isFile());
    }

    void theDeviceCanVanish()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        SensorSim sim({steadySensor()});
        QVERIFY(sim.start(link));
        LineClient client(sim.slavePath());
        QVERIFY(client.isOpen());
        sim.vanish();
        QVERIFY(sim.hasVanished());
        QVERIFY(!QFileInfo(link).isSymLink());
        client.send(dataRequest(5));
        QCOMPARE(client.receive(1), QByteArray());
        QVERIFY(client.hungUp);
    }

    void theDeviceVanishesAfterSoManyRequests()
    {
        SensorSim sim({steadySensor()});
        sim.setVanishAfter(2);
        QVERIFY(sim.start());
        LineClient client(sim.slavePath());
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(26).size(), 26);
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(26).size(), 26);
        QVERIFY(!sim.hasVanished());
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(1), QByteArray());
        QVERIFY(client.hungUp);
        QTRY_VERIFY(sim.hasVanished());
    }

#ifdef SENSOR_SIM_PROGRAM
    void theProgramPrintsItsDeviceAndCleansUp()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("demo-bus");
        QProcess sim;
        sim.start(SENSOR_SIM_PROGRAM, {"--demo", "--link", link});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY(device.startsWith("/dev/"));
        QTRY_COMPARE(QFileInfo(link).symLinkTarget(), device);

        LineClient client(link);
        QVERIFY(client.send(hex("31 FF DC")));
        QCOMPARE(client.receive(3), hex("01 02 05"));

        sim.terminate(); // SIGTERM
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void theProgramRefusesABadDescription()
    {
        QProcess sim;
        sim.start(SENSOR_SIM_PROGRAM, {"--sensor", "address=300"});
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardError().contains("address"));

        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        QVERIFY(QFile::link(dir.filePath("notes"), link));
        sim.start(SENSOR_SIM_PROGRAM, {"--link", link});
        QVERIFY(sim.waitForFinished(10000));
        QVERIFY(sim.exitCode() != 0);
        QVERIFY(QString::fromLocal8Bit(sim.readAllStandardError()).contains(link));
    }
#endif
};

QTEST_GUILESS_MAIN(tst_SensorSim)
#include "tst_sensorsim.moc"
