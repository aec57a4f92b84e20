#pragma once

#include "core/config/SettingRules.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class SensorSession;

// One run of a configuration command. A command calls the steps in its own order and
// stops at the first one that answers false; a stopped command has stored nothing. Only
// `queue` touches the pending request, so a refused or cancelled command leaves whatever
// was pending as it was.
class ConfigCommand
{
public:
    enum class Echo { No, Yes };
    using Refresh = SettingsRefresh;

    explicit ConfigCommand(SensorSession &session) : m_session(session) {}

    // Shows `messages` one box after the other. Always false, so that a check can end
    // with it.
    bool refuse(const QStringList &messages) const;

    // True when `ok`; otherwise refuses with `messages` (none: silently).
    bool require(bool ok, const QStringList &messages = {}) const;

    // While the sensor has not answered since the port opened, the command is refused and
    // `logLine` goes to the session log.
    bool sensorConnected(const QString &logLine) const;

    // Takes the address of the sensor selected in the address list. Without one the
    // command ends, after `message` when one is given.
    bool addressSelected(const QString &message = QString());

    // The operator's Yes.
    bool confirmed(const QString &question) const;

    // The operator's text; nothing when the box was cancelled or left empty.
    std::optional<QString> typed(const QString &prompt, const QString &title,
                                 const QString &initial) const;

    quint8 address() const { return m_address; } // after addressSelected
    bool withKey() const;                        // by the sensor's firmware

    void log(const QString &line) const;

    // Makes `frame` the pending request, echoes it when asked, writes `logLine` (unless
    // empty) and, when asked, lets the next data answer show the sensor's own settings.
    void queue(const QByteArray &frame, const QString &logLine, Echo echo, Refresh refresh) const;

private:
    SensorSession &m_session;
    quint8 m_address = 0;
    // The command's last log line, which names the request it queues: a marker on the
    // trend shows it once the request goes out.
    mutable QString m_logged;
};

// Queues a ranged setting (a level shift, a distance) from the text of its box, after the
// checks and the operator's Yes.
void queueRangedSetting(SensorSession &session, const RangedSetting &setting, const QString &text);

// Queues a typed setting (the address, a password) for the sensor that is answering.
void queueTypedSetting(SensorSession &session, const TypedSetting &setting);
