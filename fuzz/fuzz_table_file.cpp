// A table file (.pl5) as the technician picks it: its bytes decoded as a file is read,
// split into lines and laid into the editor's cells. Only complete tables change cells,
// and what was loaded saves and loads again unchanged.
#include "FuzzCheck.h"
#include "core/calibration/TableFile.h"
#include "core/files/TextFile.h"

using namespace levelconf;

namespace
{
TableFileLoad saveAndLoad(const CalibrationCells &cells)
{
    const QByteArray file = systemTextLines(tableFileLines(cells));
    return loadTableLines(splitTableFileText(systemText(file)), CalibrationCells{});
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = splitTableFileText(systemText(fuzzInput(data, size)));
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));

    const CalibrationCells before = CalibrationCells::defaults();
    const TableFileLoad load = loadTableLines(lines, before);
    FUZZ_CHECK(load.lines == lines.size());
    FUZZ_CHECK(load.endedInsideTable == (lines.size() % kTableFileLines != 0));
    const int tables = int(lines.size()) / kTableFileLines;
    if (tables == 0)
        FUZZ_CHECK(load.cells == before);
    else
        FUZZ_CHECK(tableFileLines(load.cells) ==
                   lines.mid((tables - 1) * kTableFileLines, kTableFileLines));

    const TableFileLoad again = saveAndLoad(load.cells);
    FUZZ_CHECK(again.cells == load.cells);
    FUZZ_CHECK(again.lines == kTableFileLines && !again.endedInsideTable);
    return 0;
}
