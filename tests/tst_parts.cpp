// Each part of the main window built alone, on a session of its own, with nothing of the
// main window or of the other parts: it stands on its controls, the engine and the session.
#include "AnswerFrames.h"
#include "PartBench.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Requests.h"
#include "window/calibration/CalibrationPart.h"
#include "window/calibration/Form3.h"
#include "window/firmware/FirmwarePart.h"
#include "window/monitor/MonitorPart.h"
#include "window/portbar/PortBarPart.h"
#include "window/remote/RemotePart.h"
#include "window/settings/SettingsPart.h"
#include "window/trend/TrendPage.h"
#include "window/trend/TrendPart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace levelconf;

namespace
{
// Makes each control of a part's set as a child of `owner`, named after its field.
template <typename W> W *make(QWidget *owner, W *&field, const char *name)
{
    field = new W(owner);
    field->setObjectName(QLatin1String(name));
    return field;
}
#define MAKE(owner, c, name) make(owner, c.name, #name)
} // namespace

class tst_Parts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void portBarOpensAndClosesThePort()
    {
        PartBench b;
        QWidget owner;
        PortBarControls c;
        MAKE(&owner, c, CmbPort);
        MAKE(&owner, c, BTNOpenCom);
        MAKE(&owner, c, BTNCloseCom);
        PortBarPart part(b.session, c);
        part.start();
        QSignalSpy opened(&b.session, &SensorSession::portOpened);
        QSignalSpy closed(&b.session, &SensorSession::portClosed);

        b.port.ports = {"ttyUSB0"};
        part.Timer1_Timer();
        QCOMPARE(c.CmbPort->currentText(), QString("ttyUSB0"));
        QCOMPARE(b.display.results, QString("ttyUSB0, \r\n"));
        c.BTNOpenCom->click();
        QVERIFY(b.port.opened);
        QVERIFY(b.engine.isPolling());
        QCOMPARE(opened.size(), 1);
        QCOMPARE(b.display.tagsSwitched, 1);
        QCOMPARE(b.tone.beeps, (QList<QPair<int, int>>{{1000, 100}}));

        emit b.engine.linkLost(); // as after four failed writes
        QVERIFY(!b.port.opened);
        QVERIFY(!b.engine.isPolling());
        QCOMPARE(closed.size(), 1);
        QCOMPARE(b.display.tagsClosed, 1);
        QCOMPARE(b.logEvents(),
                 (QStringList{"Com Port /dev/ttyUSB0 Open", "Com Port ttyUSB0 Closed"}));
    }

    void monitorShowsTheSensorAndItsLadder()
    {
        PartBench b;
        QWidget owner;
        MonitorControls c;
        for (QLabel **l : {&c.netdev, &c.sn, &c.vv, &c.Uroven, &c.tek, &c.temp, &c.freq, &c.anal,
                           &c.lo, &c.hi, &c.h, &c.Label19, &c.ne, &c.usred, &c.sgla, &c.Label10,
                           &c.kko, &c.ko, &c.Kalibr_warning})
            *l = new QLabel(&owner);
        for (QRadioButton **r :
             {&c.R485, &c.R_a, &c.R_f, &c.R_p, &c.R_p485, &c.opFirst, &c.opLast, &c.opFirstLast})
            *r = new QRadioButton(&owner);
        for (QCheckBox **x : {&c.iinv, &c.usredn, &c.D_4096, &c.tartab1, &c.per_sents})
            *x = new QCheckBox(&owner);
        MAKE(&owner, c, CmbNet);
        MAKE(&owner, c, Opros);
        MAKE(&owner, c, ProgressBar1);
        MAKE(&owner, c, ind_stab);
        MAKE(&owner, c, Slider1);
        MAKE(&owner, c, Set_mode);
        MonitorPart part(b.session, c);
        b.session.setSelectedSensor(&part);
        part.start();
        c.CmbNet->addItems({"5"});
        c.CmbNet->setCurrentIndex(1);
        QSignalSpy shown(&b.session, &SensorSession::dataShown);

        emit b.engine.answered(
            Cmd::ReadIdentity,
            framedAnswer(5, Cmd::ReadIdentity, QByteArray::fromHex("e9030000b000")));
        QCOMPARE(c.sn->text(), QString("1001"));
        QCOMPARE(part.capabilities().secondModeByte, true);
        QCOMPARE(b.display.groupsEnabled, (QList<QPair<int, int>>{{130, 130},
                                                                  {131, 131},
                                                                  {135, 162},
                                                                  {163, 163},
                                                                  {170, 170},
                                                                  {171, 171},
                                                                  {176, 176}}));
        QVERIFY(c.usredn->isHidden());

        emit b.session.portOpened();
        emit b.engine.answered(Cmd::ReadData, dataAnswer());
        QCOMPARE(c.tek->text(), QString("1000"));
        QVERIFY(part.answering());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(b.logEvents().last(), QString("123.4, 1000, 3000, 2000, 0, 20 °C"));
    }

    void settingsQueueAndShowTheirConfirmation()
    {
        PartBench b;
        QWidget owner;
        SettingsControls c;
        for (QLineEdit **e : {&c.Tsr, &c.Psr, &c.Hsr})
            *e = new QLineEdit(&owner);
        for (QPushButton **p : {&c.shift, &c.SetAir, &c.net, &c.Vvod_PWD, &c.Chg_pass})
            *p = new QPushButton(&owner);
        // The distances' controls are found by their names.
        QLineEdit *maxLong = nullptr;
        QLineEdit *lamp_level = nullptr;
        QPushButton *Dalnost = nullptr;
        QPushButton *Command1 = nullptr;
        make(&owner, maxLong, "maxLong");
        make(&owner, lamp_level, "lamp_level");
        make(&owner, Dalnost, "Dalnost");
        make(&owner, Command1, "Command1");
        SettingsPart part(b.session, c, &owner);
        QSignalSpy queued(&b.session, &SensorSession::settingQueued);

        b.sensor.firmware = 170;
        QCOMPARE(b.tick(), QString(identityRequest(5).toHex().toUpper())); // sensor 5 first
        maxLong->setText("500");
        Dalnost->click();
        QCOMPARE(queued.size(), 1);
        QCOMPARE(b.tick(),
                 QString(settingRequest(Cmd::SetMaxDistance, 5, {500}, false).toHex().toUpper()));
        b.port.reads.push_back(framedAnswer(5, Cmd::SetMaxDistance, QByteArray::fromHex("f401")));
        b.tick();
        QCOMPARE(b.display.statuses.last(), QString("Max distance set"));
        QCOMPARE(maxLong->text(), QString("500"));
        QVERIFY(b.logEvents().contains("Max distance set 500"));
        QVERIFY(b.tone.beeps.contains({1000, 100}));
    }

    void remoteWritesTheLineAndLeavesTheBusAlone()
    {
        PartBench b;
        QWidget owner;
        RemoteControls c;
        MAKE(&owner, c, VibGenCmd);
        for (QLineEdit **e : {&c.dist_net_num, &c.chislo_sdv, &c.gen_txt})
            *e = new QLineEdit(&owner);
        for (QLabel **l : {&c.lchislo, &c.Label25, &c.sglad})
            *l = new QLabel(&owner);
        for (QCheckBox **x : {&c.ch_ver, &c.iinvd, &c.usrednd, &c.D_4096d, &c.per_sentsd,
                              &c.tartab1d, &c.Termokompensd})
            *x = new QCheckBox(&owner);
        for (QRadioButton **r : {&c.r485d, &c.r_ad, &c.r_fd, &c.r_pd, &c.r_p485d})
            *r = new QRadioButton(&owner);
        MAKE(&owner, c, gen_zapr);
        MAKE(&owner, c, gen_copy);
        MAKE(&owner, c, Frame5);
        MAKE(&owner, c, Slider1d);
        RemotePart part(b.session, c);
        part.start();

        b.sensor.entry.reset(); // no sensor to poll: the engine sends only what is pending
        b.engine.queue(dataRequest(5));
        c.VibGenCmd->setCurrentIndex(2);
        c.dist_net_num->setText("4");
        c.gen_zapr->click();
        QCOMPARE(c.gen_txt->text(), QString("S485=4:10:1500:19200:3104FC99"));
        QCOMPARE(b.tick(), QString()); // the local request was dropped
    }

    void calibrationReadsTheTableAndRecordsPoints()
    {
        PartBench b;
        QWidget owner;
        CalibrationControls c;
        MAKE(&owner, c, pages);
        c.tabCalibration = new QWidget(&owner);
        for (QPushButton **p :
             {&c.Command11, &c.Command12, &c.ch_portion, &c.Command14, &c.Command6})
            *p = new QPushButton(&owner);
        for (QLabel **l : {&c.step_zapr, &c.tar_file_name})
            *l = new QLabel(&owner);
        c.MSFlexGrid1 = new QTableWidget(9, 3, &owner);
        CalibrationPart part(b.session, c, &owner);

        QByteArray table;
        for (int i = 0; i < 40; ++i)
            table.append(char(0)).append(char(i));
        emit b.engine.answered(Cmd::ReadTable, framedAnswer(5, Cmd::ReadTable, table));
        QCOMPARE(part.tableEditor()->table().readings[3], QString("3"));
        QCOMPARE(part.tableEditor()->table().volumes[3], QString("23"));
        QCOMPARE(b.display.statuses.last(), QString("Table read."));

        b.dialogs.inputAnswers.push_back(QString("100"));
        b.dialogs.fileAnswers.push_back(b.dir.filePath("tank.trr"));
        c.Command11->click();
        c.Command14->click();
        QCOMPARE(c.MSFlexGrid1->item(1, 2)->text(), QString("12,3"));
        QFile file(b.dir.filePath("tank.trr"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("12,3"));
    }

    void firmwareRefusesWhatItCannotWrite()
    {
        PartBench b;
        QWidget owner;
        FirmwareControls c;
        for (QPushButton **p : {&c.Command8, &c.start, &c.fwCancel})
            *p = new QPushButton(&owner);
        MAKE(&owner, c, filename_prog);
        MAKE(&owner, c, PL140);
        MAKE(&owner, c, EEPROM);
        MAKE(&owner, c, fwProgress);
        MAKE(&owner, c, txtRec1);
        FirmwarePart part(b.session, c);

        c.start->click();
        QFile bad(b.dir.filePath("bad.cri"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("short") == 5);
        bad.close();
        b.dialogs.fileAnswers.push_back(bad.fileName());
        c.Command8->click();
        c.start->click();
        const QStringList boxes = b.dialogs.messages();
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes[0].startsWith("No firmware file is chosen"));
        QVERIFY(boxes[1].startsWith("The firmware file "));
        QVERIFY(b.port.writes.isEmpty());
        QCOMPARE(b.display.locks, 0);
        QVERIFY(!part.update().isRunning());
    }

    void trendRecordsReadingsGapsAndMarks()
    {
        PartBench b;
        TrendPart part(b.session);
        QVERIFY(part.page()->store().isEmpty());
        DataReadings r = decodeDataAnswer(dataAnswer(), true);
        emit b.session.dataShown(r, StabilityLamp::Green, false);
        emit b.engine.noAnswer();
        b.sensor.entry.reset();
        emit b.engine.noAnswer(); // no sensor picked: nothing was missed
        QCOMPARE(part.page()->store().size(), 2);
        emit b.session.portClosed();

        b.dialogs.fileAnswers.push_back(b.dir.filePath("readings.csv"));
        part.trendSave_Click();
        QVERIFY(QFileInfo(b.dir.filePath("readings.csv")).size() > 0);
    }
};

QTEST_MAIN(tst_Parts)
#include "tst_parts.moc"
