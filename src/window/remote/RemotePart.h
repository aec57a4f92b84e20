#pragma once

#include <QByteArray>
#include <QObject>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class SensorSession;
namespace levelconf
{
enum class NumWidth;
} // namespace levelconf

// The remote page's controls.
struct RemoteControls {
    QComboBox *VibGenCmd = nullptr;
    QLineEdit *dist_net_num = nullptr;
    QLabel *lchislo = nullptr;
    QLineEdit *chislo_sdv = nullptr;
    QCheckBox *ch_ver = nullptr;
    QPushButton *gen_zapr = nullptr;
    QGroupBox *Frame5 = nullptr;
    QRadioButton *r485d = nullptr;
    QRadioButton *r_ad = nullptr;
    QRadioButton *r_fd = nullptr;
    QRadioButton *r_pd = nullptr;
    QRadioButton *r_p485d = nullptr;
    QCheckBox *iinvd = nullptr;
    QCheckBox *usrednd = nullptr;
    QCheckBox *D_4096d = nullptr;
    QCheckBox *per_sentsd = nullptr;
    QCheckBox *tartab1d = nullptr;
    QLabel *Label25 = nullptr;
    QSlider *Slider1d = nullptr;
    QLabel *sglad = nullptr;
    QCheckBox *Termokompensd = nullptr;
    QLineEdit *gen_txt = nullptr;
    QPushButton *gen_copy = nullptr;
};

// Request lines for a remote server: the same frames the local commands send, written as
// text for a sensor out of reach of our port. Nothing here is sent on the local bus; the
// only thing done to the engine's pending request is to drop it.
class RemotePart : public QObject
{
    Q_OBJECT

public:
    RemotePart(SensorSession &session, const RemoteControls &controls, QObject *parent = nullptr);

    // The picker's items and the controls they show, as the window loads.
    void start();

    void VibGenCmd_Click();
    void gen_zapr_Click();
    void ch_ver_Click();
    void Slider1d_Click();
    // Another page of the main window was brought to the front.
    void pageChanged();

private:
    // The builders of the picker's items. Each first drops a pending local request: after
    // a generation nothing is left for the engine to send, whether the input was accepted
    // or not.
    void generatePassword(bool change);
    void generateStatusRequest();
    void generateIdentityRequest();
    void generateShift(bool full);
    void generateDirectLevel(bool full);
    void generateMode();

    bool keyed() const;
    std::optional<quint8> targetAddress() const;
    std::optional<qint64> boundedValue(levelconf::NumWidth width, qint64 lo, qint64 hi,
                                       const QString &message) const;
    quint8 remoteSecondModeByte() const;
    void showLine(const QByteArray &frame, int answerCount, bool echo);
    void setSecondModeByteVisible(bool on);

    SensorSession &m_session;
    RemoteControls m_ui;
};
