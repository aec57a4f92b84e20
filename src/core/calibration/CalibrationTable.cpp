#include "CalibrationTable.h"

#include "core/input/NumberInput.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/FrameCodec.h"

#include <QCoreApplication>

namespace levelconf
{

namespace
{
// The column titles and refusals the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CalibrationTable)
};

constexpr int kFirstValue = 4; // position of the first value's high byte
constexpr qint64 kHighestValue = 32767;

// The value of a cell as the sensor takes it, or nothing when it cannot go.
std::optional<quint16> cellValue(const QString &text, const QLocale &locale)
{
    const std::optional<qint64> v = toWhole(text, NumWidth::Int16, locale);
    if (!v || *v < 0 || *v > kHighestValue)
        return std::nullopt;
    return static_cast<quint16>(*v);
}

// Readings first, then volumes: the order of the frames, the log and the file.
template <typename Visit> void forEachCell(const CalibrationCells &cells, Visit visit)
{
    for (int i = 0; i < CalibrationCells::kPoints; ++i)
        visit(i, TableColumn::Reading, cells.readings[i]);
    for (int i = 0; i < CalibrationCells::kPoints; ++i)
        visit(i, TableColumn::Volume, cells.volumes[i]);
}
} // namespace

CalibrationCells CalibrationCells::defaults()
{
    CalibrationCells t;
    for (int i = 0; i < kPoints; ++i) {
        // The last point is the top of the 4096 range, not the next step of 200.
        const QString v = QString::number(i == kPoints - 1 ? 4096 : 200 * (i + 1));
        t.readings[i] = v;
        t.volumes[i] = v;
    }
    return t;
}

QString columnTitle(TableColumn column)
{
    return column == TableColumn::Reading ? Texts::tr("Показания датчика") : Texts::tr("Литры");
}

QString refusalMessage(const RefusedCell &cell)
{
    return Texts::tr("Point %1, %2: \"%3\" is not a number from 0 to 32767")
        .arg(cell.point)
        .arg(columnTitle(cell.column), cell.text);
}

TableWriteData tableWriteData(const CalibrationCells &cells, const QLocale &locale)
{
    TableWriteData out;
    forEachCell(cells, [&](int point, TableColumn column, const QString &text) {
        if (out.refused)
            return;
        const std::optional<quint16> v = cellValue(text, locale);
        if (!v) {
            out.refused = RefusedCell{point, column, text};
            return;
        }
        out.bytes.append(static_cast<char>(*v >> 8));
        out.bytes.append(static_cast<char>(*v & 0xFF));
    });
    if (out.refused)
        out.bytes.clear();
    return out;
}

QByteArray tableWriteRequest(quint8 address, const QByteArray &data, bool withKey)
{
    // Its bytes are the table's already; the key goes where the command table says.
    return buildRequest(address, Cmd::WriteTable, withKey && commandRow(Cmd::WriteTable)->keyed,
                        data);
}

QString tableWriteLogLine(const CalibrationCells &cells)
{
    QString line = QStringLiteral("Cmd_SetTable = ");
    forEachCell(cells, [&](int, TableColumn, const QString &text) {
        line += QLatin1Char(' ') + text + QLatin1Char(',');
    });
    return line;
}

std::optional<CalibrationCells> decodeTableAnswer(const QByteArray &answer)
{
    if (!answerAccepted(answer, {std::nullopt, Cmd::ReadTable, std::nullopt}))
        return std::nullopt;
    CalibrationCells cells;
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        const int reading = kFirstValue + 2 * i;
        const int volume = reading + 2 * CalibrationCells::kPoints;
        cells.readings[i] = QString::number(beValue16(answer, reading).value_or(0));
        cells.volumes[i] = QString::number(beValue16(answer, volume).value_or(0));
    }
    return cells;
}

QString tableLogText(const CalibrationCells &cells)
{
    QString out;
    forEachCell(cells,
                [&](int, TableColumn, const QString &text) { out += text + QStringLiteral(", "); });
    return out;
}

QString tableDumpText(const QByteArray &answer)
{
    QString out;
    for (char c : answer)
        out += QStringLiteral("%1 ").arg(static_cast<quint8>(c), 2, 16, QLatin1Char('0')).toUpper();
    return out + QString::number(crc8(answer.left(answer.size() - 1)), 16).toUpper();
}

} // namespace levelconf
