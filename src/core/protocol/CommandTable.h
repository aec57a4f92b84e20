#pragma once

#include "FirmwareCapabilities.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// Every command of the protocol in one row: what its request carries and what its answer
// means. The frames, the routing of answers, the confirmations shown, the marks on the
// trend and the simulated sensors all follow this table; a new command is a new row here,
// its frame builder, and its handling where it is given and where it is answered.

// What the program shows for an answer that confirms a setting: a status caption, a line
// for the session log and a tone.
struct Confirmation {
    QString caption;         // in the described set; translated where shown (Confirmations)
    QString logLine;         // empty: nothing is logged
    bool tone = false;       // the short high tone of a confirmed setting
    bool wrongTone = false;  // the long low tone of a refusal
    bool redCaption = false; // the caption turns red
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
};

// The row of `code`; nothing for a code the protocol does not have.
const CommandRow *commandRow(quint8 code);

// The data bytes a request with this code carries for a sensor that can do `c` (after the
// key); nothing for a code that is never requested.
std::optional<int> requestDataLength(quint8 code, const FirmwareCapabilities &c);
