#include "frmSerial.h"

#include "Form2.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/log/ResultsEcho.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/calibration/PointGrid.h"
#include "window/platform/OperatorDialogs.h"
#include "window/platform/Tone.h"
#include "window/settings/Form4.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/LabelClicks.h"
#include "window/widgets/Tags.h"

#include <QCloseEvent>

namespace
{
const QString kNoSessionLog = QStringLiteral("Running without a session log.");

// Caption labels act on their controls, and the main actions answer Alt keys. The
// captions are the program's own texts and keep them: no '&' is added. "&Set" and
// "Change &network address" have Alt+S and Alt+N already; a button on a page not shown
// does not answer, so the pages may share a letter.
void connectKeyboard(frmSerial *window, Ui::frmSerial &ui)
{
    new LabelClicks(window);
    auto alt = [](Qt::Key key) { return QKeySequence(Qt::ALT | key); };
    bindActionKeys({
        {ui.BTNOpenCom, alt(Qt::Key_O)},
        {ui.BTNCloseCom, alt(Qt::Key_C)},
        {ui.Opros, alt(Qt::Key_E)},
        {ui.shift, alt(Qt::Key_L)},
        {ui.Command6, alt(Qt::Key_R)},
        {ui.Command11, alt(Qt::Key_T)},
        {ui.Command12, alt(Qt::Key_U)},
        {ui.ch_portion, alt(Qt::Key_H)},
        {ui.gen_zapr, alt(Qt::Key_G)},
        {ui.gen_copy, alt(Qt::Key_P)},
        {ui.Command8, alt(Qt::Key_F)},
        {ui.start, alt(Qt::Key_T)},
        {ui.fwCancel, alt(Qt::Key_A)},
    });
}
} // namespace

frmSerial::frmSerial(const Platform &p, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmSerial>()), platform(p)
{
    if (!platform.clock)
        platform.clock = [] { return QDateTime::currentDateTime(); };
    Form_Initialize();
    ui->setupUi(this);

    Timer1.setInterval(1000);

    connectShell();
    connectPortSelection();
    connectEngine();
    connectMonitor();
    connectFilterSwitches();
    connectConfig();
    connectRemote();
    connectCalibration();
    connectTableTransfer();
    connectFirmware();
    connectTrend();
    Form_Load();
    // Once every page has its controls, some of which are built in code.
    connectKeyboard(this, *ui);
}

frmSerial::~frmSerial()
{
    Form_Terminate();
}

void frmSerial::Form_Initialize()
{
    // The styles file and the common-controls call exist for Windows only; Qt draws the
    // platform's own style everywhere.
}

void frmSerial::connectShell()
{
    // Defaults that hold a decimal fraction are shown in the locale's own way, so that
    // they are valid input as they stand.
    const QLocale locale;
    ui->Tsr->setText(QString(ui->Tsr->text()).replace(QLatin1Char(','), locale.decimalPoint()));
    ui->Psr->setText(QString(ui->Psr->text()).replace(QLatin1Char(','), locale.decimalPoint()));
}

void frmSerial::Form_Load()
{
    hide();
    form2Ptr = new Form2(this);
    form2Ptr->show();

    mode_yes = true;
    Ur_progressBar = 1024;
    calib_warned = 0;
    stab_avg = 0;
    stab_cnt = 0;
    stab_hold = 0;

    ui->CmbNet->clear();
    ui->CmbNet->addItem(QStringLiteral("0"));
    ui->CmbNet->setCurrentIndex(0);

    CloseAllTags();

    if (const auto failure = sessionLog.start(platform.logFolder, platform.clock())) {
        dialogs().MsgBox(failure->description, OperatorDialogs::Icon::Critical,
                         QStringLiteral("Error#") + QString::number(failure->number));
        // Without a log the program still has to reach the bus (a read-only home, a
        // kiosk account): start-up goes on, and str_to_log writes nothing.
        ui->MsgCom->setText(kNoSessionLog);
    }

    ui->CmbPort->clear();
    ui->CmbPort->addItem(QStringLiteral("----"));
    ui->CmbPort->setCurrentIndex(0);

    const QStringList commands = {
        QStringLiteral("Ввести пароль"),
        QStringLiteral("Запрс состояния"),
        QStringLiteral("Запрсить версию прошивки и серийный номер"),
        QStringLiteral("Сдвинуть уровень полного"),
        QStringLiteral("Сдвинуть уровень пустого"),
        QStringLiteral("Установить уровень полного"),
        QStringLiteral("Установить уровень пустого"),
        QStringLiteral("Set mode"),
        QStringLiteral("Set password"),
    };
    {
        const QSignalBlocker quiet(ui->VibGenCmd);
        ui->VibGenCmd->clear();
        ui->VibGenCmd->addItems(commands);
        ui->VibGenCmd->setCurrentIndex(0);
    }
    VibGenCmd_Click();
    ch_ver_Click();

    Timer1.start();
    ui->BTNOpenCom->setEnabled(true);

    ui->ProgressBar1->setValue(621);

    giveDefaultTags(this);

    ui->SSTab1->setCurrentIndex(0);
}

void frmSerial::closeEvent(QCloseEvent *event)
{
    // Form_QueryUnload: release the port (which logs "Closed") and end with all windows.
    // An update under way ends first, so that the operator learns what state the sensor
    // is left in.
    fwUpdate->cancel();
    BTNCloseCom_Click();
    unloaded = true;
    if (form2Ptr)
        form2Ptr->close();
    if (form3Ptr)
        form3Ptr->close();
    if (form4Ptr)
        form4Ptr->close();
    event->accept();
}

void frmSerial::Form_Terminate()
{
    exchangeEngine->stop();
    Timer1.stop();
    // Closing the window has already released the port and logged it; doing it again
    // would only write a second "Closed" line.
    if (!unloaded)
        BTNCloseCom_Click();
}

void frmSerial::CloseAllTags()
{
    for (QWidget *w : taggedControls(this)) {
        const int tag = tagOf(w);
        if (tag > 8)
            w->setEnabled(false);
        if (tag == 176)
            w->setVisible(false);
    }
}

void frmSerial::SwitchTags()
{
    for (QWidget *w : taggedControls(this)) {
        const int tag = tagOf(w);
        if (tag > 8 && tag < 130)
            w->setEnabled(!ownEnabled(w));
    }
}

void frmSerial::str_to_log(const QString &text)
{
    // A log that cannot be written (disk full, folder removed) must not stop the work on
    // the bus; the line is lost.
    sessionLog.append(text, platform.clock().time());
}

void frmSerial::out_win(const QByteArray &sst)
{
    ui->txtRec->setPlainText(echoText(sst));
}

std::optional<quint8> frmSerial::selectedAddress() const
{
    if (ui->CmbNet->currentIndex() < 0)
        return std::nullopt;
    bool ok = false;
    const int a = ui->CmbNet->currentText().trimmed().toInt(&ok);
    if (!ok || a < 0 || a > 255)
        return std::nullopt;
    return static_cast<quint8>(a);
}

Form3 *frmSerial::form3()
{
    if (!form3Ptr) {
        form3Ptr = new Form3(this);
        connectTableEditor();
    }
    return form3Ptr;
}

Form4 *frmSerial::form4()
{
    if (!form4Ptr)
        form4Ptr = new Form4(this);
    return form4Ptr;
}

void frmSerial::beep(int frequencyHz, int durationMs)
{
    if (platform.tone)
        platform.tone->Beep(frequencyHz, durationMs);
}
