#pragma once

#include "core/sensor/DataAnswer.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace levelconf
{

class ReadingStore;
struct TrendEntry;

// The readings file: CSV as spreadsheets and scripts read it everywhere. A header line,
// comma-separated fields, CR LF line ends, UTF-8; a field holding a comma, a quote or a line
// break is quoted, its quotes doubled. Numbers take a dot whatever the locale; the level
// text alone is written as the window showed it, in `locale`'s own form. Times are local
// with their offset from UTC, so that files from either side of a clock change still sort.
// A gap (no answer, or one that could not be decoded) is a row with its time and address
// and no readings; a stability not known yet is an empty field.

// The whole store, oldest entry first.
QByteArray readingsCsv(const ReadingStore &store, const QLocale &locale = QLocale());

// The header line and the line of one entry, each with its line end.
QString readingsCsvHeader();
QString readingsCsvRow(const TrendEntry &entry, const QLocale &locale = QLocale());

// `text` as one CSV field.
QString csvField(const QString &text);

// The colour of the level-stability lamp as files and messages name it: green, yellow, red,
// the same in every language; marked for translation (context "ReadingsCsv") for the texts
// a person reads.
QString lampWord(StabilityLamp lamp);

// ISO 8601 local time with its offset, "2026-12-07T14:05:33+01:00", or with its
// milliseconds, "2026-12-07T14:05:33.250+01:00".
QString isoLocalTime(qint64 msecs, qint32 utcOffsetSeconds, bool milliseconds = false);

} // namespace levelconf
