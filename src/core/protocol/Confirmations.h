#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// What the window shows for an answer that confirms a setting: a status caption, a line
// for the session log and a tone. Answers that carry data (identity, readings, frequency,
// table) are decoded elsewhere and have no row here.
struct Confirmation {
    QString caption;
    QString logLine;         // empty: nothing is logged
    bool tone = false;       // the short high tone of a confirmed setting
    bool wrongTone = false;  // the long low tone of a refusal
    bool redCaption = false; // the caption turns red
};

// The answers that carry data (identity, readings, frequency, table) rather than confirm.
bool carriesData(quint8 code);

// The confirmation row for `code`, or nothing when the code is not a confirmation.
std::optional<Confirmation> confirmationFor(quint8 code);

// What is shown and logged when the sensor at `address` (as the address list shows it)
// leaves a request unanswered.
QString noAnswerText(const QString &address);
