#include "CommandFlow.h"

#include "core/protocol/AnswerCheck.h"
#include "core/protocol/Confirmations.h"

#include <QCoreApplication>

namespace levelconf
{

namespace
{
const char *const kWrongData = QT_TRANSLATE_NOOP("CommandFlow", " Wrong data! ");
const char *const kWrongResponse = QT_TRANSLATE_NOOP("CommandFlow", "Wrong response");

CommandTone toneOf(const Confirmation &row)
{
    if (row.tone)
        return CommandTone::Confirmed;
    return row.wrongTone ? CommandTone::Refused : CommandTone::None;
}
} // namespace

bool CommandFlow::refuse(const QStringList &messages) const
{
    for (const QString &m : messages)
        m_operator.refuse(m);
    return false;
}

bool CommandFlow::require(bool ok, const QStringList &messages) const
{
    return ok || refuse(messages);
}

bool CommandFlow::sensorConnected(const QString &logLine) const
{
    if (m_link.sensorAnswering())
        return true;
    refuse({notConnectedText()});
    log(logLine);
    return false;
}

bool CommandFlow::addressSelected(const QString &message)
{
    const std::optional<quint8> a = m_link.commandAddress();
    if (!a)
        return refuse(message.isEmpty() ? QStringList() : QStringList{message});
    m_address = *a;
    return true;
}

bool CommandFlow::confirmed(const QString &question) const
{
    return m_operator.confirm(question);
}

std::optional<QString> CommandFlow::typed(const QString &prompt, const QString &title,
                                          const QString &initial) const
{
    std::optional<QString> text = m_operator.typed(prompt, title, initial);
    if (!text || text->isEmpty())
        return std::nullopt;
    return text;
}

void CommandFlow::log(const QString &line) const
{
    m_link.log(line);
    m_logged = line;
}

void CommandFlow::queue(const QByteArray &frame, const QString &logLine, Echo echo,
                        Refresh refresh) const
{
    if (!logLine.isEmpty())
        log(logLine);
    m_link.send(frame, m_logged, echo, refresh);
}

std::optional<CommandStatus> CommandFlow::answered(quint8 code, const QByteArray &answer) const
{
    if (carriesData(code))
        return std::nullopt;
    const std::optional<Confirmation> row = confirmationFor(code);
    if (!row)
        return wrongAnswer(code);
    const CommandStatus status{code,
                               {row->caption, translatedText("Confirmations", row->caption)},
                               true,
                               row->redCaption,
                               toneOf(*row)};
    m_operator.report(status);
    const QString line = confirmationLogLine(code, answer);
    if (!line.isEmpty())
        m_link.log(line);
    return status;
}

CommandStatus CommandFlow::wrongAnswer(quint8 code) const
{
    // The status first, then the box: while the box is up the status line already says it.
    const CommandStatus status{code, loggedText("CommandFlow", kWrongData), false, false,
                               CommandTone::Refused};
    m_operator.report(status);
    m_link.log(QStringLiteral("Wrong data!"));
    m_operator.refuse(QCoreApplication::translate("CommandFlow", kWrongResponse),
                      CommandTone::Refused);
    m_link.log(QStringLiteral("Wrong response"));
    return status;
}

void CommandFlow::damagedAnswer(quint8 code, const LoggedText &caption, const QString &logPrefix,
                                const QByteArray &answer) const
{
    m_operator.report({code, caption, true, true, CommandTone::Refused});
    m_link.log(logPrefix + answerCheckText(answer));
}

} // namespace levelconf
