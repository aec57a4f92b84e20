// Tank calibration: the sensor's table in the table editor, its transfer and its files,
// and the calibration of a tank by portions. The operator fills the tank a portion at a
// time and records the level the sensor shows after each one. The points go to a file, line
// by line, so that a calibration broken off can be continued from it later.
#include "CalibrationPart.h"

#include "Form3.h"
#include "core/calibration/CalibrationTable.h"
#include "core/calibration/TableFile.h"
#include "core/command/CommandFlow.h"
#include "core/files/TextFile.h"
#include "core/input/NumberInput.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/Colours.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>

using namespace levelconf;

namespace
{
const char *const kTitle = QT_TRANSLATE_NOOP("CalibrationPart", "Automatic tank calibration");
const char *const kFilter = QT_TRANSLATE_NOOP("CalibrationPart", "tbl Files (*.trr)");
const char *const kNotFound = QT_TRANSLATE_NOOP("CalibrationPart", "File not found");
const char *const kTableFilter = QT_TRANSLATE_NOOP("CalibrationPart", "tbl Files (*.pl5)");

// The editor's buttons stay enabled whatever the address list holds.
QString noAddressMessage()
{
    return CalibrationPart::tr("No sensor address is selected. Search the network and pick the "
                               "sensor's address first.");
}

// A portion typed by the operator: `value` is empty when the box was cancelled or the
// text is not a whole 16-bit number (or is 0 where 0 is not allowed).
struct PortionEntry {
    bool cancelled = false;
    std::optional<qint16> value;
};

PortionEntry askPortion(OperatorDialogs &dialogs, const QString &prompt, bool zeroAllowed)
{
    const std::optional<QString> text =
        dialogs.InputBox(prompt, CalibrationPart::tr(kTitle), QStringLiteral("0"));
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
    const PortionEntry entry =
        askPortion(dialogs, CalibrationPart::tr("Enter portion size"), false);
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
    return zeroAllowed
               ? CalibrationPart::tr("the portion size must be a whole number from -32768 to 32767")
               : CalibrationPart::tr("the portion size must be a whole number from -32768 to "
                                     "32767, not 0");
}
} // namespace

CalibrationPart::CalibrationPart(SensorSession &session, const CalibrationControls &controls,
                                 QWidget *window, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls), m_window(window),
      m_tank(std::make_unique<PointGrid>(controls.MSFlexGrid1))
{
    m_ui.MSFlexGrid1->setAccessibleName(tr("Tank calibration points"));
    // The described grid heads its columns with an empty fixed row; the translations name
    // them in a header of their own instead.
    if (m_session.language() != Language::Described) {
        m_ui.MSFlexGrid1->horizontalHeader()->setVisible(true);
        m_ui.MSFlexGrid1->setRowHidden(0, true);
    }
    connect(m_ui.Command11, &QPushButton::clicked, this, &CalibrationPart::Command11_Click);
    connect(m_ui.Command12, &QPushButton::clicked, this, &CalibrationPart::Command12_Click);
    connect(m_ui.ch_portion, &QPushButton::clicked, this, &CalibrationPart::ch_portion_Click);
    connect(m_ui.Command14, &QPushButton::clicked, this, &CalibrationPart::Command14_Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &CalibrationPart::Command6_Click);
    bindActionKeys({{m_ui.Command6, Qt::Key_R},
                    {m_ui.Command11, Qt::Key_T},
                    {m_ui.Command12, Qt::Key_U},
                    {m_ui.ch_portion, Qt::Key_H}});

    // F9 presses "Enter value" while this window is active. A key held down repeats, but
    // the tank has had one portion: only the press counts.
    auto *f9 = new QShortcut(QKeySequence(Qt::Key_F9), m_window);
    f9->setContext(Qt::WindowShortcut);
    f9->setAutoRepeat(false);
    connect(f9, &QShortcut::activated, this, &CalibrationPart::enterValueKey);

    m_session.claimConfirmations({Cmd::WriteTable});
    connect(&m_session, &SensorSession::answerTaken, this,
            [this](quint8 code, const QByteArray &answer) {
                if (code == Cmd::ReadTable)
                    tableAnswer(answer);
                else if (code == Cmd::WriteTable)
                    m_session.command().answered(code, answer);
            });
    m_session.setTableFlagKeeper(this);
}

CalibrationPart::~CalibrationPart() = default;

Form3 *CalibrationPart::tableEditor()
{
    if (m_editor)
        return m_editor;
    m_editor = new Form3(m_window);
    connect(m_editor, &Form3::readRequested, this, &CalibrationPart::readTable);
    connect(m_editor, &Form3::writeRequested, this, [this] {
        // The mode goes out after the table, with the editor's litre and per-cent flags
        // that make the sensor use it.
        if (writeTable())
            m_session.engine().followTableWrite();
    });
    connect(m_editor, &Form3::openRequested, this, &CalibrationPart::fTablOpen_Click);
    connect(m_editor, &Form3::saveRequested, this, &CalibrationPart::fTablSave_Click);
    connect(m_editor, &Form3::perSentsClicked, &m_session, &SensorSession::percentFlagChanged);
    connect(m_editor, &Form3::tartabClicked, &m_session, &SensorSession::litresFlagChanged);
    return m_editor;
}

Qt::CheckState CalibrationPart::litres()
{
    return tableEditor()->tartabState();
}

Qt::CheckState CalibrationPart::percent()
{
    return tableEditor()->perSentsState();
}

void CalibrationPart::setFlags(Qt::CheckState litres, Qt::CheckState percent)
{
    tableEditor()->setTartabState(litres);
    tableEditor()->setPerSentsState(percent);
}

// ---- The calibration table ----

void CalibrationPart::readTable()
{
    CommandFlow cmd = m_session.command();
    if (!cmd.addressSelected(noAddressMessage()))
        return;
    // The sensor gives its table to anyone: no key, whatever the firmware.
    cmd.queue(tableReadRequest(cmd.address()), QStringLiteral("Cmd_ReadTable: "),
              CommandFlow::Echo::No, CommandFlow::Refresh::No);
}

bool CalibrationPart::writeTable()
{
    const CalibrationCells cells = tableEditor()->table();
    const TableWriteData data = tableWriteData(cells);
    CommandFlow cmd = m_session.command();
    if (data.refused)
        return cmd.refuse({refusalMessage(*data.refused)});
    if (!cmd.addressSelected(noAddressMessage()))
        return false;
    cmd.queue(tableWriteRequest(cmd.address(), data.bytes, cmd.withKey()), tableWriteLogLine(cells),
              CommandFlow::Echo::Yes, CommandFlow::Refresh::No);
    return true;
}

void CalibrationPart::Command6_Click()
{
    readTable();
    tableEditor()->show();
    tableEditor()->raise();
}

std::optional<QString> CalibrationPart::showTable(const QByteArray &answer)
{
    m_session.display().showResults(tableDumpText(answer));
    Form3 *editor = tableEditor();
    const std::optional<CalibrationCells> cells = decodeTableAnswer(answer);
    if (!cells)
        return std::nullopt;
    editor->setTable(*cells);
    return tableLogText(*cells);
}

void CalibrationPart::tableAnswer(const QByteArray &answer)
{
    SessionDisplay &display = m_session.display();
    const std::optional<QString> values = showTable(answer);
    if (!values) {
        display.setStatusColour(Colours::Red);
        display.showStatus(tr("Table answer damaged: not read."));
        m_session.log(QStringLiteral("Table answer damaged: ") + answerCheckText(answer));
        m_session.beep(400, 800);
        return;
    }
    display.showStatus(tr("Table read."));
    m_session.log(QStringLiteral("Прочитана таблица = ") + *values);
    m_session.beep(1000, 100);
}

void CalibrationPart::fTablSave_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    const QString path =
        dialogs.SaveFile(tr("Схранить"), tr(kTableFilter), m_session.programFolder());
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = writeTableFile(path, tableEditor()->table())) {
        dialogs.MsgBox(tr("The table was not saved to %1: %2. A file already there is left as "
                          "it was.")
                           .arg(QDir::toNativeSeparators(path), *error),
                       OperatorDialogs::Icon::Warning);
    }
}

void CalibrationPart::fTablOpen_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    const QString path =
        dialogs.OpenFile(tr("Открыть"), tr(kTableFilter), m_session.programFolder());
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<QStringList> lines = readTableFile(path, &error);
    if (!lines) {
        dialogs.MsgBox(tr("The table file %1 could not be read: %2")
                           .arg(QDir::toNativeSeparators(path), error),
                       OperatorDialogs::Icon::Warning);
        return;
    }
    Form3 *editor = tableEditor();
    const TableFileLoad load = loadTableLines(*lines, editor->table());
    editor->setTable(load.cells);
    if (load.endedInsideTable) {
        dialogs.MsgBox(tr("The file %1 ends inside a table: it has %n lines, and a table takes "
                          "%2. The cells keep what they held before that table.",
                          nullptr, load.lines)
                           .arg(QFileInfo(path).fileName())
                           .arg(kTableFileLines),
                       OperatorDialogs::Icon::Warning);
    }
}

// ---- Tank calibration by portions ----

void CalibrationPart::enterValueKey()
{
    // Only where the operator sees the grid; a disabled button (no port) ignores the click.
    if (m_ui.pages->currentWidget() == m_ui.tabCalibration)
        m_ui.Command14->click();
}

void CalibrationPart::Command11_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    m_tank->reset();
    m_ui.tar_file_name->clear();
    // A calibration that does not start shows no point waiting for its level.
    if (!enterPortion(dialogs, *m_tank, m_ui.step_zapr, tr("Wrong portion size"))) {
        m_tank->resetToEmpty();
        return;
    }
    const QString path = dialogs.SaveFile(tr("Схранить"), tr(kFilter), m_session.programFolder());
    if (path.isEmpty()) {
        // The portion stays set.
        m_tank->resetToEmpty();
        return;
    }
    const QString failure = createPointFile(path);
    if (!failure.isEmpty()) {
        dialogs.MsgBox(
            tr("Cannot create the file %1: %2.").arg(QDir::toNativeSeparators(path), failure),
            OperatorDialogs::Icon::Warning);
        m_tank->resetToEmpty();
        return;
    }
    m_tank->take(path, SeriesEnd{}, m_tank->points().portion());
    m_ui.tar_file_name->setText(QFileInfo(path).fileName());
}

void CalibrationPart::Command12_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    const QString path = dialogs.OpenFile(tr("Открыть"), tr(kFilter), m_session.programFolder());
    if (path.isEmpty())
        return;
    m_tank->reset();
    m_ui.tar_file_name->clear();
    QString problem;
    const std::optional<SeriesEnd> end = loadSeries(*m_tank, path, &problem);
    if (!end) {
        continueFailed(path, problem);
        return;
    }
    m_ui.tar_file_name->setText(QFileInfo(path).fileName());

    std::optional<qint16> portion = end->portion;
    if (!portion) {
        // Without two points the portion is not in the file. Before the first point any
        // portion will do, since that point is at 0 whatever it is; after a single point a
        // portion of 0 would record its volume twice.
        const bool zeroAllowed = !end->lastVolume;
        portion = askPortion(dialogs, tr("Tank calibration portion size"), zeroAllowed).value;
        if (!portion) {
            continueFailed(path, portionRule(zeroAllowed));
            return;
        }
    }
    m_tank->take(path, *end, *portion);
    m_ui.step_zapr->setText(QString::number(*portion));
}

void CalibrationPart::continueFailed(const QString &path, const QString &reason)
{
    m_ui.tar_file_name->clear();
    m_session.dialogs().MsgBox(tr("File not found\n\n%1: %2.\n\nNo point is recorded until a "
                                  "calibration is started or continued.")
                                   .arg(QDir::toNativeSeparators(path), reason));
}

void CalibrationPart::ch_portion_Click()
{
    enterPortion(m_session.dialogs(), *m_tank, m_ui.step_zapr, tr("Wrong portion size value"));
}

void CalibrationPart::Command14_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    if (!m_tank->points().inForce()) {
        dialogs.MsgBox(tr(kNotFound));
        return;
    }
    const int point = m_tank->points().pendingPoint();
    const QString failure = m_tank->record(m_session.presentLevel());
    if (!failure.isEmpty())
        dialogs.MsgBox(tr("Point %1 was not recorded: the file %2 did not take it (%3). Check "
                          "the file and the disk, then record the point again.")
                           .arg(point)
                           .arg(QDir::toNativeSeparators(m_tank->points().file()), failure),
                       OperatorDialogs::Icon::Warning);
}
