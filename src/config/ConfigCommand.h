#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class frmSerial;

// One run of a configuration command. A command calls the steps in its own order and
// stops at the first one that answers false; a stopped command has stored nothing. Only
// `queue` touches the pending request, so a refused or cancelled command leaves whatever
// was pending as it was.
class ConfigCommand
{
public:
    enum class Echo { No, Yes };
    enum class Refresh { No, Yes }; // the next data answer rewrites the settings controls

    explicit ConfigCommand(frmSerial &window) : m_window(window) {}

    // Shows `messages` one box after the other. Always false, so that a check can end
    // with it.
    bool refuse(const QStringList &messages) const;

    // True when `ok`; otherwise refuses with `messages` (none: silently).
    bool require(bool ok, const QStringList &messages = {}) const;

    // `reading` is the present-reading label; it shows "No data" while the sensor is
    // silent, and then the command is refused and `logLine` goes to the session log.
    bool sensorConnected(const QString &reading, const QString &logLine) const;

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
    frmSerial &m_window;
    quint8 m_address = 0;
    // The command's last log line, which names the request it queues: a marker on the
    // trend shows it once the request goes out.
    mutable QString m_logged;
};

// A whole number typed into a box of the window and checked against a range before a
// confirmed request is queued: the level shifts and the two distances. Text that is not
// a 16-bit number ends the command without a word; the request is not echoed.
struct RangedSetting {
    QString text;
    int lowest = 0;
    int highest = 0;
    QString rangeMessage;
    QString question;
    QString logPrefix; // followed by the value in decimal
    ConfigCommand::Refresh refresh = ConfigCommand::Refresh::No;
    std::function<QByteArray(quint8 address, qint16 value, bool withKey)> build;
};
void queueRangedSetting(frmSerial &window, const RangedSetting &setting);

// A value asked for in an input box of its own, for the sensor that is answering: the
// network address and the passwords. The request is echoed.
struct TypedSetting {
    QString notConnectedLog;
    QString warning; // a Yes/No asked before the input box; empty: none
    QString prompt;
    QString title;
    QString initial;
    QString noAddressMessage;
    qint64 lowest = 0;
    qint64 highest = 0;
    QString rangeMessage; // also for text that is not a number
    QString logPrefix;
    bool logTypedText = false; // the text as typed instead of the value read from it
    std::function<QByteArray(quint8 address, qint64 value, bool withKey)> build;
};
void queueTypedSetting(frmSerial &window, const QString &reading, const TypedSetting &setting);
