#pragma once

#include "core/firmware/FirmwareImage.h"

#include <QByteArray>
#include <QString>

#include <map>

// The memory the boot loader writes, from 0x4000 (the first byte of a firmware file's
// first block) up to the end of the program flash:
//   data EEPROM   0x4000 to 0x43FF  (8 blocks of 128 bytes: the calibration values)
//   option bytes  0x4800 to 0x487F
//   program flash 0x8000 to 0x27FFF (the end the program checks an image against)
// Block k of a firmware file belongs at 0x4000 + 128 * k. Erased memory, and every address
// outside the three areas, reads as 0x00. The sensor leaves the factory erased.
class LoaderMemory
{
public:
    enum class Area { DataEeprom, OptionBytes, ProgramFlash };

    static constexpr quint32 kImageStart = 0x4000;
    static constexpr quint32 kImageEnd = levelconf::FirmwareImage::kProgramFlashEnd;
    static constexpr char kErased = 0x00;

    LoaderMemory();

    // Whether `count` bytes from `address` lie inside one writable area; a write may not
    // run from one area into the next, nor past the last.
    bool isWritable(quint32 address, int count) const;
    // Stores `data` at `address`, which must be writable.
    void write(quint32 address, const QByteArray &data);
    // Every byte of the area reads as erased again.
    void erase(Area area);

    // `count` bytes from `address`, erased where nothing is stored.
    QByteArray bytes(quint32 address, int count) const;
    // Everything from kImageStart to kImageEnd, the byte at address A at offset
    // A - kImageStart: laid out as the blocks of a firmware file after its header.
    const QByteArray &image() const { return m_image; }
    // The data of every write not erased since, by address.
    const std::map<quint32, QByteArray> &writes() const { return m_writes; }

private:
    QByteArray m_image;
    std::map<quint32, QByteArray> m_writes;
};

// Replaces the file at `path` with `image` as a whole, so that a reader never sees half an
// image; false, with `error`, when it cannot.
bool saveMemoryImage(const QByteArray &image, const QString &path, QString *error);
