#include "AtomicFile.h"

#include "RegularFile.h"

#include <QSaveFile>

namespace levelconf
{

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    if (const std::optional<QString> refusal = saveTargetRefusal(path))
        return refusal;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace levelconf
