// The window's side of the exchange engine: what each tick and answer shows, logs and
// sounds. The engine decides what goes on the bus; this draws it.
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"

namespace
{
// Answers shorter than this are echoed with the CRC worked out here beside the one received.
constexpr int kEchoedAnswerLimit = 30;
} // namespace

void frmSerial::connectEngine()
{
    exchangeEngine = new ExchangeEngine(port(), this);
    ExchangeEngine *e = exchangeEngine;
    e->setAddressSource([this] { return selectedAddress(); });
    connect(e, &ExchangeEngine::modeResendDue, this, &frmSerial::Set_mode_Click);
    // Sending a command lets the data decoder's message come once more.
    connect(e, &ExchangeEngine::operatorRequestDue, this, [this] { calib_warned = 0; });
    connect(e, &ExchangeEngine::refusedInFrequencyMode, this, [this] {
        dialogs().MsgBox(QStringLiteral("This command cannot be executed in Frequency mode. "
                                        "Disconnect the sensor, reconnect it and click Search "
                                        "sensors"));
    });
    connect(e, &ExchangeEngine::frameChosen, this, &frmSerial::engineFrameChosen);
    connect(e, &ExchangeEngine::writeFailed, this, &frmSerial::engineWriteFailed);
    connect(e, &ExchangeEngine::linkLost, this, &frmSerial::BTNCloseCom_Click);
    connect(e, &ExchangeEngine::frameWritten, this, &frmSerial::engineFrameWritten);
    connect(e, &ExchangeEngine::noAnswer, this, &frmSerial::engineNoAnswer);
    connect(e, &ExchangeEngine::answerArrived, this, &frmSerial::engineAnswerArrived);
    connect(e, &ExchangeEngine::answered, this, &frmSerial::dispatchAnswer);
    connect(e, &ExchangeEngine::crcMismatch, this, &frmSerial::trendMissed);
    connect(e, &ExchangeEngine::searchAnswered, this, &frmSerial::searchAnswer);
    connect(e, &ExchangeEngine::answerDone, this, [this] { setFill(ui->Pic, Colours::Red); });
}

void frmSerial::TMRComm_Timer()
{
    exchangeEngine->tick();
}

void frmSerial::engineFrameChosen(const QByteArray &frame)
{
    out_win(frame);
    // The level-stability hold runs down by one a tick, answer or not.
    if (stab_hold > 0)
        --stab_hold;
    else
        stab_hold = 0;
}

void frmSerial::engineWriteFailed()
{
    dialogs().MsgBox(QStringLiteral("Error! COM port unavailable"),
                     OperatorDialogs::Icon::Critical);
}

void frmSerial::engineFrameWritten(const QByteArray &frame)
{
    trendFrameWritten(frame);
    setFill(ui->Pic, fillOf(ui->Pic) == Colours::White ? Colours::Grey : Colours::White);
}

void frmSerial::engineNoAnswer()
{
    const QString text = noAnswerText(ui->CmbNet->currentText());
    setTextColour(ui->MsgCom, QColor());
    ui->MsgCom->setText(text);
    str_to_log(text);
    trendMissed();
}

void frmSerial::engineAnswerArrived(const QByteArray &answer, quint8 computedCrc)
{
    setTextColour(ui->MsgCom, Colours::DarkGreen);
    ui->MsgCom->setText(QStringLiteral("Sensor connected"));
    ui->len_answ->setText(QString::number(answer.size()));
    if (answer.size() < kEchoedAnswerLimit)
        out_win(answer + static_cast<char>(computedCrc));
}
