#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace levelconf
{
class FirmwareUpdate;
} // namespace levelconf
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class SensorSession;
namespace levelconf
{
struct FirmwarePlan;
struct UpdateResult;
} // namespace levelconf

// The firmware page's controls.
struct FirmwareControls {
    QPushButton *Command8 = nullptr; // opens the image file
    QLabel *filename_prog = nullptr;
    QRadioButton *PL140 = nullptr; // checked: a PL-140 image, else a PL-540 one
    QCheckBox *EEPROM = nullptr;
    QPushButton *start = nullptr;
    QProgressBar *fwProgress = nullptr;
    QPushButton *fwCancel = nullptr;
    QPlainTextEdit *txtRec1 = nullptr;
};

// The firmware update: choosing the image, checking it whole before anything is sent, and
// running the update with its progress and its outcome shown. While it runs it alone has
// the port.
class FirmwarePart : public QObject
{
    Q_OBJECT

public:
    FirmwarePart(SensorSession &session, const FirmwareControls &controls,
                 QObject *parent = nullptr);

    levelconf::FirmwareUpdate &update() const { return *m_update; }
    // An update under way ends, so that the operator learns what state the sensor is in.
    void cancel();

    void Command8_Click();
    void start_Click();
    void fwCancel_Click() { cancel(); }

private:
    std::optional<levelconf::FirmwarePlan> checkedPlan();
    void begin(const levelconf::FirmwarePlan &plan);
    void showPhase();
    void blockWritten(int done, int number);
    void finished(const levelconf::UpdateResult &result);
    void appendProgress(const QString &text, bool ownLine = false);

    SensorSession &m_session;
    FirmwareControls m_ui;
    levelconf::FirmwareUpdate *m_update = nullptr;
    QString m_file; // the image chosen
};
