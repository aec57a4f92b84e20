#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QComboBox;
class QPushButton;
class SensorSession;

// The port bar's controls on the main window.
struct PortBarControls {
    QComboBox *CmbPort = nullptr;
    QPushButton *BTNOpenCom = nullptr;
    QPushButton *BTNCloseCom = nullptr;
};

// Choosing, opening and closing the port. While no port is open the list follows the
// ports present, once a second; opening starts the engine, closing stops it and tells the
// other parts to show that nothing is connected.
class PortBarPart : public QObject
{
    Q_OBJECT

public:
    PortBarPart(SensorSession &session, const PortBarControls &controls, QObject *parent = nullptr);

    // The list as the window loads: no port until the first refresh, a second later.
    void start();
    // No more refreshes; the window is going.
    void stop() { m_timer1.stop(); }

    // Adds a device (given on the command line, say) to the port list for good and
    // selects it.
    void addPortDevice(const QString &device);

    void Timer1_Timer();
    void BTNOpenCom_Click();
    void BTNCloseCom_Click();

signals:
    // Timer1 has ticked; the list is refreshed next.
    void listTimerTicked();

private:
    void tellPortFailure();

    SensorSession &m_session;
    PortBarControls m_ui;
    QTimer m_timer1;            // 1000 ms, only while no port is open
    QStringList m_extraPorts;   // devices kept in the list whatever the platform finds
    bool m_failureTold = false; // the port's failure was told; writes failing on say nothing
};
