#pragma once

#include "core/firmware/FirmwareImage.h"

#include <QByteArray>

// Firmware images as the image tools write them, for the update's tests.

// Byte `i` of block `k`: every block differs from its neighbours, so a block written at
// the wrong address or cut short shows.
inline char imageByte(int k, int i)
{
    return static_cast<char>((k * 31 + i * 7 + 1) & 0xFF);
}

// A header with the option bytes A1 A2 A3 A4, then blocks 0 to skipLimit +
// applicationBlocks - 1, the first application block starting with '#'.
inline QByteArray firmwareImage(const levelconf::SensorType &type, int applicationBlocks)
{
    QByteArray image(levelconf::FirmwareImage::kHeaderSize, '\0');
    for (int n = 0; n < 4; ++n)
        image[levelconf::FirmwareImage::kOptionOffsets[n]] = static_cast<char>(0xA1 + n);
    const int blocks = type.skipLimit + applicationBlocks;
    for (int k = 0; k < blocks; ++k) {
        for (int i = 0; i < levelconf::FirmwareImage::kBlockSize; ++i)
            image.append(imageByte(k, i));
    }
    image[levelconf::FirmwareImage::kHeaderSize +
          levelconf::FirmwareImage::kBlockSize * type.skipLimit] =
        static_cast<char>(levelconf::FirmwareImage::kApplicationMarker);
    return image;
}

// Block k of `image`.
inline QByteArray imageBlock(const QByteArray &image, int k)
{
    return image.mid(levelconf::FirmwareImage::kHeaderSize +
                         levelconf::FirmwareImage::kBlockSize * k,
                     levelconf::FirmwareImage::kBlockSize);
}
