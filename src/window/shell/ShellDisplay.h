#pragma once

#include "window/session/SessionDisplay.h"
#include "window/widgets/ControlLock.h"

#include <QCoreApplication>
#include <QList>

namespace levelconf
{
class ExchangeEngine;
} // namespace levelconf
class QFrame;
class QLabel;
class QPlainTextEdit;
class QWidget;
class SensorSession;

// The shell's displays that every part writes to: the status line with its activity lamp,
// the answer length, the results box; and the Tag groups of the window's controls. It also
// shows what the engine reports of each exchange, whoever the answer is for.
class ShellDisplay : public SessionDisplay
{
    Q_DECLARE_TR_FUNCTIONS(ShellDisplay)

public:
    struct Controls {
        QWidget *window = nullptr; // the main window, whose Tag groups these are
        QLabel *MsgCom = nullptr;
        QFrame *Pic = nullptr;
        QLabel *len_answ = nullptr;
        QPlainTextEdit *txtRec = nullptr;
        QList<QWidget *> portControls; // the port bar's, locked with the sensor's
    };

    explicit ShellDisplay(const Controls &controls) : m_ui(controls) {}

    // Shows the engine's reports and the port's closing.
    void watch(levelconf::ExchangeEngine &engine, SensorSession &session);

    void showStatus(const QString &text) override;
    void setStatusColour(const QColor &colour) override;
    void echoFrame(const QByteArray &frame) override;
    void showResults(const QString &text) override;
    void appendResults(const QString &text) override;
    void closeAllTags() override;
    void switchTags() override;
    void enableTagGroup(int lowest, int highest, bool show) override;
    void lockPortControls() override;
    void unlockPortControls() override;

private:
    Controls m_ui;
    ControlLock m_lock; // the controls kept from the port while an update runs
};
