#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "WindowProbes.h"
#include "core/sensor/ModeByte.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/widgets/Tags.h"

#include <QtTest>

using namespace levelconf;

// The mode byte in the mode controls, and the controls each firmware version unlocks.
class tst_ModeLadder : public QObject
{
    Q_OBJECT

    static QList<QRadioButton *> outputs(Ui::frmSerial *ui)
    {
        return {ui->R485, ui->R_a, ui->R_f, ui->R_p, ui->R_p485};
    }
    static QString checkedOutputs(Ui::frmSerial *ui)
    {
        QString out;
        for (QRadioButton *b : outputs(ui))
            out += b->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    static bool groupEnabled(frmSerial &w, int group)
    {
        bool any = false;
        for (QWidget *c : taggedControls(&w)) {
            if (c->window() != &w || tagOf(c) != group)
                continue;
            any = true;
            if (!ownEnabled(c))
                return false;
        }
        return any;
    }
    // An identity answer that carries the version code `fw`.
    static QByteArray identity(quint8 fw)
    {
        return framedAnswer(5, 0xFC, bytes({0x39, 0x30, 0, 0, fw, 0}));
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- decoders ----

    void modeByteBits_data()
    {
        QTest::addColumn<int>("nn");
        QTest::addColumn<int>("output");    // -1: none
        QTest::addColumn<QString>("flags"); // inverted, filtration, per cent, litres, 4096
        QTest::newRow("00") << 0x00 << int(OutputMode::Rs485Passive) << "00000";
        QTest::newRow("8A") << 0x8A << int(OutputMode::Analog) << "01001";
        QTest::newRow("04") << 0x04 << int(OutputMode::Frequency) << "00000";
        QTest::newRow("06") << 0x06 << int(OutputMode::Impulse) << "00000";
        QTest::newRow("10") << 0x10 << int(OutputMode::Rs485Active) << "00000";
        QTest::newRow("12") << 0x12 << -1 << "00000";
        QTest::newRow("14") << 0x14 << -1 << "00000";
        QTest::newRow("16") << 0x16 << -1 << "00000";
        QTest::newRow("60") << 0x60 << int(OutputMode::Rs485Passive) << "00110";
        QTest::newRow("FF") << 0xFF << -1 << "11111";
        QTest::newRow("E9") << 0xE9 << int(OutputMode::Rs485Passive) << "11111";
    }
    void modeByteBits()
    {
        QFETCH(int, nn);
        QFETCH(int, output);
        QFETCH(QString, flags);
        const ModeFlags f = decodeModeByte(quint8(nn));
        QCOMPARE(f.output.has_value() ? int(*f.output) : -1, output);
        QString got;
        for (bool b : {f.inverted, f.filtration, f.percent, f.litres, f.range4096})
            got += b ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(got, flags);
    }

    void progressRangeFollowsRangeAndFirmware()
    {
        QCOMPARE(progressRange(false, false), qint16(1024));
        QCOMPARE(progressRange(false, true), qint16(1024));
        QCOMPARE(progressRange(true, false), qint16(4096));
        QCOMPARE(progressRange(true, true), qint16(256));
    }

    void echoByte_data()
    {
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("level");
        QTest::newRow("00") << 0x00 << int(EchoChoice::First) << 0;
        QTest::newRow("1F") << 0x1F << int(EchoChoice::Last) << 15;
        QTest::newRow("20") << 0x20 << int(EchoChoice::FirstLast) << 0;
        QTest::newRow("35, both bits") << 0x35 << int(EchoChoice::FirstLast) << 5;
        QTest::newRow("C7, high bits ignored") << 0xC7 << int(EchoChoice::First) << 7;
    }
    void echoByte()
    {
        QFETCH(int, m);
        QFETCH(int, choice);
        QFETCH(int, level);
        const EchoSelection s = decodeEchoByte(quint8(m));
        QCOMPARE(int(s.choice), choice);
        QCOMPARE(s.level, level);
    }

    void ladderSteps_data()
    {
        QTest::addColumn<int>("fw");
        QTest::addColumn<QList<int>>("steps");
        QTest::newRow("0") << 0 << QList<int>{};
        QTest::newRow("129") << 129 << QList<int>{};
        QTest::newRow("130") << 130 << QList<int>{130};
        QTest::newRow("150") << 150 << QList<int>{130, 131, 134};
        QTest::newRow("163") << 163 << QList<int>{130, 131, 134, 163};
        QTest::newRow("171") << 171 << QList<int>{130, 131, 134, 163, 170, 171};
        QTest::newRow("172") << 172 << QList<int>{130, 131, 134, 163, 170, 171, 171, 172};
        QTest::newRow("175") << 175 << QList<int>{130, 131, 134, 163, 170, 171};
        QTest::newRow("176") << 176 << QList<int>{130, 131, 134, 163, 170, 171, 176};
        QTest::newRow("255") << 255 << QList<int>{130, 131, 134, 163, 170, 171, 176};
    }
    void ladderSteps()
    {
        QFETCH(int, fw);
        QFETCH(QList<int>, steps);
        QCOMPARE(firmwareLadder(fw), steps);
    }

    // ---- Out_modes ----

    void zeroByteSelectsPassiveAndClearsTheBoxes()
    {
        WindowHarness h;
        h.openPort();
        const auto ui = h.ui();
        h.w().parts().monitor->showModes(0xFF);
        h.w().parts().monitor->showModes(0x00);
        QCOMPARE(checkedOutputs(ui), QString("10000"));
        for (QCheckBox *b : {ui->iinv, ui->usredn, ui->D_4096, ui->tartab1, ui->per_sents})
            QVERIFY2(!b->isChecked(), qPrintable(b->objectName()));
        QCOMPARE(h.w().parts().calibration->tableEditor()->tartabState(), Qt::Unchecked);
        QCOMPARE(h.w().parts().calibration->tableEditor()->perSentsState(), Qt::Unchecked);
        QCOMPARE(nextLevelBarRange(h), 1024);
        QCOMPARE(loggedModeByte(h), QString("0"));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void analogWithFiltrationAndWideRange()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showModes(0x8A);
        QCOMPARE(checkedOutputs(h.ui()), QString("01000"));
        QVERIFY(h.ui()->usredn->isChecked());
        QVERIFY(h.ui()->D_4096->isChecked());
        QVERIFY(!h.ui()->iinv->isChecked());
        QCOMPARE(nextLevelBarRange(h), 4096);
        QCOMPARE(loggedModeByte(h), QString("138"));
        // Once a 1.7.2 sensor has answered, the wide range counts 256 codes.
        h.w().parts().monitor->showIdentity(identity(172));
        h.w().parts().monitor->showModes(0x8A);
        QCOMPARE(nextLevelBarRange(h), 256);
    }

    void undefinedOutputLeavesTheOptionsButUpdatesTheRest()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showModes(0x06);
        QCOMPARE(checkedOutputs(h.ui()), QString("00010"));
        h.w().parts().monitor->followSensorSettings();
        h.w().parts().monitor->showModes(0x14 | 0x01 | 0x08);
        QCOMPARE(checkedOutputs(h.ui()), QString("00010"));
        QVERIFY(h.ui()->iinv->isChecked());
        QVERIFY(h.ui()->usredn->isChecked());
        QCOMPARE(loggedModeByte(h), QString("29"));
        QVERIFY(!settingsFollowNextAnswer(h));
    }

    void everyOutputCanBeSelectedFromAnyOther()
    {
        WindowHarness h;
        const int values[] = {0x00, 0x02, 0x04, 0x06, 0x10};
        for (int from = 0; from < 5; ++from) {
            for (int to = 0; to < 5; ++to) {
                h.w().parts().monitor->showModes(quint8(values[from]));
                h.w().parts().monitor->showModes(quint8(values[to]));
                QString expected(5, QLatin1Char('0'));
                expected[to] = QLatin1Char('1');
                QCOMPARE(checkedOutputs(h.ui()), expected);
            }
        }
    }

    void tableFlagsGoToTheTableWindowAndTheMirrors()
    {
        WindowHarness h;
        h.w().parts().monitor->showModes(0x60);
        QVERIFY(h.ui()->tartab1->isChecked());
        QVERIFY(h.ui()->per_sents->isChecked());
        Form3 *table = h.w().parts().calibration->tableEditor();
        QCOMPARE(table->tartabState(), Qt::Checked);
        QCOMPARE(table->perSentsState(), Qt::Checked);
        // Made for the flags only: the table window stays out of sight.
        QVERIFY(!table->isVisible());
        h.w().parts().monitor->showModes(0x40);
        QCOMPARE(table->perSentsState(), Qt::Unchecked);
        QVERIFY(!h.ui()->per_sents->isChecked());
        QVERIFY(h.ui()->tartab1->isChecked());
    }

    // ---- the ladder, through identity answers ----

    void firmware172UnlocksUpToTablesAndCountsIn256()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(172));
        for (int g : {130, 131, 163})
            QVERIFY2(groupEnabled(h.w(), g), qPrintable(QString::number(g)));
        // Group 170 but its check box, which only shows the flag.
        QVERIFY(ownEnabled(h.ui()->Command6));
        QVERIFY(!h.ui()->tartab1->isHidden());
        QVERIFY(!groupEnabled(h.w(), 176));
        QVERIFY(!h.ui()->Kalibr_warning->isHidden());
        QVERIFY(!h.ui()->usredn->isHidden());
        QVERIFY(!settingsCarryTheKey(h));
        h.w().parts().monitor->showModes(0x80);
        QCOMPARE(nextLevelBarRange(h), 256);

        // The 256-code range stays for a newer sensor met later on the same bus.
        h.w().parts().monitor->showIdentity(identity(176));
        h.w().parts().monitor->showModes(0x80);
        QCOMPARE(nextLevelBarRange(h), 256);
    }

    void firmware150OnlyHidesTheWarning()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->Kalibr_warning->setVisible(true);
        h.w().parts().monitor->showIdentity(identity(150));
        QVERIFY(groupEnabled(h.w(), 130));
        QVERIFY(groupEnabled(h.w(), 131));
        QVERIFY(!groupEnabled(h.w(), 163));
        QVERIFY(!groupEnabled(h.w(), 170));
        QVERIFY(h.ui()->Kalibr_warning->isHidden());
        h.w().parts().monitor->showModes(0x80);
        QCOMPARE(nextLevelBarRange(h), 4096);
    }

    void oldFirmwareChangesNothing()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->Kalibr_warning->setVisible(true);
        h.w().parts().monitor->showIdentity(identity(129));
        QCOMPARE(h.ui()->vv->text(), QString("1.2.9."));
        QVERIFY(!groupEnabled(h.w(), 130));
        QVERIFY(!h.ui()->Kalibr_warning->isHidden());
    }

    void firmware176SwapsTheFiltrationBoxForTheSlider()
    {
        WindowHarness h;
        h.openPort();
        Form3 *table = h.w().parts().calibration->tableEditor();
        table->form()->per_sents->setEnabled(false);
        h.w().parts().monitor->showIdentity(identity(176));
        const auto ui = h.ui();
        for (QWidget *c :
             {static_cast<QWidget *>(ui->Slider1), static_cast<QWidget *>(ui->sgla),
              static_cast<QWidget *>(ui->Label22), static_cast<QWidget *>(ui->Termokompens)}) {
            QVERIFY2(ownEnabled(c), qPrintable(c->objectName()));
            QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        }
        QVERIFY(ui->usred->isHidden());
        QVERIFY(ui->usredn->isHidden());
        QVERIFY(!ownEnabled(ui->usredn));
        QVERIFY(!ui->tartab1->isHidden());
        QVERIFY(!ownEnabled(ui->tartab1));
        QVERIFY(!ownEnabled(ui->per_sents));
        QVERIFY(ownEnabled(ui->Command6));
        QVERIFY(ownEnabled(ui->R_p485));
        QCOMPARE(ui->Label6->text(), QString("Range 4096"));
        h.w().parts().monitor->showModes(0x80);
        QCOMPARE(nextLevelBarRange(h), 4096);
        // The table window's own box (Tag 171 as well) is not the ladder's to touch.
        QVERIFY(!ownEnabled(table->form()->per_sents));
    }

    void ladderIsCumulativeUntilThePortCloses()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(176));
        h.w().parts().monitor->showIdentity(identity(131));
        QVERIFY(!settingsCarryTheKey(h));
        QVERIFY(groupEnabled(h.w(), 176));
        QVERIFY(groupEnabled(h.w(), 163));

        h.w().parts().portBar->BTNCloseCom_Click();
        QVERIFY(!groupEnabled(h.w(), 130));
        QVERIFY(h.ui()->Slider1->isHidden());
        h.openPort();
        // The filtration box, once replaced, does not come back.
        QVERIFY(h.ui()->usredn->isHidden());
    }

    // 1.7.5 takes only the mode byte, yet its answer's echo selection is shown all the same.
    void modeAnswerEchoesTheModeAndEchoSelection_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::newRow("1.7.6") << 176;
        QTest::newRow("1.7.5") << 175;
    }
    void modeAnswerEchoesTheModeAndEchoSelection()
    {
        QFETCH(int, firmware);
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(quint8(firmware)));
        h.w().parts().monitor->showModes(0);
        h.port.reads = {framedAnswer(5, 0xF2, bytes({0x8A, 0x25}))};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString(" New mode set"));
        QCOMPARE(checkedOutputs(h.ui()), QString("01000"));
        QVERIFY(h.ui()->D_4096->isChecked());
        QVERIFY(h.ui()->opFirstLast->isChecked());
        QVERIFY(!h.ui()->opFirst->isChecked());
        QCOMPARE(h.ui()->sgla->text(), QString("5"));
        QCOMPARE(h.ui()->Slider1->value(), 5);
        QCOMPARE(h.logEvents().last(), QString(" New mode set"));
        QCOMPARE(h.tone.beeps, (QList<QPair<int, int>>{{1000, 100}}));
    }

    // The mode answer carries the echo selection from 1.7.6 on, and only then: an answer
    // of the other length is damaged and changes nothing.
    void modeAnswerOfOlderFirmwareHasNoEchoSelection()
    {
        WindowHarness h;
        h.openPort();
        h.w().parts().monitor->showIdentity(identity(174));
        h.port.reads = {framedAnswer(5, 0xF2, bytes({0x04})),
                        framedAnswer(5, 0xF2, bytes({0x02, 0x25}))};
        h.w().engine().tick();
        QVERIFY(h.ui()->R_f->isChecked());
        QVERIFY(h.ui()->opFirst->isChecked());
        QCOMPARE(h.ui()->sgla->text(), QString("0"));
        h.w().engine().tick();
        QVERIFY(h.ui()->R_f->isChecked());
        QCOMPARE(h.ui()->MsgCom->text(), QString("Mode answer damaged: not confirmed."));
    }
};

QTEST_MAIN(tst_ModeLadder)
#include "tst_modeladder.moc"
