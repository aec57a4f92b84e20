#pragma once

#include "core/protocol/Requests.h"
#include "core/sensor/ModeByte.h"

#include <QString>
#include <optional>

// The mode as words on the command line: an output, then "+" and a flag each, and for
// firmware 1.7.6 the filtration level and the echo selection:
//   analog+range4096+filtration, active-rs485+percent+level=5+echo=further
// outputs: rs485, analog, frequency, impulse, active-rs485
// flags:   inverted, filtration, range4096, litres, percent
// level=0..15, echo=closest|further|both

struct ModeChoice {
    levelconf::ModeControls controls;
    std::optional<quint8> level;
    std::optional<levelconf::EchoChoice> echo;
    std::optional<quint8> exact; // a whole mode byte that stands instead of the controls
};

// The mode that `text` describes, or nothing with the reason in `error`.
std::optional<ModeChoice> parseModeWords(const QString &text, QString *error);

// The mode byte in the same words (an output the byte does not name shows as its value).
QString modeWordsText(quint8 mode);
QString echoChoiceText(levelconf::EchoChoice choice);
// The same words in the language of the run, for a person to read; scripts read the above.
QString modeWordsShown(quint8 mode);
QString echoChoiceShown(levelconf::EchoChoice choice);
