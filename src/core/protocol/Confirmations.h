#pragma once

#include "CommandTable.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// How an answer is shown, from the command table.

// The answers that carry data (identity, readings, frequency, table) rather than confirm.
bool carriesData(quint8 code);

// The confirmation row for `code`, or nothing when the code is not a confirmation.
std::optional<Confirmation> confirmationFor(quint8 code);

// The value a confirmation of `code` echoes, as the sensor took it; nothing when the code's
// confirmation echoes none or the answer is too short to hold it.
std::optional<quint32> echoedValue(quint8 code, const QByteArray &answer);

// The log line of the confirmation of `code`, followed by the value it echoes where the
// command table says so; empty: nothing is logged.
QString confirmationLogLine(quint8 code, const QByteArray &answer);

// What is shown and logged when the sensor at `address` (as the address list shows it)
// leaves a request unanswered.
QString noAnswerText(const QString &address);
// The same in the language shown; the log keeps the text above.
QString noAnswerShown(const QString &address);

} // namespace levelconf
