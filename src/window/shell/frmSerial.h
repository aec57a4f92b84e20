#pragma once

#include "WindowParts.h"
#include "core/log/SessionLog.h"
#include "window/platform/Platform.h"

#include <QMainWindow>
#include <memory>

namespace Ui
{
class frmSerial;
}
class CalibrationPart;
namespace levelconf
{
class ExchangeEngine;
} // namespace levelconf
class FirmwarePart;
class Form2;
class MonitorPart;
class PortBarPart;
class RemotePart;
class SensorSession;
class SettingsPart;
class ShellDisplay;
class TrendPart;

// The main window: the parts it is made of, and the shell around them. The shell shows the
// start-up picture, keeps the Tag groups of the controls and the session log, and closes
// everything at the end; each part owns its controls and handlers.
class frmSerial : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmSerial(const Platform &platform, QWidget *parent = nullptr);
    ~frmSerial() override;

    // Adds a device (given on the command line, say) to the port list for good and
    // selects it.
    void addPortDevice(const QString &device);
    QString logPath() const { return m_log.path(); }

    const WindowParts &parts() const { return m_partList; }
    levelconf::ExchangeEngine &engine() const { return *m_engine; }
    Ui::frmSerial *form() const { return ui.get(); }
    Form2 *startupPicture() const { return m_startupPicture; }

protected:
    void closeEvent(QCloseEvent *event) override; // Form_QueryUnload

private:
    void makeParts();
    void startUp();
    void shutDown();
    void showAfterStartUp();

    std::unique_ptr<Ui::frmSerial> ui;
    Platform m_platform;
    levelconf::SessionLog m_log;
    Form2 *m_startupPicture = nullptr;
    int m_listTicks = 0;     // port list refreshes since start, up to 2
    bool m_unloaded = false; // the window has been closed and the port released

    // Made in this order and let go in the reverse one: the parts first, the engine last.
    std::unique_ptr<levelconf::ExchangeEngine> m_engine;
    std::unique_ptr<ShellDisplay> m_display;
    std::unique_ptr<SensorSession> m_session;
    std::unique_ptr<PortBarPart> m_portBar;
    std::unique_ptr<MonitorPart> m_monitor;
    std::unique_ptr<SettingsPart> m_settings;
    std::unique_ptr<RemotePart> m_remote;
    std::unique_ptr<CalibrationPart> m_calibration;
    std::unique_ptr<FirmwarePart> m_firmware;
    std::unique_ptr<TrendPart> m_trend;
    WindowParts m_partList;
};
