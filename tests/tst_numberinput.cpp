#include "core/input/AddressText.h"
#include "core/input/NumberInput.h"

#include <QtTest>

using namespace levelconf;

class tst_NumberInput : public QObject
{
    Q_OBJECT

private slots:
    // An address is a whole decimal number up to the highest its reader takes, 254 for a
    // sensor's and 255 for any address byte; nothing else passes for one.
    void addressesAreWholeNumbersInRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("expected"); // -1: no address
        QTest::newRow("a sensor's") << "5" << 254 << 5;
        QTest::newRow("blanks around it") << " 17 " << 254 << 17;
        QTest::newRow("leading zeros") << "007" << 254 << 7;
        QTest::newRow("zero") << "0" << 254 << 0;
        QTest::newRow("the highest") << "254" << 254 << 254;
        QTest::newRow("the search's, for a sensor") << "255" << 254 << -1;
        QTest::newRow("the search's, as any byte") << "255" << 255 << 255;
        QTest::newRow("past a byte") << "256" << 255 << -1;
        QTest::newRow("far past, no overflow") << "99999999999" << 255 << -1;
        QTest::newRow("negative") << "-1" << 254 << -1;
        QTest::newRow("a fraction") << "5.5" << 254 << -1;
        QTest::newRow("hexadecimal") << "0x05" << 254 << -1;
        QTest::newRow("a blank inside") << "1 2" << 254 << -1;
        QTest::newRow("empty") << "  " << 254 << -1;
    }
    void addressesAreWholeNumbersInRange()
    {
        QFETCH(QString, text);
        QFETCH(int, highest);
        QFETCH(int, expected);
        const std::optional<quint8> a = addressFromText(text, highest);
        QCOMPARE(a ? int(*a) : -1, expected);
    }

    void roundsHalvesToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("2.5") << "2.5" << qint64(2);
        QTest::newRow("3.5") << "3.5" << qint64(4);
        QTest::newRow("-2.5") << "-2.5" << qint64(-2);
        QTest::newRow("-3.5") << "-3.5" << qint64(-4);
        QTest::newRow("499.6") << "499.6" << qint64(500);
        QTest::newRow("1200.4") << "1200.4" << qint64(1200);
        QTest::newRow("blanks") << "  42 " << qint64(42);
        QTest::newRow("plus") << "+7" << qint64(7);
    }
    void roundsHalvesToEven()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        const auto v = toWhole(text, NumWidth::Int32, QLocale::c());
        QVERIFY(v.has_value());
        QCOMPARE(*v, expected);
    }

    void refusesWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("byte 256") << "256" << int(NumWidth::Byte);
        QTest::newRow("byte -1") << "-1" << int(NumWidth::Byte);
        QTest::newRow("int16 40000") << "40000" << int(NumWidth::Int16);
        QTest::newRow("int16 -32768.6") << "-32768.6" << int(NumWidth::Int16);
        QTest::newRow("int32 3e9") << "3000000000" << int(NumWidth::Int32);
        QTest::newRow("letters") << "abc" << int(NumWidth::Int32);
        QTest::newRow("empty") << "" << int(NumWidth::Int32);
        QTest::newRow("trailing junk") << "12a" << int(NumWidth::Int32);
        QTest::newRow("infinity") << "inf" << int(NumWidth::Int32);
        QTest::newRow("nan") << "nan" << int(NumWidth::Int32);
    }
    void refusesWhatDoesNotFit()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QVERIFY(!toWhole(text, NumWidth(width), QLocale::c()).has_value());
    }

    void widthEdgesAreAccepted()
    {
        QCOMPARE(toWhole("255", NumWidth::Byte, QLocale::c()).value(), qint64(255));
        QCOMPARE(toWhole("254.5", NumWidth::Byte, QLocale::c()).value(), qint64(254));
        QCOMPARE(toWhole("-32768", NumWidth::Int16, QLocale::c()).value(), qint64(-32768));
        QCOMPARE(toWhole("32767", NumWidth::Int16, QLocale::c()).value(), qint64(32767));
        QCOMPARE(toWhole("2000000000", NumWidth::Int32, QLocale::c()).value(), qint64(2000000000));
    }

    void followsTheLocalesDecimalSeparator()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(parseNumber("25,2", german).value(), 25.2);
        QCOMPARE(parseNumber("25.2", english).value(), 25.2);
        // A grouping comma must not turn 1,5 into 15 where the comma groups thousands.
        QVERIFY(!parseNumber("1,5", english).has_value());
        QVERIFY(!parseNumber("1.000,0", german).has_value());
    }

    void defaultsAreShownInTheLocalesOwnWay()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(localizedDecimal("25,2", german), QString("25,2"));
        QCOMPARE(localizedDecimal("25,2", english), QString("25.2"));
        QCOMPARE(parseNumber(localizedDecimal("1000,0", english), english).value(), 1000.0);
    }
};

QTEST_GUILESS_MAIN(tst_NumberInput)
#include "tst_numberinput.moc"
