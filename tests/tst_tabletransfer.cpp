#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/calibration/CalibrationTable.h"
#include "core/log/ResultsEcho.h"
#include "core/protocol/Requests.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/widgets/Colours.h"

#include <QtTest>

using namespace levelconf;

// The table editor in the window: the table to and from the sensor through the engine, the
// mode write that follows, damaged answers, and the editor's files.
namespace
{
using Tones = QList<QPair<int, int>>;

// A table answer from address 0: readings 100 + i, volumes 1000 + 10 i.
QByteArray tableAnswer()
{
    QByteArray values;
    for (int i = 0; i < 20; ++i)
        values += bytes({0, 100 + i});
    for (int i = 0; i < 20; ++i)
        values += bytes({(1000 + 10 * i) >> 8, (1000 + 10 * i) & 0xFF});
    return framedAnswer(0, 0xEF, values);
}

// The window with the sensor at address 0 known: its identity with this firmware code, then
// a reading with mode byte 0.
void connectSensor(WindowHarness &h, int firmware)
{
    h.openPort();
    h.port.reads = {framedAnswer(0, 0xFC, bytes({0x39, 0x30, 0, 0, firmware, 0})), dataAnswer()};
    h.w().engine().tick();
    h.w().engine().tick();
    h.dialogs.clear();
    h.tone.beeps.clear();
}

Ui::Form3 *editor(WindowHarness &h)
{
    return h.w().parts().calibration->tableEditor()->form();
}
} // namespace

class tst_TableTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void writeIsFollowedByOneModeWrite_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("afterTable");
        QTest::newRow("1.7.5, keyed, Yes") << 175 << true << modeRequest(0, 0x60, true);
        QTest::newRow("1.7.4, No") << 174 << false << dataRequest(0);
    }
    void writeIsFollowedByOneModeWrite()
    {
        QFETCH(int, firmware);
        QFETCH(bool, yes);
        QFETCH(QByteArray, afterTable);
        WindowHarness h;
        connectSensor(h, firmware);
        editor(h)->per_sents->click();
        editor(h)->tartab->click();
        QVERIFY(h.ui()->per_sents->isChecked() && h.ui()->tartab1->isChecked());
        editor(h)->Text3_0->setText("256");
        editor(h)->wrmyTable->click();
        const QString shown = h.ui()->txtRec->toPlainText();
        QVERIFY(h.logEvents().last().startsWith("Cmd_SetTable =  200, 400, "));
        QVERIFY(h.logEvents().last().contains(" 3800, 4096, 256, 400, "));

        h.dialogs.yesNoAnswers = {yes};
        const int sent = h.port.writes.size();
        for (int i = 0; i < 3; ++i)
            h.w().engine().tick();
        const QByteArray table = h.port.writes.value(sent);
        QCOMPARE(table.size(), firmware > 174 ? 87 : 84);
        QCOMPARE(table.mid(table.size() - 41, 2), bytes({0x01, 0x00}));
        const QString echo = echoText(table).section("\r\n", 0, 0);
        QVERIFY(shown.startsWith(echo + '\n'));
        QCOMPARE(h.port.writes.mid(sent), (QList<QByteArray>{table, afterTable, dataRequest(0)}));
        QCOMPARE(h.dialogs.shown.size(), 1);
    }

    void refusedWritesAndReadsQueueNothing()
    {
        WindowHarness h;
        connectSensor(h, 176);
        const int logLines = h.logEvents().size();
        editor(h)->Text3_7->setText("12a");
        editor(h)->wrmyTable->click();
        editor(h)->Text3_7->setText("12");
        h.ui()->CmbNet->clear();
        editor(h)->wrmyTable->click();
        editor(h)->rdTable->click();
        const QString noAddress = "No sensor address is selected. Search the network and pick "
                                  "the sensor's address first.";
        QCOMPARE(h.dialogs.messages(),
                 (QStringList{"Point 7, Литры: \"12a\" is not a number from 0 to 32767", noAddress,
                              noAddress}));
        QCOMPARE(h.logEvents().size(), logLines);
        // Nothing goes out, and no mode write either.
        h.ui()->CmbNet->addItem("0");
        const int sent = h.port.writes.size();
        h.w().engine().tick();
        h.w().engine().tick();
        QCOMPARE(h.port.writes.mid(sent), (QList<QByteArray>{dataRequest(0), dataRequest(0)}));
        QCOMPARE(h.dialogs.shown.size(), 3);
    }

    void readFillsTheHiddenEditor()
    {
        WindowHarness h;
        connectSensor(h, 176);
        h.ui()->Command6->click();
        QVERIFY(h.w().parts().calibration->tableEditor()->isVisible());
        QCOMPARE(h.w().parts().calibration->tableEditor()->windowModality(), Qt::NonModal);
        editor(h)->Command1->click(); // gone before the answer comes
        QCOMPARE(h.logEvents().last(), QString("Cmd_ReadTable: "));
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), tableReadRequest(0));
        h.port.reads = {tableAnswer()};
        h.w().engine().tick();
        QVERIFY(!h.w().parts().calibration->tableEditor()->isVisible());
        const CalibrationCells cells = h.w().parts().calibration->tableEditor()->table();
        QCOMPARE(cells.readings[19], QString("119"));
        QCOMPARE(cells.volumes[0], QString("1000"));
        QCOMPARE(h.ui()->MsgCom->text(), QString("Table read."));
        const QString log = h.logEvents().last();
        QVERIFY(log.startsWith("Прочитана таблица = 100, 101, ") && log.endsWith(", 1190, "));
        QCOMPARE(h.tone.beeps, (Tones{{1000, 100}}));
        QCOMPARE(h.ui()->txtRec->toPlainText(), tableDumpText(tableAnswer()));
    }

    void damagedTableAnswerChangesNoCell_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("log");
        QByteArray badCrc = tableAnswer();
        const quint8 crc = quint8(badCrc.back());
        badCrc[83] = char(crc ^ 0x10);
        QTest::newRow("wrong check byte")
            << badCrc
            << QString::asprintf("84 bytes, CRC received %02X, computed %02X", crc ^ 0x10, crc);
        QTest::newRow("too short")
            << bytes({0x3E, 0x05, 0xEF, 0x0A}) << "4 bytes, CRC received 0A, computed 7D";
    }
    void damagedTableAnswerChangesNoCell()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, log);
        WindowHarness h;
        connectSensor(h, 176);
        editor(h)->Text4_0->setText("edited");
        const CalibrationCells before = h.w().parts().calibration->tableEditor()->table();
        h.port.reads = {answer};
        h.w().engine().tick();
        QCOMPARE(h.w().parts().calibration->tableEditor()->table(), before);
        QCOMPARE(h.ui()->MsgCom->text(), QString("Table answer damaged: not read."));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::Red);
        QCOMPARE(h.logEvents().last(), "Table answer damaged: " + log);
        QCOMPARE(h.tone.beeps, (Tones{{400, 800}}));
        QCOMPARE(h.ui()->txtRec->toPlainText(), tableDumpText(answer));
    }

    // The file format itself is the unit tests'; here, what the operator is told.
    void fileButtons()
    {
        WindowHarness h;
        QTemporaryDir dir;
        QFile cut(dir.filePath("short.pl5"));
        QVERIFY(cut.open(QIODevice::WriteOnly) && cut.write(QByteArray("1\r\n").repeated(39)));
        cut.close();
        h.dialogs.fileAnswers = {cut.fileName(), dir.filePath("gone/t.pl5"),
                                 dir.filePath("none.pl5")};
        editor(h)->fTablOpen->click();
        QCOMPARE(h.w().parts().calibration->tableEditor()->table(), CalibrationCells::defaults());
        editor(h)->fTablSave->click();
        editor(h)->fTablOpen->click();
        QCOMPARE(h.dialogs.shown[0].title + h.dialogs.shown[0].initial,
                 QString("Открытьtbl Files (*.pl5)"));
        QCOMPARE(h.dialogs.shown[2].title, QString("Схранить"));
        const QStringList m = h.dialogs.messages();
        QCOMPARE(m.size(), 3);
        QCOMPARE(m[0], QString("The file short.pl5 ends inside a table: it has 39 lines, and a "
                               "table takes 40. The cells keep what they held before that table."));
        QVERIFY(m[1].startsWith("The table was not saved to " + dir.filePath("gone/t.pl5") + ": "));
        QVERIFY(m[2].startsWith("The table file " + dir.filePath("none.pl5") + " could not be "));
    }
};

QTEST_MAIN(tst_TableTransfer)
#include "tst_tabletransfer.moc"
