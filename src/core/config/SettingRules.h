#pragma once

#include "SettingValues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace levelconf
{

// The checks, texts and frames of the settings commands, whoever gives them: the window's
// buttons and the command line refuse the same values with the same words.

// Whether the next data answer shows the sensor's own settings in the settings controls.
enum class SettingsRefresh { No, Yes };

// A whole number typed into a box of the window and checked against a range before a
// confirmed request is queued: the level shifts and the two distances. Text that is not
// a 16-bit number ends the command without a word; the request is not echoed.
struct RangedSetting {
    int lowest = 0;
    int highest = 0;
    QString rangeMessage;
    QString question;
    QString logPrefix; // followed by the value in decimal
    SettingsRefresh refresh = SettingsRefresh::No;
    std::function<QByteArray(quint8 address, qint16 value, bool withKey)> build;
};

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

// The rule of the setting `code` as the command table describes it: one given in a box of
// the window (a question is asked before it goes), or one asked for in an input box;
// nothing for a setting that is given otherwise. The initial text of the network address's
// input box is the window's to fill in.
std::optional<RangedSetting> rangedRule(quint8 code);
std::optional<TypedSetting> typedRule(quint8 code);

// A typed value checked against a rule: the value to send, or the messages that refuse
// it (none: the value is refused without a word, as text that is no number at all).
struct SettingCheck {
    std::optional<qint64> value;
    QStringList refusal;
};
SettingCheck checkRangedValue(const RangedSetting &rule, const QString &text);
SettingCheck checkTypedValue(const TypedSetting &rule, const QString &text);

// The messages that refuse the first air value that cannot be sent; empty when all three
// can.
QStringList airRefusal(const AirValue &t, const AirValue &p, const AirValue &h);
QString airLogLine(const AirValue &t, const AirValue &p, const AirValue &h);

// What a command refuses with while the sensor does not answer; the mode command's log line
// for it (the others' are their rules').
QString notConnectedText();
QString modeNotConnectedLog();

QString modeQuestion();
// "Cmd Change mode to " the mode byte, " sgla " the filtration level as shown.
QString modeLogLine(quint8 mode, const QString &level);

} // namespace levelconf
