#include "ConfigCommand.h"

#include "SensorSession.h"
#include "SessionDisplay.h"
#include "core/config/SettingRules.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/platform/OperatorDialogs.h"

bool ConfigCommand::refuse(const QStringList &messages) const
{
    for (const QString &m : messages)
        m_session.dialogs().MsgBox(m);
    return false;
}

bool ConfigCommand::require(bool ok, const QStringList &messages) const
{
    return ok || refuse(messages);
}

bool ConfigCommand::sensorConnected(const QString &logLine) const
{
    if (m_session.sensorAnswering())
        return true;
    refuse({notConnectedText()});
    log(logLine);
    return false;
}

bool ConfigCommand::addressSelected(const QString &message)
{
    const std::optional<quint8> a = m_session.selectedAddress();
    if (!a)
        return refuse(message.isEmpty() ? QStringList() : QStringList{message});
    m_address = *a;
    return true;
}

bool ConfigCommand::confirmed(const QString &question) const
{
    return m_session.dialogs().YesNo(question);
}

std::optional<QString> ConfigCommand::typed(const QString &prompt, const QString &title,
                                            const QString &initial) const
{
    std::optional<QString> text = m_session.dialogs().InputBox(prompt, title, initial);
    if (!text || text->isEmpty())
        return std::nullopt;
    return text;
}

bool ConfigCommand::withKey() const
{
    return m_session.capabilities().writeKey;
}

void ConfigCommand::log(const QString &line) const
{
    m_session.log(line);
    m_logged = line;
}

void ConfigCommand::queue(const QByteArray &frame, const QString &logLine, Echo echo,
                          Refresh refresh) const
{
    m_session.engine().queue(frame);
    if (echo == Echo::Yes)
        m_session.display().echoFrame(frame);
    if (!logLine.isEmpty())
        log(logLine);
    emit m_session.settingQueued(frame, m_logged);
    if (refresh == Refresh::Yes)
        emit m_session.sensorSettingsWanted();
}

void queueRangedSetting(SensorSession &session, const RangedSetting &s, const QString &text)
{
    const SettingCheck check = checkRangedValue(s, text);
    ConfigCommand cmd(session);
    if (!cmd.require(check.value.has_value(), check.refusal) || !cmd.addressSelected() ||
        !cmd.confirmed(s.question))
        return;
    const qint64 value = *check.value;
    cmd.queue(s.build(cmd.address(), static_cast<qint16>(value), cmd.withKey()),
              s.logPrefix + QString::number(value), ConfigCommand::Echo::No, s.refresh);
}

void queueTypedSetting(SensorSession &session, const TypedSetting &s)
{
    ConfigCommand cmd(session);
    if (!cmd.sensorConnected(s.notConnectedLog))
        return;
    if (!s.warning.isEmpty() && !cmd.confirmed(s.warning))
        return;
    const std::optional<QString> text = cmd.typed(s.prompt, s.title, s.initial);
    if (!text || !cmd.addressSelected(s.noAddressMessage))
        return;
    const SettingCheck check = checkTypedValue(s, *text);
    if (!cmd.require(check.value.has_value(), check.refusal))
        return;
    const qint64 value = *check.value;
    cmd.queue(s.build(cmd.address(), value, cmd.withKey()),
              s.logPrefix + (s.logTypedText ? *text : QString::number(value)),
              ConfigCommand::Echo::Yes, ConfigCommand::Refresh::No);
}
