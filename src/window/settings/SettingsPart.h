#pragma once

#include <QByteArray>
#include <QObject>
#include <vector>

class Form4;
class QLineEdit;
class QPushButton;
class SensorSession;
namespace levelconf
{
struct DataReadings;
} // namespace levelconf

// The setting commands' controls on the main window.
struct SettingsControls {
    QPushButton *shift = nullptr; // opens the level shift window
    QLineEdit *Tsr = nullptr;
    QLineEdit *Psr = nullptr;
    QLineEdit *Hsr = nullptr;
    QPushButton *SetAir = nullptr;
    QPushButton *net = nullptr;
    QPushButton *Vvod_PWD = nullptr;
    QPushButton *Chg_pass = nullptr;
};

// The setting commands: level shifts, air parameters, the two distances, the network
// address and the passwords. Each checks its input, asks where it changes the sensor and
// queues one request; the sensor's confirmation of it comes back as a status, a log line and a
// tone. The settings given as a number in a box of the window (the distances) are bound
// to their button and box by the names the command table gives, found among the
// window's children.
class SettingsPart : public QObject
{
    Q_OBJECT

public:
    SettingsPart(SensorSession &session, const SettingsControls &controls, QWidget *window,
                 QObject *parent = nullptr);

    // The level shift window, made hidden on first use and kept until the window goes.
    Form4 *levelShiftWindow();

    void shift_Click();
    void sdv_hi_Click();
    void sdv_low_Click();
    void SetAir_Click();
    // What the button of the setting `code` does, for a setting given in a box.
    void giveSetting(quint8 code);
    void net_Click();
    void Vvod_PWD_Click();
    void Chg_pass_Click();

private:
    // A setting given in a box, and the box.
    struct BoxedSetting {
        quint8 code = 0;
        QLineEdit *box = nullptr;
    };
    void bindBoxedSettings();
    QLineEdit *boxOf(quint8 code) const;
    void answered(quint8 code, const QByteArray &answer);
    void showReadBack(const levelconf::DataReadings &r);

    SensorSession &m_session;
    SettingsControls m_ui;
    std::vector<BoxedSetting> m_boxed;
    QWidget *m_window; // the level shift window's parent
    Form4 *m_levelShift = nullptr;
};
