// Automatic tank calibration in the window: the buttons, the boxes they show, the grid the
// operator sees, the point file they leave behind, and F9.
#include "FileLoss.h"
#include "WindowHarness.h"
#include "config/Form4.h"
#include "shell/Form2.h"
#include "ui_frmSerial.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString kCancel = QStringLiteral("<cancel>");

// The window with its port open and the calibration files in a folder of their own.
class Calibration
{
public:
    Calibration() { h.openPort(); }

    QString path(const QString &name = QStringLiteral("tank.trr")) const
    {
        return dir.filePath(name);
    }

    // The operator's next answer to the portion box; kCancel cancels it.
    void answer(const QString &entry)
    {
        h.dialogs.inputAnswers.push_back(entry == kCancel ? std::nullopt
                                                          : std::optional<QString>(entry));
    }

    void startNew(const QString &portion, const QString &file = QStringLiteral("tank.trr"))
    {
        answer(portion);
        h.dialogs.fileAnswers.push_back(path(file));
        h.ui()->Command11->click();
    }

    void continueFrom(const QString &file, const QStringList &portions = {})
    {
        for (const QString &p : portions)
            answer(p);
        h.dialogs.fileAnswers.push_back(path(file));
        h.ui()->Command12->click();
    }

    // The reading shows `level` and the operator presses "Enter value".
    void record(const QString &level)
    {
        h.ui()->Uroven->setText(level);
        h.ui()->Command14->click();
    }

    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 0; c < 3; ++c) {
            const QTableWidgetItem *item = h.ui()->MSFlexGrid1->item(r, c);
            out.append(item ? item->text() : QString());
        }
        return out;
    }

    QByteArray file(const QString &name = QStringLiteral("tank.trr")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    int rows() const { return h.ui()->MSFlexGrid1->rowCount(); }
    QString portion() const { return h.ui()->step_zapr->text(); }
    QString fileName() const { return h.ui()->tar_file_name->text(); }

    WindowHarness h;
    QTemporaryDir dir;
};

QStringList firstLines(const QStringList &messages)
{
    QStringList out;
    for (const QString &m : messages)
        out.append(m.section(QLatin1Char('\n'), 0, 0));
    return out;
}
} // namespace

class tst_TankCalibration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void recordsPortionByPortion_data()
    {
        QTest::addColumn<QString>("portion");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("pending");
        QTest::newRow("portion 50")
            << "50" << QByteArray(";;\r\n1;0;12.5\r\n2;50;20.1\r\n3;100;27.9\r\n")
            << QStringList{"4", "150", ""};
        QTest::newRow("portion -20: volumes fall")
            << "-20" << QByteArray(";;\r\n1;0;12.5\r\n2;-20;20.1\r\n3;-40;27.9\r\n")
            << QStringList{"4", "-60", ""};
    }
    void recordsPortionByPortion()
    {
        QFETCH(QString, portion);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, pending);
        Calibration c;
        c.startNew(portion);
        QCOMPARE(c.h.dialogs.shown.size(), 2);
        const FakeDialogs::Shown box = c.h.dialogs.shown.at(0);
        QCOMPARE(box.kind + '|' + box.text + '|' + box.title + '|' + box.initial,
                 QString("input|Enter portion size|Automatic tank calibration|0"));
        const FakeDialogs::Shown chooser = c.h.dialogs.shown.at(1);
        QCOMPARE(chooser.kind + '|' + chooser.title + '|' + chooser.initial,
                 QString("save|Схранить|tbl Files (*.trr)"));
        QCOMPARE(c.row(1), (QStringList{"1", "0", ""}));
        QCOMPARE(c.portion(), portion);
        QCOMPARE(c.fileName(), QString("tank.trr"));

        for (const char *level : {"12.5", "20.1", "27.9"})
            c.record(level);
        QCOMPARE(c.file(), file);
        const QList<QByteArray> lines = file.split('\n');
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(c.row(r).join(';'), QString::fromLatin1(lines.at(r).chopped(1)));
        QCOMPARE(c.row(4), pending);
        QCOMPARE(c.rows(), 9);
        QVERIFY(c.h.dialogs.messages().isEmpty());
    }

    // A calibration under way with portion 50: point 1 recorded, point 2 pending at 50.
    void portionEntries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");       // the portion in force afterwards
        QTest::addColumn<QStringList>("pending"); // number and volume
        QTest::addColumn<bool>("recording");      // "Enter value" still records
        const QString wrongNew = "Wrong portion size";
        const QString wrongChange = "Wrong portion size value";
        const QStringList point1{"1", "0"};
        const QStringList point2{"2", "50"};
        QTest::newRow("new: 25") << "new"
                                 << "25"
                                 << ""
                                 << "25" << point1 << true;
        QTest::newRow("new: 0") << "new"
                                << "0" << wrongNew << "50" << point1 << false;
        QTest::newRow("new: text") << "new"
                                   << "x" << wrongNew << "50" << point1 << false;
        QTest::newRow("new: 32768") << "new"
                                    << "32768" << wrongNew << "50" << point1 << false;
        QTest::newRow("new: cancelled") << "new" << kCancel << ""
                                        << "50" << point1 << false;
        QTest::newRow("change: -20") << "change"
                                     << "-20"
                                     << ""
                                     << "-20" << QStringList{"2", "-20"} << true;
        QTest::newRow("change: 2.5 is 2") << "change"
                                          << "2.5"
                                          << ""
                                          << "2" << QStringList{"2", "2"} << true;
        QTest::newRow("change: 0") << "change"
                                   << "0" << wrongChange << "50" << point2 << true;
        QTest::newRow("change: -32769") << "change"
                                        << "-32769" << wrongChange << "50" << point2 << true;
        QTest::newRow("change: cancelled") << "change" << kCancel << ""
                                           << "50" << point2 << true;
    }
    void portionEntries()
    {
        QFETCH(QString, button);
        QFETCH(QString, entry);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(QStringList, pending);
        QFETCH(bool, recording);
        Calibration c;
        c.startNew("50", "first.trr");
        c.record("10");
        const QByteArray before = c.file("first.trr");
        c.h.dialogs.clear();

        c.answer(entry);
        if (button == "new") {
            c.h.dialogs.fileAnswers.push_back(c.path("second.trr"));
            c.h.ui()->Command11->click();
        } else {
            c.h.ui()->ch_portion->click();
        }
        QCOMPARE(c.h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(c.portion(), shown);
        const int row = pending.at(0).toInt();
        QCOMPARE(c.row(row), pending + QStringList{""});

        // A new calibration that did not start has ended the one before it: its file takes
        // no point that would not follow the ones it holds.
        c.h.dialogs.clear();
        c.record("11");
        QCOMPARE(c.h.dialogs.messages(), recording ? QStringList() : QStringList{"File not found"});
        QCOMPARE(c.row(row).value(2), recording ? QString("11") : QString());
        if (button == "new" && !recording)
            QCOMPARE(c.file("first.trr"), before);
    }

    void theGridGrowsPastRowEightAndShrinksOnNew()
    {
        Calibration c;
        c.h.w().show();
        c.h.ui()->SSTab1->setCurrentWidget(c.h.ui()->tabCalibration);
        c.startNew("10");
        for (int i = 1; i <= 6; ++i)
            c.record(QString::number(i));
        QCOMPARE(c.rows(), 9);
        c.record("7");
        QCOMPARE(c.rows(), 10);
        QCOMPARE(c.row(8), (QStringList{"8", "70", ""}));
        QCOMPARE(c.row(9), (QStringList{"", "", ""}));
        for (int i = 8; i <= 20; ++i)
            c.record(QString::number(i));
        QCOMPARE(c.rows(), 23);
        QCOMPARE(c.row(21), (QStringList{"21", "200", ""}));
        QTableWidget *grid = c.h.ui()->MSFlexGrid1;
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(21, 1))));
        QCOMPARE(c.file().count('\n'), 21);

        c.startNew("10", "other.trr");
        QCOMPARE(c.rows(), 9);
        QCOMPARE(c.row(1), (QStringList{"1", "0", ""}));
        for (int r = 2; r < 9; ++r)
            QCOMPARE(c.row(r), (QStringList{"", "", ""}));
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(1, 1))));
    }

    void continuesFromAFile_data()
    {
        QTest::addColumn<QByteArray>("text"); // empty: no such file
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QString>("portion");
        QTest::addColumn<QString>("volume"); // of the pending point
        const QByteArray four = ";;\r\n1;0;5\r\n2;50;6\r\n3;100;7\r\n4;150;8\r\n";
        QTest::newRow("100, 150: portion 50, next 200")
            << four << QStringList() << false << true << 4 << "50"
            << "200";
        QTest::newRow("header only: portion asked, 0 taken")
            << QByteArray(";;\r\n") << QStringList{"0"} << true << true << 0 << "0"
            << "0";
        QTest::newRow("header only: no number")
            << QByteArray(";;\r\n") << QStringList{"many"} << true << false << 0 << "7"
            << "0";
        QTest::newRow("one point: follows it by the portion asked")
            << QByteArray(";;\r\n1;70;5\r\n") << QStringList{"25"} << true << true << 1 << "25"
            << "95";
        QTest::newRow("one point: 0 refused")
            << QByteArray(";;\r\n1;70;5\r\n") << QStringList{"0"} << true << false << 1 << "7"
            << "0";
        QTest::newRow("a blank line ends the load")
            << QByteArray(";;\r\n1;0;5\r\n2;50;6\r\n\r\n4;150;8\r\n") << QStringList() << false
            << false << 2 << "7"
            << "0";
        QTest::newRow("last volume not a number") << QByteArray(";;\r\n1;0;5\r\n2;5O;6\r\n")
                                                  << QStringList() << false << false << 2 << "7"
                                                  << "0";
        QTest::newRow("no such file") << QByteArray() << QStringList() << false << false << 0 << "7"
                                      << "0";
    }
    void continuesFromAFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, entries);
        QFETCH(bool, asked);
        QFETCH(bool, ok);
        QFETCH(int, loaded);
        QFETCH(QString, portion);
        QFETCH(QString, volume);
        Calibration c;
        c.startNew("7", "earlier.trr");
        if (!text.isEmpty())
            c.write("old.trr", text);
        c.h.dialogs.clear();

        c.continueFrom("old.trr", entries);
        const FakeDialogs::Shown chooser = c.h.dialogs.shown.value(0);
        QCOMPARE(chooser.kind + '|' + chooser.title + '|' + chooser.initial,
                 QString("open|Открыть|tbl Files (*.trr)"));
        const FakeDialogs::Shown box = c.h.dialogs.shown.value(1);
        QCOMPARE(box.kind == "input", asked);
        if (asked)
            QCOMPARE(box.text, QString("Tank calibration portion size"));
        const QStringList messages = c.h.dialogs.messages();
        QCOMPARE(firstLines(messages), ok ? QStringList() : QStringList{"File not found"});
        if (!ok)
            QVERIFY2(messages.at(0).contains(QDir::toNativeSeparators(c.path("old.trr"))),
                     qPrintable(messages.at(0)));
        const QList<QByteArray> lines = text.split('\n');
        for (int r = 1; r <= loaded; ++r)
            QCOMPARE(c.row(r).join(';'), QString::fromLatin1(lines.at(r).chopped(1)));
        QCOMPARE(c.row(loaded + 1), (QStringList{QString::number(loaded + 1), volume, ""}));
        QCOMPARE(c.portion(), portion);
        QCOMPARE(c.fileName(), ok ? QString("old.trr") : QString());

        // After a failed load nothing is recorded, in either file.
        c.h.dialogs.clear();
        const QByteArray earlier = c.file("earlier.trr");
        c.record("9.5");
        QCOMPARE(c.h.dialogs.messages(), ok ? QStringList() : QStringList{"File not found"});
        QCOMPARE(c.file("earlier.trr"), earlier);
        const QString added = QString("%1;%2;9.5\r\n").arg(loaded + 1).arg(volume);
        QCOMPARE(c.file("old.trr"), ok ? text + added.toLatin1() : text);
    }

    // "Enter value" with no calibration in force answers "File not found" and writes
    // nothing anywhere.
    void nothingIsRecordedWithoutACalibration_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("file"); // answer to the file chooser of a new calibration
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("portion");
        QTest::newRow("nothing started") << ""
                                         << ""
                                         << ""
                                         << "0";
        QTest::newRow("file chooser cancelled") << "25"
                                                << ""
                                                << ""
                                                << "25";
        QTest::newRow("file cannot be created") << "25"
                                                << "no/such/folder/tank.trr"
                                                << "Cannot create the file"
                                                << "25";
    }
    void nothingIsRecordedWithoutACalibration()
    {
        QFETCH(QString, before);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QString, portion);
        Calibration c;
        if (!before.isEmpty()) {
            c.answer(before);
            c.h.dialogs.fileAnswers.push_back(file.isEmpty() ? QString() : c.path(file));
            c.h.ui()->Command11->click();
        }
        const QStringList shown = c.h.dialogs.messages();
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(shown.at(0).startsWith(message) && shown.at(0).contains(c.path(file)),
                     qPrintable(shown.at(0)));
        QCOMPARE(c.portion(), portion);
        QCOMPARE(c.fileName(), QString());

        c.h.dialogs.clear();
        c.record("12.5");
        QCOMPARE(c.h.dialogs.messages(), QStringList{"File not found"});
        QCOMPARE(c.row(1).value(2), QString());
        QCOMPARE(QDir(c.dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // The file cannot take the line: the point stays pending with its volume, the operator
    // is told which file and why, and once the file is back the same point goes in.
    void aPointTheFileDidNotTakeIsNotCounted_data() { addFileLossRows(); }
    void aPointTheFileDidNotTakeIsNotCounted()
    {
        QFETCH(QString, how);
        Calibration c;
        const QString folder = c.path("cal");
        QVERIFY(QDir().mkpath(folder));
        c.startNew("50", "cal/tank.trr");
        c.record("12.5");
        c.record("20.1");
        const QByteArray kept = c.file("cal/tank.trr");
        QVERIFY(loseFile(how, c.path("cal/tank.trr")));

        c.record("27.9");
        const QStringList messages = c.h.dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.at(0).startsWith("Point 3 was not recorded"), qPrintable(messages.at(0)));
        QVERIFY(messages.at(0).contains(QDir::toNativeSeparators(c.path("cal/tank.trr"))));
        QCOMPARE(c.row(3), (QStringList{"3", "100", ""}));
        QCOMPARE(c.row(4), (QStringList{"", "", ""}));

        QDir(c.path("cal/tank.trr")).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        c.write("cal/tank.trr", kept);
        c.h.dialogs.clear();
        c.record("28.0");
        QVERIFY(c.h.dialogs.messages().isEmpty());
        QCOMPARE(c.file("cal/tank.trr"), kept + "3;100;28.0\r\n");
        QCOMPARE(c.row(4), (QStringList{"4", "150", ""}));
    }

    // F9 stands for "Enter value" on the calibration page of the active main window. A key
    // held down sends repeats; they must not record the point again.
    void f9RecordsOnePointPerPress_data()
    {
        QTest::addColumn<bool>("calibrationPage");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<bool>("otherWindow");
        QTest::addColumn<int>("points");
        QTest::newRow("calibration page") << true << true << false << 1;
        QTest::newRow("settings page") << false << true << false << 0;
        QTest::newRow("port closed") << true << false << false << 0;
        QTest::newRow("another window active") << true << true << true << 0;
    }
    void f9RecordsOnePointPerPress()
    {
        QFETCH(bool, calibrationPage);
        QFETCH(bool, portOpen);
        QFETCH(bool, otherWindow);
        QFETCH(int, points);
        Calibration c;
        c.startNew("50");
        c.h.ui()->Uroven->setText("12.5");
        if (!portOpen)
            c.h.ui()->BTNCloseCom->click();
        c.h.ui()->SSTab1->setCurrentWidget(calibrationPage ? c.h.ui()->tabCalibration
                                                           : c.h.ui()->tabSettings);
        c.h.w().form2()->hide(); // as the start-up picture is after two seconds
        c.h.w().show();
        QWidget *active = &c.h.w();
        if (otherWindow)
            active = c.h.w().form4();
        active->show();
        active->activateWindow();
        // The offscreen platform activates windows through its event queue.
        QTRY_COMPARE(QApplication::activeWindow(), active);

        for (int press = 1; press <= 2; ++press) {
            QTest::keyPress(active, Qt::Key_F9);
            for (int i = 0; i < 5; ++i) {
                QTest::simulateEvent(active, false, Qt::Key_F9, Qt::NoModifier, QString(), true);
                QTest::simulateEvent(active, true, Qt::Key_F9, Qt::NoModifier, QString(), true);
            }
            QTest::keyRelease(active, Qt::Key_F9);
            QCOMPARE(c.file().count('\n'), 1 + press * points);
        }
        QCOMPARE(c.row(1).value(2), points ? QString("12.5") : QString());
        QVERIFY(c.h.dialogs.messages().isEmpty());
    }
};

QTEST_MAIN(tst_TankCalibration)
#include "tst_tankcalibration.moc"
