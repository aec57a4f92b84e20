// Choosing, opening and closing the port.
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/PortNames.h"
#include "core/serial/SerialPort.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/Form2.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"

namespace
{
const QString kNoPort = QStringLiteral("----");
} // namespace

void frmSerial::connectPortSelection()
{
    connect(&Timer1, &QTimer::timeout, this, &frmSerial::Timer1_Timer);
    connect(ui->BTNOpenCom, &QPushButton::clicked, this, &frmSerial::BTNOpenCom_Click);
    connect(ui->BTNCloseCom, &QPushButton::clicked, this, &frmSerial::BTNCloseCom_Click);
    // A path typed into the box and confirmed with Enter stays typed text rather than
    // becoming an item: the next refresh of the list would otherwise drop it again.
    ui->CmbPort->setInsertPolicy(QComboBox::NoInsert);
    // A device that opens but will not take the line settings says why in a box of its own,
    // before the open is reported as failed.
    connect(
        &port().events(), &SerialPortEvents::lineSetUpFailed, this,
        [this](const QString &text) { dialogs().MsgBox(text, OperatorDialogs::Icon::Critical); });
}

void frmSerial::addPortDevice(const QString &device)
{
    if (device.isEmpty())
        return;
    if (!extra_ports.contains(device))
        extra_ports.append(device);
    if (ui->CmbPort->findText(device) < 0)
        ui->CmbPort->addItem(device);
    ui->CmbPort->setCurrentIndex(ui->CmbPort->findText(device));
}

void frmSerial::Timer1_Timer()
{
    // The count stops at 2: wrapping round after some 18 hours without a port, it would
    // bring the start-up swap back.
    if (timer1_ticks < 2 && ++timer1_ticks == 2) {
        if (form2Ptr)
            form2Ptr->hide();
        show();
    }

    QStringList found;
    QString trace;
    for (const QString &name : port().portNames()) {
        if (found.size() >= kMaxListedPorts)
            break;
        if (!port().ComPortExists(name))
            continue;
        found.append(name);
        trace += name + QStringLiteral(", ");
    }
    ui->txtRec->moveCursor(QTextCursor::End);
    ui->txtRec->insertPlainText(trace + QStringLiteral("\r\n"));

    for (const QString &extra : extra_ports) {
        if (!found.contains(extra))
            found.append(extra);
    }

    QStringList current;
    for (int i = 0; i < ui->CmbPort->count(); ++i)
        current.append(ui->CmbPort->itemText(i));
    // A device path typed into the box is kept as typed across a change of the list.
    const int remembered = ui->CmbPort->currentIndex();
    const QString text = ui->CmbPort->currentText();
    const bool typed = text != kNoPort && !text.isEmpty() &&
                       (remembered < 0 || text != ui->CmbPort->itemText(remembered));

    // An unchanged list is left alone, so that a device path being typed into the box
    // is not wiped by the refresh.
    if (found.isEmpty()) {
        if (current == QStringList{kNoPort} && remembered == 0)
            return;
        ui->CmbPort->clear();
        ui->CmbPort->addItem(kNoPort);
        ui->CmbPort->setCurrentIndex(0);
        if (typed)
            ui->CmbPort->setEditText(text);
        return;
    }
    if (found == current && remembered >= 0)
        return;

    ui->CmbPort->clear();
    ui->CmbPort->addItems(found);
    if (remembered >= 0 && remembered < found.size())
        ui->CmbPort->setCurrentIndex(remembered);
    else if (remembered >= found.size())
        ui->CmbPort->setCurrentIndex(found.size() - 1);
    else
        ui->CmbPort->setCurrentIndex(0);
    if (typed)
        ui->CmbPort->setEditText(text);
}

void frmSerial::BTNOpenCom_Click()
{
    Timer1.stop();
    const QString item = ui->CmbPort->currentText();
    const QString device = port().deviceName(item);
    if (!port().ComOpen(device, kBusLineSettings)) {
        const QString text = QStringLiteral("Com Port ") + item +
                             QStringLiteral(" unavailable. Select the right COM port.");
        QString shown = text;
        if (const QString advice = openFailureAdvice(port().lastOpenFailure()); !advice.isEmpty())
            shown += QLatin1Char('\n') + advice;
        dialogs().MsgBox(shown, OperatorDialogs::Icon::Warning);
        str_to_log(text);
        BTNCloseCom_Click();
        return;
    }
    SwitchTags();
    exchangeEngine->start();
    ui->BTNOpenCom->setEnabled(false);
    ui->BTNCloseCom->setEnabled(true);
    str_to_log(QStringLiteral("Com Port ") + device + QStringLiteral(" Open"));
    ui->Label10->setVisible(false);
    ui->kko->setVisible(false);
    ui->gen_zapr->setVisible(false);
    beep(1000, 100);
}

void frmSerial::BTNCloseCom_Click()
{
    exchangeEngine->stop();
    ui->Label10->setVisible(true);
    ui->kko->setVisible(true);
    ui->gen_zapr->setVisible(true);
    // A port that never opened (a failed open, the window closed without one) has no
    // close to log.
    const bool wasOpen = port().ComClose();
    CloseAllTags();
    ui->gen_zapr->setEnabled(true);
    ui->Label10->setEnabled(true);
    ui->kko->setEnabled(true);
    ui->BTNOpenCom->setEnabled(true);
    ui->BTNCloseCom->setEnabled(false);
    if (wasOpen)
        str_to_log(QStringLiteral("Com Port ") + ui->CmbPort->currentText() +
                   QStringLiteral(" Closed"));

    ui->CmbNet->clear();
    ui->CmbNet->addItem(QStringLiteral("0"));
    ui->CmbNet->setCurrentIndex(0);

    ui->sn->setText(QStringLiteral("0"));
    ui->vv->setText(QStringLiteral("--------"));
    const QString noData = QStringLiteral("No data");
    // Frequency and analog output are readings too: left alone they would show the last
    // sensor's values as if it were still connected.
    for (QLabel *reading :
         {ui->tek, ui->temp, ui->Uroven, ui->lo, ui->hi, ui->ne, ui->freq, ui->anal})
        reading->setText(noData);
    ui->ProgressBar1->setValue(0);
    ui->MsgCom->setText(QString());
    ui->Kalibr_warning->setText(QString());
    ui->netdev->setText(QStringLiteral("---------"));

    setFill(ui->Pic, Colours::LampIdle);
    for (QWidget *label : {static_cast<QWidget *>(ui->hi), static_cast<QWidget *>(ui->h),
                           static_cast<QWidget *>(ui->Label19)})
        setBackColour(label, QColor());
    setFill(ui->ind_stab, Colours::StabOff);
    trendSeriesEnded();
    Timer1.start();
}
