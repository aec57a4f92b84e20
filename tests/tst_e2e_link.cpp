#include "BlockingLine.h"
#include "FakeDialogs.h"
#include "FakeTone.h"
#include "PortReports.h"
#include "SensorSim.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/serial/QtSerialPort.h"
#include "ui_frmSerial.h"
#include "window/portbar/PortBarPart.h"
#include "window/shell/frmSerial.h"

#include <QtTest>

using namespace levelconf;

namespace
{
const QString kSettings = QStringLiteral("19200,n,8,1");

// The answer to what was just written. The engine reads a whole tick later; here the
// reads are repeated until something comes, so that a slow machine only takes longer.
QByteArray answerTo(QtSerialPort &port, const QByteArray &request, int want)
{
    BlockingLine line(port);
    if (line.write(request) != request.size())
        return {};
    QByteArray got;
    for (int i = 0; i < 40 && got.size() < want; ++i)
        got += line.read();
    return got;
}

SensorConfig sensor(quint8 address, quint8 firmware)
{
    SensorConfig c;
    c.address = address;
    c.firmware = firmware;
    return c;
}
} // namespace

class tst_E2ELink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theRealPortReadsADataAnswer()
    {
        SensorSim sim({sensor(1, 176)});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        PortReports reports;
        QtSerialPort port;
        reports.watch(port);
        QVERIFY(port.open(sim.slavePath(), kSettings));

        const QByteArray answer = answerTo(port, bytes({0x31, 0x01, 0xF0, 0xC5}), 26);
        QCOMPARE(answer.size(), 26);
        QCOMPARE(byteAt(answer, 1), quint8(0x3E));
        QCOMPARE(byteAt(answer, 2), quint8(0x01));
        QCOMPARE(byteAt(answer, 3), quint8(0xF0));
        QVERIFY(answerCrcMatches(answer));
        QCOMPARE(leValue(answer, 24, 2), 1000u); // the default distance limit
        QVERIFY(reports.messages().isEmpty());
    }

    void searchAndIdentityOfTheDemoBus()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        SensorSim sim(demoSensors());
        QVERIFY(sim.start(link));
        QtSerialPort port;
        QVERIFY(port.open(link, kSettings));
        QCOMPARE(answerTo(port, searchRequest(), 3), bytes({0x01, 0x02, 0x05}));
        QCOMPARE(answerTo(port, identityRequest(5), 10),
                 withCrc(bytes({0x3E, 0x05, 0xFC, 0x39, 0x30, 0x00, 0x00, 0xB0, 0x00})));
        // The older generations answer shorter.
        QCOMPARE(answerTo(port, dataRequest(2), 22).size(), 22);

        QtSerialPort second;
        QVERIFY(!second.open(sim.slavePath(), kSettings));
        QCOMPARE(second.lastOpenFailure(), SerialPort::OpenFailure::Busy);
    }

    void aSettingChangesTheSensor()
    {
        SensorSim sim({sensor(5, 176)});
        QVERIFY(sim.start());
        QtSerialPort port;
        QVERIFY(port.open(sim.slavePath(), kSettings));
        const QByteArray confirmation =
            answerTo(port, settingRequest(Cmd::SetMaxDistance, 5, {1200}, true), 6);
        QCOMPARE(confirmation, withCrc(bytes({0x3E, 0x05, 0xE9, 0xB0, 0x04})));
        QCOMPARE(sim.bus().sensor(5)->distanceLimit, quint16(1200));
    }

    void theWindowOpensAndClosesTheSimulatedBus()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        SensorSim sim(demoSensors());
        QVERIFY(sim.start(link));

        FakeDialogs dialogs; // the window shows the port's reports here too
        FakeTone tone;
        QtSerialPort port;
        Platform platform;
        platform.port = &port;
        platform.dialogs = &dialogs;
        platform.tone = &tone;
        platform.logFolder = dir.filePath("log");
        platform.programFolder = dir.path();
        frmSerial window(platform);
        window.addPortDevice(link); // as levelconf --port does
        window.parts().portBar->Timer1_Timer();
        QCOMPARE(window.form()->CmbPort->currentText(), link);

        window.form()->BTNOpenCom->click();
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(window.engine().isPolling());
        QtSerialPort other;
        QVERIFY(!other.open(link, kSettings));

        window.form()->BTNCloseCom->click();
        QVERIFY(other.open(link, kSettings));
        QFile log(window.logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray events = log.readAll();
        QVERIFY(events.contains(QStringLiteral("Com Port %1 Open").arg(link).toUtf8()));
        QVERIFY(events.contains(QStringLiteral("Com Port %1 Closed").arg(link).toUtf8()));
    }

    void theDeviceVanishesUnderTheOpenPort()
    {
        SensorSim sim({sensor(1, 176)});
        QVERIFY(sim.start());
        PortReports reports;
        QtSerialPort port;
        reports.watch(port);
        QVERIFY(port.open(sim.slavePath(), kSettings));
        QCOMPARE(answerTo(port, dataRequest(1), 26).size(), 26);

        sim.vanish();
        const QByteArray request = dataRequest(1);
        BlockingLine line(port);
        QTRY_VERIFY(line.write(request) < request.size());
        QCOMPARE(line.read(), QByteArray());
        QVERIFY(port.close());
        QVERIFY(reports.messages().isEmpty());
    }
};

QTEST_MAIN(tst_E2ELink)
#include "tst_e2e_link.moc"
