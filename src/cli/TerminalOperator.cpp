#include "TerminalOperator.h"

#include "CliOutput.h"
#include "CliRunner.h"

#include <QJsonObject>

using namespace levelconf;

namespace
{
QString answerCodeText(quint8 code)
{
    return QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

void TerminalOperator::refuse(const QString &message, CommandTone)
{
    // A wrong answer's refusal says again what its status said, which named the code.
    if (m_wrongAnswerTold)
        return;
    m_out.error(QStringLiteral("%1: %2").arg(m_key, message));
}

void TerminalOperator::report(const CommandStatus &status)
{
    if (!status.known) {
        m_out.error(
            CliRunner::tr("%1: Wrong response (%2)").arg(m_key, answerCodeText(status.answerCode)));
        m_wrongAnswerTold = true;
        return;
    }
    // The caption as the window shows it; JSON keeps the described words for scripts.
    const QString caption = status.caption.shown.trimmed();
    if (status.answerCode != m_awaited) {
        m_out.error(QStringLiteral("%1: %2").arg(m_key, caption));
        return;
    }
    const QJsonObject o{{QStringLiteral("address"), m_address},
                        {QStringLiteral("key"), m_key},
                        {QStringLiteral("answer"), status.caption.logged.trimmed()},
                        {QStringLiteral("ok"), true}};
    m_out.result(o, QStringLiteral("%1: %2").arg(m_key, caption));
}
