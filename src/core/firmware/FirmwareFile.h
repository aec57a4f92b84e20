#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace levelconf
{

// The bytes of the image file at `path`, read whole and at once, so that what is written
// is what was checked even if the file changes during the update. Nothing, with the
// reason in `error`, when it is not a regular file (a named pipe is refused at once, not
// waited on), cannot be read or is far larger than any image.
std::optional<QByteArray> readFirmwareFile(const QString &path, QString *error);

} // namespace levelconf
