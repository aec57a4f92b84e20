// Tank calibration end to end: a simulated tank fills while the operator records a point
// after each portion from the live reading; then the program is started again and the
// calibration continued from its file.
#include "BusWindowHarness.h"
#include "SensorKeys.h"
#include "SensorSim.h"
#include "SettledTick.h"
#include "ui_frmSerial.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace levelconf;

namespace
{
// The operator at one run of the program, on the page of the tank calibration.
struct Run {
    explicit Run(SensorSim &sim) : sim(sim), ui(h.ui()) {}

    bool tickUntil(const std::function<bool()> &reached)
    {
        for (int i = 0; i < 10 && !reached(); ++i)
            tickAndSettle(h, sim);
        return reached();
    }

    // Opens the bus, searches it, picks the tank's sensor and waits for its reading.
    bool connectToTank()
    {
        ui->SSTab1->setCurrentWidget(ui->tabCalibration);
        if (!h.open(sim.slavePath()))
            return false;
        ui->Opros->click();
        if (!tickUntil([&] { return ui->CmbNet->findText("4") >= 0; }))
            return false;
        ui->CmbNet->setCurrentIndex(ui->CmbNet->findText("4"));
        emit ui->CmbNet->activated(ui->CmbNet->currentIndex());
        return tickUntil([&] { return ui->ne->text() == "4"; });
    }

    // Lets a portion run in, then records the reading once it has moved.
    QString recordNextPoint(const QString &previous)
    {
        QThread::msleep(150);
        tickUntil([&] { return ui->Uroven->text() != previous; });
        const QString level = ui->Uroven->text();
        ui->Command14->click();
        return level;
    }

    SensorSim &sim;
    BusWindowHarness h;
    Ui::frmSerial *ui;
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_E2ETankCalibration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fivePointsWhileTheTankFillsThenContinuedAfterARestart()
    {
        // The distance to the surface shrinks by 30 cm a second.
        Fault fault = Fault::None;
        QString error;
        const auto tank =
            sensorFromText("address=4,output=3000,fill=-300,variation=0", &fault, &error);
        QVERIFY2(tank, qPrintable(error));
        SensorSim sim({*tank});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QTemporaryDir files;
        const QString path = files.filePath("tank 4.trr");

        auto first = std::make_unique<Run>(sim);
        QVERIFY(first->connectToTank());
        first->h.dialogs.inputAnswers.push_back(QString("100"));
        first->h.dialogs.fileAnswers.push_back(path);
        first->ui->Command11->click();
        QStringList levels{first->ui->Uroven->text()};
        for (int point = 1; point <= 5; ++point)
            levels.append(first->recordNextPoint(levels.last()));
        levels.removeFirst();
        QVERIFY(first->h.dialogs.messages().isEmpty());

        QString expected = ";;\r\n";
        for (int i = 0; i < 5; ++i)
            expected += QString("%1;%2;%3\r\n").arg(i + 1).arg(i * 100).arg(levels.at(i));
        QCOMPARE(contents(path), expected.toUtf8());
        for (int i = 1; i < 5; ++i) // the surface rose under the sensor
            QVERIFY2(levels.at(i).toDouble() < levels.at(i - 1).toDouble(),
                     qPrintable(levels.join(' ')));

        // The program ends and is started again on the same bus; the operator continues.
        first.reset();
        Run second(sim);
        QVERIFY(second.connectToTank());
        second.h.dialogs.fileAnswers.push_back(path);
        second.ui->Command12->click();
        QVERIFY(second.h.dialogs.messages().isEmpty());
        QCOMPARE(second.ui->step_zapr->text(), QString("100"));
        QCOMPARE(second.ui->MSFlexGrid1->item(6, 1)->text(), QString("500"));
        const QString sixth = second.recordNextPoint(levels.last());
        QVERIFY2(sixth.toDouble() < levels.last().toDouble(), qPrintable(sixth));
        QCOMPARE(contents(path), (expected + "6;500;" + sixth + "\r\n").toUtf8());
        QCOMPARE(second.ui->MSFlexGrid1->item(7, 1)->text(), QString("600"));
    }
};

QTEST_MAIN(tst_E2ETankCalibration)
#include "tst_e2e_tankcalibration.moc"
