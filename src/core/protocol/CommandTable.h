#pragma once

#include "FirmwareCapabilities.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace levelconf
{

// Every command of the protocol in one row: what its request carries and what its answer
// means, and for a setting how it is given, checked, asked, logged and confirmed. The
// frames, the routing of answers, the confirmations shown, the marks on the trend, the
// window's setting controls, levelconf-cli's keys and the simulated sensors all follow
// this table; a new setting is a new row here, its control on the form and its state in
// the simulated sensor.

// What the program shows for an answer that confirms a setting: a status caption, a line
// for the session log and a tone.
struct Confirmation {
    QString caption;         // in the described set; translated where shown (Confirmations)
    QString logLine;         // empty: nothing is logged
    bool tone = false;       // the short high tone of a confirmed setting
    bool wrongTone = false;  // the long low tone of a refusal
    bool redCaption = false; // the caption turns red
};

// How a setting is given, checked and logged. The texts an operator reads are marked for
// translation in the context named beside them and translated where shown; the log texts
// stay as they are written. Empty texts are not used.
struct SettingEntry {
    // One whole number, from a box on the form or an input box of its own.
    qint64 lowest = 0;
    qint64 highest = 0;
    const char *rangeMessage = ""; // SettingRules; also for typed text that is no number
    const char *question = "";     // SettingRules; the Yes asked before a box's value goes
    const char *logPrefix = "";    // the log line, followed by the value in decimal
    bool refresh = false;          // the next data answer shows the sensor's own settings

    // A value asked for in an input box, for the sensor that is answering (SettingRules).
    const char *notConnectedLog = ""; // logged while the sensor does not answer
    const char *warning = "";         // a Yes/No asked before the input box
    const char *prompt = "";
    const char *title = "";
    const char *initial = "";
    const char *noAddressMessage = "";
    bool logTypedText = false; // the log shows the text as typed, not the value read

    // The confirmation echoes the value the sensor took in this many bytes, least
    // significant first, from its fourth byte; its log line is followed by the value where
    // `logsEcho`, so that the log says what was set.
    int answerEcho = 0;
    bool logsEcho = false;

    // levelconf-cli: "set ADDR KEY=VALUE", the help line (CliArguments; a line break
    // continues it under itself), whether it may be sent again when its answer is lost,
    // and the name "info" gives the value the data answer reads back.
    const char *cliKey = "";
    const char *cliValue = "";
    const char *cliHelp = "";
    bool repeatable = true;
    const char *infoKey = "";

    // The firmware the setting needs, and how levelconf-cli refuses it (SettingKeys, %1
    // the key); the window offers no control for it there.
    bool FirmwareCapabilities::*gate = nullptr;
    const char *gateRefusal = "";

    // The window's controls by object name, for a setting given in a box of the window: the
    // button that gives the command and the box that holds the value; empty where the
    // window gives it another way (a handler of its own, another part).
    const char *button = "";
    const char *box = "";
};

struct CommandRow {
    // The request's data after the code (and the write key): a number of bytes, or these.
    static constexpr int kNotRequested = -1; // the code only comes in answers
    static constexpr int kModeData = -2;     // one byte, two where the firmware takes two

    quint8 code = 0;
    int requestData = kNotRequested;
    bool keyed = false;       // a change of setting: the write key follows the code from 1.7.5
    bool marked = false;      // a setting the trend marks once its request is written
    bool carriesData = false; // its answer is read by a decoder of its own, not confirmed
    std::optional<Confirmation> confirmation; // its answer shown as a confirmation

    // The request's data from the values the command takes, in their order (the mode:
    // the mode byte, then the second one where the firmware takes it); none: no data.
    QByteArray (*data)(const QList<qint64> &values) = nullptr;
    int values = 0; // how many values `data` takes (the mode: at least)
    std::optional<SettingEntry> setting;
};

// Every row, in the order levelconf-cli lists its keys.
const std::vector<CommandRow> &commandRows();

// The row of `code`; nothing for a code the protocol does not have.
const CommandRow *commandRow(quint8 code);

// The setting levelconf-cli names `key`; nothing for a key it does not have.
const CommandRow *cliSetting(const QString &key);

// The data bytes a request with this code carries for a sensor that can do `c` (after the
// key); nothing for a code that is never requested.
std::optional<int> requestDataLength(quint8 code, const FirmwareCapabilities &c);

} // namespace levelconf
