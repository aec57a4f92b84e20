// A firmware image (.cri) as the technician picks it: the check before anything is sent,
// and, for an image that passes, the blocks planned and the frames they go out as. Every
// block written is 128 bytes of the file, at the address its place in the file gives it,
// inside the program memory of the type.
#include "FuzzCheck.h"
#include "core/firmware/FirmwareImage.h"
#include "core/firmware/LoaderFrames.h"
#include "core/firmware/UpdateSequence.h"

using namespace levelconf;

using namespace FirmwareImage;

namespace
{
// A type of the same layout with a loader of three blocks and room for 64 application
// blocks, so that images of a few hundred bytes reach the plan and a few kilobytes run past
// the program memory; the real types need 19 and 20 KiB, and 147 KiB, before they do.
SensorType smallType()
{
    return {QStringLiteral("test"), 3, kFirstBlockAddress + 3 * kBlockSize, 1,
            kFirstBlockAddress + (3 + 64) * kBlockSize};
}

void checkBlocks(const QByteArray &image, const FirmwarePlan &plan)
{
    const int fileBlocks = int((image.size() - kHeaderSize) / kBlockSize);
    const int eeprom = plan.resetEeprom ? plan.type.eepromBlocks : 0;
    FUZZ_CHECK(plan.blocks.size() == eeprom + fileBlocks - plan.type.skipLimit);
    int previous = -1;
    for (const PlannedBlock &b : plan.blocks) {
        FUZZ_CHECK(b.fileBlock > previous && b.fileBlock < fileBlocks);
        FUZZ_CHECK(b.fileBlock < eeprom || b.fileBlock >= plan.type.skipLimit);
        FUZZ_CHECK(b.address == kFirstBlockAddress + quint32(kBlockSize) * b.fileBlock);
        FUZZ_CHECK(b.data == image.mid(kHeaderSize + kBlockSize * b.fileBlock, kBlockSize));
        FUZZ_CHECK(blockNumber(plan, b) == b.fileBlock - plan.type.skipLimit);
        FUZZ_CHECK(b.address + kBlockSize <= plan.type.programEnd);
        previous = b.fileBlock;
    }
}

// Erase (twice with the data EEPROM), four option bytes of three frames, three frames a
// block, and the start command; each block's data frame carries exactly its bytes.
void checkFrames(const FirmwarePlan &plan)
{
    const QList<LoaderStep> steps = updateSteps(plan);
    const int head = (plan.resetEeprom ? 4 : 2) + 4 * 3;
    FUZZ_CHECK(steps.size() == head + 3 * plan.blocks.size() + 1);
    for (const LoaderStep &s : steps) {
        if (s.kind != LoaderStep::Kind::BlockData)
            continue;
        FUZZ_CHECK(s.frame == dataFrame(plan.blocks.at(s.block).data));
        FUZZ_CHECK(s.frame.size() == kBlockSize + 2 && xorOf(s.frame) == 0);
    }
    FUZZ_CHECK(steps.last().frame == codeFrame(Loader::kGo));
}

void checkPlan(const QByteArray &image, const SensorType &type, bool resetEeprom)
{
    const PlanResult result = planFirmwareUpdate(image, type, resetEeprom);
    FUZZ_CHECK(result.plan.has_value() == result.refusal.isEmpty());
    if (!result.plan)
        return;
    const FirmwarePlan &plan = *result.plan;
    FUZZ_CHECK((image.size() - kHeaderSize) % kBlockSize == 0);
    FUZZ_CHECK(image.size() >= kHeaderSize + kBlockSize * (type.skipLimit + 1));
    FUZZ_CHECK(quint8(image.at(kHeaderSize + kBlockSize * type.skipLimit)) == kApplicationMarker);
    FUZZ_CHECK(plan.optionBytes == image.mid(kOptionOffsets[0], 4));
    checkBlocks(image, plan);
    checkFrames(plan);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray image = fuzzInput(data, size);
    for (const SensorType &type : {pl540Type(), pl140Type(), smallType()}) {
        checkPlan(image, type, false);
        checkPlan(image, type, true);
    }
    return 0;
}
