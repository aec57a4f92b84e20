#include "FirmwareImage.h"

#include <QCoreApplication>

namespace levelconf
{

using namespace FirmwareImage;

SensorType pl540Type()
{
    return {QStringLiteral("PL-540"), 160, 0x9000, 8, kProgramFlashEnd};
}

SensorType pl140Type()
{
    return {QStringLiteral("PL-140"), 148, 0x8A00, 1, kProgramFlashEnd};
}

namespace
{
// The refusals the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FirmwareImage)
};

// Why the image does not fit the type; empty when it does.
QString layoutRefusal(const QByteArray &image, const SensorType &type)
{
    const qint64 needed = kHeaderSize + qint64(kBlockSize) * (type.skipLimit + 1);
    if (image.size() < needed) {
        return Texts::tr("it holds %n bytes, but a %1 image needs at least %2 (the header and "
                         "blocks 0 to %3)",
                         nullptr, int(image.size()))
            .arg(type.name)
            .arg(needed)
            .arg(type.skipLimit);
    }
    const qint64 tail = (image.size() - kHeaderSize) % kBlockSize;
    if (tail != 0) {
        return Texts::tr("its length is not the header plus whole blocks of %1 bytes "
                         "(%2 left over)")
            .arg(kBlockSize)
            .arg(tail == 1 ? Texts::tr("1 byte") : Texts::tr("%n bytes", nullptr, int(tail)));
    }
    const qint64 applicationBlocks = (image.size() - kHeaderSize) / kBlockSize - type.skipLimit;
    if (applicationBlocks > applicationBlockLimit(type)) {
        return Texts::tr("its application is %n blocks long, but the %1's program memory ends at "
                         "0x%2 and holds %3 (blocks %4 to %5 of the file)",
                         nullptr, int(applicationBlocks))
            .arg(type.name)
            .arg(QString::number(type.programEnd - 1, 16).toUpper())
            .arg(applicationBlockLimit(type))
            .arg(type.skipLimit)
            .arg(type.skipLimit + applicationBlockLimit(type) - 1);
    }
    const qint64 first = kHeaderSize + qint64(kBlockSize) * type.skipLimit;
    if (static_cast<quint8>(image.at(first)) != kApplicationMarker) {
        return Texts::tr("block %1, where the %2 application begins, does not start with "
                         "0x23")
            .arg(type.skipLimit)
            .arg(type.name);
    }
    return {};
}

PlannedBlock blockAt(const QByteArray &image, int k, quint32 address)
{
    return {k, address, image.mid(kHeaderSize + kBlockSize * k, kBlockSize)};
}
} // namespace

PlanResult planFirmwareUpdate(const QByteArray &image, const SensorType &type, bool resetEeprom)
{
    const QString refusal = layoutRefusal(image, type);
    if (!refusal.isEmpty())
        return {std::nullopt, refusal};

    FirmwarePlan plan;
    plan.type = type;
    plan.resetEeprom = resetEeprom;
    for (int offset : kOptionOffsets)
        plan.optionBytes.append(image.at(offset));
    if (resetEeprom) {
        for (int k = 0; k < type.eepromBlocks; ++k)
            plan.blocks.append(blockAt(image, k, kFirstBlockAddress + kBlockSize * k));
    }
    const int blocks = static_cast<int>((image.size() - kHeaderSize) / kBlockSize);
    for (int k = type.skipLimit; k < blocks; ++k) {
        const quint32 address = type.applicationStart + kBlockSize * (k - type.skipLimit);
        plan.blocks.append(blockAt(image, k, address));
    }
    return {plan, QString()};
}

int applicationBlockLimit(const SensorType &type)
{
    if (type.programEnd <= type.applicationStart)
        return 0;
    return static_cast<int>((type.programEnd - type.applicationStart) / kBlockSize);
}

int blockNumber(const FirmwarePlan &plan, const PlannedBlock &block)
{
    return block.fileBlock - plan.type.skipLimit;
}

} // namespace levelconf
