#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace levelconf
{

// A firmware image file (".cri"): a 64-byte header, then 128-byte blocks, block k holding
// the memory from 0x4000 + 128·k. The first blocks are the data EEPROM; the blocks below a
// sensor type's skip limit are the loader's own and are never written; the block at the
// skip limit opens the application and starts with '#'.

namespace FirmwareImage
{
constexpr int kHeaderSize = 64;
constexpr int kBlockSize = 128;
constexpr quint32 kFirstBlockAddress = 0x4000;
constexpr quint8 kApplicationMarker = 0x23;
// Header offsets of the four option bytes, in the order they are written.
constexpr int kOptionOffsets[] = {19, 20, 21, 22};
// Where the option bytes go, in the same order.
constexpr quint32 kOptionAddresses[] = {0x4803, 0x4805, 0x4807, 0x4809};
// No image comes near this; a larger file is not read at all.
constexpr qint64 kMaxFileSize = 1024 * 1024;
// One past the last byte of the program flash (0x8000 to 0x27FFF, 128 KiB) of both sensor
// types; the boot loader refuses any block beyond it.
constexpr quint32 kProgramFlashEnd = 0x28000;
} // namespace FirmwareImage

struct SensorType {
    QString name;
    int skipLimit = 0;            // first application block of the file
    quint32 applicationStart = 0; // where that block is written
    int eepromBlocks = 0;         // data EEPROM blocks at the start of the file
    quint32 programEnd = 0;       // one past the last byte of its program memory
};

SensorType pl540Type();
SensorType pl140Type();

// One block to write: its number in the file, its address and its 128 bytes.
struct PlannedBlock {
    int fileBlock = 0;
    quint32 address = 0;
    QByteArray data;
};

// What one update writes, in order: the option bytes, then the blocks (the data EEPROM
// first when it is reset, then the application).
struct FirmwarePlan {
    SensorType type;
    bool resetEeprom = false;
    QByteArray optionBytes; // the four header bytes
    QList<PlannedBlock> blocks;
};

// Either a plan or why the image cannot be written, in words for the operator.
struct PlanResult {
    std::optional<FirmwarePlan> plan;
    QString refusal;
};

// Checks `image` for `type` and plans its writing. An image is refused when it does not
// hold the header and the block at the skip limit, when that block does not start with the
// application marker, when its length is not the header plus whole blocks (such a file
// was not made by the image tools, and padding its tail would write bytes nobody chose),
// or when its application runs past the type's program memory: the loader would refuse
// the first block beyond it after the erase, leaving the sensor without firmware.
PlanResult planFirmwareUpdate(const QByteArray &image, const SensorType &type, bool resetEeprom);

// The most application blocks the type's program memory holds.
int applicationBlockLimit(const SensorType &type);

// The number a block goes by in the loader's messages: 0 for the first application block,
// negative for the data EEPROM. The progress log counts one less.
int blockNumber(const FirmwarePlan &plan, const PlannedBlock &block);

} // namespace levelconf
