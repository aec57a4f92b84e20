// The settings of "set", sent one after the other, each awaited.
#include "CliRunner.h"

#include "BusCommandLink.h"
#include "TerminalOperator.h"
#include "core/command/CommandFlow.h"
#include "core/config/SettingRules.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"

using namespace levelconf;

namespace
{
// Anything at all that comes back: a sensor whose answer is damaged is there all the same.
bool anyAnswer(const QByteArray &answer)
{
    return !answer.isEmpty();
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
    if (const CliExit e = addressesFree(address, settings); e != CliExit::Ok)
        return e;
    // What rounding changed is said before it goes out, never done silently.
    for (const ParsedSetting &s : settings) {
        for (const QString &note : s.notes)
            m_out.error(note);
    }
    for (const ParsedSetting &s : settings) {
        const CliExit e = sendSetting(s, &address, &facts);
        if (e != CliExit::Ok)
            return e;
    }
    return CliExit::Ok;
}

CliExit CliRunner::addressesFree(quint8 address, const QList<ParsedSetting> &settings)
{
    // Two sensors at one address both answer every request to it, their frames run
    // together: neither can be told or set apart any more without a power cycle.
    QList<quint8> held{address}; // the addresses the sensor has on its way
    for (const ParsedSetting &s : settings) {
        if (s.code != Cmd::SetNetAddress)
            continue;
        const auto to = static_cast<quint8>(s.value);
        if (!held.contains(to)) {
            const BusSession::Reply reply = m_session->exchange(
                identityRequest(to), to, &anyAnswer, BusSession::kTries, BusSession::Misses::Quiet);
            if (reply.status == BusSession::Status::Answered)
                return fail(CliExit::Refused,
                            tr("%1: a sensor answers at address %2 already; nothing was changed")
                                .arg(s.name)
                                .arg(to));
            if (reply.status != BusSession::Status::NoAnswer)
                return replyFailure(reply, to);
        }
        held.append(to);
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
        const std::optional<DataReadings> r = readData(*address, facts->fwVersion, &failure);
        if (!r)
            return failure;
        facts->echoByte = r->echoByte;
    }
    const SettingFrame f = settingFrame(s, *address, *facts);
    // The air parameters go without the identity, so their answer is judged by its CRC.
    const std::optional<FirmwareCapabilities> caps =
        needsIdentity(s) ? std::optional(capabilitiesOf(facts->fwVersion)) : std::nullopt;
    // A sensor given a new address may confirm it from either; every other answer comes from
    // the sensor asked.
    const std::optional<quint8> from =
        s.code == Cmd::SetNetAddress ? std::nullopt : std::optional<quint8>(*address);
    const CliExit e = sendCommand(f.frame, f.logLine,
                                  {s.name, *address, f.answerCode, caps && caps->writeKey,
                                   awaiting({from, std::nullopt, caps}), repeatable(s)});
    // The sensor answers from its new address from now on.
    if (e == CliExit::Ok && s.code == Cmd::SetNetAddress)
        *address = static_cast<quint8>(s.value);
    // A later mode in the same call keeps the echo selection this one sent.
    if (e == CliExit::Ok && s.code == Cmd::SetMode &&
        capabilitiesOf(facts->fwVersion).secondModeByte)
        facts->echoByte = static_cast<quint8>(f.frame.at(f.frame.size() - 2));
    return e;
}

CliExit CliRunner::sendCommand(const QByteArray &frame, const QString &logLine,
                               const Awaited &awaited)
{
    BusCommandLink link(*m_session, awaited.address, awaited.writeKey, awaited.accept,
                        awaited.resent ? BusSession::kTries : 1);
    TerminalOperator op(m_out, awaited.key, awaited.address, awaited.code);
    CommandFlow flow(op, link);
    flow.queue(frame, logLine);
    return confirmation(flow, link.reply(), awaited);
}

CliExit CliRunner::confirmation(const CommandFlow &flow, const BusSession::Reply &reply,
                                const Awaited &awaited)
{
    const QString &key = awaited.key;
    const quint8 address = awaited.address;
    // A damaged answer says something came back, not what: the sensor may have taken the
    // setting as well as not. A shift moves the level again each time it is taken, so it
    // goes once, and a lost answer leaves it just as open.
    if (reply.status == BusSession::Status::NoAnswer && (reply.damaged || !awaited.resent)) {
        m_session->log(QStringLiteral("Cmd ") + key + QStringLiteral(": not confirmed"));
        const QString text =
            reply.damaged ? tr("%1: not confirmed: sensor %2 may have taken it, but its answer "
                               "was damaged; read it back (info) before sending it again")
                          : tr("%1: not confirmed: sensor %2 may have taken it, but it did not "
                               "answer; read it back (info) before sending it again");
        return fail(CliExit::NoAnswer, text.arg(key).arg(address));
    }
    if (reply.status != BusSession::Status::Answered)
        return replyFailure(reply, address);
    const auto code = static_cast<quint8>(reply.answer.at(2));
    if (code == Cmd::FrequencyMode)
        return replyFailure(reply, address);
    // The window's status, log line and refusal, on the terminal. An answer that carries
    // data is none to a setting.
    if (!flow.answered(code, reply.answer))
        flow.wrongAnswer(code);
    return code == awaited.code ? CliExit::Ok : CliExit::Refused;
}
