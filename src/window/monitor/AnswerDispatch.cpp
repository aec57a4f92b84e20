// What the engine does with an answer: confirmations, decoders, and the search answer.
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/AnswerLength.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/sensor/IdentityAnswer.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"

void frmSerial::dispatchAnswer(quint8 code, const QByteArray &answer)
{
    // The data and mode answers have the length the sensor's firmware gives them, where it
    // is known; two sensors answering at one address, or an answer cut short, do not,
    // whatever their CRC says. Nothing of such an answer is taken.
    const auto caps = fw_address && fw_address == byteAt(answer, 2)
                          ? std::optional(sensorCapabilities())
                          : std::nullopt;
    if ((code == Cmd::ReadData || code == Cmd::SetMode) && !answerIntact(answer, caps)) {
        if (code == Cmd::ReadData) {
            trendMissed();
            return;
        }
        setTextColour(ui->MsgCom, Colours::Red);
        ui->MsgCom->setText(QStringLiteral("Mode answer damaged: not confirmed."));
        str_to_log(QStringLiteral("Mode answer damaged: ") + answerCheckText(answer));
        beep(400, 800);
        return;
    }
    switch (code) {
    case Cmd::ReadIdentity:
        identityAnswer(answer);
        return;
    case Cmd::ReadData:
        all_data_to_form(answer);
        return;
    case Cmd::FrequencyMode:
        ui->MsgCom->setText(QStringLiteral("Sensor set to Frequency mode."));
        // The frequency comes high byte first; an answer too short to hold it leaves the
        // last one shown.
        if (const auto f = beValue16(answer, 4))
            ui->Uroven->setText(QString::number(*f) + QStringLiteral(" Гц."));
        return;
    case Cmd::ReadTable:
        tableAnswer(answer);
        return;
    default:
        break;
    }

    const auto row = confirmationFor(code);
    if (!row) {
        ui->MsgCom->setText(QStringLiteral(" Wrong data! "));
        str_to_log(QStringLiteral("Wrong data!"));
        beep(400, 800);
        dialogs().MsgBox(QStringLiteral("Wrong response"));
        str_to_log(QStringLiteral("Wrong response"));
        beep(400, 800);
        return;
    }

    if (row->redCaption)
        setTextColour(ui->MsgCom, Colours::Red);
    ui->MsgCom->setText(row->caption);
    QString logLine = row->logLine;
    const auto maxDistance = leValue(answer, 4, 2);
    if (code == Cmd::SetMaxDistance && maxDistance)
        logLine += QLatin1Char(' ') + QString::number(*maxDistance);
    if (!logLine.isEmpty())
        str_to_log(logLine);
    if (row->tone)
        beep(1000, 100);
    if (row->wrongTone)
        beep(400, 800);

    switch (code) {
    case Cmd::SetMode:
        // The sensor echoes the mode it took; newer firmware adds its echo selection.
        Out_modes(byteAt(answer, 4).value_or(0));
        if (answer.size() > 5 && sensorCapabilities().echoInModeAnswer)
            showEchoSelection(byteAt(answer, 5).value_or(0));
        break;
    case Cmd::SetMinDistance:
        ui->lamp_level->setText(QString::number(byteAt(answer, 4).value_or(0)));
        break;
    case Cmd::SetMaxDistance:
        if (maxDistance)
            ui->maxLong->setText(QString::number(*maxDistance));
        break;
    default:
        break;
    }
}

void frmSerial::searchAnswer(const QByteArray &answer)
{
    const QString list = searchListText(answer);
    ui->CmbNet->clear();
    ui->CmbNet->addItems(searchAddresses(answer));
    ui->CmbNet->setCurrentIndex(0);
    // Selecting the first sensor found is a pick of that address.
    CmbNet_Click();
    ui->netdev->setText(list);
    out_win(answer);
    str_to_log(QStringLiteral("Устройства в сети ") + list);
    exchangeEngine->queue(Zapros_ser_num());
    ui->MsgCom->setText(QStringLiteral("Network polled."));
}
