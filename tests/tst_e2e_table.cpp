// The calibration table end to end: read from a simulated sensor into the editor, edit,
// write back, and the mode write with the litres flag that follows.
#include "SimBench.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"

#include <QtTest>

using namespace levelconf;

namespace
{
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
        Form3 *editor = b.w().parts().calibration->tableEditor();

        b.ui()->Command6->click();
        editor->form()->Command1->click();
        QVERIFY(b.tickUntilCaption("Table read."));
        QCOMPARE(editor->table().readings[0], QString("150"));
        QCOMPARE(editor->table().volumes[19], QString("500"));

        editor->form()->Text3_7->setText("1234");
        editor->form()->tartab->click();
        b.mark();
        editor->form()->wrmyTable->click();
        // The tick that sends the table changes the table alone; the next one sends the
        // mode with the litres flag, once confirmed.
        b.tick();
        QCOMPARE(b.sensor(5).table.volumes[7], quint16(1234));
        QCOMPARE(b.sensor(5).table.volumes[6], quint16(175));
        QCOMPARE(b.sensor(5).mode, quint8(0x88));
        QVERIFY(b.h.dialogs.shown.isEmpty());
        b.tick();
        QCOMPARE(b.sensor(5).mode, quint8(0xC8));
        QVERIFY(b.tickUntilCaption(" New mode set"));
        const QStringList log = b.logSinceMark();
        QVERIFY(log.contains("Установлена Тарировочная таблица."));
        QVERIFY(log.contains("Cmd Change mode to 200 sgla 3"));
        b.tick();
        QCOMPARE(b.h.dialogs.shown.size(), 1);
        QCOMPARE(b.sensor(4).table, CalibrationTable::defaults());
    }
};

QTEST_MAIN(tst_E2ETable)
#include "tst_e2e_table.moc"
