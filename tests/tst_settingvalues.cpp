#include "core/config/SettingValues.h"

#include <QtTest>

using namespace levelconf;

Q_DECLARE_METATYPE(AirValue::Check)

class tst_SettingValues : public QObject
{
    Q_OBJECT

    using Check = AirValue::Check;
    enum Field { Temperature, Pressure, Humidity };

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void airValues_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Check>("check");
        QTest::addColumn<int>("value");

        QTest::newRow("T 327.67 fits")
            << int(Temperature) << "327.67" << Check::OutOfRange << 32767;
        QTest::newRow("T 400 beyond 16 bits")
            << int(Temperature) << "400" << Check::Unreadable << 0;
        QTest::newRow("T letters") << int(Temperature) << "warm" << Check::Unreadable << 0;

        QTest::newRow("P 1013.7 loses tenths") << int(Pressure) << "1013.7" << Check::Ok << 10140;
        QTest::newRow("P 499.5 half to even") << int(Pressure) << "499.5" << Check::Ok << 5000;
        QTest::newRow("P 1200.5 half to even") << int(Pressure) << "1200.5" << Check::Ok << 12000;
        QTest::newRow("P 1201.5") << int(Pressure) << "1201.5" << Check::OutOfRange << 12020;
        QTest::newRow("P 3276 fits") << int(Pressure) << "3276" << Check::OutOfRange << 32760;
        // 3277 hPa would be 32770 tenths; 7054 would wrap round to 5004 and pass.
        QTest::newRow("P 3277 beyond 16 bits") << int(Pressure) << "3277" << Check::Unreadable << 0;
        QTest::newRow("P 7054 must not wrap") << int(Pressure) << "7054" << Check::Unreadable << 0;
        QTest::newRow("P 40000") << int(Pressure) << "40000" << Check::Unreadable << 0;

        QTest::newRow("H 0.5 to even") << int(Humidity) << "0.5" << Check::OutOfRange << 0;
        QTest::newRow("H 256 not a byte") << int(Humidity) << "256" << Check::OutOfRange << 256;
        QTest::newRow("H letters") << int(Humidity) << "damp" << Check::Unreadable << 0;
    }
    void airValues()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(Check, check);
        QFETCH(int, value);
        const AirValue v = field == Temperature ? airTemperature(text)
                           : field == Pressure  ? airPressure(text)
                                                : airHumidity(text);
        QCOMPARE(v.check, check);
        if (check != Check::Unreadable)
            QCOMPARE(int(v.value), value);
    }

    void secondModeByteCarriesLevelAndEchoSelection()
    {
        QCOMPARE(secondModeByte(3, false, false), quint8(0x03));
        QCOMPARE(secondModeByte(3, true, false), quint8(0x13));
        QCOMPARE(secondModeByte(15, false, true), quint8(0x2F));
        QCOMPARE(secondModeByte(0, true, true), quint8(0x30));
    }
};

QTEST_GUILESS_MAIN(tst_SettingValues)
#include "tst_settingvalues.moc"
