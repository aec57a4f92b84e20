// The configuration commands end to end: the window on the real serial port, the engine
// ticked by hand, and simulated sensors that keep what they are told.
#include "SimBench.h"
#include "ui_Form4.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/settings/Form4.h"
#include "window/widgets/Colours.h"

#include <QtTest>

#include <functional>

using namespace levelconf;

namespace
{
using Tones = QList<QPair<int, int>>;
const QPair<int, int> kConfirmedTone{1000, 100};
const QPair<int, int> kWrongTone{400, 800};

// The generation beside the one under test, so that every bus holds a keyed and an
// unkeyed sensor.
quint8 otherGeneration(quint8 firmware)
{
    return firmware >= 175 ? 172 : 176;
}

void firmwareRows()
{
    QTest::addColumn<quint8>("firmware");
    QTest::addColumn<QString>("version");
    QTest::newRow("1.7.6, keyed, second mode byte") << quint8(176) << QStringLiteral("1.7.6.");
    QTest::newRow("1.7.5, keyed, one mode byte") << quint8(175) << QStringLiteral("1.7.5.");
    QTest::newRow("1.7.2, unkeyed") << quint8(172) << QStringLiteral("1.7.2.");
    QTest::newRow("1.6.3, unkeyed") << quint8(163) << QStringLiteral("1.6.3.");
}

// The settings a command must leave alone on the sensor it was not meant for.
void compareUntouched(const SensorConfig &now, const SensorConfig &was)
{
    QCOMPARE(now.address, was.address);
    QCOMPARE(now.emptyValue, was.emptyValue);
    QCOMPARE(now.fullValue, was.fullValue);
    QCOMPARE(now.mode, was.mode);
    QCOMPARE(now.filtration, was.filtration);
    QCOMPARE(now.distanceLimit, was.distanceLimit);
    QCOMPARE(now.minDistance, was.minDistance);
    QCOMPARE(now.airTemperature, was.airTemperature);
    QCOMPARE(now.password, was.password);
}
} // namespace

class tst_E2EConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void levelShifts_data() { firmwareRows(); }
    void levelShifts()
    {
        QFETCH(quint8, firmware);
        QFETCH(QString, version);
        const SensorConfig neighbour = steadySensor(4, otherGeneration(firmware));
        SimBench b({neighbour, steadySensor(3, firmware)});
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.pick(3, version));
        const SensorConfig before = b.sensor(3);
        Ui::Form4 *shiftForm = b.w().parts().settings->levelShiftWindow()->form();

        b.mark();
        b.ui()->shift->click();
        QVERIFY(b.w().parts().settings->levelShiftWindow()->isVisible());
        shiftForm->data->setText(QStringLiteral("250"));
        shiftForm->Command1->click();
        QVERIFY(!b.w().parts().settings->levelShiftWindow()->isVisible());
        QVERIFY(b.logSinceMark().contains(QStringLiteral("Cmd Shift Hight: 250")));
        QVERIFY(b.tickUntilCaption(QStringLiteral("Full value shifted.")));
        QCOMPARE(b.sensor(3).fullValue, before.fullValue + 250);
        QCOMPARE(b.sensor(3).emptyValue, before.emptyValue);
        QStringList log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Shift Hight: 250")));
        QVERIFY(log.contains(QStringLiteral("Full value shifted.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        b.mark();
        b.ui()->shift->click();
        shiftForm->data->setText(QStringLiteral("-300"));
        shiftForm->Command3->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Empty value shifted.")));
        QCOMPARE(b.sensor(3).emptyValue, before.emptyValue - 300);
        QCOMPARE(b.sensor(3).fullValue, before.fullValue + 250);
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Shift Low: -300")));
        QVERIFY(log.contains(QStringLiteral("Empty value shifted.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));
        QVERIFY(b.h.dialogs.messages().isEmpty());

        // The readings that follow show the levels the sensor now has.
        QVERIFY(b.tickUntil([&] {
            return b.ui()->lo->text() == QString::number(before.emptyValue - 300) &&
                   b.ui()->hi->text() == QString::number(before.fullValue + 250);
        }));
        compareUntouched(b.sensor(4), neighbour);
    }

    void modeAndMeasurementSettings_data() { firmwareRows(); }
    void modeAndMeasurementSettings()
    {
        QFETCH(quint8, firmware);
        QFETCH(QString, version);
        const SensorConfig neighbour = steadySensor(4, otherGeneration(firmware));
        SimBench b({steadySensor(3, firmware), neighbour});
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.pick(3, version));
        const SensorConfig before = b.sensor(3);
        QCOMPARE(before.mode, quint8(0x80));
        Ui::frmSerial *ui = b.ui();

        // Analog output, inverted indicator, range 4096; on 1.7.6 also filtration level 5
        // with both echoes.
        b.w().parts().calibration->tableEditor()->setTartabState(Qt::Unchecked);
        b.w().parts().calibration->tableEditor()->setPerSentsState(Qt::Unchecked);
        ui->R_a->setChecked(true);
        ui->iinv->setChecked(true);
        ui->usredn->setChecked(false);
        ui->D_4096->setChecked(true);
        ui->Slider1->setValue(5);
        ui->opFirstLast->setChecked(true);
        b.mark();
        ui->Set_mode->click();
        QVERIFY(ui->txtRec->toPlainText().startsWith(QStringLiteral("31 3 F2 ")));
        QVERIFY(b.tickUntilCaption(QStringLiteral(" New mode set")));
        QCOMPARE(b.sensor(3).mode, quint8(0x83));
        // Only 1.7.6 and later take the filtration level and echo selection with the mode.
        QCOMPARE(b.sensor(3).filtration, firmware > 175 ? quint8(0x25) : before.filtration);
        QStringList log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral(" New mode set")));
        QVERIFY(!log.filter(QRegularExpression(QStringLiteral("^Cmd Change mode to 131 sgla ")))
                     .isEmpty());
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));
        // The controls show the mode the sensor took: the reading in between had put the
        // old one back.
        QVERIFY(ui->R_a->isChecked());
        QVERIFY(ui->iinv->isChecked());
        QVERIFY(ui->D_4096->isChecked());
        if (firmware > 175) {
            QVERIFY(ui->opFirstLast->isChecked());
            QCOMPARE(ui->sgla->text(), QStringLiteral("5"));
        }

        // Air parameters: never keyed, confirmed without a tone.
        ui->Tsr->setText(QLocale().toString(-1.5, 'f', 2));
        ui->Psr->setText(QStringLiteral("1013"));
        ui->Hsr->setText(QStringLiteral("60"));
        b.mark();
        ui->SetAir->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Ambient conditions changed.")));
        QCOMPARE(b.sensor(3).airTemperature, qint16(-150));
        QCOMPARE(b.sensor(3).airPressure, qint16(10130));
        QCOMPARE(b.sensor(3).airHumidity, quint8(60));
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Set AirParam: T=65386 P=10130 H=60")));
        QVERIFY(log.contains(QStringLiteral(" Ambient conditions changed.")));
        QVERIFY(!log.contains(QStringLiteral("Ambient conditions changed.")));
        QVERIFY(b.tonesSinceMark().isEmpty());

        // Distance limit. The box is edited again after the press: what it shows at the
        // confirmation is the sensor's word.
        ui->maxLong->setText(QStringLiteral("750"));
        b.mark();
        ui->Dalnost->click();
        ui->maxLong->setText(QStringLiteral("1"));
        QVERIFY(b.tickUntilCaption(QStringLiteral("Max distance set")));
        QCOMPARE(b.sensor(3).distanceLimit, quint16(750));
        QCOMPARE(ui->maxLong->text(), QStringLiteral("750"));
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Set SetMaxRange: 750")));
        QVERIFY(log.contains(QStringLiteral("Max distance set 750")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        // Minimum distance between two objects.
        ui->lamp_level->setText(QStringLiteral("25"));
        b.mark();
        ui->Command1->click();
        ui->lamp_level->setText(QStringLiteral("1"));
        QVERIFY(b.tickUntilCaption(QStringLiteral("Min dist b/n 2 objects set.")));
        QCOMPARE(b.sensor(3).minDistance, quint8(25));
        QCOMPARE(ui->lamp_level->text(), QStringLiteral("25"));
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Set Lamp Level: 25")));
        QVERIFY(log.contains(QStringLiteral("Уст. новый уровень ав. ост. топлива.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        QVERIFY(b.h.dialogs.messages().isEmpty());
        compareUntouched(b.sensor(4), neighbour);
    }

    void passwordsAndNetworkAddress_data() { firmwareRows(); }
    void passwordsAndNetworkAddress()
    {
        QFETCH(quint8, firmware);
        QFETCH(QString, version);
        const SensorConfig neighbour = steadySensor(4, otherGeneration(firmware));
        SensorConfig target = steadySensor(3, firmware);
        target.password = 777;
        SimBench b({neighbour, target});
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.pick(3, version));
        Ui::frmSerial *ui = b.ui();

        b.mark();
        b.h.dialogs.inputAnswers.push_back(QStringLiteral("777"));
        ui->Vvod_PWD->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Password accepted.")));
        QStringList log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Enter Password = 777")));
        QVERIFY(log.contains(QStringLiteral("Password accepted.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        b.mark();
        b.h.dialogs.yesNoAnswers.push_back(true);
        b.h.dialogs.inputAnswers.push_back(QStringLiteral("2000000000"));
        ui->Chg_pass->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Password changed.")));
        QCOMPARE(b.sensor(3).password, 2000000000u);
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd New Password = 2000000000")));
        QVERIFY(log.contains(QStringLiteral("Password changed.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        b.mark();
        b.h.dialogs.inputAnswers.push_back(QStringLiteral("9"));
        ui->net->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral(" Network address modified.")));
        QVERIFY(!b.sim.bus().sensor(3));
        QCOMPARE(b.sensor(9).serial, target.serial);
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Set New net addr = 9")));
        QVERIFY(log.contains(QStringLiteral(" Network address modified.")));
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));
        QVERIFY(b.h.dialogs.messages().isEmpty());

        // Nobody answers at the old address any more; a search finds the sensor under
        // its new one, and picking it there brings its identity and readings back.
        QVERIFY(b.tickUntilCaption(QStringLiteral("No data from sensor with address 3")));
        b.mark();
        QVERIFY(b.pick(9, version));
        QCOMPARE(ui->CmbNet->findText(QStringLiteral("3")), -1);
        QVERIFY(ui->CmbNet->findText(QStringLiteral("4")) >= 0);
        QVERIFY(b.logSinceMark().contains(QStringLiteral("Устройства в сети 4 9 ")));
        compareUntouched(b.sensor(4), neighbour);
    }

    void aLockedSensorWantsItsPassword_data() { firmwareRows(); }
    void aLockedSensorWantsItsPassword()
    {
        QFETCH(quint8, firmware);
        QFETCH(QString, version);
        SensorConfig target = steadySensor(3, firmware);
        target.password = 1234;
        target.locked = true;
        SimBench b({target});
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.pick(3, version));
        Ui::frmSerial *ui = b.ui();

        b.mark();
        b.h.dialogs.inputAnswers.push_back(QStringLiteral("4321"));
        ui->Vvod_PWD->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Wrong password.")));
        QCOMPARE(textColourOf(ui->MsgCom), Colours::Red);
        QStringList log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Cmd Enter Password = 4321")));
        QVERIFY(log.contains(QStringLiteral("Wrong password.")));
        QCOMPARE(b.tonesSinceMark(), Tones{kWrongTone});
        QVERIFY(b.sensor(3).locked);

        // A setting is refused while the sensor is locked, and changes nothing.
        ui->maxLong->setText(QStringLiteral("750"));
        b.mark();
        ui->Dalnost->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Wrong password.")));
        QCOMPARE(textColourOf(ui->MsgCom), Colours::Red);
        QCOMPARE(b.sensor(3).distanceLimit, target.distanceLimit);
        log = b.logSinceMark();
        QVERIFY(log.contains(QStringLiteral("Wrong password.")));
        QVERIFY(log.filter(QStringLiteral("Max distance set")).isEmpty());
        QCOMPARE(b.tonesSinceMark(), Tones{kWrongTone});

        // The right password unlocks it; the same setting then goes through.
        b.mark();
        b.h.dialogs.inputAnswers.push_back(QStringLiteral("1234"));
        ui->Vvod_PWD->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Password accepted.")));
        QCOMPARE(textColourOf(ui->MsgCom), Colours::DarkGreen);
        QVERIFY(!b.sensor(3).locked);
        QCOMPARE(b.tonesSinceMark(), Tones{kConfirmedTone});

        ui->maxLong->setText(QStringLiteral("750"));
        b.mark();
        ui->Dalnost->click();
        QVERIFY(b.tickUntilCaption(QStringLiteral("Max distance set")));
        QCOMPARE(b.sensor(3).distanceLimit, quint16(750));
        QVERIFY(b.logSinceMark().contains(QStringLiteral("Max distance set 750")));
        QVERIFY(b.h.dialogs.messages().isEmpty());
    }
};

QTEST_MAIN(tst_E2EConfig)
#include "tst_e2e_config.moc"
