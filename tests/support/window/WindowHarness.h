#pragma once

#include "FakeDialogs.h"
#include "FakeSerialPort.h"
#include "FakeTone.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/calibration/CalibrationPart.h"
#include "window/firmware/FirmwarePart.h"
#include "window/monitor/MonitorPart.h"
#include "window/portbar/PortBarPart.h"
#include "window/remote/RemotePart.h"
#include "window/settings/SettingsPart.h"
#include "window/shell/frmSerial.h"
#include "window/trend/TrendPart.h"

#include <QTemporaryDir>
#include <memory>

namespace Ui
{
class frmSerial;
}

// The event texts of a session log, without their time stamps.
QStringList logEventTexts(const QByteArray &log);

// The main window built with scripted boxes, a scripted port, recorded tones, a fixed
// clock and a temporary log folder.
class WindowHarness
{
public:
    // `logFolder` replaces the temporary log folder (to make the log start fail, say);
    // `language` is the one the program chose, whose translations are the caller's to install.
    explicit WindowHarness(const QString &logFolder = QString(),
                           levelconf::Language language = levelconf::Language::Described);
    ~WindowHarness();

    // Ends the window as the program's end would, keeping the fakes and the log folder.
    void destroyWindow() { window.reset(); }

    frmSerial &w() { return *window; }
    Ui::frmSerial *ui() const;

    // Event texts of the session log, without their time stamps.
    QStringList logEvents() const;
    // Remembers where the log stands; logSinceMark() gives what came after.
    void markLog() { m_logMark = logEvents().size(); }
    QStringList logSinceMark() const { return logEvents().mid(m_logMark); }
    // Writes `event` to the session log as the window would, now.
    void logEvent(const QString &event);
    // The whole log file as bytes.
    QByteArray logBytes() const;

    // Makes `device` the only port, refreshes the list and opens it; clears the boxes and
    // tones that the opening produced.
    void openPort(const QString &device = QStringLiteral("ttyUSB0"));

    QTemporaryDir logDir;
    FakeDialogs dialogs;
    FakeTone tone;
    FakeSerialPort port;
    QDateTime now;
    QString logFolder;

private:
    std::unique_ptr<frmSerial> window;
    int m_logMark = 0;
};
