#pragma once

#include "core/command/Operator.h"

class OperatorDialogs;
class SessionDisplay;
class Tone;

// The operator at the window: questions and refusals in boxes, the sensor's answers on the
// status line, with their tones.
class WindowOperator : public levelconf::Operator
{
public:
    WindowOperator(OperatorDialogs &dialogs, SessionDisplay &display, Tone *tone)
        : m_dialogs(dialogs), m_display(display), m_tone(tone)
    {
    }

    bool confirm(const QString &question) override;
    void refuse(const QString &message, levelconf::CommandTone tone) override;
    std::optional<QString> typed(const QString &prompt, const QString &title,
                                 const QString &initial) override;
    void report(const levelconf::CommandStatus &status) override;

private:
    void play(levelconf::CommandTone tone);

    OperatorDialogs &m_dialogs;
    SessionDisplay &m_display;
    Tone *m_tone; // none: silence
};
