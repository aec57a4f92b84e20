#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "WindowProbes.h"
#include "core/log/ResultsEcho.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "ui_Form4.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/settings/Form4.h"

#include <QtTest>

using namespace levelconf;

namespace
{

// A request that was already pending when the command under test ran: a search.
const QByteArray kPending = QByteArray::fromHex("31FFDC");

const QString kWrongAir = QStringLiteral("Wrong parameter values ");
const QString kTempRange = QStringLiteral("Acceptable temperature values -60.00 to 60.00 dgr");
const QString kPressRange = QStringLiteral("Acceptable atm pressure values 500.0 to 1200.0 GPa");
const QString kHumRange = QStringLiteral("Acceptable humidity values 1 to 100 %");

QByteArray request(const char *head, const char *data, bool key)
{
    return withCrc(QByteArray::fromHex(head) + (key ? writeKey() : QByteArray()) +
                   QByteArray::fromHex(data));
}

QString hex(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

// An open port, a sensor that answers at `address` with firmware `fw` (0: none known),
// whose settings the window has followed, and `kPending` waiting to be sent.
void prepare(WindowHarness &h, int fw = 0, const QString &address = QStringLiteral("1"))
{
    h.openPort();
    h.ui()->CmbNet->clear();
    h.ui()->CmbNet->addItem(address);
    h.ui()->CmbNet->setCurrentIndex(0);
    // The engine turns to the sensor and asks who it is; the answer names the firmware.
    if (fw != 0)
        h.port.reads = {framedAnswer(5, 0xFC, bytes({0x39, 0x30, 0, 0, fw, 0}))};
    h.w().engine().tick();
    h.ui()->Opros->click();
    h.w().parts().monitor->showData(dataAnswer());
    h.ui()->tek->setText(QStringLiteral("512"));
    h.ui()->txtRec->setPlainText(QStringLiteral("before"));
    h.dialogs.clear();
    h.markLog();
}

// The frame the engine sends next, in hex: what the command left pending.
QString nextSent(WindowHarness &h)
{
    return hex(frameOfNextTick(h));
}

// The hex line of the results echo (the box keeps line breaks in its own way).
QString echoed(WindowHarness &h)
{
    return h.ui()->txtRec->toPlainText().section(QLatin1Char('\n'), 0, 0);
}

QString hexEcho(const QByteArray &frame)
{
    return echoText(frame).section(QLatin1Char('\r'), 0, 0);
}

QStringList commandLog(const WindowHarness &h)
{
    QStringList out;
    for (const QString &e : h.logSinceMark()) {
        if (e.startsWith(QLatin1String("Cmd ")))
            out.append(e);
    }
    return out;
}

QStringList questions(const WindowHarness &h)
{
    QStringList out;
    for (const FakeDialogs::Shown &s : h.dialogs.shown) {
        if (s.kind == QLatin1String("yesno"))
            out.append(s.text);
    }
    return out;
}

QStringList lines(const QString &line)
{
    return line.isEmpty() ? QStringList() : QStringList{line};
}

void shiftVia(WindowHarness &h, bool full, const QString &text)
{
    h.ui()->shift->click();
    Form4 *f = h.w().parts().settings->levelShiftWindow();
    f->form()->data->setText(text);
    (full ? f->form()->Command1 : f->form()->Command3)->click();
}

// Frequency output, filtration and range 4096, the table editor's flags clear: 0x8C.
void setMode8C(WindowHarness &h)
{
    h.ui()->R_f->setChecked(true);
    h.ui()->usredn->setChecked(true);
    h.ui()->D_4096->setChecked(true);
    h.ui()->iinv->setChecked(false);
    h.w().parts().calibration->tableEditor()->setTartabState(Qt::Unchecked);
    h.w().parts().calibration->tableEditor()->setPerSentsState(Qt::Unchecked);
    h.ui()->Slider1->setValue(3);
}

} // namespace

class tst_ConfigCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    // ---- Level shifts ----

    void shift_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fw");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("logLine");
        const QStringList none;
        const QString fullRange = QStringLiteral("Acceptable values -1000 to 1000");
        const QString emptyRange = QStringLiteral("Acceptable values -1000 до 1000");

        QTest::newRow("empty -1, 174 unkeyed")
            << false << "-1" << 174 << QByteArray::fromHex("3101F9FFFF71") << none
            << "Cmd Shift Low: -1";
        QTest::newRow("full 1000") << true << "1000" << 0 << request("3101F4", "03E8", false)
                                   << none << "Cmd Shift Hight: 1000";
        QTest::newRow("full -1000") << true << "-1000" << 0 << request("3101F4", "FC18", false)
                                    << none << "Cmd Shift Hight: -1000";
        QTest::newRow("empty -1000, 175 keyed")
            << false << "-1000" << 175 << request("3101F9", "FC18", true) << none
            << "Cmd Shift Low: -1000";
        QTest::newRow("empty -25") << false << "-25" << 0 << request("3101F9", "FFE7", false)
                                   << none << "Cmd Shift Low: -25";
        QTest::newRow("full 1001")
            << true << "1001" << 0 << kPending << QStringList{fullRange} << "";
        QTest::newRow("empty -1001")
            << false << "-1001" << 0 << kPending << QStringList{emptyRange} << "";
        QTest::newRow("letters silent") << true << "up" << 0 << kPending << none << "";
        QTest::newRow("40000 silent") << false << "40000" << 0 << kPending << none << "";
    }
    void shift()
    {
        QFETCH(bool, full);
        QFETCH(QString, text);
        QFETCH(int, fw);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, messages);
        QFETCH(QString, logLine);
        WindowHarness h;
        prepare(h, fw);
        shiftVia(h, full, text);

        QCOMPARE(h.dialogs.messages(), messages);
        QCOMPARE(commandLog(h), lines(logLine));
        const QString question =
            full ? QStringLiteral("Full value will be changed. Please, confirm?")
                 : QStringLiteral("Empty value will be changed. Please, confirm?");
        QCOMPARE(questions(h), expected == kPending ? QStringList() : QStringList{question});
        QCOMPARE(h.ui()->txtRec->toPlainText(), QString("before")); // the engine echoes it
        QVERIFY(h.w().parts().settings->levelShiftWindow()->isHidden());
        QCOMPARE(nextSent(h), hex(expected));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void shiftAnsweredNoStoresNothing()
    {
        WindowHarness h;
        prepare(h);
        h.dialogs.yesNoAnswers = {false};
        shiftVia(h, true, "20");
        QVERIFY(commandLog(h).isEmpty());
        QVERIFY(h.w().parts().settings->levelShiftWindow()->isHidden());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    void shiftWithoutAddressChecksTheRangeOnly_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("address");
        QTest::newRow("nothing selected") << -1 << "1";
        QTest::newRow("selected text not an address") << 0 << "net";
    }
    void shiftWithoutAddressChecksTheRangeOnly()
    {
        QFETCH(int, index);
        QFETCH(QString, address);
        WindowHarness h;
        prepare(h, 0, address);
        h.ui()->CmbNet->setCurrentIndex(index);
        shiftVia(h, false, "1001");
        QCOMPARE(h.dialogs.messages(), QStringList{"Acceptable values -1000 до 1000"});
        h.dialogs.clear();
        shiftVia(h, false, "20");
        QVERIFY(h.dialogs.shown.isEmpty());
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    void lastOfTwoShiftsWins()
    {
        WindowHarness h;
        prepare(h);
        shiftVia(h, true, "5");
        shiftVia(h, false, "7");
        QCOMPARE(commandLog(h), (QStringList{"Cmd Shift Hight: 5", "Cmd Shift Low: 7"}));
        QCOMPARE(nextSent(h), hex(request("3101F9", "0007", false)));
    }

    void shiftWindowIsModelessAndKeepsItsText()
    {
        WindowHarness h;
        prepare(h);
        shiftVia(h, true, "1001");
        Form4 *f = h.w().parts().settings->levelShiftWindow();
        QVERIFY(f->isHidden());
        h.ui()->shift->click();
        QCOMPARE(h.w().parts().settings->levelShiftWindow(), f);
        QVERIFY(f->isVisible());
        QVERIFY(!f->isModal());
        QCOMPARE(f->form()->data->text(), QString("1001"));
        h.dialogs.clear();
        f->form()->Command2->click();
        QVERIFY(f->isHidden());
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    // ---- Mode ----

    void mode_data()
    {
        QTest::addColumn<int>("fw");
        QTest::addColumn<QString>("echoOption");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("176 further object") << 176 << "opLast" << request("3101F2", "8C13", true);
        QTest::newRow("176 closest and further")
            << 176 << "opFirstLast" << request("3101F2", "8C23", true);
        QTest::newRow("175 mode byte only") << 175 << "opLast" << request("3101F2", "8C", true);
        QTest::newRow("174 unkeyed") << 174 << "opLast" << request("3101F2", "8C", false);
    }
    void mode()
    {
        QFETCH(int, fw);
        QFETCH(QString, echoOption);
        QFETCH(QByteArray, expected);
        WindowHarness h;
        prepare(h, fw);
        setMode8C(h);
        h.w().findChild<QRadioButton *>(echoOption)->setChecked(true);
        h.w().parts().monitor->Set_mode_Click();

        QCOMPARE(questions(h), QStringList{"The mode is about to be changed. Please, confirm?"});
        QVERIFY(h.dialogs.messages().isEmpty());
        // The filtration level is logged even where the firmware takes no second byte.
        QCOMPARE(commandLog(h), QStringList{"Cmd Change mode to 140 sgla 3"});
        QCOMPARE(echoed(h), hexEcho(expected));
        QCOMPARE(nextSent(h), hex(expected));
        QVERIFY(settingsFollowNextAnswer(h));
    }

    void modeFlagsComeFromTheTableEditorAndGreyCounts()
    {
        WindowHarness h;
        prepare(h);
        h.ui()->R_p485->setChecked(true);
        h.ui()->iinv->setCheckState(Qt::PartiallyChecked);
        h.ui()->tartab1->setCheckState(Qt::Unchecked);
        h.ui()->per_sents->setCheckState(Qt::Checked);
        h.w().parts().calibration->tableEditor()->setTartabState(Qt::Checked);
        h.w().parts().calibration->tableEditor()->setPerSentsState(Qt::PartiallyChecked);
        h.ui()->Set_mode->click();

        QCOMPARE(h.ui()->tartab1->checkState(), Qt::Checked);
        QCOMPARE(h.ui()->per_sents->checkState(), Qt::PartiallyChecked);
        QCOMPARE(nextSent(h), hex(request("3101F2", "71", false))); // 10 | 40 | 20 | 01

        h.w().parts().calibration->tableEditor()->setTartabState(Qt::Unchecked);
        h.w().parts().calibration->tableEditor()->setPerSentsState(Qt::Unchecked);
        h.ui()->iinv->setCheckState(Qt::Unchecked);
        h.w().parts().monitor->Set_mode_Click();
        QCOMPARE(nextSent(h), hex(request("3101F2", "10", false)));
    }

    void modeConfirmationGatesTheLogLine()
    {
        WindowHarness h;
        prepare(h, 176);
        setMode8C(h);
        h.dialogs.yesNoAnswers = {false};
        h.w().parts().monitor->Set_mode_Click();
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(h.ui()->txtRec->toPlainText(), QString("before"));
        QCOMPARE(nextSent(h), hex(kPending));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void modeRefusedWhileTheSensorIsSilent_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("address selected") << 0;
        QTest::newRow("no address either") << -1;
    }
    void modeRefusedWhileTheSensorIsSilent()
    {
        QFETCH(int, index);
        WindowHarness h;
        prepare(h);
        h.ui()->CmbNet->setCurrentIndex(index);
        h.ui()->tek->setText("No data");
        h.ui()->Set_mode->click();
        QCOMPARE(h.dialogs.messages(), QStringList{"Sensor not connected!"});
        QVERIFY(questions(h).isEmpty());
        QCOMPARE(commandLog(h), QStringList{"Cmd Change mode to: Sensor not connected!"});
        QCOMPARE(nextSent(h), hex(kPending));
    }

    void modeWithoutAddressIsSilent()
    {
        WindowHarness h;
        prepare(h);
        h.ui()->CmbNet->setCurrentIndex(-1);
        h.w().parts().monitor->Set_mode_Click();
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    // ---- Air parameters ----

    void air_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("hum");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("logLine");
        const QStringList none;
        const auto air = [](const char *data) { return request("3101D0", data, false); };

        QTest::newRow("25.2 1000.0 35")
            << "25.2"
            << "1000.0"
            << "35" << air("09D8271023") << none << "Cmd Set AirParam: T=2520 P=10000 H=35";
        QTest::newRow("T 60") << "60"
                              << "1000"
                              << "35"
                              << air("17702710"
                                     "23")
                              << none << "Cmd Set AirParam: T=6000 P=10000 H=35";
        QTest::newRow("T -60") << "-60"
                               << "1000"
                               << "35"
                               << air("E8902710"
                                      "23")
                               << none << "Cmd Set AirParam: T=59536 P=10000 H=35";
        QTest::newRow("T -1.50") << "-1.50"
                                 << "1000"
                                 << "35"
                                 << air("FF6A2710"
                                        "23")
                                 << none << "Cmd Set AirParam: T=65386 P=10000 H=35";
        QTest::newRow("P 499.6") << "20"
                                 << "499.6"
                                 << "1"
                                 << air("07D01388"
                                        "01")
                                 << none << "Cmd Set AirParam: T=2000 P=5000 H=1";
        QTest::newRow("P 1200.4") << "20"
                                  << "1200.4"
                                  << "100"
                                  << air("07D02EE0"
                                         "64")
                                  << none << "Cmd Set AirParam: T=2000 P=12000 H=100";
        QTest::newRow("T 60.01") << "60.01"
                                 << "1000"
                                 << "35" << kPending << QStringList{kTempRange, kWrongAir} << "";
        QTest::newRow("P 499.4") << "20"
                                 << "499.4"
                                 << "35" << kPending << QStringList{kPressRange, kWrongAir} << "";
        QTest::newRow("H 0") << "20"
                             << "1000"
                             << "0" << kPending << QStringList{kHumRange, kWrongAir} << "";
        QTest::newRow("H 101") << "20"
                               << "1000"
                               << "101" << kPending << QStringList{kHumRange, kWrongAir} << "";
        QTest::newRow("P would wrap into range")
            << "20"
            << "7054"
            << "35" << kPending << QStringList{kWrongAir} << "";
        QTest::newRow("H letters") << "20"
                                   << "1000"
                                   << "wet" << kPending << QStringList{kWrongAir} << "";
        QTest::newRow("temperature first")
            << "-61"
            << "100"
            << "0" << kPending << QStringList{kTempRange, kWrongAir} << "";
    }
    void air()
    {
        QFETCH(QString, t);
        QFETCH(QString, p);
        QFETCH(QString, hum);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, messages);
        QFETCH(QString, logLine);
        WindowHarness h;
        prepare(h, 176); // the air request never carries the key
        h.ui()->Tsr->setText(t);
        h.ui()->Psr->setText(p);
        h.ui()->Hsr->setText(hum);
        h.ui()->SetAir->click();

        QCOMPARE(h.dialogs.messages(), messages);
        QCOMPARE(commandLog(h), lines(logLine));
        QVERIFY(questions(h).isEmpty());
        QCOMPARE(h.ui()->txtRec->toPlainText(), QString("before"));
        QCOMPARE(nextSent(h), hex(expected));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void airDefaultsAreValidInTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        {
            WindowHarness h;
            prepare(h);
            QCOMPARE(h.ui()->Tsr->text(), QString("25,2"));
            h.w().parts().settings->SetAir_Click();
            QCOMPARE(nextSent(h), hex(request("3101D0", "09D8271023", false)));
        }
        QLocale::setDefault(QLocale::c());
    }

    void airWithoutAddressStillChecksItsValues()
    {
        WindowHarness h;
        prepare(h);
        h.ui()->CmbNet->setCurrentIndex(-1);
        h.ui()->Hsr->setText("101");
        h.w().parts().settings->SetAir_Click();
        QCOMPARE(h.dialogs.messages(), (QStringList{kHumRange, kWrongAir}));
        h.dialogs.clear();
        h.ui()->Hsr->setText("35");
        h.w().parts().settings->SetAir_Click();
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    // ---- Distances ----

    void distance_data()
    {
        QTest::addColumn<bool>("maximum");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fw");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("logLine");
        const QStringList none;
        const QStringList maxRange{"Values can be from 1 to 1200 cm"};
        const QStringList minRange{"Acceptable values 1 to 99"};

        QTest::newRow("max 1200") << true << "1200" << 0 << request("3101E9", "04B0", false) << none
                                  << "Cmd Set SetMaxRange: 1200";
        QTest::newRow("max 1, 175 keyed") << true << "1" << 175 << request("3101E9", "0001", true)
                                          << none << "Cmd Set SetMaxRange: 1";
        QTest::newRow("max 0") << true << "0" << 0 << kPending << maxRange << "";
        QTest::newRow("max 1201") << true << "1201" << 0 << kPending << maxRange << "";
        QTest::newRow("max letters silent") << true << "far" << 0 << kPending << none << "";
        QTest::newRow("min 99") << false << "99" << 174 << request("3101EE", "63", false) << none
                                << "Cmd Set Lamp Level: 99";
        QTest::newRow("min 1, 175 keyed") << false << "1" << 175 << request("3101EE", "01", true)
                                          << none << "Cmd Set Lamp Level: 1";
        QTest::newRow("min 0") << false << "0" << 0 << kPending << minRange << "";
        QTest::newRow("min 100") << false << "100" << 0 << kPending << minRange << "";
        QTest::newRow("min letters silent") << false << "near" << 0 << kPending << none << "";
    }
    void distance()
    {
        QFETCH(bool, maximum);
        QFETCH(QString, text);
        QFETCH(int, fw);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, messages);
        QFETCH(QString, logLine);
        WindowHarness h;
        prepare(h, fw);
        (maximum ? h.ui()->maxLong : h.ui()->lamp_level)->setText(text);
        (maximum ? h.ui()->Dalnost : h.ui()->Command1)->click();

        const bool stored = expected != kPending;
        QCOMPARE(h.dialogs.messages(), messages);
        QCOMPARE(commandLog(h), lines(logLine));
        const QString question =
            maximum ? QStringLiteral("Max value will be set. Please, confirm.")
                    : QStringLiteral("The min distance between 2 objects used to distinguish "
                                     "them one from another will be changed. Confirm??");
        QCOMPARE(questions(h), stored ? QStringList{question} : QStringList());
        QCOMPARE(h.ui()->txtRec->toPlainText(), QString("before"));
        QCOMPARE(nextSent(h), hex(expected));
        QCOMPARE(settingsFollowNextAnswer(h), stored);
    }

    void distanceAnsweredNoStoresNothing()
    {
        WindowHarness h;
        prepare(h);
        h.dialogs.yesNoAnswers = {false, false};
        h.w().parts().settings->giveSetting(Cmd::SetMaxDistance);
        h.w().parts().settings->giveSetting(Cmd::SetMinDistance);
        QCOMPARE(questions(h).size(), 2);
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void distanceWithoutAddressChecksTheRangeOnly()
    {
        WindowHarness h;
        prepare(h);
        h.ui()->CmbNet->setCurrentIndex(-1);
        h.ui()->lamp_level->setText("100");
        h.w().parts().settings->giveSetting(Cmd::SetMinDistance);
        QCOMPARE(h.dialogs.messages(), QStringList{"Acceptable values 1 to 99"});
        h.dialogs.clear();
        h.w().parts().settings->giveSetting(Cmd::SetMaxDistance); // 1000, valid
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    // ---- Network address ----

    void netAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("fw");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("logLine");
        const QByteArray refused = kPending;

        QTest::newRow("5 to 7") << "7" << 174 << QByteArray::fromHex("3105FB07CB")
                                << "Cmd Set New net addr = 7";
        QTest::newRow("5 to 7, 175 keyed")
            << "7" << 175 << request("3105FB", "07", true) << "Cmd Set New net addr = 7";
        QTest::newRow("255") << "255" << 0 << request("3105FB", "FF", false)
                             << "Cmd Set New net addr = 255";
        QTest::newRow("7.5 to even")
            << "7.5" << 0 << request("3105FB", "08", false) << "Cmd Set New net addr = 8";
        QTest::newRow("256") << "256" << 0 << refused << "";
        QTest::newRow("-1") << "-1" << 0 << refused << "";
        QTest::newRow("letters") << "seven" << 0 << refused << "";
    }
    void netAddress()
    {
        QFETCH(QString, typed);
        QFETCH(int, fw);
        QFETCH(QByteArray, expected);
        QFETCH(QString, logLine);
        WindowHarness h;
        prepare(h, fw, "5");
        h.dialogs.inputAnswers = {typed};
        h.ui()->net->click();

        QCOMPARE(h.dialogs.shown.value(0).kind, QString("input"));
        QCOMPARE(h.dialogs.shown.value(0).text, QString("Enter new network address"));
        QCOMPARE(h.dialogs.shown.value(0).title, QString("Setting network address"));
        QCOMPARE(h.dialogs.shown.value(0).initial, QString("5"));
        QCOMPARE(commandLog(h), lines(logLine));
        if (expected == kPending) {
            QCOMPARE(h.dialogs.messages(), QStringList{"Enter a value from the range 0....255"});
            QCOMPARE(h.ui()->txtRec->toPlainText(), QString("before"));
        } else {
            QVERIFY(h.dialogs.messages().isEmpty());
            QCOMPARE(echoed(h), hexEcho(expected));
        }
        QCOMPARE(nextSent(h), hex(expected));
    }

    void netAddressCancelledOrEmpty_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("cancelled") << std::optional<QString>();
        QTest::newRow("left empty") << std::optional<QString>(QString());
    }
    void netAddressCancelledOrEmpty()
    {
        QFETCH(std::optional<QString>, answer);
        WindowHarness h;
        prepare(h, 0, "5");
        h.dialogs.inputAnswers = {answer};
        h.w().parts().settings->net_Click();
        QCOMPARE(h.dialogs.shown.size(), 1);
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(nextSent(h), hex(kPending));
    }

    void netAddressNeedsASelectedSensor_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("initial");
        QTest::newRow("nothing selected") << -1 << "5"
                                          << "";
        QTest::newRow("selected text not an address") << 0 << "net"
                                                      << "net";
    }
    void netAddressNeedsASelectedSensor()
    {
        QFETCH(int, index);
        QFETCH(QString, address);
        QFETCH(QString, initial);
        WindowHarness h;
        prepare(h, 0, address);
        h.ui()->CmbNet->setCurrentIndex(index);
        h.dialogs.inputAnswers = {QString("300")}; // the address check comes first
        h.w().parts().settings->net_Click();
        QCOMPARE(h.dialogs.shown.value(0).initial, initial);
        QCOMPARE(h.dialogs.messages(), QStringList{"Select the configured network address"});
        QCOMPARE(nextSent(h), hex(kPending));
    }

    // ---- Passwords ----

    void password_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("fw");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("logLine");

        QTest::newRow("enter upper bound")
            << false << "2000000000" << 0 << request("3101F8", "77359400", false)
            << "Cmd Enter Password = 2000000000";
        QTest::newRow("enter as typed, 175 keyed")
            << false << "0042" << 175 << request("3101F8", "0000002A", true)
            << "Cmd Enter Password = 0042";
        QTest::newRow("enter above") << false << "2000000001" << 0 << QByteArray() << "";
        QTest::newRow("enter negative") << false << "-1" << 0 << QByteArray() << "";
        QTest::newRow("enter letters") << false << "secret" << 0 << QByteArray() << "";
        QTest::newRow("change upper bound")
            << true << "2000000000" << 176 << request("3101F7", "77359400", true)
            << "Cmd New Password = 2000000000";
        QTest::newRow("change above") << true << "2000000001" << 0 << QByteArray() << "";
        QTest::newRow("change negative") << true << "-5" << 0 << QByteArray() << "";
    }
    void password()
    {
        QFETCH(bool, change);
        QFETCH(QString, typed);
        QFETCH(int, fw);
        QFETCH(QByteArray, expected);
        QFETCH(QString, logLine);
        WindowHarness h;
        prepare(h, fw);
        h.ui()->Vvod_PWD->setEnabled(true); // enabled by the firmware ladder
        h.ui()->Chg_pass->setEnabled(true);
        h.dialogs.inputAnswers = {typed};
        (change ? h.ui()->Chg_pass : h.ui()->Vvod_PWD)->click();

        QCOMPARE(commandLog(h), lines(logLine));
        const FakeDialogs::Shown box = h.dialogs.shown.value(change ? 1 : 0);
        QCOMPARE(box.kind, QString("input"));
        QCOMPARE(box.text, change ? QString("Enter new password") : QString("Enter password"));
        QCOMPARE(box.title, change ? QString("Setting new password") : QString("Enter password"));
        QCOMPARE(box.initial, change ? QString("0") : QString());
        const QString refusal =
            change ? QStringLiteral("Enter password as a value 0....2 000 000 000")
                   : QStringLiteral(
                         "Enter a figures-only pasword, acceptable values 0....2 000 000 000");
        QCOMPARE(h.dialogs.messages(), expected.isEmpty() ? QStringList{refusal} : QStringList());
        QCOMPARE(echoed(h), expected.isEmpty() ? QString("before") : hexEcho(expected));
        // What was pending is gone either way: without a new request the sensor is polled.
        QCOMPARE(nextSent(h), hex(expected.isEmpty() ? dataRequest(1) : expected));
    }

    void passwordChangeAsksFirst()
    {
        WindowHarness h;
        prepare(h);
        h.dialogs.yesNoAnswers = {false};
        h.w().parts().settings->Chg_pass_Click();
        QCOMPARE(questions(h),
                 QStringList{"You are about to change the password. If you forget it, only the "
                             "manufacturer's tech support will be able to reset it. Change the "
                             "password?"});
        QCOMPARE(h.dialogs.shown.size(), 1); // no input box after No
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(nextSent(h), hex(dataRequest(1)));
    }

    void passwordGivenUpDropsThePendingRequest_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("enter cancelled") << false << std::optional<QString>();
        QTest::newRow("enter left empty") << false << std::optional<QString>(QString());
        QTest::newRow("change cancelled") << true << std::optional<QString>();
    }
    void passwordGivenUpDropsThePendingRequest()
    {
        QFETCH(bool, change);
        QFETCH(std::optional<QString>, answer);
        WindowHarness h;
        prepare(h);
        h.dialogs.inputAnswers = {answer};
        change ? h.w().parts().settings->Chg_pass_Click()
               : h.w().parts().settings->Vvod_PWD_Click();
        QVERIFY(h.dialogs.messages().isEmpty());
        QVERIFY(commandLog(h).isEmpty());
        QCOMPARE(nextSent(h), hex(dataRequest(1)));
    }

    void passwordNeedsASelectedSensor_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("enter") << false << "Set an acceptable password";
        QTest::newRow("change") << true << "Select acceptable password";
    }
    void passwordNeedsASelectedSensor()
    {
        QFETCH(bool, change);
        QFETCH(QString, message);
        WindowHarness h;
        prepare(h);
        h.ui()->CmbNet->setCurrentIndex(-1);
        h.dialogs.inputAnswers = {QString("-1")}; // the address check comes first
        change ? h.w().parts().settings->Chg_pass_Click()
               : h.w().parts().settings->Vvod_PWD_Click();
        QCOMPARE(h.dialogs.messages(), QStringList{message});
        // Nothing pending, and no sensor selected to poll: nothing goes out.
        QCOMPARE(nextSent(h), hex(QByteArray()));
    }

    // ---- The sensor must be answering ----

    void silentSensorRefusesAddressAndPasswords_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("logLine");
        QTest::addColumn<bool>("dropsPending");
        QTest::newRow("address") << 0 << "Cmd Set New net addr: Sensor not connected!" << false;
        QTest::newRow("enter") << 1 << "Cmd Enter Password: Sensor not connected!" << true;
        QTest::newRow("change") << 2 << "Cmd New Password: Sensor not connected!" << true;
    }
    void silentSensorRefusesAddressAndPasswords()
    {
        QFETCH(int, command);
        QFETCH(QString, logLine);
        QFETCH(bool, dropsPending);
        WindowHarness h;
        prepare(h);
        h.ui()->tek->setText("No data");
        h.dialogs.inputAnswers = {QString("7")};
        if (command == 0)
            h.w().parts().settings->net_Click();
        else if (command == 1)
            h.w().parts().settings->Vvod_PWD_Click();
        else
            h.w().parts().settings->Chg_pass_Click();
        QCOMPARE(h.dialogs.shown.size(), 1); // no question, no input box
        QCOMPARE(h.dialogs.messages(), QStringList{"Sensor not connected!"});
        QCOMPARE(commandLog(h), QStringList{logLine});
        QCOMPARE(nextSent(h), hex(dropsPending ? dataRequest(1) : kPending));
    }
};

QTEST_MAIN(tst_ConfigCommands)
#include "tst_configcommands.moc"
