#include "TableFile.h"

#include "core/files/TextFile.h"

#include <QRegularExpression>

namespace levelconf
{

QStringList tableFileLines(const CalibrationCells &cells)
{
    QStringList lines;
    lines.reserve(kTableFileLines);
    for (const QString &r : cells.readings)
        lines.append(r);
    for (const QString &v : cells.volumes)
        lines.append(v);
    return lines;
}

QStringList splitTableFileText(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    // The ending of the last line leaves an empty piece after it, which is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TableFileLoad loadTableLines(const QStringList &lines, const CalibrationCells &current)
{
    TableFileLoad load;
    load.cells = current;
    load.lines = lines.size();
    load.endedInsideTable = lines.size() % kTableFileLines != 0;
    const int complete = lines.size() / kTableFileLines;
    if (complete == 0)
        return load;
    const int first = (complete - 1) * kTableFileLines;
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        load.cells.readings[i] = lines.at(first + i);
        load.cells.volumes[i] = lines.at(first + CalibrationCells::kPoints + i);
    }
    return load;
}

std::optional<QString> writeTableFile(const QString &path, const CalibrationCells &cells)
{
    return replaceTextFile(path, tableFileLines(cells));
}

std::optional<QStringList> readTableFile(const QString &path, QString *error)
{
    const std::optional<QString> text = readTextFile(path, error);
    if (!text)
        return std::nullopt;
    return splitTableFileText(*text);
}

} // namespace levelconf
