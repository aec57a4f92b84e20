#pragma once

#include "core/log/SessionLog.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "window/platform/Platform.h"
#include "window/widgets/ControlLock.h"

#include <QByteArray>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>

namespace Ui
{
class frmSerial;
}
class FirmwareUpdate;
struct DataReadings;
enum class StabilityLamp;
class ExchangeEngine;
class Form2;
class Form3;
class Form4;
struct FirmwarePlan;
struct UpdateResult;
class OperatorDialogs;
class PointGrid;
class SerialPort;
class Tone;
class TrendPage;

// The main window: every control of the monitor and the configuration commands, and what
// the exchange engine reports drawn and logged. The engine itself holds the traffic on the
// bus. The member functions of each subsystem are defined in that subsystem's folder.
class frmSerial : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmSerial(const Platform &platform, QWidget *parent = nullptr);
    ~frmSerial() override;

    Ui::frmSerial *form() const { return ui.get(); }
    Form2 *form2() const { return form2Ptr; }
    Form3 *form3(); // created hidden on first use, never destroyed before the window
    Form4 *form4(); // likewise

    OperatorDialogs &dialogs() const { return *platform.dialogs; }
    SerialPort &port() const { return *platform.port; }
    ExchangeEngine &engine() const { return *exchangeEngine; }

    // ---- Application shell (src/shell) ----
    void Form_Initialize();
    void Form_Load();
    void Form_Terminate();
    void CloseAllTags();
    void SwitchTags();
    void str_to_log(const QString &text);
    void out_win(const QByteArray &sst);
    QString logPath() const { return sessionLog.path(); }
    // The address of the selected CmbNet item; nothing when no item is selected or its
    // text is not an address from 0 to 255.
    std::optional<quint8> selectedAddress() const;

    // ---- Serial link (src/serial) ----
    void Timer1_Timer();
    void BTNOpenCom_Click();
    void BTNCloseCom_Click();
    // Adds a device (given on the command line, say) to the port list for good and
    // selects it.
    void addPortDevice(const QString &device);

    // ---- Exchange engine (src/protocol) ----
    void TMRComm_Timer(); // one tick of the engine, as its timer runs it
    void dispatchAnswer(quint8 code, const QByteArray &answer);
    void searchAnswer(const QByteArray &answer);

    // ---- Monitor (src/monitor) ----
    void all_data_to_form(const QByteArray &aans);
    void Out_modes(quint8 nn);
    void swtag130();
    void swtag131();
    void swtag134();
    void swtag163();
    void swtag170();
    void swtag171();
    void swtag172();
    void swtag176();
    void runFirmwareLadder();
    void Slider1_Change();
    void Slider1d_Click();
    void ch_ver_Click();
    void SSTab1_Click();
    QByteArray Zapros_ser_num();
    void assept_sn(const QByteArray &aans);
    void Opros_Click();
    void CmbNet_Click();
    // Echo selection and filtration level from a settings byte (data or mode answer).
    void showEchoSelection(quint8 m);
    // What the sensor last identified can do.
    FirmwareCapabilities sensorCapabilities() const { return capabilitiesOf(fw_version); }
    // The next data answer shows the sensor's own settings in the settings controls.
    void followSensorSettings() { mode_yes = true; }

    // ---- Configuration commands (src/config) ----
    void shift_Click();
    void sdv_hi_Click();
    void sdv_low_Click();
    void Set_mode_Click();
    void SetAir_Click();
    void Dalnost_Click();
    void Command1_Click();
    void net_Click();
    void Vvod_PWD_Click();
    void Chg_pass_Click();

    // ---- Remote command generator (src/remote) ----
    void VibGenCmd_Click();
    void gen_zapr_Click();
    void Gen_in_PWDd();
    void gen_sost();
    void gen_ser_ver();
    void gen_sdv_full();
    void gen_sdv_empty();
    void gen_up_urDirect();
    void gen_down_urDirect();
    void gen_mode();
    void gen_ust_pwd();

    // ---- Firmware update (src/firmware) ----
    void Command8_Click();
    void start_Click();
    void fwCancel_Click();
    FirmwareUpdate &firmwareUpdate() const { return *fwUpdate; }

    // ---- Calibration (src/calibration) ----
    void Command11_Click();
    void Command12_Click();
    void ch_portion_Click();
    void Command14_Click();
    void rdt();
    // Queues the table write from the editor's cells; false when nothing was queued.
    bool wrmyTable_Click();
    void Command6_Click();
    void fTablSave_Click();
    void fTablOpen_Click();
    // Fills the editor from a table answer and gives the values for the log; nothing, and
    // no cell changed, when the answer is damaged. The answer goes to txtRec either way.
    std::optional<QString> ans_to_table(const QByteArray &aans);

    // ---- Trend (src/trend) ----
    // Every tick meant to bring readings leaves one entry on the trend: the readings of a
    // data answer, or a gap when none came or it could not be decoded.
    void trendReading(const DataReadings &r, StabilityLamp lamp);
    void trendMissed();
    void trendSeriesEnded(); // the port closed: the next readings start a new series
    // A setting is marked on the trend once the frame that a command queued is written.
    void trendSettingQueued(const QByteArray &frame, const QString &logText);
    void trendFrameWritten(const QByteArray &frame);
    void trendSave_Click();

protected:
    void closeEvent(QCloseEvent *event) override; // Form_QueryUnload

private:
    // Each subsystem connects its own controls.
    void connectShell();
    void connectPortSelection();
    void connectEngine();
    void connectMonitor();
    void connectFilterSwitches();
    void connectConfig();
    void connectRemote();
    void connectCalibration();
    void enterValueKey();
    void continueFailed(const QString &path, const QString &reason);
    void connectTableTransfer();
    void connectTableEditor(); // once, when the editor is created
    void identityAnswer(const QByteArray &answer);
    void tableAnswer(const QByteArray &answer);
    void connectFirmware();
    void connectTrend();

    // The firmware update's side of the window (src/firmware).
    std::optional<FirmwarePlan> checkedFirmwarePlan();
    void beginFirmwareUpdate(const FirmwarePlan &plan);
    void showFirmwarePhase();
    void firmwareBlockWritten(int done, int number);
    void firmwareFinished(const UpdateResult &result);
    void appendFirmwareProgress(const QString &text, bool ownLine = false);

    void beep(int frequencyHz, int durationMs);

    // What the engine reports (src/protocol).
    void engineFrameChosen(const QByteArray &frame);
    void engineFrameWritten(const QByteArray &frame);
    void engineNoAnswer();
    void engineAnswerArrived(const QByteArray &answer, quint8 computedCrc);
    void engineWriteFailed();

    // ---- The monitor's and the shell's state ----
    bool mode_yes = true;         // the next data answer may overwrite the settings controls
    quint8 calib_warned = 0;      // the data decoder's failure message was shown
    qint16 stab_hold = 0;         // level-stability hold counter
    qint16 stab_cnt = 0;          // level-stability score, 0..5
    double stab_avg = 0;          // smoothed amplitude
    quint16 fw_version = 0;       // firmware version code, 176 for 1.7.6
    quint8 range_256 = 0;         // a sensor with firmware code 172 has answered
    qint16 Ur_progressBar = 1024; // full scale of the level bar
    QString mode_text;            // decimal text of the last mode byte decoded
    QString cur_file;             // firmware image file
    quint16 timer1_ticks = 0;     // Timer1 ticks since start
    QStringList extra_ports;      // devices kept in the port list whatever the platform finds
    QTimer Timer1;                // port list and start-up picture, 1000 ms, only while closed
    // The sensor whose identity answer set fw_version: its answers have the lengths that
    // firmware gives them, another sensor's need not.
    std::optional<quint8> fw_address;

    std::unique_ptr<Ui::frmSerial> ui;
    Platform platform;
    SessionLog sessionLog;
    Form2 *form2Ptr = nullptr;
    Form3 *form3Ptr = nullptr;
    Form4 *form4Ptr = nullptr;
    std::unique_ptr<PointGrid> tank; // the tank calibration in the grid
    bool unloaded = false;           // the window has been closed and the port released
    ExchangeEngine *exchangeEngine = nullptr;
    FirmwareUpdate *fwUpdate = nullptr;
    ControlLock fwLock; // the controls kept from the port while an update runs
    TrendPage *trendPage = nullptr;
};
