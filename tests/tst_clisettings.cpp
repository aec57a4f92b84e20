// The settings of levelconf-cli: the window's checks and texts, the window's frames.
#include "cli/SettingKeys.h"
#include "core/protocol/FrameCodec.h"

#include <QtTest>

using namespace levelconf;

class tst_CliSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void refusals_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QStringList>("refusal");
        QTest::addColumn<bool>("usage");

        QTest::newRow("full shift range")
            << "full-shift=1001" << QStringList{"Acceptable values -1000 to 1000"} << false;
        QTest::newRow("empty shift range")
            << "empty-shift=-1001" << QStringList{"Acceptable values -1000 до 1000"} << false;
        // Beyond the box's 16 bits the window says nothing; here the range is told.
        QTest::newRow("shift beyond 16 bits")
            << "empty-shift=40000" << QStringList{"Acceptable values -1000 до 1000"} << false;
        QTest::newRow("shift not a number")
            << "empty-shift=abc" << QStringList{"empty-shift: \"abc\" is not a number"} << false;
        QTest::newRow("min distance")
            << "min-distance=0" << QStringList{"Acceptable values 1 to 99"} << false;
        QTest::newRow("address") << "address=-1"
                                 << QStringList{"Enter a value from the range 0....255"} << false;
        QTest::newRow("search address")
            << "address=255"
            << QStringList{"address: 255 is the search address, which every sensor answers; a "
                           "sensor takes 0 to 254"}
            << false;
        QTest::newRow("password")
            << "password=2000000001"
            << QStringList{"Enter a figures-only pasword, acceptable values 0....2 000 000 000"}
            << false;
        QTest::newRow("new password")
            << "new-password=abc" << QStringList{"Enter password as a value 0....2 000 000 000"}
            << false;
        QTest::newRow("pressure")
            << "air=20,499.4,35"
            << QStringList{"Acceptable atm pressure values 500.0 to 1200.0 GPa",
                           "Wrong parameter values "}
            << false;
        QTest::newRow("humidity unreadable")
            << "air=20,1000,x" << QStringList{"Wrong parameter values "} << false;
        QTest::newRow("air parts")
            << "air=20,1000" << QStringList{"air takes T,P,H: temperature, pressure, humidity"}
            << false;
        QTest::newRow("mode output")
            << "mode=loud"
            << QStringList{"mode: the mode starts with its output: rs485, analog, frequency, "
                           "impulse, active-rs485"}
            << false;
        QTest::newRow("mode level") << "mode=analog+level=16" << QStringList() << false;
        QTest::newRow("no equals") << "address" << QStringList() << true;
        QTest::newRow("unknown key") << "colour=red" << QStringList() << true;
    }

    void refusals()
    {
        QFETCH(QString, assignment);
        QFETCH(QStringList, refusal);
        QFETCH(bool, usage);
        const SettingParse p = parseSetting(assignment);
        QVERIFY(!p.setting);
        QCOMPARE(p.usage, usage);
        if (!refusal.isEmpty())
            QCOMPARE(p.refusal, refusal);
        QVERIFY(!p.refusal.isEmpty());
    }

    // The window's numbers, rounded as the window rounds them, but never silently.
    void roundingIsNamed_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("whole") << "max-distance=800" << QStringList();
        QTest::newRow("exponent, whole") << "max-distance=1e2" << QStringList();
        QTest::newRow("half to even")
            << "max-distance=12.5" << QStringList{"max-distance: 12.5 is sent as 12"};
        QTest::newRow("address") << "address=7.5" << QStringList{"address: 7.5 is sent as 8"};
        QTest::newRow("password as typed") << "password=0042" << QStringList();
        QTest::newRow("air, hundredths and whole hPa")
            << "air=20.005,1013.4,50"
            << QStringList{"air: 20.005 is sent as 20", "air: 1013.4 is sent as 1013"};
        QTest::newRow("air as sent") << "air=-1.25,1000,35" << QStringList();
        // 0.29 and 0.57 times 100 miss their whole numbers in binary; nothing was rounded.
        QTest::newRow("hundredths that binary cannot hold") << "air=0.29,1000,35" << QStringList();
        QTest::newRow("more of them") << "air=-0.57,1000,35" << QStringList();
    }

    void roundingIsNamed()
    {
        QFETCH(QString, assignment);
        QFETCH(QStringList, notes);
        const SettingParse p = parseSetting(assignment);
        QVERIFY2(p.setting, qPrintable(p.refusal.join(' ')));
        QCOMPARE(p.setting->notes, notes);
    }

    void frames_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("fw");
        QTest::addColumn<int>("echoByte");     // -1: not known
        QTest::addColumn<QByteArray>("frame"); // without the CRC
        QTest::addColumn<QString>("logLine");

        const QByteArray key = writeKey();
        QTest::newRow("address unkeyed")
            << "address=7" << 174 << -1 << QByteArray::fromHex("3105FB07")
            << "Cmd Set New net addr = 7";
        QTest::newRow("address keyed")
            << "address=7" << 175 << -1 << QByteArray::fromHex("3105FB") + key + '\x07'
            << "Cmd Set New net addr = 7";
        QTest::newRow("password as typed")
            << "password=0042" << 163 << -1 << QByteArray::fromHex("3105F80000002A")
            << "Cmd Enter Password = 0042";
        QTest::newRow("shift") << "empty-shift=-1" << 163 << -1 << QByteArray::fromHex("3105F9FFFF")
                               << "Cmd Shift Low: -1";
        QTest::newRow("air never keyed")
            << "air=-1.5,1000,35" << 176 << -1 << QByteArray::fromHex("3105D0FF6A271023")
            << "Cmd Set AirParam: T=65386 P=10000 H=35";
        QTest::newRow("mode, one byte")
            << "mode=frequency+filtration+range4096" << 174 << -1 << QByteArray::fromHex("3105F28C")
            << "Cmd Change mode to 140 sgla 0";
        QTest::newRow("mode, second byte kept from the sensor")
            << "mode=analog+percent" << 176 << 0x13
            << QByteArray::fromHex("3105F2") + key + QByteArray::fromHex("2213")
            << "Cmd Change mode to 34 sgla 3";
        QTest::newRow("mode, level and echo given")
            << "mode=active-rs485+inverted+litres+level=5+echo=both" << 176 << 0x13
            << QByteArray::fromHex("3105F2") + key + QByteArray::fromHex("5125")
            << "Cmd Change mode to 81 sgla 5";
    }

    void frames()
    {
        QFETCH(QString, assignment);
        QFETCH(int, fw);
        QFETCH(int, echoByte);
        QFETCH(QByteArray, frame);
        QFETCH(QString, logLine);
        const SettingParse p = parseSetting(assignment);
        QVERIFY2(p.setting, qPrintable(p.refusal.join(' ')));
        SensorFacts facts{fw, {}};
        if (echoByte >= 0)
            facts.echoByte = static_cast<quint8>(echoByte);
        QCOMPARE(needsEchoByte(*p.setting, fw),
                 fw >= 176 && echoByte >= 0 && !assignment.contains("echo="));
        const SettingFrame f = settingFrame(*p.setting, 5, facts);
        QCOMPARE(f.frame, withCrc(frame));
        QCOMPARE(f.logLine, logLine);
        QCOMPARE(f.answerCode, static_cast<quint8>(frame.at(2)));
        QCOMPARE(repeatable(*p.setting), !assignment.contains("shift"));
    }

    void firmwareRefusals_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("fw");
        QTest::addColumn<QString>("refusal"); // empty: taken

        QTest::newRow("password before 1.6.3")
            << "password=1" << 162 << "password: needs firmware 1.6.3 or newer";
        QTest::newRow("new password from 1.6.3") << "new-password=1" << 163 << QString();
        QTest::newRow("level before 1.7.6")
            << "mode=analog+level=5" << 175
            << "mode: level= and echo= need firmware 1.7.6 or newer";
        QTest::newRow("echo before 1.7.6") << "mode=analog+echo=both" << 172
                                           << "mode: level= and echo= need firmware 1.7.6 or newer";
        QTest::newRow("plain mode on an old sensor") << "mode=analog" << 130 << QString();
        QTest::newRow("level from 1.7.6") << "mode=analog+level=5" << 176 << QString();
    }

    void firmwareRefusals()
    {
        QFETCH(QString, assignment);
        QFETCH(int, fw);
        QFETCH(QString, refusal);
        const SettingParse p = parseSetting(assignment);
        QVERIFY(p.setting);
        QCOMPARE(firmwareRefusal(*p.setting, fw).value_or(QString()), refusal);
        QCOMPARE(tableFirmwareRefusal(fw).has_value(), fw < 170);
    }

    // The help's key lines come from the settings one by one: each in its column, its
    // further lines under it, in the order the keys are listed everywhere else.
    void helpListsEveryKeyInItsColumn()
    {
        QCOMPARE(
            settingKeysHelp(),
            QString(
                "  address=N                   new network address, 0 to 254; refused when\n"
                "                              another sensor answers at N\n"
                "  password=P                  unlock the sensor with its password,\n"
                "                              0 to 2000000000\n"
                "  new-password=P              change the password, 0 to 2000000000\n"
                "  empty-shift=S               shift the empty level, -1000 to 1000\n"
                "  full-shift=S                shift the full level, -1000 to 1000\n"
                "  max-distance=CM             distance limit, 1 to 1200 cm\n"
                "  min-distance=CM             between two objects, 1 to 99 cm\n"
                "  air=T,P,H                   temperature -60 to 60 degrees C, in hundredths;\n"
                "                              pressure 500 to 1200 hPa and humidity 1 to 100\n"
                "                              per cent, whole\n"
                "  mode=OUTPUT[+FLAG...]       the mode, in the words below\n"));
        QCOMPARE(settingKeyNames(), QString("address, password, new-password, empty-shift, "
                                            "full-shift, max-distance, min-distance, air, mode"));
    }

    void modeWordsRoundTrip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("passive") << 0x00;
        QTest::newRow("all flags") << 0xE9;
        QTest::newRow("active") << 0x10;
        QTest::newRow("impulse") << 0x06;
    }

    void modeWordsRoundTrip()
    {
        QFETCH(int, mode);
        QString error;
        const std::optional<ModeChoice> choice =
            parseModeWords(modeWordsText(quint8(mode)), &error);
        QVERIFY2(choice, qPrintable(error));
        QCOMPARE(int(modeByte(choice->controls)), mode);
    }
};

QTEST_GUILESS_MAIN(tst_CliSettings)
#include "tst_clisettings.moc"
