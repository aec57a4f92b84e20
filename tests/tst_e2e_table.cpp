// The calibration table end to end: read from a simulated sensor into the editor, edit,
// write back, and the mode write with the litres flag that follows.
#include "SimBench.h"
#include "calibration/Form3.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"

#include <QtTest>

namespace
{
const QPair<int, int> kConfirmedTone{1000, 100};

// A sensor with a table of its own, so that a read shows something other than the
// editor's defaults.
SensorConfig sensorWithTable(quint8 address)
{
    SensorConfig s = steadySensor(address, 176);
    s.mode = 0x88; // range 4096, filtration
    for (int i = 0; i < 20; ++i) {
        s.table.readings[i] = quint16(150 * (i + 1));
        s.table.volumes[i] = quint16(25 * (i + 1));
    }
    return s;
}
} // namespace

class tst_E2ETable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void readEditWriteAndTheModeThatFollows()
    {
        SimBench b({sensorWithTable(5), steadySensor(4, 172)});
        QVERIFY2(b.start(), qPrintable(b.sim.errorString()));
        QVERIFY(b.pick(5, "1.7.6."));
        Form3 *editor = b.w().form3();
        QVERIFY(!editor->form()->tartab->isChecked());

        // Read into the editor, closed before the answer comes.
        b.mark();
        b.ui()->Command6->click();
        QVERIFY(editor->isVisible());
        editor->form()->Command1->click();
        QVERIFY(b.tickUntilCaption("Table read."));
        QVERIFY(!editor->isVisible());
        const CalibrationCells read = editor->table();
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(read.readings[i], QString::number(150 * (i + 1)));
            QCOMPARE(read.volumes[i], QString::number(25 * (i + 1)));
        }
        QStringList log = b.logSinceMark();
        QVERIFY(log.contains("Cmd_ReadTable: "));
        QVERIFY(
            !log.filter(QRegularExpression("^Прочитана таблица = 150, 300, .*, 500, $")).isEmpty());
        QVERIFY(b.tonesSinceMark().contains(kConfirmedTone));

        // One volume changed, the litres flag ticked, then written.
        editor->form()->Text3_7->setText("1234");
        editor->form()->tartab->click();
        QVERIFY(b.ui()->tartab1->isChecked());
        b.mark();
        editor->form()->wrmyTable->click();
        QVERIFY(b.h.dialogs.messages().isEmpty());

        // The tick that sends the table changes the table and nothing else.
        b.tick();
        SensorConfig s = b.sensor(5);
        QCOMPARE(s.table.volumes[7], quint16(1234));
        QCOMPARE(s.table.volumes[6], quint16(175));
        QCOMPARE(s.table.readings[19], quint16(3000));
        QCOMPARE(s.mode, quint8(0x88));
        QVERIFY(b.h.dialogs.shown.isEmpty());

        // The next one asks for the mode and sends it with the litres flag.
        b.tick();
        QCOMPARE(b.h.dialogs.shown.size(), 1);
        QCOMPARE(b.h.dialogs.shown.first().text,
                 QString("The mode is about to be changed. Please, confirm?"));
        QCOMPARE(b.sensor(5).mode, quint8(0xC8));
        QVERIFY(b.tickUntilCaption(" New mode set"));
        log = b.logSinceMark();
        QVERIFY(log.contains("Установлена Тарировочная таблица."));
        QVERIFY(log.contains("Cmd Change mode to 200 sgla 3"));
        QVERIFY(log.first().startsWith("Cmd_SetTable =  150, 300, "));
        QVERIFY(log.first().contains(" 175, 1234, 225, "));

        // Polling goes on without another mode write; the sensor beside is untouched.
        b.tick();
        b.tick();
        QCOMPARE(b.h.dialogs.shown.size(), 1);
        QVERIFY(editor->form()->tartab->isChecked());
        QCOMPARE(b.sensor(4).table, CalibrationTable::defaults());
        QCOMPARE(b.sensor(4).mode, steadySensor(4, 172).mode);
    }
};

QTEST_MAIN(tst_E2ETable)
#include "tst_e2e_table.moc"
