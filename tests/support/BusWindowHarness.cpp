#include "BusWindowHarness.h"

#include "WindowHarness.h"
#include "ui_frmSerial.h"

#include <QFile>

BusWindowHarness::BusWindowHarness() : port(&dialogs)
{
    Platform p;
    p.port = &port;
    p.dialogs = &dialogs;
    p.tone = &tone;
    p.logFolder = dir.filePath(QStringLiteral("log"));
    p.programFolder = dir.path();
    window = std::make_unique<frmSerial>(p);
}

BusWindowHarness::~BusWindowHarness() = default;

Ui::frmSerial *BusWindowHarness::ui() const
{
    return window->form();
}

bool BusWindowHarness::open(const QString &device)
{
    window->addPortDevice(device);
    window->Timer1_Timer();
    window->BTNOpenCom_Click();
    // The engine runs from the test, one tick at a time.
    window->TMRComm.stop();
    return port.lastOpenFailure() == SerialPort::OpenFailure::None &&
           ui()->BTNCloseCom->isEnabled();
}

void BusWindowHarness::tick(int count)
{
    for (int i = 0; i < count; ++i)
        window->TMRComm_Timer();
}

QStringList BusWindowHarness::logEvents() const
{
    QFile f(window->logPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return logEventTexts(f.readAll());
}
