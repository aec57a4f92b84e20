#pragma once

class CalibrationPart;
class FirmwarePart;
class MonitorPart;
class PortBarPart;
class RemotePart;
class SettingsPart;
class TrendPart;

// The parts the main window is made of. The window owns them; this names them.
struct WindowParts {
    PortBarPart *portBar = nullptr;
    MonitorPart *monitor = nullptr;
    SettingsPart *settings = nullptr;
    RemotePart *remote = nullptr;
    CalibrationPart *calibration = nullptr;
    FirmwarePart *firmware = nullptr;
    TrendPart *trend = nullptr;
};
