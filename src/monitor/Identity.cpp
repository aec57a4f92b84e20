// Identity of the selected sensor and the network search.
#include "IdentityAnswer.h"
#include "protocol/FrameCodec.h"
#include "protocol/Requests.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

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
        runFirmwareLadder();
    }
    str_to_log(QStringLiteral("Device: ") + ui->sn->text() + QStringLiteral("  Ver Soft: ") +
               ui->vv->text());
}

void frmSerial::Opros_Click()
{
    wrs = searchRequest();
    out_win(wrs);
    str_to_log(QStringLiteral("Cmd Ask Net "));
    net_opr = true;
    mode_yes = true;
}

void frmSerial::CmbNet_Click()
{
    wrs = Zapros_ser_num();
    mode_yes = true;
}
