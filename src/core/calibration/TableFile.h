#pragma once

#include "CalibrationTable.h"

#include <QStringList>
#include <optional>

namespace levelconf
{

// The table file (.pl5): the text of the 20 reading cells, then of the 20 volume cells, a
// line each, every line ended by CR LF, in the system's encoding: the ANSI code page on
// Windows, the locale's encoding (which Qt takes as UTF-8) on Linux. The cells are written
// and read back as text, whatever they hold.

constexpr int kTableFileLines = 2 * CalibrationCells::kPoints;

QStringList tableFileLines(const CalibrationCells &cells);

// The lines of a file's text. CR LF, LF or CR ends a line, so files edited on any system
// load; a last line without an ending still counts, an ending does not start another.
QStringList splitTableFileText(const QString &text);

// What the lines of a file do to the cells. A file may hold several tables one after the
// other: each complete one replaces the cells, so the last one stays. A file that ends
// inside a table leaves that table out, since half of it would pair the new readings with
// the old volumes.
struct TableFileLoad {
    CalibrationCells cells;
    int lines = 0;
    bool endedInsideTable = false;
};
TableFileLoad loadTableLines(const QStringList &lines, const CalibrationCells &current);

// Writes the file through a temporary one beside it that replaces it only once complete,
// so a failure never leaves half a table where a good file stood. The reason on failure.
std::optional<QString> writeTableFile(const QString &path, const CalibrationCells &cells);

// The lines of the file, or nothing with the reason in `error`.
std::optional<QStringList> readTableFile(const QString &path, QString *error);

} // namespace levelconf
