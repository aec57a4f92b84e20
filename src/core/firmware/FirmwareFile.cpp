#include "FirmwareFile.h"

#include "FirmwareImage.h"

#include <QCoreApplication>
#include <QFile>

namespace
{
// The refusals the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FirmwareFile)
};
} // namespace

std::optional<QByteArray> readFirmwareFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = Texts::tr("it cannot be opened (%1)").arg(file.errorString());
        return std::nullopt;
    }
    QByteArray image = file.read(FirmwareImage::kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = Texts::tr("it cannot be read (%1)").arg(file.errorString());
        return std::nullopt;
    }
    if (image.size() > FirmwareImage::kMaxFileSize) {
        *error = Texts::tr("it is larger than %n bytes, far more than any firmware image", nullptr,
                           int(FirmwareImage::kMaxFileSize));
        return std::nullopt;
    }
    return image;
}
