#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace levelconf
{

// The calibration files are text in the system's encoding (the ANSI code page on Windows,
// the locale's encoding elsewhere) with CR LF line ends, as the tools that share them with
// this program expect.

// `lines`, each ended by CR LF, in the system's encoding.
QByteArray systemTextLines(const QStringList &lines);

// Replaces the file at `path` with `lines` in one step: the text goes to a temporary file
// beside it, which takes the file's place only once complete, so a failure never leaves a
// half-written file where a good one stood. The reason of a failure, or nothing.
std::optional<QString> replaceTextFile(const QString &path, const QStringList &lines);

// `bytes` as text, decoded from the system's encoding the way a file is read.
QString systemText(const QByteArray &bytes);

// The whole text of the file at `path`, decoded from the system's encoding; nothing, with
// `error` set, when it is not a regular file, cannot be read or is larger than any
// calibration file (1 MiB).
std::optional<QString> readTextFile(const QString &path, QString *error);

} // namespace levelconf
