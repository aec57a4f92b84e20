#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace levelconf
{

// Replaces the file at `path` with `bytes` in one step: they go to a temporary file beside
// it, which takes the file's place only once complete, so a failure (folder gone, no
// permission, disk full) never leaves a half-written file where a good one stood. The
// reason of a failure, or nothing.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes);

} // namespace levelconf
