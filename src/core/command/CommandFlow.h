#pragma once

#include "CommandLink.h"
#include "Operator.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace levelconf
{

// One run of a command, from the operator's input to the sensor's answer: the checks, the
// operator's Yes, the request and its log line, then the confirmation as a status, a log
// line and a tone. A command calls the steps in its own order and stops at the first one
// that answers false; a stopped command has sent nothing.
class CommandFlow
{
public:
    using Echo = CommandEcho;
    using Refresh = SettingsRefresh;

    CommandFlow(Operator &op, CommandLink &link) : m_operator(op), m_link(link) {}

    // Tells `messages` one after the other. Always false, so that a check can end with it.
    bool refuse(const QStringList &messages) const;
    // True when `ok`; otherwise refuses with `messages` (none: silently).
    bool require(bool ok, const QStringList &messages = {}) const;

    // While the sensor has not answered since the port opened, the command is refused and
    // `logLine` goes to the session log.
    bool sensorConnected(const QString &logLine) const;
    // Takes the address the commands go to. Without one the command ends, after `message`
    // when one is given.
    bool addressSelected(const QString &message = QString());

    // The operator's Yes.
    bool confirmed(const QString &question) const;
    // The operator's text; nothing when given up or left empty.
    std::optional<QString> typed(const QString &prompt, const QString &title,
                                 const QString &initial) const;

    quint8 address() const { return m_address; } // after addressSelected
    bool withKey() const { return m_link.writeKey(); }

    void log(const QString &line) const;

    // Sends `frame`, after `logLine` (unless empty) goes to the log.
    void queue(const QByteArray &frame, const QString &logLine, Echo echo = Echo::No,
               Refresh refresh = Refresh::No) const;

    // The sensor's answer with `code` to a command: a confirmation is reported with its
    // caption and tone and logged; an answer the protocol does not have is reported, logged
    // and refused. Nothing for the answers that carry data, which their readers take.
    std::optional<CommandStatus> answered(quint8 code, const QByteArray &answer) const;
    // An answer with `code` that is no answer to the command: reported, logged and refused.
    CommandStatus wrongAnswer(quint8 code) const;
    // An answer with `code` that came damaged confirms nothing: `caption` is reported as a
    // warning, and `logPrefix` goes to the log followed by what was wrong with the answer.
    void damagedAnswer(quint8 code, const LoggedText &caption, const QString &logPrefix,
                       const QByteArray &answer) const;

private:
    Operator &m_operator;
    CommandLink &m_link;
    quint8 m_address = 0;
    // The command's last log line, which names the request it sends.
    mutable QString m_logged;
};

} // namespace levelconf
