#include "ShellDisplay.h"

#include "core/log/ResultsEcho.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/widgets/Colours.h"
#include "window/widgets/Tags.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace levelconf;

namespace
{
// Answers shorter than this are echoed with the CRC worked out here beside the one received.
constexpr int kEchoedAnswerLimit = 30;
} // namespace

void ShellDisplay::watch(ExchangeEngine &engine, SensorSession &session)
{
    QObject *context = m_ui.window;
    QObject::connect(&engine, &ExchangeEngine::frameChosen, context,
                     [this](const QByteArray &frame) { echoFrame(frame); });
    QObject::connect(&engine, &ExchangeEngine::refusedInFrequencyMode, context, [&session] {
        session.dialogs().MsgBox(tr("This command cannot be executed in Frequency mode. "
                                    "Disconnect the sensor, reconnect it and click Search "
                                    "sensors"));
    });
    QObject::connect(&engine, &ExchangeEngine::frameWritten, context, [this] {
        setFill(m_ui.Pic, fillOf(m_ui.Pic) == Colours::White ? Colours::Grey : Colours::White);
    });
    QObject::connect(&engine, &ExchangeEngine::noAnswer, context, [this, &session] {
        setStatusColour(QColor());
        showStatus(noAnswerShown(session.selectedEntry()));
        session.log(noAnswerText(session.selectedEntry()));
    });
    QObject::connect(&engine, &ExchangeEngine::answerArrived, context,
                     [this](const QByteArray &answer, quint8 computedCrc) {
                         setStatusColour(Colours::DarkGreen);
                         showStatus(tr("Sensor connected"));
                         m_ui.len_answ->setText(QString::number(answer.size()));
                         if (answer.size() < kEchoedAnswerLimit)
                             echoFrame(answer + static_cast<char>(computedCrc));
                     });
    QObject::connect(&engine, &ExchangeEngine::answerDone, context,
                     [this] { setFill(m_ui.Pic, Colours::Red); });
    QObject::connect(&session, &SensorSession::portClosed, context, [this] {
        showStatus(QString());
        setFill(m_ui.Pic, Colours::LampIdle);
    });
}

void ShellDisplay::showStatus(const QString &text)
{
    m_ui.MsgCom->setText(text);
}

void ShellDisplay::setStatusColour(const QColor &colour)
{
    setTextColour(m_ui.MsgCom, colour);
}

void ShellDisplay::echoFrame(const QByteArray &frame)
{
    m_ui.txtRec->setPlainText(echoText(frame));
}

void ShellDisplay::showResults(const QString &text)
{
    m_ui.txtRec->setPlainText(text);
}

void ShellDisplay::appendResults(const QString &text)
{
    // What is added starts on a line of its own, never at the end of a frame's echo.
    QTextCursor end(m_ui.txtRec->document());
    end.movePosition(QTextCursor::End);
    if (!end.block().text().isEmpty())
        end.insertText(QStringLiteral("\n"));
    end.insertText(text);
    m_ui.txtRec->moveCursor(QTextCursor::End);
}

void ShellDisplay::closeAllTags()
{
    for (QWidget *w : taggedControls(m_ui.window)) {
        const int tag = tagOf(w);
        if (tag > Tags::kAlwaysLast)
            w->setEnabled(false);
        if (tag == Tags::kHiddenGroup)
            w->setVisible(false);
    }
}

void ShellDisplay::switchTags()
{
    for (QWidget *w : taggedControls(m_ui.window)) {
        const int tag = tagOf(w);
        if (tag >= Tags::kPortFirst && tag <= Tags::kPortLast)
            w->setEnabled(!ownEnabled(w));
    }
}

void ShellDisplay::enableTagGroup(int lowest, int highest, bool show)
{
    enableGroup(
        m_ui.window, [lowest, highest](int tag) { return tag >= lowest && tag <= highest; }, show);
}

void ShellDisplay::lockPortControls()
{
    QList<QWidget *> locked = m_ui.portControls;
    for (QWidget *w : taggedControls(m_ui.window)) {
        if (tagOf(w) > Tags::kAlwaysLast)
            locked.append(w);
    }
    m_lock.lock(locked);
}

void ShellDisplay::unlockPortControls()
{
    m_lock.unlock();
}
