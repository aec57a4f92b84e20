// Identity of the selected sensor and the network search.
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/sensor/IdentityAnswer.h"
#include "ui_frmSerial.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"

void frmSerial::connectMonitor()
{
    connect(ui->Opros, &QPushButton::clicked, this, &frmSerial::Opros_Click);
    // Only the operator's pick: the lists the program fills select their entry itself.
    connect(ui->CmbNet, &QComboBox::activated, this, &frmSerial::CmbNet_Click);
}

QByteArray frmSerial::Zapros_ser_num()
{
    const auto a = selectedAddress();
    return a ? identityRequest(*a) : QByteArray();
}

void frmSerial::identityAnswer(const QByteArray &answer)
{
    if (identityAnswerDamaged(answer)) {
        // Nothing of it is taken, and the sensor is asked again on the next tick. A
        // command the operator gives before then replaces the question, as it would any
        // pending request.
        setTextColour(ui->MsgCom, Colours::Red);
        ui->MsgCom->setText(QStringLiteral("Identity answer damaged: asking again."));
        str_to_log(QStringLiteral("Identity answer damaged: ") + answerCheckText(answer));
        exchangeEngine->queue(Zapros_ser_num());
        return;
    }
    assept_sn(answer);
    mode_yes = true;
    ui->MsgCom->setText(QStringLiteral(" S/n and FW received"));
}

void frmSerial::assept_sn(const QByteArray &aans)
{
    const IdentityAnswer id = decodeIdentityAnswer(aans);
    if (!id.serial) {
        // Too short to hold the serial number: the operator sees that the answer was bad
        // and the next identity request (a new pick, a search) tries again.
        ui->sn->setText(QStringLiteral("????????"));
        return;
    }
    ui->sn->setText(QString::number(*id.serial));
    if (id.versionCode) {
        ui->vv->setText(versionText(id.versionPrefix, *id.versionCode));
        fw_version = *id.versionCode;
        fw_address = byteAt(aans, 2);
        runFirmwareLadder();
    }
    str_to_log(identityLogLine(ui->sn->text(), ui->vv->text()));
}

void frmSerial::Opros_Click()
{
    exchangeEngine->queueSearch();
    out_win(searchRequest());
    str_to_log(QStringLiteral("Cmd Ask Net "));
    mode_yes = true;
}

void frmSerial::CmbNet_Click()
{
    exchangeEngine->queue(Zapros_ser_num());
    mode_yes = true;
}
