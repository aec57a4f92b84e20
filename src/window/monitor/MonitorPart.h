#pragma once

#include "core/text/Translations.h"
#include "window/session/SelectedSensor.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class SensorSession;

// The monitor's controls on the main window: the address list and search, the identity,
// the readings, the modes and echo selection, and the calibration values of the settings
// page.
struct MonitorControls {
    // Network and identity
    QComboBox *CmbNet = nullptr;
    QPushButton *Opros = nullptr;
    QLabel *netdev = nullptr;
    QLabel *sn = nullptr;
    QLabel *vv = nullptr;
    // Readings
    QLabel *Uroven = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *tek = nullptr;
    QLabel *temp = nullptr;
    QLabel *freq = nullptr;
    QLabel *anal = nullptr;
    QLabel *lo = nullptr;
    QLabel *hi = nullptr;
    QLabel *h = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *ne = nullptr;
    QFrame *ind_stab = nullptr;
    // Modes
    QRadioButton *R485 = nullptr;
    QRadioButton *R_a = nullptr;
    QRadioButton *R_f = nullptr;
    QRadioButton *R_p = nullptr;
    QRadioButton *R_p485 = nullptr;
    QCheckBox *iinv = nullptr;
    QCheckBox *usredn = nullptr;
    QLabel *usred = nullptr;
    QCheckBox *D_4096 = nullptr;
    QCheckBox *tartab1 = nullptr;
    // Echo selection and filtration
    QRadioButton *opFirst = nullptr;
    QRadioButton *opLast = nullptr;
    QRadioButton *opFirstLast = nullptr;
    QSlider *Slider1 = nullptr;
    QLabel *sgla = nullptr;
    QPushButton *Set_mode = nullptr;
    // Calibration values on the settings page
    QLabel *Label10 = nullptr;
    QLabel *kko = nullptr;
    QLabel *ko = nullptr;
    QLabel *lblKo = nullptr; // the caption of ko, which the described texts leave out
    QLabel *Kalibr_warning = nullptr;
    QCheckBox *per_sents = nullptr;
};

// The monitor: the network search and the sensor picked from it, its identity and the
// firmware ladder that follows from it, its readings once a second, its modes and the
// command that sets them.
class MonitorPart : public QObject, public SelectedSensor
{
    Q_OBJECT

public:
    MonitorPart(SensorSession &session, const MonitorControls &controls, QObject *parent = nullptr);

    // The readings and the address list as the window loads.
    void start();

    // Handlers of the monitor's controls.
    void Opros_Click();
    void CmbNet_Click();
    void Set_mode_Click();
    void Slider1_Change();

    // A data answer shown: readings, settings when they are wanted, the stability lamp
    // and the log line.
    void showData(const QByteArray &answer);
    // An identity answer taken: serial number and version, and the ladder of the firmware.
    void showIdentity(const QByteArray &answer);
    // A mode byte shown in the mode controls.
    void showModes(quint8 mode);
    // Echo selection and filtration level from a settings byte (data or mode answer).
    void showEchoSelection(quint8 settings);
    // The answer to the network search: the address list, and the first sensor asked.
    void showSearch(const QByteArray &addresses);
    // The next data answer shows the sensor's own settings in the settings controls.
    void followSensorSettings() { m_followSettings = true; }
    // The identity request to the selected sensor; empty when none is selected.
    QByteArray identityRequestFrame() const;

    // SelectedSensor
    std::optional<QString> selectedEntry() const override;
    bool answering() const override;
    levelconf::FirmwareCapabilities capabilities() const override
    {
        return levelconf::capabilitiesOf(m_fwVersion);
    }
    QString presentLevel() const override;
    std::optional<levelconf::FirmwareCapabilities> capabilitiesAt(quint8 address) const override;

private:
    void answered(quint8 code, const QByteArray &answer);
    void identityAnswer(const QByteArray &answer);
    void frequencyAnswer(const QByteArray &answer);
    void modeConfirmed(const QByteArray &answer);
    void answerDamaged(quint8 code, const QByteArray &answer);
    void runFirmwareLadder();
    void showTableFlags();
    void portOpened();
    void portClosed();
    // Every reading shows that there is none, as when no sensor is connected.
    void clearReadings();

    SensorSession &m_session;
    MonitorControls m_ui;
    bool m_followSettings = true;      // the next data answer may overwrite the settings controls
    bool m_calibrationWarned = false;  // the data decoder's failure message was shown
    qint16 m_stabHold = 0;             // level-stability hold counter
    qint16 m_stabCount = 0;            // level-stability score, 0..5
    double m_stabAverage = 0;          // smoothed amplitude
    quint16 m_fwVersion = 0;           // firmware version code, 176 for 1.7.6
    std::optional<quint8> m_fwAddress; // the sensor whose identity gave m_fwVersion
    bool m_range256 = false;           // a sensor with firmware code 172 has answered
    qint16 m_levelBarRange = 1024;     // full scale of the level bar
    QString m_modeText;                // decimal text of the last mode byte decoded
    levelconf::LoggedText m_frequencyLevel; // the frequency shown for the level in frequency mode

    static constexpr const char *kNoData = QT_TR_NOOP("No data");
    // What a reading shows while there is none, in the language shown.
    static QString noDataText() { return tr(kNoData); }
    // A reading's label as the described set would show it, for the session log and the
    // point file, whatever the language shown.
    QString logged(const QLabel *reading) const;
};
