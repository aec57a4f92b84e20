#include "FirmwareFile.h"

#include "FirmwareImage.h"
#include "core/files/RegularFile.h"

#include <QCoreApplication>

namespace levelconf
{

namespace
{
// The refusals the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FirmwareFile)
};
} // namespace

std::optional<QByteArray> readFirmwareFile(const QString &path, QString *error)
{
    std::optional<QByteArray> image = readRegularFile(path, FirmwareImage::kMaxFileSize, error);
    if (image && image->size() > FirmwareImage::kMaxFileSize) {
        *error = Texts::tr("it is larger than %n bytes, far more than any firmware image", nullptr,
                           int(FirmwareImage::kMaxFileSize));
        return std::nullopt;
    }
    return image;
}

} // namespace levelconf
