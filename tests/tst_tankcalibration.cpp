// Automatic tank calibration in the window: the boxes the buttons show, the grid the
// operator sees, the point file left behind, and F9.
#include "FileLoss.h"
#include "WindowHarness.h"
#include "ui_frmSerial.h"
#include "window/settings/Form4.h"
#include "window/shell/Form2.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString kCancel = QStringLiteral("<cancel>");
const QString kNotFound = QStringLiteral("File not found");

// The window with its port open and the calibration files in a folder of their own.
struct Calibration {
    Calibration() { h.openPort(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    // Queues the operator's answers: portion boxes (kCancel cancels) and a file chooser.
    void answer(const QStringList &entries, const QString &file = QString())
    {
        for (const QString &e : entries)
            h.dialogs.inputAnswers.push_back(e == kCancel ? std::nullopt
                                                          : std::optional<QString>(e));
        h.dialogs.fileAnswers.push_back(file.isEmpty() ? QString() : path(file));
    }
    void startNew(const QString &portion, const QString &file = QStringLiteral("tank.trr"))
    {
        answer({portion}, file);
        h.ui()->Command11->click();
    }
    // The reading shows `level` and the operator presses "Enter value".
    void record(const QString &level)
    {
        h.ui()->Uroven->setText(level);
        h.ui()->Command14->click();
    }

    // A grid row as its file line would be.
    QString row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 3; ++c) {
            const QTableWidgetItem *item = h.ui()->MSFlexGrid1->item(r, c);
            cells.append(item ? item->text() : QString());
        }
        return cells.join(';');
    }
    QByteArray file(const QString &name = QStringLiteral("tank.trr")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QString firstMessageLine() const
    {
        return h.dialogs.messages().value(0).section(QLatin1Char('\n'), 0, 0);
    }

    WindowHarness h;
    QTemporaryDir dir;
};
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
        QTest::addColumn<QString>("pending");
        QTest::newRow("50") << "50" << QByteArray(";;\r\n1;0;12.5\r\n2;50;20.1\r\n3;100;27.9\r\n")
                            << "4;150;";
        QTest::newRow("-20: volumes fall")
            << "-20" << QByteArray(";;\r\n1;0;12.5\r\n2;-20;20.1\r\n3;-40;27.9\r\n") << "4;-60;";
    }
    void recordsPortionByPortion()
    {
        QFETCH(QString, portion);
        QFETCH(QByteArray, file);
        QFETCH(QString, pending);
        Calibration c;
        c.write("tank.trr", "an earlier file, replaced whole\r\n");
        c.startNew(portion);
        const FakeDialogs::Shown box = c.h.dialogs.shown.value(0);
        const FakeDialogs::Shown chooser = c.h.dialogs.shown.value(1);
        QCOMPARE(QStringList({box.kind, box.text, box.title, box.initial, chooser.kind,
                              chooser.title, chooser.initial}),
                 QStringList({"input", "Enter portion size", "Automatic tank calibration", "0",
                              "save", "Схранить", "tbl Files (*.trr)"}));
        QCOMPARE(c.row(1), QString("1;0;"));
        QCOMPARE(c.h.ui()->step_zapr->text(), portion);
        QCOMPARE(c.h.ui()->tar_file_name->text(), QString("tank.trr"));

        for (const char *level : {"12.5", "20.1", "27.9"})
            c.record(level);
        QCOMPARE(c.file(), file);
        const QList<QByteArray> lines = file.split('\n');
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(c.row(r).toLatin1() + '\r', lines.at(r));
        QCOMPARE(c.row(4), pending);
        QVERIFY(c.h.dialogs.messages().isEmpty());
    }

    // A calibration under way with portion 50: point 1 recorded, point 2 pending at 50.
    // A new calibration that does not start has ended it, and shows no point pending: its file takes no point that
    // would not follow the ones it holds, nor does any other.
    void portionEntries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");    // answer to the file chooser of "new"
        QTest::addColumn<QString>("message"); // how the one message begins
        QTest::addColumn<QString>("portion"); // in force afterwards
        QTest::addColumn<QString>("pending");
        QTest::addColumn<bool>("recording"); // "Enter value" still records
        const auto row = [](const char *name, const QString &button, const QString &entry,
                            const QString &file, const QString &message, const QString &portion,
                            const QString &pending, bool recording) {
            QTest::newRow(name) << button << entry << file << message << portion << pending
                                << recording;
        };
        row("new: 25", "new", "25", "second.trr", "", "25", "1;0;", true);
        row("new: 0", "new", "0", "second.trr", "Wrong portion size", "50", ";;", false);
        row("new: cancelled", "new", kCancel, "second.trr", "", "50", ";;", false);
        row("new: chooser cancelled", "new", "25", "", "", "25", ";;", false);
        row("new: file cannot be made", "new", "25", "no/t.trr", "Cannot create the file", "25",
            ";;", false);
        row("change: -20", "change", "-20", "", "", "-20", "2;-20;", true);
        row("change: 0", "change", "0", "", "Wrong portion size value", "50", "2;50;", true);
        row("change: cancelled", "change", kCancel, "", "", "50", "2;50;", true);
    }
    void portionEntries()
    {
        QFETCH(QString, button);
        QFETCH(QString, entry);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QString, portion);
        QFETCH(QString, pending);
        QFETCH(bool, recording);
        Calibration c;
        c.record("9"); // before any calibration
        QCOMPARE(c.h.dialogs.messages(), QStringList{kNotFound});
        c.startNew("50", "first.trr");
        c.record("10");
        const QByteArray before = c.file("first.trr");
        c.h.dialogs.clear();

        c.answer({entry}, file);
        (button == "new" ? c.h.ui()->Command11 : c.h.ui()->ch_portion)->click();
        const QString shown = c.h.dialogs.messages().join('|');
        QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.startsWith(message),
                 qPrintable(shown));
        QCOMPARE(c.h.ui()->step_zapr->text(), portion);
        // A new calibration that did not start leaves no point pending in the first row.
        const int row = qMax(1, pending.section(';', 0, 0).toInt());
        QCOMPARE(c.row(row), pending);

        c.h.dialogs.clear();
        c.record("11");
        QCOMPARE(c.h.dialogs.messages().join('|'), recording ? QString() : kNotFound);
        QCOMPARE(c.row(row), recording ? pending + "11" : pending);
        if (!recording)
            QCOMPARE(c.file("first.trr") + c.file("second.trr"), before);
    }

    void theGridGrowsPastRowEightAndShrinksOnNew()
    {
        Calibration c;
        c.h.w().show();
        c.h.ui()->SSTab1->setCurrentWidget(c.h.ui()->tabCalibration);
        QTableWidget *grid = c.h.ui()->MSFlexGrid1;
        c.startNew("10");
        for (int i = 1; i <= 7; ++i) {
            QCOMPARE(grid->rowCount(), 9);
            c.record(QString::number(i));
        }
        QCOMPARE(grid->rowCount(), 10);
        QCOMPARE(c.row(8) + '|' + c.row(9), QString("8;70;|;;"));
        for (int i = 8; i <= 20; ++i)
            c.record(QString::number(i));
        QCOMPARE(grid->rowCount(), 23);
        QCOMPARE(c.row(21), QString("21;200;"));
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(21, 1))));

        c.startNew("10", "other.trr");
        QCOMPARE(grid->rowCount(), 9);
        QCOMPARE(c.row(1), QString("1;0;"));
        for (int r = 2; r < 9; ++r)
            QCOMPARE(c.row(r), QString(";;"));
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(1, 1))));
    }

    // A calibration with portion 7 was in force before the continue.
    void continuesFromAFile_data()
    {
        QTest::addColumn<QByteArray>("text"); // empty: no such file
        QTest::addColumn<QString>("entry");   // to the portion box, when it is asked
        QTest::addColumn<int>("loaded");      // points shown
        QTest::addColumn<QString>("portion"); // empty: the continue fails
        QTest::addColumn<QString>("volume");  // of the pending point
        const auto row = [](const char *name, const char *text, const QString &entry, int loaded,
                            const QString &portion, const QString &volume) {
            QTest::newRow(name) << QByteArray(text) << entry << loaded << portion << volume;
        };
        const char *four = ";;\r\n1;0;5\r\n2;50;6\r\n3;100;7\r\n4;150;8\r\n";
        row("100, 150: portion 50, next 200", four, "", 4, "50", "200");
        row("header only: portion asked, 0 taken", ";;\r\n", "0", 0, "0", "0");
        row("one point: follows it by the portion asked", ";;\r\n1;70;5\r\n", "25", 1, "25", "95");
        row("one point: 0 refused", ";;\r\n1;70;5\r\n", "0", 1, "", "0");
        row("a blank line ends the load", ";;\r\n1;0;5\r\n2;50;6\r\n\r\n4;150;8\r\n", "", 2, "",
            "0");
        row("no such file", "", "", 0, "", "0");
    }
    void continuesFromAFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, entry);
        QFETCH(int, loaded);
        QFETCH(QString, portion);
        QFETCH(QString, volume);
        const bool ok = !portion.isEmpty();
        Calibration c;
        c.startNew("7", "earlier.trr");
        if (!text.isEmpty())
            c.write("old.trr", text);
        c.h.dialogs.clear();

        c.answer(entry.isEmpty() ? QStringList() : QStringList{entry}, "old.trr");
        c.h.ui()->Command12->click();
        const FakeDialogs::Shown chooser = c.h.dialogs.shown.value(0);
        const FakeDialogs::Shown box = c.h.dialogs.shown.value(1);
        QCOMPARE(chooser.kind + '|' + chooser.title + '|' + chooser.initial,
                 QString("open|Открыть|tbl Files (*.trr)"));
        QCOMPARE(box.kind == "input" ? box.text : QString(),
                 entry.isEmpty() ? QString() : QString("Tank calibration portion size"));
        // A failure says why, and that nothing is recorded until a good start.
        QCOMPARE(c.firstMessageLine(), ok ? QString() : kNotFound);
        QVERIFY(ok || c.h.dialogs.messages().at(0).contains(c.path("old.trr")));
        const QList<QByteArray> lines = text.split('\n');
        for (int r = 1; r <= loaded; ++r)
            QCOMPARE(c.row(r).toLatin1() + '\r', lines.at(r));
        QCOMPARE(c.row(loaded + 1), QString("%1;%2;").arg(loaded + 1).arg(volume));
        QCOMPARE(c.h.ui()->step_zapr->text(), ok ? portion : QString("7"));
        QCOMPARE(c.h.ui()->tar_file_name->text(), ok ? QString("old.trr") : QString());

        c.h.dialogs.clear();
        const QByteArray earlier = c.file("earlier.trr");
        c.record("9.5");
        QCOMPARE(c.h.dialogs.messages().join('|'), ok ? QString() : kNotFound);
        QCOMPARE(c.file("earlier.trr"), earlier);
        const QString added = QString("%1;%2;9.5\r\n").arg(loaded + 1).arg(volume);
        QCOMPARE(c.file("old.trr"), ok ? text + added.toLatin1() : text);
    }

    // The point stays pending with its volume, the operator is told which file and why,
    // and once the file is back the same point goes in.
    void aPointTheFileDidNotTakeIsNotCounted_data() { addFileLossRows(); }
    void aPointTheFileDidNotTakeIsNotCounted()
    {
        QFETCH(QString, how);
        Calibration c;
        QVERIFY(QDir().mkpath(c.path("cal")));
        c.startNew("50", "cal/tank.trr");
        c.record("12.5");
        c.record("20.1");
        const QByteArray kept = c.file("cal/tank.trr");
        QVERIFY(loseFile(how, c.path("cal/tank.trr")));

        c.record("27.9");
        QCOMPARE(c.h.dialogs.messages().size(), 1);
        QVERIFY(c.firstMessageLine().startsWith("Point 3 was not recorded"));
        QVERIFY(c.firstMessageLine().contains(c.path("cal/tank.trr")));
        QCOMPARE(c.row(3) + '|' + c.row(4), QString("3;100;|;;"));

        QFile::remove(c.path("cal/tank.trr"));
        QDir(c.path("cal/tank.trr")).removeRecursively();
        QVERIFY(QDir().mkpath(c.path("cal")));
        c.write("cal/tank.trr", kept);
        c.record("28.0");
        QCOMPARE(c.file("cal/tank.trr"), kept + "3;100;28.0\r\n");
        QCOMPARE(c.row(4), QString("4;150;"));
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
        c.h.w().startupPicture()->hide(); // as the start-up picture is after two seconds
        c.h.w().show();
        QWidget *active = otherWindow
                              ? static_cast<QWidget *>(c.h.w().parts().settings->levelShiftWindow())
                              : &c.h.w();
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
        QVERIFY(c.h.dialogs.messages().isEmpty());
    }
};

QTEST_MAIN(tst_TankCalibration)
#include "tst_tankcalibration.moc"
