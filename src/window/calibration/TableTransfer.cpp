// Transfer of the calibration table between the sensor and the table editor.
#include "Form3.h"
#include "core/calibration/CalibrationTable.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"
#include "window/settings/ConfigCommand.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"

namespace
{
// The editor's buttons stay enabled whatever the address list holds.
QString noAddressMessage()
{
    return QStringLiteral("No sensor address is selected. Search the network and pick the "
                          "sensor's address first.");
}
} // namespace

void frmSerial::connectTableTransfer()
{
    connect(ui->Command6, &QPushButton::clicked, this, &frmSerial::Command6_Click);
}

void frmSerial::connectTableEditor()
{
    connect(form3Ptr, &Form3::readRequested, this, &frmSerial::rdt);
    connect(form3Ptr, &Form3::writeRequested, this, [this] {
        // The mode goes out after the table, with the editor's litre and per-cent flags
        // that make the sensor use it.
        if (wrmyTable_Click())
            exchangeEngine->followTableWrite();
    });
    connect(form3Ptr, &Form3::openRequested, this, &frmSerial::fTablOpen_Click);
    connect(form3Ptr, &Form3::saveRequested, this, &frmSerial::fTablSave_Click);
    connect(form3Ptr, &Form3::perSentsClicked, this,
            [this] { ui->per_sents->setCheckState(form3Ptr->perSentsState()); });
    connect(form3Ptr, &Form3::tartabClicked, this,
            [this] { ui->tartab1->setCheckState(form3Ptr->tartabState()); });
}

void frmSerial::rdt()
{
    ConfigCommand cmd(*this);
    if (!cmd.addressSelected(noAddressMessage()))
        return;
    // The sensor gives its table to anyone: no key, whatever the firmware.
    cmd.queue(tableReadRequest(cmd.address()), QStringLiteral("Cmd_ReadTable: "),
              ConfigCommand::Echo::No, ConfigCommand::Refresh::No);
}

bool frmSerial::wrmyTable_Click()
{
    const CalibrationCells cells = form3()->table();
    const TableWriteData data = tableWriteData(cells);
    ConfigCommand cmd(*this);
    if (data.refused)
        return cmd.refuse({refusalMessage(*data.refused)});
    if (!cmd.addressSelected(noAddressMessage()))
        return false;
    cmd.queue(tableWriteRequest(cmd.address(), data.bytes, cmd.withKey()), tableWriteLogLine(cells),
              ConfigCommand::Echo::Yes, ConfigCommand::Refresh::No);
    return true;
}

void frmSerial::Command6_Click()
{
    rdt();
    form3()->show();
    form3()->raise();
}

std::optional<QString> frmSerial::ans_to_table(const QByteArray &aans)
{
    ui->txtRec->setPlainText(tableDumpText(aans));
    Form3 *editor = form3();
    const std::optional<CalibrationCells> cells = decodeTableAnswer(aans);
    if (!cells)
        return std::nullopt;
    editor->setTable(*cells);
    return tableLogText(*cells);
}

void frmSerial::tableAnswer(const QByteArray &answer)
{
    const std::optional<QString> values = ans_to_table(answer);
    if (!values) {
        setTextColour(ui->MsgCom, Colours::Red);
        ui->MsgCom->setText(QStringLiteral("Table answer damaged: not read."));
        str_to_log(QStringLiteral("Table answer damaged: ") + answerCheckText(answer));
        beep(400, 800);
        return;
    }
    ui->MsgCom->setText(QStringLiteral("Table read."));
    str_to_log(QStringLiteral("Прочитана таблица = ") + *values);
    beep(1000, 100);
}
