#pragma once

#include "core/command/Operator.h"

class OperatorDialogs;
class SessionDisplay;
class Tone;

// The operator at the window: questions and refusals in boxes, the sensor's answers on the
// status line, with their tones.
class WindowOperator : public Operator
{
public:
    WindowOperator(OperatorDialogs &dialogs, SessionDisplay &display, Tone *tone)
        : m_dialogs(dialogs), m_display(display), m_tone(tone)
    {
    }

    bool confirm(const QString &question) override;
    void refuse(const QString &message, CommandTone tone) override;
    std::optional<QString> typed(const QString &prompt, const QString &title,
                                 const QString &initial) override;
    void report(const CommandStatus &status) override;

private:
    void play(CommandTone tone);

    OperatorDialogs &m_dialogs;
    SessionDisplay &m_display;
    Tone *m_tone; // none: silence
};
