#pragma once

#include "ConfigCommand.h"
#include "SettingValues.h"

#include <QString>
#include <QStringList>
#include <optional>

// The checks, texts and frames of the settings commands, whoever gives them: the window's
// buttons and the command line refuse the same values with the same words.

RangedSetting levelShiftRule(bool full);
RangedSetting maxDistanceRule();
RangedSetting minDistanceRule();
// The initial text of the input box is the window's to fill in.
TypedSetting netAddressRule();
TypedSetting passwordRule(bool change);

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
