#include "FirmwareFile.h"

#include "FirmwareImage.h"

#include <QFile>

std::optional<QByteArray> readFirmwareFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("it cannot be opened (%1)").arg(file.errorString());
        return std::nullopt;
    }
    QByteArray image = file.read(FirmwareImage::kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("it cannot be read (%1)").arg(file.errorString());
        return std::nullopt;
    }
    if (image.size() > FirmwareImage::kMaxFileSize) {
        *error = QStringLiteral("it is larger than %1 bytes, far more than any firmware image")
                     .arg(FirmwareImage::kMaxFileSize);
        return std::nullopt;
    }
    return image;
}
