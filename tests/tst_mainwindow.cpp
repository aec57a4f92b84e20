#include "WindowHarness.h"
#include "WindowProbes.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/platform/SignalQuit.h"
#include "window/shell/Form2.h"
#include "window/widgets/Colours.h"
#include "window/widgets/Tags.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QtTest>

#include <csignal>
#include <functional>

using namespace levelconf;

// Shows a box when the window is asked to close, as an update cut short by the close does.
class BoxOnClose : public QObject
{
public:
    BoxOnClose(QWidget *window, std::function<void(const QString &)> show) : m_show(std::move(show))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close && m_show)
            m_show(QStringLiteral("closing"));
        return false;
    }

private:
    std::function<void(const QString &)> m_show;
};

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startsBehindThePictureAndSwapsOnTheSecondTick()
    {
        WindowHarness h;
        QVERIFY(!h.w().isVisible());
        QVERIFY(h.w().startupPicture()->isVisible());
        h.w().parts().portBar->Timer1_Timer();
        QVERIFY(!h.w().isVisible());
        h.w().parts().portBar->Timer1_Timer();
        QVERIFY(h.w().isVisible());
        QVERIFY(!h.w().startupPicture()->isVisible());
        h.w().parts().portBar->Timer1_Timer();
        QVERIFY(h.w().isVisible());
    }

    void hasItsCaptionPagesAndTimers()
    {
        WindowHarness h;
        QCOMPARE(h.w().windowTitle(), QString("QX-510 & HZL-310 configurator v2.6.4"));
        QCOMPARE(h.ui()->SSTab1->count(), 5);
        QCOMPARE(h.ui()->SSTab1->tabText(0), QString("Settings"));
        QCOMPARE(h.ui()->SSTab1->tabText(1), QString(" Tank calibration"));
        QCOMPARE(h.ui()->SSTab1->tabText(2), QString(" Remote. control."));
        QCOMPARE(h.ui()->SSTab1->tabText(3), QString("FW Update"));
        QCOMPARE(h.ui()->SSTab1->tabText(4), QString("Trend"));
        QCOMPARE(h.ui()->SSTab1->currentIndex(), 0);
        QVERIFY(!h.w().engine().isPolling());
        QCOMPARE(h.w().engine().interval(), 1000);
        // The port list is refreshed once a second: a port that turns up right after one
        // refresh is listed by the next, not before.
        QVERIFY(portListRefreshes(h));
        QElapsedTimer sinceRefresh;
        sinceRefresh.start();
        h.port.ports.append("ttyUSB7");
        QTRY_VERIFY_WITH_TIMEOUT(h.ui()->CmbPort->findText("ttyUSB7") >= 0, 3000);
        QVERIFY2(sinceRefresh.elapsed() >= 500,
                 qPrintable(QString::number(sinceRefresh.elapsed())));
    }

    void loadLeavesEverySensorControlDisabled()
    {
        WindowHarness h;
        int sensorControls = 0;
        for (QWidget *w : taggedControls(&h.w())) {
            const int tag = tagOf(w);
            if (tag > 8) {
                ++sensorControls;
                QVERIFY2(!ownEnabled(w), qPrintable(w->objectName()));
            }
            if (tag == 176)
                QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
        }
        QVERIFY(sensorControls > 30);
        QVERIFY(ownEnabled(h.ui()->BTNOpenCom));
        QVERIFY(!ownEnabled(h.ui()->BTNCloseCom));
        QVERIFY(ownEnabled(h.ui()->gen_zapr));
        QCOMPARE(tagOf(h.ui()->Opros), 9);
        QCOMPARE(tagOf(h.ui()->Vvod_PWD), 163);
        QCOMPARE(tagOf(h.ui()->Slider1), 176);
        QCOMPARE(tagOf(h.ui()->txtRec), 2);
    }

    void tagProceduresFollowTheGroupBounds()
    {
        WindowHarness h;
        QWidget *page = h.ui()->tabSettings;
        auto make = [page](int tag) {
            auto *b = new QPushButton(page);
            b->setObjectName(QStringLiteral("probe%1").arg(tag));
            b->setProperty("Tag", tag);
            return b;
        };
        QPushButton *t8 = make(8), *t9 = make(9), *t129 = make(129), *t130 = make(130),
                    *t176 = make(176);
        // Closing the port disables every sensor control; opening it switches over those
        // of an open port.
        h.w().parts().portBar->BTNCloseCom_Click();
        QVERIFY(ownEnabled(t8));
        QVERIFY(!ownEnabled(t9));
        QVERIFY(!ownEnabled(t129));
        QVERIFY(!ownEnabled(t130));
        QVERIFY(!ownEnabled(t176) && t176->isHidden());
        QVERIFY(!t130->isHidden());

        h.openPort();
        QVERIFY(ownEnabled(t8));
        QVERIFY(ownEnabled(t9));
        QVERIFY(ownEnabled(t129));
        QVERIFY(!ownEnabled(t130));
        QVERIFY(!ownEnabled(t176));
    }

    void tagGroupsLeaveTheSecondaryWindowsAlone()
    {
        WindowHarness h;
        Form3 *f3 = h.w().parts().calibration->tableEditor();
        QCOMPARE(tagOf(f3->form()->per_sents), 171);
        h.openPort();
        h.ui()->BTNCloseCom->click();
        h.w().parts().portBar->BTNCloseCom_Click();
        QVERIFY(ownEnabled(f3->form()->per_sents));
        QVERIFY(ownEnabled(f3->form()->wrmyTable));
        QVERIFY(!taggedControls(&h.w()).contains(f3->form()->per_sents));
    }

    void controlsWithoutATagGetTheDefault()
    {
        WindowHarness h;
        for (QWidget *w : h.w().findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") ||
                w->window() != &h.w())
                continue;
            QVERIFY2(tagOf(w) > 0, qPrintable(w->objectName()));
        }
    }

    void loadFillsTheListsAndStartsTheLog()
    {
        WindowHarness h;
        QCOMPARE(h.ui()->CmbNet->count(), 1);
        QCOMPARE(h.ui()->CmbNet->currentText(), QString("0"));
        QCOMPARE(h.ui()->CmbPort->count(), 1);
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("----"));
        QCOMPARE(h.ui()->VibGenCmd->count(), 9);
        QCOMPARE(h.ui()->VibGenCmd->currentIndex(), 0);
        QCOMPARE(h.ui()->VibGenCmd->itemText(0), QString("Ввести пароль"));
        QCOMPARE(h.ui()->VibGenCmd->itemText(2),
                 QString("Запрсить версию прошивки и серийный номер"));
        QCOMPARE(h.ui()->VibGenCmd->itemText(8), QString("Set password"));
        QCOMPARE(h.ui()->ProgressBar1->value(), 621);

        QVERIFY(h.w().logPath().endsWith("/log/07122026_140533.log"));
        QCOMPARE(h.logBytes(), QByteArray("\"Start: 07.12.2026 14:05:33\r\n\"\r\n"));
        QVERIFY(h.dialogs.shown.isEmpty());

        // The first data answer shows the sensor's settings, on a bar of 1024 codes.
        QVERIFY(settingsFollowNextAnswer(h));
        QCOMPARE(h.ui()->ProgressBar1->maximum(), 1024);
        // No search is awaited: a list of addresses is not taken.
        h.port.reads = {QByteArray(1, '\x07')};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"0"});
    }

    void decimalDefaultsFollowTheLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        {
            WindowHarness h;
            QCOMPARE(h.ui()->Tsr->text(), QString("25.2"));
            QCOMPARE(h.ui()->Psr->text(), QString("1000.0"));
        }
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        {
            WindowHarness h;
            QCOMPARE(h.ui()->Tsr->text(), QString("25,2"));
        }
        QLocale::setDefault(saved);
    }

    // A read-only home or a kiosk account: the box, then a program that works without a
    // log.
    void startsWithoutALogWhereNoneCanBeMade_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<QString>("title");
        QTest::newRow("no folder") << true << "Error#76";
        QTest::newRow("no file") << false << "Error#75";
    }
    void startsWithoutALogWhereNoneCanBeMade()
    {
        QFETCH(bool, folderBlocked);
        QFETCH(QString, title);
        QTemporaryDir dir;
        const QString folder = dir.filePath("log");
        if (folderBlocked) {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(folder + "/07122026_140533.log"));
        }
        WindowHarness h(folder);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].icon, OperatorDialogs::Icon::Critical);
        QCOMPARE(h.dialogs.shown[0].title, title);
        QCOMPARE(h.ui()->MsgCom->text(), QString("Running without a session log."));
        QVERIFY(h.w().logPath().isEmpty());

        // The rest of the start-up ran: lists, timers, the swap behind the picture.
        QCOMPARE(h.ui()->VibGenCmd->count(), 9);
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("----"));
        QVERIFY(portListRefreshes(h));
        h.port.ports = {"ttyUSB0"};
        h.w().parts().portBar->Timer1_Timer();
        h.w().parts().portBar->Timer1_Timer();
        QVERIFY(h.w().isVisible());
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("ttyUSB0"));

        // The bus works as ever, and nothing is written anywhere.
        h.ui()->BTNOpenCom->click();
        QVERIFY(h.port.opened);
        QVERIFY(h.w().engine().isPolling());
        h.ui()->Opros->click();
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), QByteArray::fromHex("31FFDC"));
        h.w().close();
        QVERIFY(!h.port.opened);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
    }

    // A desktop logging out, Ctrl+C in the terminal, the terminal closed: the program ends
    // as its close button ends it.
    void stopsInOrderOnTerminationSignals_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<QString>("box");
        QTest::newRow("SIGTERM") << SIGTERM << "";
        QTest::newRow("SIGINT") << SIGINT << "";
        QTest::newRow("SIGHUP") << SIGHUP << "";
        QTest::newRow("SIGTERM with a box open") << SIGTERM << "open";
        QTest::newRow("SIGTERM, a box on closing") << SIGTERM << "on closing";
    }
    void stopsInOrderOnTerminationSignals()
    {
        QFETCH(int, sig);
        QFETCH(QString, box);
        WindowHarness h;
        h.openPort("ttyUSB0");
        auto showBox = [&h](const QString &event) {
            QMessageBox shown(QMessageBox::Warning, "levelconf", "Busy", QMessageBox::Ok, &h.w());
            shown.exec();
            h.logEvent(event);
        };
        BoxOnClose onClose(&h.w(), box == "on closing" ? std::function(showBox) : nullptr);
        const SignalQuit quit(&h.w(), catchTerminationSignals());
        QVERIFY(quit.isActive());
        QTimer::singleShot(0, &h.w(), [&] {
            ::raise(sig);
            if (box == "open")
                showBox("after the box");
        });
        // Were the signal lost, or a box left waiting, this would end the loop instead.
        bool timedOut = false;
        QTimer::singleShot(10000, &h.w(), [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!timedOut);

        QVERIFY(!h.port.opened);
        QCOMPARE(h.port.closes, 1);
        const QStringList events = h.logEvents();
        QCOMPARE(events.last(), QString("Com Port ttyUSB0 Closed"));
        QCOMPARE(events.filter("Closed").size(), 1);
        if (box == "open")
            QCOMPARE(events.at(events.size() - 2), QString("after the box"));
        if (box == "on closing")
            QVERIFY(events.contains("closing"));
    }

    // A close is logged once, and only for a port that was opened.
    void closingTheWindowReleasesThePortAndLogsItOnce_data()
    {
        QTest::addColumn<QString>("port"); // "open", "failed" or "never"
        QTest::addColumn<int>("closedLines");
        QTest::newRow("open") << "open" << 1;
        QTest::newRow("failed to open") << "failed" << 0;
        QTest::newRow("never opened") << "never" << 0;
    }
    void closingTheWindowReleasesThePortAndLogsItOnce()
    {
        QFETCH(QString, port);
        QFETCH(int, closedLines);
        WindowHarness h;
        h.w().addPortDevice("ttyUSB0");
        if (port == "open")
            h.openPort("ttyUSB0");
        h.port.openSucceeds = port != "failed";
        if (port == "failed")
            h.w().parts().portBar->BTNOpenCom_Click();
        h.w().close();
        QVERIFY(!h.port.opened);
        h.destroyWindow();
        const QByteArray log = h.logBytes();
        QCOMPARE(log.count("Closed"), closedLines);
        if (closedLines)
            QVERIFY(log.contains(" : Com Port ttyUSB0 Closed\"\r\n"));
    }

    void echoReplacesTheResultsText()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->CmbNet->clear();
        h.ui()->CmbNet->addItem("1");
        h.ui()->CmbNet->setCurrentIndex(0);
        h.w().engine().tick(); // the engine turns to sensor 1 with an identity request
        h.ui()->txtRec->setPlainText("old");
        h.w().engine().tick(); // then polls it: the data request is echoed as it goes out
        QCOMPARE(h.ui()->txtRec->toPlainText(),
                 QString("31 1 F0 C5 \n\n1@") + QChar(0xF0) + QChar(0xC5));
    }

    void tableEditorShowsPointNineteenOnTop()
    {
        WindowHarness h;
        Form3 *f3 = h.w().parts().calibration->tableEditor();
        QVERIFY(!f3->isVisible());
        QCOMPARE(h.w().parts().calibration->tableEditor(), f3);
        const CalibrationCells cells = f3->table();
        for (int i = 0; i < CalibrationCells::kPoints; ++i) {
            const QString expected = QString::number(i == 19 ? 4096 : 200 * (i + 1));
            QCOMPARE(cells.readings[i], expected);
            QCOMPARE(cells.volumes[i], expected);
        }
        QVERIFY(!f3->form()->Text1->isEnabled());
        QCOMPARE(f3->form()->Text1->text(), QString("0"));
        QCOMPARE(f3->form()->Text2->text(), QString("0"));
        f3->show();
        QVERIFY(QTest::qWaitForWindowExposed(f3));
        auto y = [f3](const char *name) {
            return f3->findChild<QWidget *>(name)->mapTo(f3, QPoint(0, 0)).y();
        };
        QVERIFY(y("Text4_19") < y("Text4_18"));
        QVERIFY(y("Text4_1") < y("Text4_0"));
        QVERIFY(y("Text4_0") < y("Text1"));
        QCOMPARE(y("Text3_7"), y("Text4_7"));
        f3->form()->Command1->click();
        QVERIFY(!f3->isVisible());
        QCOMPARE(h.w().parts().calibration->tableEditor(), f3);
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
