// The table editor's files: the cells saved to and loaded from a .pl5 file.
#include "Form3.h"
#include "core/calibration/TableFile.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"

#include <QDir>
#include <QFileInfo>

namespace
{
const QString kTableFilter = QStringLiteral("tbl Files (*.pl5)");
} // namespace

void frmSerial::fTablSave_Click()
{
    const QString path =
        dialogs().SaveFile(QStringLiteral("Схранить"), kTableFilter, platform.programFolder);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = writeTableFile(path, form3()->table())) {
        dialogs().MsgBox(QStringLiteral("The table was not saved to %1: %2. A file already there "
                                        "is left as it was.")
                             .arg(QDir::toNativeSeparators(path), *error),
                         OperatorDialogs::Icon::Warning);
    }
}

void frmSerial::fTablOpen_Click()
{
    const QString path =
        dialogs().OpenFile(QStringLiteral("Открыть"), kTableFilter, platform.programFolder);
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<QStringList> lines = readTableFile(path, &error);
    if (!lines) {
        dialogs().MsgBox(QStringLiteral("The table file %1 could not be read: %2")
                             .arg(QDir::toNativeSeparators(path), error),
                         OperatorDialogs::Icon::Warning);
        return;
    }
    Form3 *editor = form3();
    const TableFileLoad load = loadTableLines(*lines, editor->table());
    editor->setTable(load.cells);
    if (load.endedInsideTable) {
        dialogs().MsgBox(QStringLiteral("The file %1 ends inside a table: it has %2 lines, and a "
                                        "table takes %3. The cells keep what they held before "
                                        "that table.")
                             .arg(QFileInfo(path).fileName())
                             .arg(load.lines)
                             .arg(kTableFileLines),
                         OperatorDialogs::Icon::Warning);
    }
}
