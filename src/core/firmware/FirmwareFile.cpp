#include "FirmwareFile.h"

#include "FirmwareImage.h"
#include "core/files/RegularFile.h"

std::optional<QByteArray> readFirmwareFile(const QString &path, QString *error)
{
    std::optional<QByteArray> image = readRegularFile(path, FirmwareImage::kMaxFileSize, error);
    if (image && image->size() > FirmwareImage::kMaxFileSize) {
        *error = QStringLiteral("it is larger than %1 bytes, far more than any firmware image")
                     .arg(FirmwareImage::kMaxFileSize);
        return std::nullopt;
    }
    return image;
}
