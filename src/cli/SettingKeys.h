#pragma once

#include "ModeText.h"
#include "core/config/SettingValues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The KEY=VALUE settings of "set", checked as the window checks them and turned into the
// same frames and log lines.

// The keys are the command table's: each setting row names its key.
struct ParsedSetting {
    quint8 code = 0; // the command's
    QString name;    // the key as given
    QString text;    // the value as given
    qint64 value = 0;
    levelconf::AirValue t, p, h;
    ModeChoice mode;
    // What rounding made of a value, said before it is sent: "KEY: 12.5 is sent as 12".
    QStringList notes;
};

// Either a setting or the texts that refuse it; `usage` when the key itself is unknown or
// the assignment has no "=".
struct SettingParse {
    std::optional<ParsedSetting> setting;
    QStringList refusal;
    bool usage = false;
};
SettingParse parseSetting(const QString &assignment);

// "address, password, new-password, ..." for messages and the help.
QString settingKeyNames();

// The help's lines of the keys, "  KEY=VALUE" and what it sets, in the run's language.
QString settingKeysHelp();

// What the sensor is known to be and hold when a frame is built.
struct SensorFacts {
    int fwVersion = 0;
    std::optional<quint8> echoByte; // the second mode byte as the sensor last reported it
};

struct SettingFrame {
    QByteArray frame;
    QString logLine;
    quint8 answerCode = 0; // the confirmation that says it was taken
};
SettingFrame settingFrame(const ParsedSetting &s, quint8 address, const SensorFacts &facts);

// The window's log line for this setting while the sensor does not answer; empty for the
// settings whose window command does not ask.
QString notConnectedLog(const ParsedSetting &s);

// Whether building the frame needs the sensor's firmware (the write key, the second mode
// byte), and whether it needs the sensor's present echo selection as well.
bool needsIdentity(const ParsedSetting &s);
bool needsEchoByte(const ParsedSetting &s, int fwVersion);

// Why the sensor's firmware cannot take the setting (the window offers no control for it);
// nothing when it can.
std::optional<QString> firmwareRefusal(const ParsedSetting &s, int fwVersion);
// The same for the calibration table, which came with 1.7.0.
std::optional<QString> tableFirmwareRefusal(int fwVersion);

// Whether the setting may be sent again when its answer is lost.
bool repeatable(const ParsedSetting &s);
