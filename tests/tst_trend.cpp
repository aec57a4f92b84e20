#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/trend/ColumnReduction.h"
#include "core/trend/ReadingStore.h"
#include "ui_Form3.h"
#include "ui_Form4.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/settings/Form4.h"
#include "window/trend/TrendWidget.h"
#include "window/widgets/Tags.h"

#include <QtTest>

using namespace levelconf;

// The Trend page in the window: what each engine tick leaves on it, the markers of settings
// sent, new series, the chart's breaks, and the readings file.
namespace
{
constexpr int kChartWidth = 800 + TrendWidget::kLeftMargin + TrendWidget::kRightMargin;

// The window polling one sensor, each tick a second after the one before on its clock.
struct Polling {
    WindowHarness h;

    void open(quint8 address)
    {
        h.openPort();
        select(address);
    }
    void select(quint8 address)
    {
        h.ui()->CmbNet->clear();
        h.ui()->CmbNet->addItem(QString::number(address));
        h.ui()->CmbNet->setCurrentIndex(0);
    }
    void tick(const QByteArray &answer = {})
    {
        h.port.reads.push_back(answer);
        h.w().engine().tick();
        h.now = h.now.addSecs(1);
    }
    TrendWidget *chart()
    {
        auto *c = h.w().findChild<TrendWidget *>(QStringLiteral("trendChart"));
        c->resize(kChartWidth, 400);
        return c;
    }
    QPushButton *saveButton()
    {
        return h.w().findChild<QPushButton *>(QStringLiteral("trendSave"));
    }
    // The rows of the readings file saved through the button, split into fields.
    QList<QStringList> saved()
    {
        const QString path = h.logDir.filePath(QStringLiteral("readings.csv"));
        h.dialogs.fileAnswers.push_back(path);
        saveButton()->click();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<QStringList> rows;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n")))
            rows.append(line.split(QLatin1Char(',')));
        rows.removeFirst(); // header
        rows.removeLast();  // after the last line end
        return rows;
    }
};

QByteArray data(quint8 address, quint16 output)
{
    DataFields f;
    f.address = address;
    f.output = output;
    return dataAnswer(f);
}

QByteArray identity(quint8 address)
{
    return framedAnswer(address, 0xFC, bytes({0x39, 0x30, 0, 0, 176, 0}));
}

// Column `field` of every row.
QStringList column(const QList<QStringList> &rows, int field)
{
    QStringList out;
    for (const QStringList &r : rows)
        out.append(r.value(field));
    return out;
}

// What the chart says across its whole width, each text once, left to right.
QStringList acrossChart(TrendWidget *chart, QString (TrendWidget::*probe)(int) const)
{
    QStringList out;
    for (int x = 0; x < chart->width(); ++x) {
        const QString text = (chart->*probe)(x);
        if (!text.isEmpty() && !out.contains(text))
            out.append(text);
    }
    return out;
}

void shiftEmpty(WindowHarness &h, const QString &text)
{
    h.ui()->shift->click();
    h.w().parts().settings->levelShiftWindow()->form()->data->setText(text);
    h.w().parts().settings->levelShiftWindow()->form()->Command3->click();
}
} // namespace

class tst_Trend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void everyTickMeantForReadingsLeavesAnEntry()
    {
        Polling p;
        p.open(5);
        QByteArray damaged = data(5, 1000);
        damaged[damaged.size() - 1] = char(damaged.back() ^ 0x01);
        p.tick();                                 // no answer: a gap
        p.tick(identity(5));                      // no readings, no entry
        p.tick(data(5, 1234));                    // readings
        p.tick(damaged);                          // check byte wrong: a gap
        p.tick(dataAnswer({}, 9));                // cut short before its output: a gap
        p.tick(data(5, 1234).left(11) + char(0)); // the readings kept, bad check byte: gap
        p.tick(withCrc(data(5, 1250).left(11)));  // cut short, firmware known: a gap
        p.tick(framedAnswer(5, 0xF9));            // a confirmation, no entry
        p.tick(data(5, 1240));
        const QList<QStringList> rows = p.saved();
        QCOMPARE(column(rows, 2), QStringList({"", "123.4", "", "", "", "", "124"}));
        QCOMPARE(column(rows, 1), QStringList(7, "5"));
        QStringList seconds;
        for (const QString &t : column(rows, 0))
            seconds.append(t.mid(17, 2));
        QCOMPARE(seconds, QStringList({"33", "35", "36", "37", "38", "39", "41"}));
        // A steady amplitude from a smoothed average of 0 is unsteady at first: the lamp the
        // window shows red.
        QCOMPARE(column(rows, 8), QStringList({"", "red", "", "", "", "", "red"}));
    }

    void aSettingIsMarkedWhenItGoesOut_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("markers"); // the start of each marker's text
        QTest::newRow("level shift") << "shift" << QStringList{"Cmd Shift Low: 20"};
        QTest::newRow("mode write") << "mode" << QStringList{"Cmd Change mode to 0 sgla "};
        QTest::newRow("table write, then the mode")
            << "table" << QStringList{"Cmd_SetTable =  200, 400, ", "Cmd Change mode to "};
        QTest::newRow("shift replaced by a search") << "shift, search" << QStringList{};
        QTest::newRow("table read") << "read" << QStringList{};
    }
    void aSettingIsMarkedWhenItGoesOut()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, markers);
        Polling p;
        p.open(5);
        p.tick(identity(5));
        p.tick(data(5, 1000));
        if (action.startsWith("shift"))
            shiftEmpty(p.h, "20");
        if (action == "shift, search")
            p.h.ui()->Opros->click();
        if (action == "mode")
            p.h.w().parts().monitor->Set_mode_Click();
        if (action == "table")
            p.h.w().parts().calibration->tableEditor()->form()->wrmyTable->click();
        if (action == "read")
            p.h.ui()->Command6->click();
        p.h.ui()->SSTab1->setCurrentIndex(4);
        p.h.w().findChild<QComboBox *>("trendSpan")->setCurrentIndex(0); // a minute
        for (int i = 0; i < 4; ++i)
            p.tick(action == "shift, search" && i == 0 ? bytes({5}) : data(5, 1000));

        const QStringList shown = acrossChart(p.chart(), &TrendWidget::markerAt);
        QCOMPARE(shown.size(), markers.size());
        for (int i = 0; i < markers.size(); ++i)
            QVERIFY2(shown[i].startsWith(markers[i]), qPrintable(shown[i]));
        // The marker tells what the log says.
        for (const QString &text : shown)
            QVERIFY(p.h.logEvents().contains(text));
    }

    void anotherSensorOrAClosedPortStartsANewSeries()
    {
        Polling p;
        p.open(5);
        p.tick(identity(5));
        p.tick(data(5, 1000));
        p.tick(data(5, 1000));
        p.select(6);
        p.tick(data(5, 1000)); // sensor 5's answer to the last poll it got
        p.tick(identity(6));
        p.tick(data(6, 2000));
        TrendWidget *chart = p.chart();
        QCOMPARE(acrossChart(chart, &TrendWidget::readoutAt),
                 QStringList{"14:05:38   Distance, cm: 200   Amplitude: 1000   Temp, °C: 20"});

        p.h.ui()->BTNCloseCom->click();
        // The trend and its file are of use without a port.
        for (const char *name : {"trendSpan", "trendSave", "trendChart"}) {
            auto *w = p.h.w().findChild<QWidget *>(name);
            QVERIFY2(ownEnabled(w) && tagOf(w) <= 8, name);
            QVERIFY2(!w->accessibleName().isEmpty(), name);
        }
        QCOMPARE(acrossChart(chart, &TrendWidget::readoutAt).size(), 1);

        p.open(6);
        p.tick();
        p.tick(identity(6));
        p.tick(data(6, 3000));
        QCOMPARE(acrossChart(chart, &TrendWidget::readoutAt),
                 QStringList({"14:05:39   no answer",
                              "14:05:41   Distance, cm: 300   Amplitude: 1000   Temp, °C: 20"}));
        const QList<QStringList> rows = p.saved();
        QCOMPARE(column(rows, 1), QStringList({"5", "5", "5", "6", "6", "6"}));
        QCOMPARE(column(rows, 2), QStringList({"100", "100", "100", "200", "", "300"}));
    }

    void theLineBreaksWhereNothingWasRead_data()
    {
        QTest::addColumn<bool>("gapEntry");  // a missed answer is recorded at 10 s
        QTest::addColumn<int>("resumeSecs"); // when readings come again
        QTest::addColumn<bool>("joined");
        QTest::newRow("a missed answer") << true << 11 << false;
        QTest::newRow("a confirmation between two readings") << false << 11 << true;
        QTest::newRow("the engine stopped for 15 s") << false << 25 << false;
    }
    void theLineBreaksWhereNothingWasRead()
    {
        QFETCH(bool, gapEntry);
        QFETCH(int, resumeSecs);
        QFETCH(bool, joined);
        // Distance 100 cm until 9 s, 200 cm from the resumption: the line between the two
        // levels is drawn only where nothing was missed.
        ReadingStore store;
        auto add = [&store](int secs, quint16 output, bool gap) {
            TrendEntry e;
            e.msecs = secs * 1000;
            e.address = 5;
            e.output = output;
            e.gap = gap;
            store.add(e);
        };
        for (int s = 0; s < 10; ++s)
            add(s, 1000, false);
        if (gapEntry)
            add(10, 0, true);
        for (int s = resumeSecs; s < resumeSecs + 10; ++s)
            add(s, 2000, false);
        TrendWidget chart(store);
        chart.resize(kChartWidth, 400);
        chart.setSpan(60'000);
        QImage image(chart.size(), QImage::Format_RGB32);
        chart.render(&image);

        // The columns strictly between the last 100 cm and the first 200 cm.
        const qint64 to = (resumeSecs + 9) * 1000;
        auto xOf = [&](qint64 ms) {
            return TrendWidget::kLeftMargin + columnOf(ms, to - 60'000, to, 800);
        };
        auto coloured = [&image](int x) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                n += QColor(image.pixel(x, y)) == QColor(0, 90, 200);
            return n;
        };
        int between = 0;
        for (int x = xOf(9000) + 1; x < xOf(resumeSecs * 1000); ++x)
            between += coloured(x);
        QCOMPARE(between > 0, joined);
        QVERIFY(coloured(xOf(5000)) > 0); // where the readings are, the line is
    }

    void savingTellsWhatWentWrong()
    {
        Polling p;
        p.saveButton()->click();
        QCOMPARE(p.h.dialogs.messages(),
                 QStringList{"No readings have been recorded yet: there is nothing to save."});
        QCOMPARE(p.h.dialogs.shown.size(), 1); // no file box

        p.open(5);
        p.tick(data(5, 1000));
        p.h.dialogs.clear();
        p.saveButton()->click(); // the file box cancelled
        QCOMPARE(p.h.dialogs.messages(), QStringList());

        const QString missing = p.h.logDir.filePath(QStringLiteral("gone/readings.csv"));
        p.h.dialogs.fileAnswers.push_back(missing);
        p.saveButton()->click();
        QCOMPARE(p.h.dialogs.messages().size(), 1);
        QVERIFY(p.h.dialogs.messages()[0].startsWith("The readings were not saved to " +
                                                     QDir::toNativeSeparators(missing) + ": "));
        QCOMPARE(p.h.dialogs.shown.last().icon, OperatorDialogs::Icon::Warning);
        QVERIFY(!QFile::exists(missing));

        // A file already there is replaced whole.
        QFile old(p.h.logDir.filePath(QStringLiteral("readings.csv")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
        old.close();
        QCOMPARE(p.saved().size(), 1);
    }
};

QTEST_MAIN(tst_Trend)
#include "tst_trend.moc"
