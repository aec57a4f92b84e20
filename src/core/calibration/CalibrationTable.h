#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace levelconf
{

// The sensor's tank table as the editor holds it: 20 points of a sensor reading and a
// volume, each kept as the text typed into its cell. Numbers are read from the texts only
// when a write request is built; a read answer or a file may put anything into them.
struct CalibrationCells {
    static constexpr int kPoints = 20;

    std::array<QString, kPoints> readings;
    std::array<QString, kPoints> volumes;

    // 200, 400 ... 3800 and 4096 on both sides, what the editor starts with.
    static CalibrationCells defaults();

    bool operator==(const CalibrationCells &other) const
    {
        return readings == other.readings && volumes == other.volumes;
    }
};

enum class TableColumn { Reading, Volume };

// The column titles of the editor, by which the operator finds a cell.
QString columnTitle(TableColumn column);

// A cell that cannot go to the sensor: not a number, or outside 0..32767 once rounded.
struct RefusedCell {
    int point = 0;
    TableColumn column = TableColumn::Reading;
    QString text;
};

// "Point 7, Литры: "12a" is not a number from 0 to 32767"
QString refusalMessage(const RefusedCell &cell);

// The 80 data bytes of a table write: the readings of points 0 to 19, then their volumes,
// each 16-bit, high byte first. When a cell cannot be sent, no bytes, and the first such
// cell in that order.
struct TableWriteData {
    QByteArray bytes;
    std::optional<RefusedCell> refused;
};
TableWriteData tableWriteData(const CalibrationCells &cells, const QLocale &locale = QLocale());

// The write request (0xF1) around those bytes.
QByteArray tableWriteRequest(quint8 address, const QByteArray &data, bool withKey);

// "Cmd_SetTable = " and each cell as typed after a blank and before a comma.
QString tableWriteLogLine(const CalibrationCells &cells);

// The cells of a table answer (0xEF): 3E, address, EF, 40 values high byte first, CRC, 84
// bytes in all. Nothing when the length or the CRC is wrong: a damaged table must never
// reach the editor, from where it could be written back into the sensor.
std::optional<CalibrationCells> decodeTableAnswer(const QByteArray &answer);

// The values of a table for the log: each text followed by ", ".
QString tableLogText(const CalibrationCells &cells);

// The answer in hex, two digits and a blank a byte, then the CRC worked out over all but
// its last byte, so that the received and the computed check bytes stand side by side.
QString tableDumpText(const QByteArray &answer);

} // namespace levelconf
