#pragma once

#include "FirmwareImage.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace levelconf
{

// One frame of an update after the loader has answered, and what it is for.
struct LoaderStep {
    enum class Kind {
        EraseCommand,  // 43 BC
        EraseArgument, // FF 00, EE 11
        OptionCommand, // 31 CE, address, one byte: an option byte
        OptionAddress,
        OptionData,
        BlockCommand, // 31 CE, address, 128 bytes: a block
        BlockAddress,
        BlockData,
        Go, // 21 DE
    };
    Kind kind = Kind::EraseCommand;
    QByteArray frame;
    int block = -1; // index into the plan's blocks, for the block steps
};

// Every frame of `plan` in the order it goes out: erase everything, erase the data EEPROM
// when it is reset, the four option bytes, the blocks, start the application.
QList<LoaderStep> updateSteps(const FirmwarePlan &plan);

// The loader's message for a block whose frame of this kind was refused or not answered:
// " 31 n,wrong block", "addr n,wrong block", " data n,wrong block"; empty for the other
// kinds.
QString blockFailureText(LoaderStep::Kind kind, int number);

// The progress line of a written block, without its line break: "Block " and the number.
QString blockProgressText(int number);

} // namespace levelconf
