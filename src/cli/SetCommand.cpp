// The settings of "set", sent one after the other, each awaited.
#include "CliRunner.h"

#include "core/config/SettingRules.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/sensor/DataAnswer.h"

namespace
{
QString answerCodeText(quint8 code)
{
    return QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

CliExit CliRunner::set(quint8 address, const QStringList &assignments)
{
    // Every value is checked before anything goes to the sensor.
    QList<ParsedSetting> settings;
    bool identityNeeded = false;
    for (const QString &a : assignments) {
        const SettingParse p = parseSetting(a);
        if (!p.setting) {
            for (const QString &text : p.refusal)
                m_out.error(text);
            return p.usage ? CliExit::Usage : CliExit::BadInput;
        }
        identityNeeded = identityNeeded || needsIdentity(*p.setting);
        settings.append(*p.setting);
    }
    SensorFacts facts;
    CliExit failure = CliExit::Ok;
    if (identityNeeded) {
        const std::optional<int> fw = identity(address, &failure);
        if (!fw)
            return notConnected(failure, settings.first());
        facts.fwVersion = *fw;
        // Nothing is sent when one of the settings is beyond the sensor's firmware.
        for (const ParsedSetting &s : settings) {
            if (const std::optional<QString> refusal = firmwareRefusal(s, *fw))
                return fail(CliExit::Refused, *refusal);
        }
    }
    for (const ParsedSetting &s : settings) {
        const CliExit e = sendSetting(s, &address, &facts);
        if (e != CliExit::Ok)
            return e;
    }
    return CliExit::Ok;
}

CliExit CliRunner::notConnected(CliExit failure, const ParsedSetting &first)
{
    // The window refuses its commands to a silent sensor with these words.
    if (failure == CliExit::NoAnswer) {
        m_out.error(notConnectedText());
        const QString line = notConnectedLog(first);
        if (!line.isEmpty())
            m_session->log(line);
    }
    return failure;
}

CliExit CliRunner::sendSetting(const ParsedSetting &s, quint8 *address, SensorFacts *facts)
{
    if (needsEchoByte(s, facts->fwVersion) && !facts->echoByte) {
        CliExit failure = CliExit::Ok;
        const std::optional<DataReadings> r = readData(*address, true, &failure);
        if (!r)
            return failure;
        facts->echoByte = r->echoByte;
    }
    const SettingFrame f = settingFrame(s, *address, *facts);
    m_session->log(f.logLine);
    const int tries = repeatable(s) ? BusSession::kTries : 1;
    const BusSession::Reply reply = m_session->exchange(f.frame, *address, &framedAnswer, tries);
    const CliExit e = confirmation(reply, f.answerCode, s.name, *address);
    if (reply.status == BusSession::Status::NoAnswer && !repeatable(s))
        m_out.error(QStringLiteral("%1: the sensor may have taken the shift; read its levels "
                                   "with info before sending it again")
                        .arg(s.name));
    // The sensor answers from its new address from now on.
    if (e == CliExit::Ok && s.key == SettingKey::Address)
        *address = static_cast<quint8>(s.value);
    // A later mode in the same call keeps the echo selection this one sent.
    if (e == CliExit::Ok && s.key == SettingKey::Mode &&
        capabilitiesOf(facts->fwVersion).secondModeByte)
        facts->echoByte = static_cast<quint8>(f.frame.at(f.frame.size() - 2));
    return e;
}

CliExit CliRunner::confirmation(const BusSession::Reply &reply, quint8 expected, const QString &key,
                                quint8 address)
{
    if (reply.status != BusSession::Status::Answered)
        return replyFailure(reply, address);
    const auto code = static_cast<quint8>(reply.answer.at(2));
    const std::optional<Confirmation> row = confirmationFor(code);
    if (row && !row->logLine.isEmpty())
        m_session->log(row->logLine);
    const QJsonObject o{{QStringLiteral("address"), address},
                        {QStringLiteral("key"), key},
                        {QStringLiteral("answer"), row ? row->caption.trimmed() : QString()},
                        {QStringLiteral("ok"), code == expected}};
    if (code == expected) {
        m_out.result(o, QStringLiteral("%1: %2").arg(key, row->caption.trimmed()));
        return CliExit::Ok;
    }
    if (code == Cmd::FrequencyMode)
        return replyFailure(reply, address);
    if (!row) {
        m_session->log(QStringLiteral("Wrong data!"));
        return fail(CliExit::Refused,
                    QStringLiteral("%1: Wrong response (%2)").arg(key, answerCodeText(code)));
    }
    return fail(CliExit::Refused, QStringLiteral("%1: %2").arg(key, row->caption.trimmed()));
}
