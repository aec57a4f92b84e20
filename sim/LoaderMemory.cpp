#include "LoaderMemory.h"

#include <QSaveFile>

#include <array>

using namespace levelconf;

namespace
{
struct AreaRange {
    LoaderMemory::Area area;
    quint32 first;
    quint32 end; // one past the last byte
};

constexpr std::array<AreaRange, 3> kAreas{{
    {LoaderMemory::Area::DataEeprom, 0x4000, 0x4400},
    {LoaderMemory::Area::OptionBytes, 0x4800, 0x4880},
    {LoaderMemory::Area::ProgramFlash, 0x8000, FirmwareImage::kProgramFlashEnd},
}};

const AreaRange &rangeOf(LoaderMemory::Area area)
{
    for (const AreaRange &r : kAreas) {
        if (r.area == area)
            return r;
    }
    return kAreas.back();
}
} // namespace

LoaderMemory::LoaderMemory() : m_image(int(kImageEnd - kImageStart), kErased) {}

bool LoaderMemory::isWritable(quint32 address, int count) const
{
    if (count <= 0)
        return false;
    for (const AreaRange &r : kAreas) {
        if (address >= r.first && address < r.end)
            return quint64(address) + quint64(count) <= r.end;
    }
    return false;
}

void LoaderMemory::write(quint32 address, const QByteArray &data)
{
    if (!isWritable(address, int(data.size())))
        return;
    m_image.replace(int(address - kImageStart), int(data.size()), data);
    m_writes[address] = data;
}

void LoaderMemory::erase(Area area)
{
    const AreaRange &r = rangeOf(area);
    m_image.replace(int(r.first - kImageStart), int(r.end - r.first),
                    QByteArray(int(r.end - r.first), kErased));
    m_writes.erase(m_writes.lower_bound(r.first), m_writes.lower_bound(r.end));
}

QByteArray LoaderMemory::bytes(quint32 address, int count) const
{
    QByteArray out(qMax(count, 0), kErased);
    for (int i = 0; i < out.size(); ++i) {
        const quint64 a = quint64(address) + quint64(i);
        if (a >= kImageStart && a < kImageEnd)
            out[i] = m_image.at(int(a - kImageStart));
    }
    return out;
}

bool saveMemoryImage(const QByteArray &image, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
