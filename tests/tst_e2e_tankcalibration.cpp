// Tank calibration end to end: a simulated tank fills while the operator records a point
// after each portion from the live reading; then the program is started again and the
// calibration continued from its file.
#include "BusWindowHarness.h"
#include "SensorSim.h"
#include "SettledTick.h"
#include "ui_frmSerial.h"

#include <QtTest>

#include <functional>
#include <memory>

namespace
{
constexpr quint8 kTank = 4;
constexpr int kTickBound = 10; // ticks a step may take on a slow machine

// The sensor over a tank that fills: the distance to the surface shrinks by 300 codes
// (30 cm) a second.
SensorConfig fillingTank()
{
    SensorConfig c;
    c.address = kTank;
    c.firmware = 176;
    c.serial = 40004;
    c.outputCode = 3000;
    c.fillRate = -300;
    c.liveVariation = false;
    return c;
}

// The operator at one run of the program, on the simulated bus.
class Run
{
public:
    explicit Run(SensorSim &sim) : m_sim(sim) {}

    Ui::frmSerial *ui() const { return h.ui(); }

    void tick() { tickAndSettle(h, m_sim); }

    bool tickUntil(const std::function<bool()> &reached)
    {
        for (int i = 0; i < kTickBound && !reached(); ++i)
            tick();
        return reached();
    }

    // Opens the bus, searches it, picks the tank's sensor and waits for its reading.
    bool connectToTank()
    {
        if (!h.open(m_sim.slavePath()))
            return false;
        const QString address = QString::number(kTank);
        ui()->Opros->click();
        if (!tickUntil([&] { return ui()->CmbNet->findText(address) >= 0; }))
            return false;
        const int picked = ui()->CmbNet->findText(address);
        ui()->CmbNet->setCurrentIndex(picked);
        emit ui()->CmbNet->activated(picked);
        return tickUntil([&] { return ui()->ne->text() == address; });
    }

    // Waits for a portion to run in, then presses "Enter value" on a reading that has
    // moved since the last point.
    QString recordNextPoint(const QString &previous)
    {
        QThread::msleep(150);
        tickUntil([&] { return ui()->Uroven->text() != previous; });
        const QString level = ui()->Uroven->text();
        ui()->Command14->click();
        return level;
    }

    BusWindowHarness h;

private:
    SensorSim &m_sim;
};

QStringList fileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

class tst_E2ETankCalibration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fivePointsWhileTheTankFillsThenContinuedAfterARestart()
    {
        SensorSim sim({fillingTank()});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("tank 4.trr"));

        auto first = std::make_unique<Run>(sim);
        QVERIFY(first->connectToTank());
        Ui::frmSerial *ui = first->ui();
        ui->SSTab1->setCurrentWidget(ui->tabCalibration);
        first->h.dialogs.inputAnswers.push_back(QStringLiteral("100"));
        first->h.dialogs.fileAnswers.push_back(path);
        ui->Command11->click();
        QCOMPARE(ui->tar_file_name->text(), QStringLiteral("tank 4.trr"));

        QStringList levels{ui->Uroven->text()};
        for (int point = 1; point <= 5; ++point)
            levels.append(first->recordNextPoint(levels.last()));
        levels.removeFirst();
        QVERIFY(first->h.dialogs.messages().isEmpty());

        QStringList expected{QStringLiteral(";;")};
        for (int point = 1; point <= 5; ++point)
            expected.append(QStringLiteral("%1;%2;%3")
                                .arg(point)
                                .arg((point - 1) * 100)
                                .arg(levels.at(point - 1)));
        QCOMPARE(fileLines(path), expected);
        // The surface rose under the sensor between every two points.
        for (int i = 1; i < levels.size(); ++i)
            QVERIFY2(levels.at(i).toDouble() < levels.at(i - 1).toDouble(),
                     qPrintable(levels.join(QStringLiteral(" "))));

        // The program ends and is started again on the same bus; the operator continues.
        first.reset();
        Run second(sim);
        QVERIFY(second.connectToTank());
        ui = second.ui();
        ui->SSTab1->setCurrentWidget(ui->tabCalibration);
        second.h.dialogs.fileAnswers.push_back(path);
        ui->Command12->click();
        QVERIFY(second.h.dialogs.messages().isEmpty());
        QCOMPARE(ui->step_zapr->text(), QStringLiteral("100"));
        QCOMPARE(ui->tar_file_name->text(), QStringLiteral("tank 4.trr"));
        QCOMPARE(ui->MSFlexGrid1->item(5, 2)->text(), levels.last());
        QCOMPARE(ui->MSFlexGrid1->item(6, 1)->text(), QStringLiteral("500"));

        const QString sixth = second.recordNextPoint(levels.last());
        QVERIFY2(sixth.toDouble() < levels.last().toDouble(), qPrintable(sixth));
        expected.append(QStringLiteral("6;500;") + sixth);
        QCOMPARE(fileLines(path), expected);
        QCOMPARE(ui->MSFlexGrid1->item(7, 1)->text(), QStringLiteral("600"));
    }
};

QTEST_MAIN(tst_E2ETankCalibration)
#include "tst_e2e_tankcalibration.moc"
