// The exchange engine: one request out and one answer in per tick.
#include "protocol/FrameCodec.h"
#include "protocol/Requests.h"
#include "serial/SerialPort.h"
#include "shell/Colours.h"
#include "shell/OperatorDialogs.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

#include <QScopeGuard>

namespace
{
// Answers shorter than this are echoed with the CRC worked out here beside the one received.
constexpr int kEchoedAnswerLimit = 30;
// Failed writes in a row that are still put down to a passing fault; the next one closes
// the port.
constexpr int kWriteFailuresTolerated = 3;
} // namespace

void frmSerial::connectEngine()
{
    connect(&TMRComm, &QTimer::timeout, this, &frmSerial::TMRComm_Timer);
}

void frmSerial::TMRComm_Timer()
{
    // A box shown during a tick runs its own event loop while the timer keeps firing. A
    // tick started from in there would take the answer meant for this one and put a second
    // frame on the bus; the next tick comes once the box is gone.
    if (tick_running)
        return;
    tick_running = true;
    const auto done = qScopeGuard([this] { tick_running = false; });

    // An entry that is not an address (there is none in the lists this program fills)
    // neither counts as a change of sensor nor gets polled: nothing built from it goes
    // out. A request already pending, a search say, is still sent.
    const std::optional<quint8> a = selectedAddress();

    if (a && *a != last_addr) {
        wrs = Zapros_ser_num();
        last_addr = *a;
    }

    if (sec_wr_table == 1) {
        sec_wr_table = 0;
        Set_mode_Click();
    }
    if (sec_wr_table == 2)
        sec_wr_table = 1;

    if (wrs.isEmpty()) {
        if (a)
            wrs = dataRequest(*a);
    } else {
        calib_warned = 0;
        if (freq_mode == 1) {
            dialogs().MsgBox(QStringLiteral("This command cannot be executed in Frequency mode. "
                                            "Disconnect the sensor, reconnect it and click "
                                            "Search sensors"));
            wrs.clear();
        }
    }

    out_win(wrs);

    if (stab_hold > 0)
        --stab_hold;
    else
        stab_hold = 0;

    const QByteArray answer = port().ComRead();
    if (port().ComWrite(wrs) != wrs.size()) {
        writeFailed();
        return;
    }

    write_fail_count = 0;
    trendFrameWritten(wrs);
    wrs.clear();
    setFill(ui->Pic, fillOf(ui->Pic) == Colours::White ? Colours::Grey : Colours::White);

    if (answer.isEmpty()) {
        no_data = true;
        const QString text =
            QStringLiteral("No data from sensor with address ") + ui->CmbNet->currentText();
        setTextColour(ui->MsgCom, QColor());
        ui->MsgCom->setText(text);
        str_to_log(text);
        trendMissed();
        return;
    }

    no_data = false;
    setTextColour(ui->MsgCom, Colours::DarkGreen);
    ui->MsgCom->setText(QStringLiteral("Sensor connected"));
    freq_mode = 0;

    const quint8 c = crc8(answer.left(answer.size() - 1));
    ui->len_answ->setText(QString::number(answer.size()));
    if (answer.size() < kEchoedAnswerLimit)
        out_win(answer + static_cast<char>(c));

    if (isFramedAnswer(answer))
        dispatchAnswer(answer, c);
    else
        searchAnswer(answer);

    setFill(ui->Pic, Colours::Red);
    port().ComFlush();
}

void frmSerial::writeFailed()
{
    dialogs().MsgBox(QStringLiteral("Error! COM port unavailable"),
                     OperatorDialogs::Icon::Critical);
    if (write_fail_count >= kWriteFailuresTolerated) {
        TMRComm.stop();
        BTNCloseCom_Click();
    } else {
        ++write_fail_count;
    }
    wrs.clear();
}
