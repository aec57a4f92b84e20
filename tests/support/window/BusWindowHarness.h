#pragma once

#include "FakeDialogs.h"
#include "FakeTone.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/QtSerialPort.h"
#include "window/calibration/CalibrationPart.h"
#include "window/firmware/FirmwarePart.h"
#include "window/monitor/MonitorPart.h"
#include "window/portbar/PortBarPart.h"
#include "window/remote/RemotePart.h"
#include "window/settings/SettingsPart.h"
#include "window/shell/frmSerial.h"
#include "window/trend/TrendPart.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>

// The main window on the real serial port module, for end-to-end runs against a bus on
// a pseudo-terminal; boxes are scripted, tones recorded, the log goes to a temporary
// folder.
class BusWindowHarness
{
public:
    BusWindowHarness();
    ~BusWindowHarness();

    frmSerial &w() { return *window; }
    Ui::frmSerial *ui() const;

    // Puts `device` into the port list, as the command line does, and opens it.
    bool open(const QString &device);

    // One engine tick, as the timer would run it: the engine takes what arrived since the
    // previous tick, and the tick ends once an answer still coming in is whole. Before it,
    // the event loop runs until an answer has come or 256 ms have passed.
    void tick(int count = 1);

    // Event texts of the session log, without their time stamps.
    QStringList logEvents() const;

    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeTone tone;
    levelconf::QtSerialPort port;

private:
    std::unique_ptr<frmSerial> window;
    bool m_heard = false; // bytes have arrived since the last tick
    QElapsedTimer m_sinceByte;
};
