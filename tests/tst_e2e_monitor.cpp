#include "BusWindowHarness.h"
#include "SensorSim.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/widgets/Tags.h"

#include <QtTest>

#include <functional>

using namespace levelconf;

// Connect and watch, end to end: the window on the real serial port searches a simulated
// bus, reads the identity of the sensors, watches the one the operator picks, and loses the
// device when it is pulled out.
//
// Every answer comes a tick after its request, from another thread. On a slow machine one
// may come too late for the read meant for it and be taken a tick later, so each step ticks
// until the state it waits for appears, within a bound, instead of counting ticks.
namespace
{
constexpr quint8 kOlder = 3;   // firmware 1.6.3
constexpr quint8 kCurrent = 7; // firmware 1.7.6
constexpr int kTickBound = 8;  // ticks a step may take on a slow machine

std::vector<SensorConfig> busOfTwo()
{
    SensorConfig older;
    older.address = kOlder;
    older.serial = 163003;
    older.firmware = 163;
    older.mode = 0x00;
    older.temperature = 19;
    older.outputCode = 734;
    older.amplitude = 180000;

    SensorConfig current;
    current.address = kCurrent;
    current.serial = 176007;
    current.firmware = 176;
    current.mode = 0x88;       // range 4096, filtration
    current.filtration = 0x13; // further object, level 3
    current.temperature = -7;
    current.outputCode = 3000;
    current.amplitude = 300000;
    current.emptyValue = 45000;
    current.fullValue = 1700000;
    current.minDistance = 12;
    current.distanceLimit = 1500;
    return {older, current};
}

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out.append(c->itemText(i));
    return out;
}

// A data answer's log line: distance, amplitude, empty, full, mode byte and temperature.
bool isDataLine(const QString &event)
{
    const QStringList parts = event.split(QStringLiteral(", "));
    return parts.size() == 6 && parts.last().endsWith(QStringLiteral(" °C"));
}

int dataLines(const QStringList &events)
{
    return int(std::count_if(events.begin(), events.end(), isDataLine));
}

// Whether the tick just run took in one data answer with a good CRC, as its echo shows: the
// answer's bytes followed by the CRC worked out over them, so the last two agree. len_answ
// is cleared before the tick, so that it only matches an answer of this tick.
bool tookDataAnswer(const Ui::frmSerial *ui)
{
    const QStringList echoed = ui->txtRec->toPlainText()
                                   .section(QLatin1Char('\n'), 0, 0)
                                   .trimmed()
                                   .split(' ', Qt::SkipEmptyParts);
    return echoed.size() > 4 && ui->len_answ->text() == QString::number(echoed.size() - 1) &&
           echoed[0] == QLatin1String("3E") && echoed[2] == QLatin1String("F0") &&
           echoed[echoed.size() - 1] == echoed[echoed.size() - 2];
}
} // namespace

class tst_E2EMonitor : public QObject
{
    Q_OBJECT

    // Ticks until `reached` holds, at most kTickBound times.
    static bool tickUntil(BusWindowHarness &h, const std::function<bool()> &reached)
    {
        for (int i = 0; i < kTickBound && !reached(); ++i)
            h.tick();
        return reached();
    }

    // What an operator does when the window does not show what was asked for: asks again.
    static bool askUntil(BusWindowHarness &h, const std::function<void()> &ask,
                         const std::function<bool()> &reached)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            ask();
            if (tickUntil(h, reached))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void searchPickAndWatch()
    {
        SensorSim sim(busOfTwo());
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        BusWindowHarness h;
        Ui::frmSerial *ui = h.ui();
        QVERIFY(h.open(sim.slavePath()));

        // Search: both sensors listed, the first one asked who it is.
        const auto search = [&] { ui->Opros->click(); };
        const auto listed = [&] { return items(ui->CmbNet) == QStringList{"3", "7"}; };
        QVERIFY(askUntil(h, search, listed));
        QCOMPARE(ui->CmbNet->currentText(), QStringLiteral("3"));
        QCOMPARE(ui->netdev->text(), QStringLiteral("3 7 "));
        QVERIFY(h.logEvents().contains(QStringLiteral("Устройства в сети 3 7 ")));

        // The search queued the identity request itself; asked again only if its answer got
        // lost on a slow machine.
        const auto olderShown = [&] { return ui->vv->text() == QLatin1String("1.6.3."); };
        const auto askAgain = [&] { h.w().parts().monitor->CmbNet_Click(); };
        QVERIFY(tickUntil(h, olderShown) || askUntil(h, askAgain, olderShown));
        QCOMPARE(ui->sn->text(), QStringLiteral("163003"));
        QVERIFY(h.logEvents().contains(QStringLiteral("Device: 163003  Ver Soft: 1.6.3.")));
        // The controls of firmware 1.6.3, and not the table of 1.7.0.
        QVERIFY(!ownEnabled(ui->Command6));
        QVERIFY(ownEnabled(ui->Vvod_PWD));
        QVERIFY(ownEnabled(ui->Chg_pass));
        // The features of 1.7.6 stay off for a 1.6.3 sensor.
        QVERIFY(!ownEnabled(ui->Slider1));
        QVERIFY(ui->Termokompens->isHidden());
        QVERIFY(tickUntil(h, [&] { return ui->ne->text() == QLatin1String("3"); }));
        QCOMPARE(ui->temp->text(), QStringLiteral("19 °C"));

        // The operator picks the 1.7.6 sensor from the list.
        const int picked = ui->CmbNet->findText(QStringLiteral("7"));
        QVERIFY(picked >= 0);
        const auto pick = [&] {
            ui->CmbNet->setCurrentIndex(picked);
            emit ui->CmbNet->activated(picked);
        };
        QVERIFY(askUntil(h, pick, [&] { return ui->vv->text() == QLatin1String("1.7.6."); }));
        QCOMPARE(ui->sn->text(), QStringLiteral("176007"));
        QVERIFY(ownEnabled(ui->Command6));
        QVERIFY(h.logEvents().contains(QStringLiteral("Device: 176007  Ver Soft: 1.7.6.")));
        for (QWidget *c : {static_cast<QWidget *>(ui->Slider1), static_cast<QWidget *>(ui->sgla),
                           static_cast<QWidget *>(ui->Termokompens)}) {
            QVERIFY2(ownEnabled(c), qPrintable(c->objectName()));
            QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        }
        QVERIFY(ownEnabled(ui->Vvod_PWD));
        QVERIFY(ui->usredn->isHidden());

        // Live readings of the picked sensor, each data answer logged once. Two answers that
        // a slow tick takes in together pass the CRC check as one and are logged once.
        QSet<QString> amplitudes;
        int answers = 0;
        for (int i = 0; i < 4 * kTickBound && answers < 4; ++i) {
            const int before = dataLines(h.logEvents());
            ui->len_answ->setText(QString());
            h.tick();
            const QStringList events = h.logEvents();
            const int logged = dataLines(events) - before;
            QVERIFY(logged <= 1);
            if (tookDataAnswer(ui))
                QCOMPARE(logged, 1);
            if (ui->MsgCom->text().startsWith(QLatin1String("No data from sensor")))
                QCOMPARE(logged, 0);
            // A late answer of the sensor polled before the pick may still come in.
            if (logged == 0 || ui->ne->text() != QLatin1String("7"))
                continue;
            ++answers;
            amplitudes.insert(ui->tek->text());
            QCOMPARE(events.last(), QStringList({ui->Uroven->text(), ui->tek->text(), "45000",
                                                 "1700000", "136", "-7 °C"})
                                        .join(QStringLiteral(", ")));
        }
        QCOMPARE(answers, 4);
        QCOMPARE(ui->temp->text(), QStringLiteral("-7 °C"));
        QCOMPARE(ui->lo->text(), QStringLiteral("45000"));
        QCOMPARE(ui->hi->text(), QStringLiteral("1700000"));
        bool ok = false;
        const double distance = ui->Uroven->text().toDouble(&ok);
        QVERIFY(ok);
        QVERIFY2(distance >= 299.8 && distance <= 300.2, qPrintable(ui->Uroven->text()));
        for (const QString &a : amplitudes) {
            const qint64 v = a.toLongLong(&ok);
            QVERIFY2(ok && qAbs(v - 300000) <= 15, qPrintable(a));
        }
        QVERIFY2(amplitudes.size() > 1, "the amplitude does not follow the sensor");
        // The settings controls follow the sensor once after its identity.
        QVERIFY(ui->D_4096->isChecked());
        QVERIFY(ui->opLast->isChecked());
        QCOMPARE(ui->sgla->text(), QStringLiteral("3"));
        QCOMPARE(ui->Slider1->value(), 3);
        QCOMPARE(ui->lamp_level->text(), QStringLiteral("12"));
        QCOMPARE(ui->maxLong->text(), QStringLiteral("1500"));
        QCOMPARE(ui->ProgressBar1->maximum(), 4096);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void aPulledAdapterIsToldOnce_data()
    {
        QTest::addColumn<bool>("pulled");
        QTest::newRow("pulled out while watched (SIGUSR1)") << true;
        QTest::newRow("gone at a request (--vanish-after)") << false;
    }
    // The line goes while a sensor is watched: at once nothing looks live, the operator is
    // told once, the log says why, and the fourth failed write closes the port.
    void aPulledAdapterIsToldOnce()
    {
        QFETCH(bool, pulled);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QTextCursor")));
        SensorSim sim(busOfTwo());
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        BusWindowHarness h;
        Ui::frmSerial *ui = h.ui();
        QVERIFY(h.open(sim.slavePath()));
        const auto listed = [&] { return items(ui->CmbNet) == QStringList{"3", "7"}; };
        QVERIFY(askUntil(
            h, [&] { ui->Opros->click(); }, listed));
        QVERIFY(tickUntil(h, [&] { return ui->ne->text() == QLatin1String("3"); }));
        QCOMPARE(ui->MsgCom->text(), QStringLiteral("Sensor connected"));

        if (pulled) {
            sim.vanish();
            QVERIFY(sim.hasVanished());
        } else {
            sim.setVanishAfter(1);
        }
        const auto told = [&] { return !h.dialogs.messages().isEmpty(); };
        QVERIFY(tickUntil(h, told));
        QCOMPARE(h.dialogs.messages(), QStringList{"Error! COM port unavailable"});
        // Before the port is closed, nothing on screen is left as if live.
        QVERIFY(ownEnabled(ui->BTNCloseCom));
        QCOMPARE(ui->MsgCom->text(), QStringLiteral("Error! COM port unavailable"));
        for (QLabel *reading : {ui->tek, ui->temp, ui->Uroven, ui->lo, ui->hi, ui->ne})
            QCOMPARE(reading->text(), QStringLiteral("No data"));

        QVERIFY(tickUntil(h, [&] { return ownEnabled(ui->BTNOpenCom); }));
        QCOMPARE(h.dialogs.messages().size(), 1);
        QVERIFY(!h.w().engine().isPolling());
        QVERIFY(!ownEnabled(ui->Slider1));
        const QStringList events = h.logEvents();
        QVERIFY(events.last().endsWith(QStringLiteral(" Closed")));
        const QString failure = events.at(events.size() - 2);
        QVERIFY2(failure.startsWith(QStringLiteral("Error! COM port unavailable: ")) &&
                     failure.size() > 30,
                 qPrintable(failure));

        // The port list's trace comes on a line of its own after the last frame's echo.
        const QString echoed = ui->txtRec->toPlainText();
        QSignalSpy refreshed(h.w().parts().portBar, &PortBarPart::listTimerTicked);
        QVERIFY(refreshed.wait(3000));
        const QString after = ui->txtRec->toPlainText();
        QVERIFY2(after.startsWith(echoed + QLatin1Char('\n')), qPrintable(after));
    }
};

QTEST_MAIN(tst_E2EMonitor)
#include "tst_e2e_monitor.moc"
