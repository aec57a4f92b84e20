#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "ui_frmSerial.h"
#include "window/widgets/Colours.h"

#include "WindowProbes.h"

#include <QtTest>

using namespace levelconf;

// The data answer: the decoder on its own, then the readings as the window shows them.
class tst_DataAnswer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    // ---- decoder ----

    void passStopsAtTheFirstMissingField_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("withSettings");
        QTest::addColumn<int>("failedStep");
        QTest::addColumn<int>("progress");
        QTest::newRow("empty") << 0 << true << 2 << 0;
        QTest::newRow("9 bytes, amplitude cut") << 9 << true << 2 << 0;
        QTest::newRow("10 bytes") << 10 << true << 10 << 0;
        QTest::newRow("13 bytes") << 13 << true << 10 << 0;
        QTest::newRow("14 bytes, full value cut") << 14 << true << 11 << 1;
        QTest::newRow("17 bytes") << 17 << true << 11 << 1;
        QTest::newRow("18 bytes, K cut") << 18 << true << 12 << 2;
        QTest::newRow("19 bytes") << 19 << true << 12 << 2;
        QTest::newRow("20 bytes, K ends in the CRC") << 20 << true << 0 << 2;
        QTest::newRow("22 bytes, mode byte only") << 22 << true << 0 << 2;
        QTest::newRow("23 bytes with settings") << 23 << true << 13 << 2;
        QTest::newRow("24 bytes with settings") << 24 << true << 13 << 2;
        QTest::newRow("24 bytes without settings") << 24 << false << 0 << 2;
        QTest::newRow("complete") << 26 << true << 0 << 2;
        QTest::newRow("longer than complete") << 40 << true << 0 << 2;
    }
    void passStopsAtTheFirstMissingField()
    {
        QFETCH(int, length);
        QFETCH(bool, withSettings);
        QFETCH(int, failedStep);
        QFETCH(int, progress);
        QByteArray a = dataAnswer({}, qMin(length, 26));
        a.append(QByteArray(qMax(0, length - 26), '\0'));
        const DataReadings r = decodeDataAnswer(a, withSettings);
        QCOMPARE(r.failedStep, failedStep);
        QCOMPARE(r.progress, progress);
        QCOMPARE(r.amplitude.has_value(), length >= 10);
        QCOMPARE(r.emptyValue.has_value(), length >= 14);
        QCOMPARE(r.modeByte.has_value(), withSettings && length > 21 && failedStep == 0);
        QCOMPARE(r.maxDistance.has_value(), withSettings && length > 24);
        QCOMPARE(r.echoByte.has_value(), withSettings && length > 24);
        QCOMPARE(r.warningCm.has_value(), failedStep == 0);
    }

    void fieldsAreLittleEndian()
    {
        DataFields f;
        f.address = 200;
        f.output = 0x0102;
        f.amplitude = 0xFFFFFFFF;
        f.emptyValue = 0x01020304;
        f.fullValue = 0x0A0B0C0D;
        f.k = 0x0304;
        f.mode = 0x8A;
        f.minDistance = 33;
        f.echo = 0x25;
        f.maxDistance = 0x1234;
        const DataReadings r = decodeDataAnswer(dataAnswer(f), true);
        QCOMPARE(r.failedStep, 0);
        QCOMPARE(*r.address, quint8(200));
        QCOMPARE(*r.output, quint16(0x0102));
        QCOMPARE(*r.amplitude, quint32(0xFFFFFFFF));
        QCOMPARE(*r.emptyValue, quint32(0x01020304));
        QCOMPARE(*r.fullValue, quint32(0x0A0B0C0D));
        QCOMPARE(*r.k, quint16(0x0304));
        QCOMPARE(*r.modeByte, quint8(0x8A));
        QCOMPARE(*r.minDistance, quint8(33));
        QCOMPARE(*r.echoByte, quint8(0x25));
        QCOMPARE(*r.maxDistance, quint16(0x1234));
        // Values too long for calibration values give neither a balance nor a warning.
        QVERIFY(!r.balance);
        QVERIFY(!r.warningCm);
    }

    void temperatureIsSigned_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::newRow("FB") << 0xFB << QString("-5 °C");
        QTest::newRow("7F") << 0x7F << QString("127 °C");
        QTest::newRow("80") << 0x80 << QString("-128 °C");
        QTest::newRow("00") << 0x00 << QString("0 °C");
        QTest::newRow("FF") << 0xFF << QString("-1 °C");
    }
    void temperatureIsSigned()
    {
        QFETCH(int, byte);
        QFETCH(QString, text);
        DataFields f;
        f.temperature = quint8(byte);
        QCOMPARE(temperatureText(*decodeDataAnswer(dataAnswer(f), false).temperature), text);
    }

    void balanceNeedsShortValuesAndANonZeroK_data()
    {
        QTest::addColumn<quint32>("lo");
        QTest::addColumn<quint32>("hi");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("failedStep");
        QTest::addColumn<double>("balance"); // NaN: none
        const double none = qQNaN();
        QTest::newRow("one") << 1000u << 7400u << 100 << 0 << 1.0;
        QTest::newRow("negative") << 3200u << 0u << 1 << 0 << -50.0;
        QTest::newRow("K zero") << 3000u << 2000u << 0 << 12 << none;
        QTest::newRow("K zero, long empty value") << 100000u << 2000u << 0 << 0 << none;
        QTest::newRow("K zero, long full value") << 3000u << 10000000u << 0 << 0 << none;
        QTest::newRow("longest short values")
            << 99999u << 9999999u << 1 << 0 << (9999999.0 - 99999.0) / 64.0;
    }
    void balanceNeedsShortValuesAndANonZeroK()
    {
        QFETCH(quint32, lo);
        QFETCH(quint32, hi);
        QFETCH(int, k);
        QFETCH(int, failedStep);
        QFETCH(double, balance);
        DataFields f;
        f.emptyValue = lo;
        f.fullValue = hi;
        f.k = quint16(k);
        const DataReadings r = decodeDataAnswer(dataAnswer(f), true);
        QCOMPARE(r.failedStep, failedStep);
        QCOMPARE(*r.k, quint16(k));
        QCOMPARE(r.balance.has_value(), !qIsNaN(balance));
        if (r.balance)
            QCOMPARE(*r.balance, balance);
    }

    void warningRoundsHalvesToEven_data()
    {
        QTest::addColumn<quint32>("lo");
        QTest::addColumn<int>("cm"); // -1: no warning
        QTest::newRow("50000") << 50000u << 83;
        QTest::newRow("300 is half") << 300u << 0;
        QTest::newRow("900 is one and a half") << 900u << 2;
        QTest::newRow("seven digits") << 9999999u << 16667;
        QTest::newRow("eight digits") << 10000000u << -1;
    }
    void warningRoundsHalvesToEven()
    {
        QFETCH(quint32, lo);
        QFETCH(int, cm);
        DataFields f;
        f.emptyValue = lo;
        const DataReadings r = decodeDataAnswer(dataAnswer(f), false);
        QCOMPARE(r.warningCm.has_value(), cm >= 0);
        if (cm >= 0)
            QCOMPARE(int(*r.warningCm), cm);
    }

    void analogVoltsRoundHalvesToEven_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("range4096");
        QTest::addColumn<QString>("text");
        QTest::newRow("4095 ticked") << 4095 << true << QString("5 В");
        QTest::newRow("1023 clear") << 1023 << false << QString("5 В");
        QTest::newRow("2048 ticked") << 2048 << true << QString("2.5 В");
        QTest::newRow("512 ticked, 62.5 to 62") << 512 << true << QString("0.62 В");
        QTest::newRow("1536 ticked, 187.5 to 188") << 1536 << true << QString("1.88 В");
        QTest::newRow("512 clear") << 512 << false << QString("2.48 В");
        QTest::newRow("0") << 0 << false << QString("0 В");
        QTest::newRow("65535 clear") << 65535 << false << QString("320 В");
    }
    void analogVoltsRoundHalvesToEven()
    {
        QFETCH(int, n);
        QFETCH(bool, range4096);
        QFETCH(QString, text);
        QCOMPARE(analogText(quint16(n), range4096, QLocale::c()), text);
    }

    void quotientsAreShortestDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("german");
        QTest::newRow("tenth") << 123.4 << QString("123.4") << QString("123,4");
        QTest::newRow("whole") << 1.0 << QString("1") << QString("1");
        QTest::newRow("zero") << 0.0 << QString("0") << QString("0");
        QTest::newRow("negative") << -0.5 << QString("-0.5") << QString("-0,5");
        QTest::newRow("third") << 1.0 / 3 << QString("0.333333333333333")
                               << QString("0,333333333333333");
        QTest::newRow("tiny, no exponent")
            << 1.0 / (65535.0 * 64) << QString("0.000000238422217135882")
            << QString("0,000000238422217135882");
        QTest::newRow("large, no grouping")
            << 1234567.0 << QString("1234567") << QString("1234567");
    }
    void quotientsAreShortestDecimals()
    {
        QFETCH(double, value);
        QFETCH(QString, c);
        QFETCH(QString, german);
        QCOMPARE(shortestDecimal(value, QLocale::c()), c);
        QCOMPARE(shortestDecimal(value, QLocale(QLocale::German, QLocale::Germany)), german);
    }

    void distanceIsATenthOfTheOutputCode()
    {
        QCOMPARE(distanceText(1234, QLocale::c()), QString("123.4"));
        QCOMPARE(distanceText(65535, QLocale::c()), QString("6553.5"));
        QCOMPARE(distanceText(1230, QLocale::c()), QString("123"));
        QCOMPARE(frequencyText(1234), QString("1534 Гц"));
        QCOMPARE(frequencyText(65535), QString("65835 Гц"));
    }

    void stabilityTurnsGreenOnTheSixthSteadyAnswer()
    {
        Stability s{1000, 0, 0};
        for (int i = 1; i <= 5; ++i) {
            const StabilityStep step = nextStability(s, 1000);
            QCOMPARE(step.lamp, StabilityLamp::Yellow);
            QCOMPARE(int(step.state.cnt), i);
            s = step.state;
        }
        StabilityStep step = nextStability(s, 1000);
        QCOMPARE(step.lamp, StabilityLamp::Green);
        QCOMPARE(int(step.state.cnt), 5);
        QCOMPARE(int(step.state.hold), 60);

        // An unsteady answer drops it back to yellow at once ...
        step = nextStability(step.state, 2000);
        QCOMPARE(step.lamp, StabilityLamp::Yellow);
        QCOMPARE(int(step.state.cnt), 4);
        QCOMPARE(int(step.state.hold), 0);
        QCOMPARE(step.state.avg, 1200.0);
    }

    // From nothing, even a constant amplitude is steady only from the answer the warm-up
    // names: before it the lamp cannot say anything of the level.
    void stabilityWarmsUpFromNothing()
    {
        Stability s;
        int n = 0;
        while (s.cnt == 0 && n < 60) {
            s = nextStability(s, 250000).state;
            ++n;
        }
        QCOMPARE(n, kStabilityWarmUpAnswers);
    }

    void unsteadyAnswerAtScoreZeroIsRed()
    {
        // From nothing, the first answer is far from the average: red, and the score
        // stays at 0 rather than going negative.
        const StabilityStep step = nextStability({}, 1000);
        QCOMPARE(step.lamp, StabilityLamp::Red);
        QCOMPARE(int(step.state.cnt), 0);
        QCOMPARE(int(step.state.hold), 0);
        QCOMPARE(step.state.avg, 200.0);
    }

    void zeroAmplitudeOnlyFeedsTheHoldCounter()
    {
        const StabilityStep step = nextStability({500, 3, 10}, 0);
        QCOMPARE(step.state.avg, 500.0);
        QCOMPARE(int(step.state.cnt), 3);
        QCOMPARE(int(step.state.hold), 12);
        QCOMPARE(step.lamp, StabilityLamp::Yellow);
        QCOMPARE(nextStability({500, 3, 59}, 0).lamp, StabilityLamp::Green);
    }

    // ---- in the window ----

    void completeAnswerFillsTheReadingsAndLogsThem()
    {
        WindowHarness h;
        h.openPort();
        DataFields f;
        f.temperature = 0xFB;
        f.fullValue = 7400;
        f.emptyValue = 1000;
        f.k = 100;
        f.mode = 0x8A;
        f.minDistance = 25;
        f.echo = 0x17;
        f.maxDistance = 1500;
        h.w().parts().monitor->showData(dataAnswer(f));
        const auto ui = h.ui();
        QCOMPARE(ui->tek->text(), QString("1000"));
        QCOMPARE(ui->temp->text(), QString("-5 °C"));
        QCOMPARE(ui->ne->text(), QString("5"));
        QCOMPARE(ui->Uroven->text(), QString("123.4"));
        QCOMPARE(ui->freq->text(), QString("1534 Гц"));
        // Analog output is worked out with the range box as it was before this answer.
        QCOMPARE(ui->anal->text(), QString("6.04 В"));
        QCOMPARE(ui->lo->text(), QString("1000"));
        QCOMPARE(ui->hi->text(), QString("7400"));
        QCOMPARE(ui->ko->text(), QString("100"));
        QCOMPARE(ui->kko->text(), QString("1"));
        QCOMPARE(ui->lamp_level->text(), QString("25"));
        QCOMPARE(ui->maxLong->text(), QString("1500"));
        QVERIFY(ui->opLast->isChecked());
        QCOMPARE(ui->sgla->text(), QString("7"));
        QCOMPARE(ui->Slider1->value(), 7);
        QVERIFY(ui->R_a->isChecked());
        QVERIFY(ui->D_4096->isChecked());
        QCOMPARE(ui->Kalibr_warning->text(),
                 QString("Warning! Empty value length is equal to 2 cm."));
        QCOMPARE(h.logEvents().last(), QString("123.4, 1000, 1000, 7400, 138, -5 °C"));
        QVERIFY(h.dialogs.shown.isEmpty());
        // 1234 is beyond the 1024 codes the bar had; the wide range this answer reports
        // holds from the next one.
        QCOMPARE(ui->ProgressBar1->value(), 621);
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(ui->ProgressBar1->maximum(), 4096);
        QCOMPARE(ui->ProgressBar1->value(), 1234);
        QCOMPARE(ui->anal->text(), QString("1.51 В"));
        // The settings followed the sensor with the first of the two answers only.
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void noLogLineWhileThePortIsClosed()
    {
        WindowHarness h;
        const int before = h.logEvents().size();
        h.w().parts().monitor->showData(dataAnswer());
        QCOMPARE(h.ui()->tek->text(), QString("1000"));
        QCOMPARE(h.logEvents().size(), before);
    }

    void kkoUsesTheLocaleSeparator()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowHarness h;
        DataFields f;
        f.emptyValue = 0;
        f.fullValue = 96;
        f.k = 1;
        h.w().parts().monitor->showData(dataAnswer(f));
        QLocale::setDefault(saved);
        QCOMPARE(h.ui()->kko->text(), QString("1,5"));
        QCOMPARE(h.ui()->Uroven->text(), QString("123,4"));
    }

    void progressBarKeepsItsValueForCodesOutOfRange()
    {
        WindowHarness h;
        DataFields f;
        f.output = 500;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->ProgressBar1->value(), 500);
        QCOMPARE(h.ui()->ProgressBar1->maximum(), 1024);
        f.output = 1024;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->ProgressBar1->value(), 500);
        QCOMPARE(h.ui()->Uroven->text(), QString("102.4"));
        f.output = 0;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->ProgressBar1->value(), 0);

        h.w().parts().monitor->showModes(0x80); // the wide range
        f.output = 4000;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->ProgressBar1->maximum(), 4096);
        QCOMPARE(h.ui()->ProgressBar1->value(), 4000);
    }

    void answerWithoutSettingsBytesOnlyUpdatesTheModes()
    {
        WindowHarness h;
        h.openPort();
        DataFields f;
        f.mode = 0x02;
        f.minDistance = 77;
        f.echo = 0x20;
        h.w().parts().monitor->showData(dataAnswer(f, 22));
        QVERIFY(h.ui()->R_a->isChecked());
        QCOMPARE(h.ui()->lamp_level->text(), QString("10"));
        QCOMPARE(h.ui()->maxLong->text(), QString("1000"));
        QVERIFY(h.ui()->opFirst->isChecked());
        QVERIFY(!h.ui()->opFirstLast->isChecked());
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(loggedModeByte(h), QString("2"));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void settingsFollowTheSensorOnlyOnce()
    {
        WindowHarness h;
        h.openPort();
        DataFields f;
        f.mode = 0x02;
        f.minDistance = 30;
        f.echo = 0x23;
        f.maxDistance = 900;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->lamp_level->text(), QString("30"));

        // The operator edits; the next answers report other settings but leave the edits.
        h.ui()->lamp_level->setText("44");
        f.mode = 0x04;
        f.minDistance = 31;
        f.echo = 0x11;
        f.maxDistance = 901;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->lamp_level->text(), QString("44"));
        QCOMPARE(h.ui()->maxLong->text(), QString("900"));
        QVERIFY(h.ui()->opFirstLast->isChecked());
        QCOMPARE(h.ui()->sgla->text(), QString("3"));
        QCOMPARE(h.ui()->Slider1->value(), 3);
        QVERIFY(h.ui()->R_a->isChecked());
        // The log line goes on with the last mode read.
        QCOMPARE(h.logEvents().last(), QString("123.4, 1000, 3000, 2000, 2, 20 °C"));

        // A new pick of the sensor lets them follow once more.
        h.w().parts().monitor->CmbNet_Click();
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->lamp_level->text(), QString("31"));
        QVERIFY(h.ui()->R_f->isChecked());
    }

    void zeroKStopsAfterShowingIt()
    {
        WindowHarness h;
        h.openPort();
        const QStringList before = readingTexts(h.ui());
        const int logLines = h.logEvents().size();
        DataFields f;
        f.k = 0;
        f.mode = 0x80;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(h.ui()->ko->text(), QString("0"));
        QCOMPARE(h.ui()->hi->text(), QString("2000"));
        QCOMPARE(h.ui()->kko->text(), before.at(9));
        QCOMPARE(h.ui()->Kalibr_warning->text(), before.at(13));
        QCOMPARE(h.ui()->lamp_level->text(), before.at(10));
        QVERIFY(!h.ui()->D_4096->isChecked());
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(h.logEvents().size(), logLines);
        // It counts as the decoder's one message all the same: an answer cut shorter
        // still asks for nothing.
        h.w().parts().monitor->showData(dataAnswer({}, 12));
        QVERIFY(h.dialogs.shown.isEmpty());
        // The pass stopped before the settings: they follow the next answer.
        QVERIFY(settingsFollowNextAnswer(h));
    }

    void twelveByteAnswerWarnsOnceUntilTheNextCommand()
    {
        WindowHarness h;
        h.openPort();
        DataFields f;
        f.amplitude = 4321;
        f.output = 100;
        h.port.reads = {dataAnswer(f, 12), dataAnswer(f, 12), dataAnswer(f, 12)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->tek->text(), QString("4321"));
        QCOMPARE(h.ui()->temp->text(), QString("20 °C"));
        QCOMPARE(h.ui()->ne->text(), QString("5"));
        QCOMPARE(h.ui()->ProgressBar1->value(), 100);
        QCOMPARE(h.ui()->Uroven->text(), QString("10"));
        QCOMPARE(h.ui()->freq->text(), QString("400 Гц"));
        QCOMPARE(h.ui()->anal->text(), QString("0.48 В"));
        QCOMPARE(h.ui()->lo->text(), QString("No data"));
        QCOMPARE(h.dialogs.messages(), QStringList{"Change empty value"});

        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(), QStringList{"Change empty value"});

        // Sending an operator command lets the message come once more.
        h.w().engine().queue(dataRequest(5));
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(), (QStringList{"Change empty value", "Change empty value"}));
    }

    void answerWithoutFullValueAsksForIt()
    {
        WindowHarness h;
        h.w().parts().monitor->showData(dataAnswer({}, 16));
        QCOMPARE(h.ui()->lo->text(), QString("3000"));
        QCOMPARE(h.ui()->hi->text(), QString("No data"));
        QCOMPARE(h.dialogs.messages(), QStringList{"Change full value"});
        // Cut in K: nothing to ask, but it still counts as the one warning, also after a
        // command has let the messages come again.
        h.w().engine().queue(dataRequest(0));
        h.w().engine().tick();
        h.w().parts().monitor->showData(dataAnswer({}, 19));
        QCOMPARE(h.dialogs.messages(), QStringList{"Change full value"});
        h.w().parts().monitor->showData(dataAnswer({}, 12));
        QCOMPARE(h.dialogs.messages(), QStringList{"Change full value"});
    }

    void settingsBytesCutShortStopThePass()
    {
        WindowHarness h;
        h.openPort();
        const int logLines = h.logEvents().size();
        DataFields f;
        f.mode = 0x02;
        h.w().parts().monitor->showData(dataAnswer(f, 24));
        QCOMPARE(h.ui()->lamp_level->text(), QString("10"));
        QVERIFY(!h.ui()->R_a->isChecked());
        QCOMPARE(h.logEvents().size(), logLines);
        QVERIFY(h.dialogs.shown.isEmpty());
        // The settings are still to follow the sensor; a complete answer reads them.
        QVERIFY(settingsFollowNextAnswer(h));
        // Once the settings have been read, the same length is fine.
        const int afterSettings = h.logEvents().size();
        h.w().parts().monitor->showData(dataAnswer(f, 24));
        QCOMPARE(h.logEvents().size(), afterSettings + 1);
    }

    void stabilityIndicatorColours()
    {
        WindowHarness h;
        DataFields f;
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(fillOf(h.ui()->ind_stab), Colours::Red);
        // The average creeps up to the amplitude; until it is near, every answer is unsteady.
        for (int i = 0; i < 100 && fillOf(h.ui()->ind_stab) == Colours::Red; ++i)
            h.w().parts().monitor->showData(dataAnswer(f));
        // That was the first steady answer; four more keep it yellow, the sixth is green.
        QCOMPARE(fillOf(h.ui()->ind_stab), Colours::StabYellow);
        for (int i = 0; i < 4; ++i)
            h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(fillOf(h.ui()->ind_stab), Colours::StabYellow);
        h.w().parts().monitor->showData(dataAnswer(f));
        QCOMPARE(fillOf(h.ui()->ind_stab), Colours::StabGreen);
    }

    void zeroAmplitudeTurnsGreenWhenTheHoldExceedsSixty()
    {
        WindowHarness h;
        h.openPort();
        DataFields f;
        f.amplitude = 0;
        // Each answered tick: one off, two on. From nothing the counter passes 60 with the
        // sixtieth answer. The lamp after `count` answered ticks; none when it had turned
        // from yellow before the last.
        const auto lampAfterAnswers = [&](int count) {
            for (int i = 1; i <= count; ++i) {
                h.port.reads.push_back(dataAnswer(f));
                h.w().engine().tick();
                if (i < count && fillOf(h.ui()->ind_stab) != Colours::StabYellow)
                    return QColor();
            }
            return fillOf(h.ui()->ind_stab);
        };
        QCOMPARE(lampAfterAnswers(59), Colours::StabYellow);
        QCOMPARE(lampAfterAnswers(1), Colours::StabGreen);
        // Held at 60: ten silent ticks bring it to 50, and the eleventh answer after them
        // passes 60 again.
        for (int i = 0; i < 10; ++i)
            h.w().engine().tick();
        QCOMPARE(lampAfterAnswers(10), Colours::StabYellow);
        QCOMPARE(lampAfterAnswers(1), Colours::StabGreen);
        // Ticks without answers wind it down, never below zero: sixty answers again.
        for (int i = 0; i < 70; ++i)
            h.w().engine().tick();
        QCOMPARE(lampAfterAnswers(59), Colours::StabYellow);
        QCOMPARE(lampAfterAnswers(1), Colours::StabGreen);
    }
};

QTEST_MAIN(tst_DataAnswer)
#include "tst_dataanswer.moc"
