#include "WindowHarness.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/widgets/Colours.h"
#include "window/widgets/Tags.h"

#include "WindowProbes.h"

#include <QtTest>

using namespace levelconf;

class tst_PortSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void listFollowsThePortsPresent()
    {
        WindowHarness h;
        h.port.ports = {"COM3", "COM5"};
        h.ui()->txtRec->setPlainText("x");
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), (QStringList{"COM3", "COM5"}));
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("COM3"));
        // The trace starts a line of its own after what the box held.
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith("x\nCOM3, COM5, "));

        h.ui()->CmbPort->setCurrentIndex(1);
        h.port.ports = {"COM3"};
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), QStringList{"COM3"});
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("COM3"));

        h.port.ports = {"COM3", "COM4"};
        h.port.unusable = {"COM4"};
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), QStringList{"COM3"});

        h.port.ports.clear();
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), QStringList{"----"});
    }

    void theStartUpPictureIsSwappedOnlyOnce()
    {
        WindowHarness h;
        h.w().parts().portBar->Timer1_Timer();
        h.w().parts().portBar->Timer1_Timer();
        QVERIFY(h.w().isVisible());
        h.w().hide();
        // A long day without a port: more ticks than a 16-bit count holds.
        for (int i = 0; i < 65540; ++i) {
            h.w().parts().portBar->Timer1_Timer();
            if (i % 4096 == 0)
                h.ui()->txtRec->clear();
        }
        QVERIFY(!h.w().isVisible());
    }

    void atMostThirtyPortsAreListed()
    {
        WindowHarness h;
        for (int i = 0; i < 40; ++i)
            h.port.ports.append(QStringLiteral("ttyS%1").arg(i));
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(h.ui()->CmbPort->count(), 30);
    }

    void noPortsMeansTheUnavailableWarning()
    {
        WindowHarness h;
        h.w().parts().portBar->Timer1_Timer();
        h.port.openSucceeds = false;
        h.ui()->BTNOpenCom->click();
        QCOMPARE(h.dialogs.messages(),
                 QStringList{"Com Port ---- unavailable. Select the right COM port."});
        QCOMPARE(h.dialogs.shown[0].icon, OperatorDialogs::Icon::Warning);
        QVERIFY(h.logEvents().contains("Com Port ---- unavailable. Select the right COM port."));
        QVERIFY(portListRefreshes(h));
        QVERIFY(!h.w().engine().isPolling());
        QVERIFY(ownEnabled(h.ui()->BTNOpenCom));
        QVERIFY(!ownEnabled(h.ui()->Opros));
    }

    void permissionFailureTellsHowToGetAccess()
    {
        WindowHarness h;
        h.port.ports = {"ttyUSB0"};
        h.w().parts().portBar->Timer1_Timer();
        h.port.openSucceeds = false;
        h.port.failure = SerialPort::OpenFailure::PermissionDenied;
        h.w().parts().portBar->BTNOpenCom_Click();
        const QString shown = h.dialogs.messages().value(0);
        QVERIFY(shown.startsWith("Com Port ttyUSB0 unavailable. Select the right COM port.\n"));
        QVERIFY(shown.contains("dialout"));
        QVERIFY(h.logEvents().contains("Com Port ttyUSB0 unavailable. Select the right COM port."));
    }

    void openingEnablesTheSensorControlsAndStartsTheEngine()
    {
        WindowHarness h;
        h.port.ports = {"ttyUSB0"};
        h.w().parts().portBar->Timer1_Timer();
        h.w().parts().portBar->BTNOpenCom_Click();
        QCOMPARE(h.port.openedDevice, QString("/dev/ttyUSB0"));
        QCOMPARE(h.port.openedSettings, QString("19200,n,8,1"));
        QVERIFY(h.w().engine().isPolling());
        QVERIFY(!portListRefreshes(h));
        QVERIFY(!ownEnabled(h.ui()->BTNOpenCom));
        QVERIFY(ownEnabled(h.ui()->BTNCloseCom));
        QVERIFY(ownEnabled(h.ui()->Opros));
        QVERIFY(ownEnabled(h.ui()->CmbNet));
        QVERIFY(!ownEnabled(h.ui()->Vvod_PWD)); // firmware feature: still off
        QVERIFY(h.ui()->gen_zapr->isHidden());
        QVERIFY(h.ui()->kko->isHidden());
        QVERIFY(h.logEvents().contains("Com Port /dev/ttyUSB0 Open"));
        QCOMPARE(h.tone.beeps, (QList<QPair<int, int>>{{1000, 100}}));
    }

    void closingResetsEveryReading()
    {
        WindowHarness h;
        h.openPort("ttyUSB0");
        h.port.writeCounts = {0, 0}; // two failed writes in a row
        h.w().engine().tick();
        h.w().engine().tick();
        h.ui()->CmbNet->addItem("7");
        for (QLabel *l : {h.ui()->tek, h.ui()->temp, h.ui()->Uroven, h.ui()->lo, h.ui()->hi,
                          h.ui()->ne, h.ui()->freq, h.ui()->anal})
            l->setText("123");
        h.ui()->MsgCom->setText("Sensor connected");
        h.ui()->sn->setText("12345");
        h.ui()->ProgressBar1->setValue(500);
        h.ui()->BTNCloseCom->click();

        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"0"});
        for (QLabel *l : {h.ui()->tek, h.ui()->temp, h.ui()->Uroven, h.ui()->lo, h.ui()->hi,
                          h.ui()->ne, h.ui()->freq, h.ui()->anal})
            QCOMPARE(l->text(), QString("No data"));
        QCOMPARE(h.ui()->sn->text(), QString("0"));
        QCOMPARE(h.ui()->vv->text(), QString("--------"));
        QCOMPARE(h.ui()->MsgCom->text(), QString());
        QCOMPARE(h.ui()->netdev->text(), QString("---------"));
        QCOMPARE(h.ui()->ProgressBar1->value(), 0);
        QCOMPARE(fillOf(h.ui()->Pic), QColor(255, 255, 16));
        QCOMPARE(fillOf(h.ui()->ind_stab), QColor(192, 192, 192));
        QVERIFY(!h.port.opened);
        QVERIFY(!h.w().engine().isPolling());
        QVERIFY(portListRefreshes(h));
        QVERIFY(!ownEnabled(h.ui()->Opros));
        QVERIFY(ownEnabled(h.ui()->gen_zapr) && !h.ui()->gen_zapr->isHidden());
        QVERIFY(!h.ui()->Label10->isHidden());
        QVERIFY(h.logEvents().contains("Com Port ttyUSB0 Closed"));

        // Opened again, the port starts with a clean count: three failed writes keep it.
        h.openPort("ttyUSB0");
        h.port.writeCounts = {0, 0, 0};
        for (int i = 0; i < 3; ++i)
            h.w().engine().tick();
        QVERIFY(h.port.opened);
    }

    void commandLineDeviceStaysInTheList()
    {
        WindowHarness h;
        h.w().addPortDevice("/tmp/bus-link");
        h.port.ports = {"ttyS0"};
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), (QStringList{"ttyS0", "/tmp/bus-link"}));
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("/tmp/bus-link"));
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("/tmp/bus-link"));
        h.w().parts().portBar->BTNOpenCom_Click();
        QCOMPARE(h.port.openedDevice, QString("/tmp/bus-link"));
    }

    void typedDeviceSurvivesTheRefresh()
    {
        WindowHarness h;
        h.port.ports = {"ttyS0"};
        h.w().parts().portBar->Timer1_Timer();
        h.ui()->CmbPort->setEditText("/dev/pts/7");
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("/dev/pts/7"));
    }

    void typedDeviceConfirmedWithEnterSurvivesTheRefresh()
    {
        WindowHarness h;
        h.port.ports = {"ttyS0"};
        h.w().parts().portBar->Timer1_Timer();
        QLineEdit *edit = h.ui()->CmbPort->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, "/dev/pts/7");
        QTest::keyClick(edit, Qt::Key_Return);
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("/dev/pts/7"));
        QCOMPARE(comboItems(h.ui()->CmbPort), QStringList{"ttyS0"});
        h.w().parts().portBar->BTNOpenCom_Click();
        QCOMPARE(h.port.openedDevice, QString("/dev/pts/7"));
    }

    void typedDeviceSurvivesTheLastPortGoing()
    {
        WindowHarness h;
        h.port.ports = {"ttyUSB0"};
        h.w().parts().portBar->Timer1_Timer();
        h.ui()->CmbPort->setEditText("/dev/pts/3");
        h.port.ports.clear();
        h.w().parts().portBar->Timer1_Timer();
        QCOMPARE(comboItems(h.ui()->CmbPort), QStringList{"----"});
        QCOMPARE(h.ui()->CmbPort->currentText(), QString("/dev/pts/3"));
    }
};

QTEST_MAIN(tst_PortSelection)
#include "tst_portselection.moc"
