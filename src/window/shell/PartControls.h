#pragma once

#include "ShellDisplay.h"
#include "window/calibration/CalibrationPart.h"
#include "window/firmware/FirmwarePart.h"
#include "window/monitor/MonitorPart.h"
#include "window/portbar/PortBarPart.h"
#include "window/remote/RemotePart.h"
#include "window/settings/SettingsPart.h"

namespace Ui
{
class frmSerial;
}

// Which controls of the main window's form each part owns. Only the shell reads the form;
// a part sees its own controls and no other's.
PortBarControls portBarControls(const Ui::frmSerial &ui);
MonitorControls monitorControls(const Ui::frmSerial &ui);
SettingsControls settingsControls(const Ui::frmSerial &ui);
RemoteControls remoteControls(const Ui::frmSerial &ui);
CalibrationControls calibrationControls(const Ui::frmSerial &ui);
FirmwareControls firmwareControls(const Ui::frmSerial &ui);
ShellDisplay::Controls shellDisplayControls(QWidget *window, const Ui::frmSerial &ui);
