#include "UpdateSequence.h"

#include "LoaderFrames.h"

#include <QCoreApplication>
#include <iterator>

namespace levelconf
{

using Kind = LoaderStep::Kind;

namespace
{
// The texts the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(UpdateSequence)
};

// The three frames of one memory write.
struct WriteKinds {
    Kind command;
    Kind address;
    Kind data;
};
constexpr WriteKinds kOptionWrite{Kind::OptionCommand, Kind::OptionAddress, Kind::OptionData};
constexpr WriteKinds kBlockWrite{Kind::BlockCommand, Kind::BlockAddress, Kind::BlockData};

void appendWrite(QList<LoaderStep> &steps, const WriteKinds &kinds, quint32 address,
                 const QByteArray &data, int block = -1)
{
    steps.append({kinds.command, codeFrame(Loader::kWriteMemory), block});
    steps.append({kinds.address, addressFrame(address), block});
    steps.append({kinds.data, dataFrame(data), block});
}
} // namespace

QList<LoaderStep> updateSteps(const FirmwarePlan &plan)
{
    QList<LoaderStep> steps;
    steps.append({Kind::EraseCommand, codeFrame(Loader::kErase)});
    steps.append({Kind::EraseArgument, codeFrame(Loader::kEraseEverything)});
    if (plan.resetEeprom) {
        steps.append({Kind::EraseCommand, codeFrame(Loader::kErase)});
        steps.append({Kind::EraseArgument, codeFrame(Loader::kEraseDataEeprom)});
    }
    const int options =
        qMin<int>(plan.optionBytes.size(), int(std::size(FirmwareImage::kOptionAddresses)));
    for (int i = 0; i < options; ++i) {
        appendWrite(steps, kOptionWrite, FirmwareImage::kOptionAddresses[i],
                    plan.optionBytes.mid(i, 1));
    }
    for (int i = 0; i < plan.blocks.size(); ++i)
        appendWrite(steps, kBlockWrite, plan.blocks[i].address, plan.blocks[i].data, i);
    steps.append({Kind::Go, codeFrame(Loader::kGo)});
    return steps;
}

QString blockFailureText(Kind kind, int number)
{
    switch (kind) {
    case Kind::BlockCommand:
        return Texts::tr(" 31 %1,wrong block").arg(number);
    case Kind::BlockAddress:
        return Texts::tr("addr %1,wrong block").arg(number);
    case Kind::BlockData:
        return Texts::tr(" data %1,wrong block").arg(number);
    default:
        return {};
    }
}

QString blockProgressText(int number)
{
    return Texts::tr("Block %1").arg(number - 1);
}

} // namespace levelconf
