#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace levelconf
{

// The files the program reads and replaces are regular files. Anything else given by
// mistake is refused: a named pipe holds the reader until a writer comes, which may be
// never; a device may never end; and a save that replaces one leaves a regular file where
// the device or the pipe was (as root, where /dev/null was).

// Why a save must not replace `path`: something other than a regular file is there (a
// link is judged by what it points to). Nothing when it is a regular file or nothing is
// there yet.
std::optional<QString> saveTargetRefusal(const QString &path);

// The bytes of the regular file at `path`, at most `limit` + 1 of them, so that the caller
// can tell a file larger than `limit`. The file is opened without waiting and looked at
// before anything is read: a named pipe or a device is refused at once. Nothing, with the
// reason in `error` ("it is a named pipe, not a regular file"), when it cannot be read.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *error);

} // namespace levelconf
