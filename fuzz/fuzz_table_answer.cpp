// The table answer (0xEF) as the bus brings it: only an intact 84-byte answer reaches the
// editor, and what it put there goes back to the sensor as the same bytes, or is refused
// by the first cell the sensor cannot take.
#include "FuzzCheck.h"
#include "core/calibration/CalibrationTable.h"
#include "core/protocol/FrameCodec.h"

using namespace levelconf;

namespace
{
constexpr int kValues = 2 * CalibrationCells::kPoints;

// The first value above 32767 among the answer's 40, in the order of the write: its
// index, or -1.
int firstUnwritable(const QByteArray &answer)
{
    for (int i = 0; i < kValues; ++i) {
        if (quint8(answer.at(3 + 2 * i)) & 0x80)
            return i;
    }
    return -1;
}

void checkWriteBack(const QByteArray &answer, const CalibrationCells &cells)
{
    const TableWriteData write = tableWriteData(cells, QLocale::c());
    const int refused = firstUnwritable(answer);
    if (refused < 0) {
        FUZZ_CHECK(!write.refused && write.bytes == answer.mid(3, kValues * 2));
        for (bool key : {false, true}) {
            const QByteArray request = tableWriteRequest(quint8(answer.at(1)), write.bytes, key);
            FUZZ_CHECK(request.size() == (key ? 87 : 84) && answerCrcMatches(request));
        }
        return;
    }
    FUZZ_CHECK(write.refused && write.bytes.isEmpty());
    FUZZ_CHECK(write.refused->point == refused % CalibrationCells::kPoints);
    FUZZ_CHECK((write.refused->column == TableColumn::Volume) ==
               (refused >= CalibrationCells::kPoints));
    FUZZ_CHECK(refusalMessage(*write.refused).startsWith(QStringLiteral("Point ")));
}

void checkTable(const QByteArray &answer)
{
    // The log shows every byte and the check byte worked out here.
    const int dumpSize = tableDumpText(answer).size();
    FUZZ_CHECK(dumpSize >= 3 * answer.size() + 1 && dumpSize <= 3 * answer.size() + 2);

    const std::optional<CalibrationCells> cells = decodeTableAnswer(answer);
    FUZZ_CHECK(!cells || (answer.size() == 84 && answerCrcMatches(answer)));
    if (!cells)
        return;
    FUZZ_CHECK(tableLogText(*cells).count(QStringLiteral(", ")) == kValues);
    checkWriteBack(answer, *cells);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (const QByteArray &frame : receivedAndMended(fuzzInput(data, size)))
        checkTable(frame);
    return 0;
}
