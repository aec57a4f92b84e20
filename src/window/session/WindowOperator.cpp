#include "WindowOperator.h"

#include "SessionDisplay.h"
#include "window/platform/OperatorDialogs.h"
#include "window/platform/Tone.h"
#include "window/widgets/Colours.h"

using namespace levelconf;

bool WindowOperator::confirm(const QString &question)
{
    return m_dialogs.YesNo(question);
}

void WindowOperator::refuse(const QString &message, CommandTone tone)
{
    m_dialogs.MsgBox(message);
    play(tone);
}

std::optional<QString> WindowOperator::typed(const QString &prompt, const QString &title,
                                             const QString &initial)
{
    return m_dialogs.InputBox(prompt, title, initial);
}

void WindowOperator::report(const CommandStatus &status)
{
    // A red caption stays red; the others keep the colour the status line has.
    if (status.red)
        m_display.setStatusColour(Colours::Red);
    m_display.showStatus(status.caption.shown);
    play(status.tone);
}

void WindowOperator::play(CommandTone tone)
{
    if (!m_tone)
        return;
    if (tone == CommandTone::Confirmed)
        m_tone->Beep(1000, 100);
    else if (tone == CommandTone::Refused)
        m_tone->Beep(400, 800);
}
