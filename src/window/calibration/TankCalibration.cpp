// Automatic tank calibration by portions: the operator fills the tank a portion at a time
// and records the level the sensor shows after each one. The points go to a file, line by
// line, so that a calibration broken off can be continued from it later.
#include "PointGrid.h"
#include "core/files/TextFile.h"
#include "core/input/NumberInput.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"

#include <QDir>
#include <QFileInfo>
#include <QShortcut>

namespace
{
const QString kTitle = QStringLiteral("Automatic tank calibration");
const QString kFilter = QStringLiteral("tbl Files (*.trr)");
const QString kNotFound = QStringLiteral("File not found");

// A portion typed by the operator: `value` is empty when the box was cancelled or the
// text is not a whole 16-bit number (or is 0 where 0 is not allowed).
struct PortionEntry {
    bool cancelled = false;
    std::optional<qint16> value;
};

PortionEntry askPortion(OperatorDialogs &dialogs, const QString &prompt, bool zeroAllowed)
{
    const std::optional<QString> text = dialogs.InputBox(prompt, kTitle, QStringLiteral("0"));
    if (!text)
        return {true, std::nullopt};
    const std::optional<qint64> v = toWhole(*text, NumWidth::Int16);
    if (!v || (*v == 0 && !zeroAllowed))
        return {};
    return {false, qint16(*v)};
}

// Asks for the portion of the points to come and puts it in force, shown in `shown`. A
// refused entry is told with `refusal`; a cancelled box ends quietly.
bool enterPortion(OperatorDialogs &dialogs, PointGrid &tank, QLabel *shown, const QString &refusal)
{
    const PortionEntry entry = askPortion(dialogs, QStringLiteral("Enter portion size"), false);
    if (!entry.value) {
        if (!entry.cancelled)
            dialogs.MsgBox(refusal);
        return false;
    }
    tank.setPortion(*entry.value);
    shown->setText(QString::number(*entry.value));
    return true;
}

// Reads the file into the grid, as far as it goes; nothing, with `problem` set, when the
// series cannot be continued.
std::optional<SeriesEnd> loadSeries(PointGrid &tank, const QString &path, QString *problem)
{
    const std::optional<QString> text = readTextFile(path, problem);
    if (!text)
        return std::nullopt;
    const LoadedPoints loaded = parsePointFile(*text);
    for (const CalibrationPoint &p : loaded.points)
        tank.putLoaded(p);
    if (!loaded.complete()) {
        *problem = loaded.problem;
        return std::nullopt;
    }
    return seriesEnd(loaded.points, problem);
}

QString portionRule(bool zeroAllowed)
{
    return zeroAllowed ? QStringLiteral("the portion size must be a whole number from -32768 "
                                        "to 32767")
                       : QStringLiteral("the portion size must be a whole number from -32768 "
                                        "to 32767, not 0");
}
} // namespace

void frmSerial::connectCalibration()
{
    tank = std::make_unique<PointGrid>(ui->MSFlexGrid1);
    ui->MSFlexGrid1->setAccessibleName(QStringLiteral("Tank calibration points"));
    connect(ui->Command11, &QPushButton::clicked, this, &frmSerial::Command11_Click);
    connect(ui->Command12, &QPushButton::clicked, this, &frmSerial::Command12_Click);
    connect(ui->ch_portion, &QPushButton::clicked, this, &frmSerial::ch_portion_Click);
    connect(ui->Command14, &QPushButton::clicked, this, &frmSerial::Command14_Click);

    // F9 presses "Enter value" while this window is active. A key held down repeats, but
    // the tank has had one portion: only the press counts.
    auto *f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    f9->setContext(Qt::WindowShortcut);
    f9->setAutoRepeat(false);
    connect(f9, &QShortcut::activated, this, &frmSerial::enterValueKey);
}

void frmSerial::enterValueKey()
{
    // Only where the operator sees the grid; a disabled button (no port) ignores the click.
    if (ui->SSTab1->currentWidget() == ui->tabCalibration)
        ui->Command14->click();
}

void frmSerial::Command11_Click()
{
    tank->reset();
    ui->tar_file_name->clear();
    if (!enterPortion(dialogs(), *tank, ui->step_zapr, QStringLiteral("Wrong portion size")))
        return;
    const QString path =
        dialogs().SaveFile(QStringLiteral("Схранить"), kFilter, platform.programFolder);
    if (path.isEmpty())
        return;
    const QString failure = createPointFile(path);
    if (!failure.isEmpty()) {
        dialogs().MsgBox(QStringLiteral("Cannot create the file %1: %2.")
                             .arg(QDir::toNativeSeparators(path), failure),
                         OperatorDialogs::Icon::Warning);
        return;
    }
    tank->take(path, SeriesEnd{}, tank->points().portion());
    ui->tar_file_name->setText(QFileInfo(path).fileName());
}

void frmSerial::Command12_Click()
{
    const QString path =
        dialogs().OpenFile(QStringLiteral("Открыть"), kFilter, platform.programFolder);
    if (path.isEmpty())
        return;
    tank->reset();
    ui->tar_file_name->clear();
    QString problem;
    const std::optional<SeriesEnd> end = loadSeries(*tank, path, &problem);
    if (!end) {
        continueFailed(path, problem);
        return;
    }
    ui->tar_file_name->setText(QFileInfo(path).fileName());

    std::optional<qint16> portion = end->portion;
    if (!portion) {
        // Without two points the portion is not in the file. Before the first point any
        // portion will do, since that point is at 0 whatever it is; after a single point a
        // portion of 0 would record its volume twice.
        const bool zeroAllowed = !end->lastVolume;
        portion =
            askPortion(dialogs(), QStringLiteral("Tank calibration portion size"), zeroAllowed)
                .value;
        if (!portion) {
            continueFailed(path, portionRule(zeroAllowed));
            return;
        }
    }
    tank->take(path, *end, *portion);
    ui->step_zapr->setText(QString::number(*portion));
}

void frmSerial::continueFailed(const QString &path, const QString &reason)
{
    ui->tar_file_name->clear();
    dialogs().MsgBox(kNotFound + QStringLiteral("\n\n%1: %2.\n\nNo point is recorded until a "
                                                "calibration is started or continued.")
                                     .arg(QDir::toNativeSeparators(path), reason));
}

void frmSerial::ch_portion_Click()
{
    enterPortion(dialogs(), *tank, ui->step_zapr, QStringLiteral("Wrong portion size value"));
}

void frmSerial::Command14_Click()
{
    if (!tank->points().inForce()) {
        dialogs().MsgBox(kNotFound);
        return;
    }
    const int point = tank->points().pendingPoint();
    const QString failure = tank->record(ui->Uroven->text());
    if (!failure.isEmpty())
        dialogs().MsgBox(QStringLiteral("Point %1 was not recorded: the file %2 did not take it "
                                        "(%3). Check the file and the disk, then record the "
                                        "point again.")
                             .arg(point)
                             .arg(QDir::toNativeSeparators(tank->points().file()), failure),
                         OperatorDialogs::Icon::Warning);
}
