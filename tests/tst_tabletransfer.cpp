#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "calibration/CalibrationTable.h"
#include "calibration/Form3.h"
#include "protocol/Requests.h"
#include "shell/Colours.h"
#include "shell/ResultsEcho.h"
#include "ui_Form3.h"
#include "ui_frmSerial.h"

#include <QtTest>

// The table editor in the window: reading and writing the sensor's table through the
// engine, the mode write that follows, damaged answers, and the editor's files.
namespace
{
using Tones = QList<QPair<int, int>>;

// A table answer from address 0: readings 100 + i, volumes 1000 + 10 i.
QByteArray tableAnswerFor()
{
    QByteArray values;
    for (int i = 0; i < 20; ++i)
        values += bytes({(100 + i) >> 8, (100 + i) & 0xFF});
    for (int i = 0; i < 20; ++i)
        values += bytes({(1000 + 10 * i) >> 8, (1000 + 10 * i) & 0xFF});
    return framedAnswer(0, 0xEF, values);
}

CalibrationCells cellsOfTableAnswer()
{
    CalibrationCells c;
    for (int i = 0; i < 20; ++i) {
        c.readings[i] = QString::number(100 + i);
        c.volumes[i] = QString::number(1000 + 10 * i);
    }
    return c;
}

// The window with a port open and the sensor at address 0 known: its identity with this
// firmware code, then a reading (which also shows its mode byte 0).
void connectSensor(WindowHarness &h, int firmware)
{
    h.openPort();
    h.port.reads = {framedAnswer(0, 0xFC, bytes({0x39, 0x30, 0x00, 0x00, firmware, 0})),
                    dataAnswer()};
    h.w().TMRComm_Timer();
    h.w().TMRComm_Timer();
    h.dialogs.clear();
    h.tone.beeps.clear();
}

QString hex2(char b)
{
    return QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
}

Ui::Form3 *editor(WindowHarness &h)
{
    return h.w().form3()->form();
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

    // ---- requests ----

    void readRequestIsNeitherKeyedNorEchoed_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::newRow("1.7.4") << 174;
        QTest::newRow("1.7.6") << 176;
    }
    void readRequestIsNeitherKeyedNorEchoed()
    {
        QFETCH(int, firmware);
        WindowHarness h;
        connectSensor(h, firmware);
        const QString echo = h.ui()->txtRec->toPlainText();
        editor(h)->rdTable->click();
        QCOMPARE(h.w().wrs, tableReadRequest(0));
        QCOMPARE(h.ui()->txtRec->toPlainText(), echo);
        QCOMPARE(h.logEvents().last(), QString("Cmd_ReadTable: "));
        h.w().TMRComm_Timer();
        QCOMPARE(h.port.writes.last(), bytes({0x31, 0x00, 0xEF, crc8(bytes({0x31, 0x00, 0xEF}))}));
    }

    void command6QueuesTheReadAndShowsTheEditor()
    {
        WindowHarness h;
        connectSensor(h, 176);
        QVERIFY(h.ui()->Command6->isEnabled());
        h.ui()->Command6->click();
        QCOMPARE(h.w().wrs, tableReadRequest(0));
        QVERIFY(h.w().form3()->isVisible());
        QCOMPARE(h.w().form3()->windowModality(), Qt::NonModal);
        editor(h)->Text4_3->setText("edited");
        editor(h)->Command1->click();
        QVERIFY(!h.w().form3()->isVisible());
        h.ui()->Command6->click();
        QVERIFY(h.w().form3()->isVisible());
        QCOMPARE(editor(h)->Text4_3->text(), QString("edited"));
    }

    void writeRequestFromTheCells_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("1.7.4, no key") << 174 << bytes({0x31, 0x00, 0xF1});
        QTest::newRow("1.7.5, keyed") << 175 << bytes({0x31, 0x00, 0xF1}) + write_key();
    }
    void writeRequestFromTheCells()
    {
        QFETCH(int, firmware);
        QFETCH(QByteArray, head);
        WindowHarness h;
        connectSensor(h, firmware);
        editor(h)->Text3_0->setText("256");
        editor(h)->Text4_19->setText("32767");
        editor(h)->wrmyTable->click();
        const QByteArray frame = h.w().wrs;
        QCOMPARE(frame.size(), head.size() + 81);
        QCOMPARE(frame.left(head.size()), head);
        QCOMPARE(frame.mid(head.size(), 4), bytes({0x00, 0xC8, 0x01, 0x90}));
        QCOMPARE(frame.mid(head.size() + 38, 4), bytes({0x7F, 0xFF, 0x01, 0x00}));
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith(echoText(frame).section("\r\n", 0, 0) +
                                                         QLatin1Char('\n')));
        const QString log = h.logEvents().last();
        QVERIFY(log.startsWith("Cmd_SetTable =  200, 400, "));
        QVERIFY(log.contains(" 3800, 32767, 256, 400, "));
        QVERIFY(log.endsWith(" 3800, 4096,"));
        h.w().TMRComm_Timer();
        QCOMPARE(h.port.writes.last(), frame);
    }

    void oneModeWriteFollowsTheTable_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("secondFrame");
        QTest::newRow("Yes: the mode with the litres flag") << true << modeRequest(0, 0x40, false);
        QTest::newRow("No: only the table") << false << dataRequest(0);
    }
    void oneModeWriteFollowsTheTable()
    {
        QFETCH(bool, yes);
        QFETCH(QByteArray, secondFrame);
        WindowHarness h;
        connectSensor(h, 174);
        editor(h)->tartab->click();
        QCOMPARE(h.ui()->tartab1->checkState(), Qt::Checked);
        editor(h)->wrmyTable->click();
        const QByteArray table = h.w().wrs;
        h.dialogs.yesNoAnswers = {yes};
        const int before = h.port.writes.size();
        for (int i = 0; i < 4; ++i)
            h.w().TMRComm_Timer();
        QCOMPARE(h.port.writes.mid(before),
                 (QList<QByteArray>{table, secondFrame, dataRequest(0), dataRequest(0)}));
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown.first().text,
                 QString("The mode is about to be changed. Please, confirm?"));
    }

    void refusedCellQueuesNothing()
    {
        WindowHarness h;
        connectSensor(h, 176);
        const int logLines = h.logEvents().size();
        editor(h)->Text3_7->setText("12a");
        editor(h)->wrmyTable->click();
        QCOMPARE(h.dialogs.messages(),
                 QStringList{"Point 7, Литры: \"12a\" is not a number from 0 to 32767"});
        QVERIFY(h.w().wrs.isEmpty());
        QCOMPARE(h.logEvents().size(), logLines);
        // No mode write comes after a write that did not go out.
        for (int i = 0; i < 3; ++i)
            h.w().TMRComm_Timer();
        QCOMPARE(h.port.writes.mid(h.port.writes.size() - 3),
                 (QList<QByteArray>{dataRequest(0), dataRequest(0), dataRequest(0)}));
        QCOMPARE(h.dialogs.shown.size(), 1);
    }

    void withoutAnAddressNothingIsQueued()
    {
        WindowHarness h;
        connectSensor(h, 176);
        h.ui()->CmbNet->clear();
        const int logLines = h.logEvents().size();
        editor(h)->rdTable->click();
        editor(h)->wrmyTable->click();
        h.ui()->Command6->click();
        const QString message = "No sensor address is selected. Search the network and pick the "
                                "sensor's address first.";
        QCOMPARE(h.dialogs.messages(), (QStringList{message, message, message}));
        QVERIFY(h.w().wrs.isEmpty());
        QCOMPARE(h.logEvents().size(), logLines);
        h.ui()->CmbNet->addItem("0");
        h.ui()->CmbNet->setCurrentIndex(0);
        h.w().TMRComm_Timer();
        h.w().TMRComm_Timer();
        QCOMPARE(h.port.writes.last(), dataRequest(0));
        QCOMPARE(h.dialogs.shown.size(), 3);
    }

    // ---- answers ----

    void readAnswerFillsTheHiddenEditor()
    {
        WindowHarness h;
        connectSensor(h, 176);
        h.ui()->Command6->click();
        editor(h)->Command1->click(); // gone before the answer comes
        h.w().TMRComm_Timer();
        const QByteArray answer = tableAnswerFor();
        h.port.reads = {answer};
        h.w().TMRComm_Timer();
        QVERIFY(!h.w().form3()->isVisible());
        QCOMPARE(h.w().form3()->table(), cellsOfTableAnswer());
        QCOMPARE(h.ui()->MsgCom->text(), QString("Table read."));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::DarkGreen);
        QCOMPARE(h.logEvents().last(),
                 QString("Прочитана таблица = ") + tableLogText(cellsOfTableAnswer()));
        QCOMPARE(h.tone.beeps, (Tones{{1000, 100}}));
        QCOMPARE(h.ui()->txtRec->toPlainText(), tableDumpText(answer));
        h.ui()->Command6->click();
        QCOMPARE(h.w().form3()->table(), cellsOfTableAnswer());
    }

    void damagedTableAnswerChangesNoCell_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("log");
        const QByteArray good = tableAnswerFor();
        QByteArray badCrc = good;
        badCrc[83] = char(badCrc.at(83) ^ 0x10);
        QTest::newRow("wrong check byte")
            << badCrc
            << QStringLiteral("84 bytes, CRC received %1, computed %2")
                   .arg(hex2(badCrc.at(83)), hex2(good.at(83)));
        const QByteArray shortOne = Control_summ(good.left(82));
        QTest::newRow("83 bytes")
            << shortOne
            << QStringLiteral("83 bytes, CRC received %1, computed %1").arg(hex2(shortOne.back()));
        QTest::newRow("confirmation only")
            << bytes({0x3E, 0x05, 0xEF, 0x0A}) << "4 bytes, CRC received 0A, computed 7D";
    }
    void damagedTableAnswerChangesNoCell()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, log);
        WindowHarness h;
        connectSensor(h, 176);
        editor(h)->Text4_0->setText("edited");
        const CalibrationCells before = h.w().form3()->table();
        h.port.reads = {answer};
        h.w().TMRComm_Timer();
        QCOMPARE(h.w().form3()->table(), before);
        QCOMPARE(h.ui()->MsgCom->text(), QString("Table answer damaged: not read."));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::Red);
        QCOMPARE(h.logEvents().last(), "Table answer damaged: " + log);
        QVERIFY(h.logEvents().filter("Прочитана").isEmpty());
        QCOMPARE(h.tone.beeps, (Tones{{400, 800}}));
        QCOMPARE(h.ui()->txtRec->toPlainText(), tableDumpText(answer));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void editorFlagsReachTheMainWindow()
    {
        WindowHarness h;
        connectSensor(h, 176);
        editor(h)->per_sents->click();
        QCOMPARE(h.ui()->per_sents->checkState(), Qt::Checked);
        QCOMPARE(h.ui()->tartab1->checkState(), Qt::Unchecked);
        editor(h)->tartab->click();
        editor(h)->per_sents->click();
        QCOMPARE(h.ui()->per_sents->checkState(), Qt::Unchecked);
        QCOMPARE(h.ui()->tartab1->checkState(), Qt::Checked);
    }

    // ---- files ----

    void tableFiles()
    {
        WindowHarness h;
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.pl5");
        editor(h)->Text4_2->setText("abc");
        const CalibrationCells saved = h.w().form3()->table();

        h.dialogs.fileAnswers = {path};
        editor(h)->fTablSave->click();
        QCOMPARE(h.dialogs.shown.last().kind, QString("save"));
        QCOMPARE(h.dialogs.shown.last().title, QString("Схранить"));
        QCOMPARE(h.dialogs.shown.last().initial, QString("tbl Files (*.pl5)"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 40);
        file.close();

        // Cancelled: nothing changes.
        h.w().form3()->setTable(cellsOfTableAnswer());
        editor(h)->fTablOpen->click();
        QCOMPARE(h.w().form3()->table(), cellsOfTableAnswer());

        h.dialogs.fileAnswers = {path};
        editor(h)->fTablOpen->click();
        QCOMPARE(h.dialogs.shown.last().title, QString("Открыть"));
        QCOMPARE(h.w().form3()->table(), saved);
        QVERIFY(h.dialogs.messages().isEmpty());

        // A file cut short changes no cell and says so.
        QFile cut(dir.filePath("short.pl5"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QByteArray("1\r\n").repeated(39));
        cut.close();
        h.dialogs.fileAnswers = {cut.fileName()};
        editor(h)->fTablOpen->click();
        QCOMPARE(h.w().form3()->table(), saved);
        QCOMPARE(h.dialogs.messages(),
                 QStringList{"The file short.pl5 ends inside a table: it has 39 lines, and a "
                             "table takes 40. The cells keep what they held before that table."});

        h.dialogs.clear();
        h.dialogs.fileAnswers = {dir.filePath("gone/tank.pl5"), dir.filePath("none.pl5")};
        editor(h)->fTablSave->click();
        editor(h)->fTablOpen->click();
        const QStringList failures = h.dialogs.messages();
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures[0].startsWith("The table was not saved to " + dir.filePath("gone/")));
        QVERIFY(failures[0].endsWith(". A file already there is left as it was."));
        QVERIFY(failures[1].startsWith("The table file " + dir.filePath("none.pl5") +
                                       " could not be read: "));
        QCOMPARE(h.w().form3()->table(), saved);
    }
};

QTEST_MAIN(tst_TableTransfer)
#include "tst_tabletransfer.moc"
