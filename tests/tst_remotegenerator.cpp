#include "WindowHarness.h"
#include "WindowProbes.h"
#include "core/log/ResultsEcho.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"

#include <QClipboard>
#include <QtTest>

using namespace levelconf;

namespace
{
const QString kPasswordMessage =
    "Enter figures-only password, acceptable values 0....2 000 000 000";
const QString kShiftMessage = "Acceptable values -1000 to 1000";
const QString kLevelMessage = "Enter level value from 0....2 000 000 000";
const QString kEarlierLine = "S485=earlier line";
const QString kEchoSentinel = "earlier echo";

// The frame at the end of a request line.
QByteArray frameOf(const QString &line)
{
    return QByteArray::fromHex(line.section(':', 4).toLatin1());
}

// The hex line of the results box; the text box turns the rendering's line ends and
// no-break spaces into plain ones, so only the hex is compared.
QString echoedHex(const QString &shown)
{
    return shown.section(QLatin1Char('\n'), 0, 0);
}
QString expectedEchoHex(const QString &line)
{
    return echoText(frameOf(line)).section(QLatin1String("\r\n"), 0, 0);
}
} // namespace

class tst_RemoteGenerator : public QObject
{
    Q_OBJECT

    // Picks the item, fills the boxes and presses "Generate request", with a local request
    // pending and earlier results on show.
    static void generate(WindowHarness &h, int item, const QString &address, const QString &value,
                         Qt::CheckState chVer)
    {
        Ui::frmSerial *ui = h.ui();
        ui->VibGenCmd->setCurrentIndex(item);
        ui->dist_net_num->setText(address);
        ui->chislo_sdv->setText(value);
        ui->ch_ver->setCheckState(chVer);
        ui->gen_txt->setText(kEarlierLine);
        ui->txtRec->setPlainText(kEchoSentinel);
        h.w().engine().queue(dataRequest(9));
        ui->gen_zapr->click();
    }

    // Nothing was written, and the local request pending before is gone: the engine's next
    // tick polls the sensor selected.
    static void verifyNothingLeftForTheBus(WindowHarness &h)
    {
        QVERIFY(h.port.writes.isEmpty());
        QCOMPARE(frameOfNextTick(h), dataRequest(0));
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void acceptedInputGivesTheLine_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("chVer");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("echo");

        // The sensor manual's examples.
        QTest::newRow("status") << 1 << false << "1"
                                << ""
                                << "S485=4:23:1500:19200:3101F0C5" << false;
        QTest::newRow("identity") << 2 << false << "1"
                                  << ""
                                  << "S485=4:10:1500:19200:3101FC66" << false;
        QTest::newRow("shift empty -1") << 4 << false << "1"
                                        << "-1"
                                        << "S485=6:8:1500:19200:3101F9FFFF71" << false;
        QTest::newRow("shift full 10") << 3 << false << "1"
                                       << "10"
                                       << "S485=6:10:1500:19200:3101F4000AAB" << false;
        QTest::newRow("full level 100000") << 5 << false << "1"
                                           << "100000"
                                           << "S485=8:10:1500:19200:3101EC000186A064" << true;
        QTest::newRow("mode, controls clear") << 7 << false << "1"
                                              << ""
                                              << "S485=5:5:1500:19200:3101F20064" << true;

        // Newer firmware: the key between code and data, the longer answer counts.
        QTest::newRow("status keyed") << 1 << true << "1"
                                      << ""
                                      << "S485=4:24:1500:19200:3101F0C5" << false;
        QTest::newRow("identity keyed") << 2 << true << "1"
                                        << ""
                                        << "S485=4:10:1500:19200:3101FC66" << false;
        QTest::newRow("shift full keyed") << 3 << true << "1"
                                          << "10"
                                          << "S485=9:10:1500:19200:3101F4A55AC3000AC7" << false;
        QTest::newRow("shift empty keyed") << 4 << true << "1"
                                           << "-1"
                                           << "S485=9:8:1500:19200:3101F9A55AC3FFFF47" << false;
        QTest::newRow("enter password") << 0 << false << "1"
                                        << "12345"
                                        << "S485=8:4:1500:19200:3101F80000303989" << true;
        QTest::newRow("enter password keyed, largest")
            << 0 << true << "1"
            << "2000000000"
            << "S485=11:4:1500:19200:3101F8A55AC377359400B2" << true;
        QTest::newRow("set password keyed")
            << 8 << true << "3"
            << "5"
            << "S485=11:8:1500:19200:3103F7A55AC3000000051B" << true;
        QTest::newRow("empty level keyed, largest")
            << 6 << true << "7"
            << "2000000000"
            << "S485=11:8:1500:19200:3107EDA55AC37735940043" << true;

        // Bounds and rounding.
        QTest::newRow("status at 255") << 1 << false << "255"
                                       << ""
                                       << "S485=4:23:1500:19200:31FFF080" << false;
        QTest::newRow("identity at 255") << 2 << false << "255"
                                         << ""
                                         << "S485=4:10:1500:19200:31FFFC23" << false;
        QTest::newRow("password 0 to 255") << 8 << false << "255"
                                           << "0"
                                           << "S485=8:8:1500:19200:31FFF70000000088" << true;
        QTest::newRow("empty level 0") << 6 << false << "7"
                                       << "0"
                                       << "S485=8:8:1500:19200:3107ED000000009A" << true;
        QTest::newRow("full level 0") << 5 << false << "1"
                                      << "0"
                                      << "S485=8:10:1500:19200:3101EC00000000E5" << true;
        QTest::newRow("shift -1000") << 4 << false << "1"
                                     << "-1000"
                                     << "S485=6:8:1500:19200:3101F9FC184E" << false;
        QTest::newRow("shift 1000") << 3 << false << "1"
                                    << "1000"
                                    << "S485=6:10:1500:19200:3101F403E8AB" << false;
        QTest::newRow("address halves to even") << 1 << false << "254.5"
                                                << ""
                                                << "S485=4:23:1500:19200:31FEF044" << false;
        QTest::newRow("shift halves to even") << 3 << false << "1"
                                              << "10.5"
                                              << "S485=6:10:1500:19200:3101F4000AAB" << false;
        QTest::newRow("password at 5") << 0 << false << " 5 "
                                       << "0"
                                       << "S485=8:4:1500:19200:3105F8000000005A" << true;
    }
    void acceptedInputGivesTheLine()
    {
        QFETCH(int, item);
        QFETCH(bool, chVer);
        QFETCH(QString, address);
        QFETCH(QString, value);
        QFETCH(QString, line);
        QFETCH(bool, echo);

        WindowHarness h;
        generate(h, item, address, value, chVer ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(h.ui()->gen_txt->text(), line);
        if (echo)
            QCOMPARE(echoedHex(h.ui()->txtRec->toPlainText()), expectedEchoHex(line));
        else
            QCOMPARE(h.ui()->txtRec->toPlainText(), kEchoSentinel);
        QCOMPARE(h.dialogs.messages(), QStringList());
        verifyNothingLeftForTheBus(h);
    }

    void refusedInputKeepsTheEarlierLine_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("messages");

        const QStringList pwd{kPasswordMessage}, shift{kShiftMessage}, level{kLevelMessage}, none;
        QTest::newRow("password: address 256") << 0 << "256"
                                               << "1" << pwd;
        QTest::newRow("password: address letters") << 0 << "ab"
                                                   << "1" << pwd;
        QTest::newRow("password: address empty") << 0 << ""
                                                 << "1" << pwd;
        QTest::newRow("password: letters") << 0 << "1"
                                           << "12a" << pwd;
        QTest::newRow("password: negative") << 0 << "1"
                                            << "-1" << pwd;
        QTest::newRow("password: above the limit") << 0 << "1"
                                                   << "2000000001" << pwd;
        QTest::newRow("password: beyond 32 bits") << 0 << "1"
                                                  << "99999999999" << pwd;
        QTest::newRow("password: one box for both") << 0 << "ab"
                                                    << "-1" << pwd;
        QTest::newRow("new password: address 256") << 8 << "256"
                                                   << "1" << pwd;
        QTest::newRow("new password: empty") << 8 << "1"
                                             << "" << pwd;

        QTest::newRow("status: address 256") << 1 << "256"
                                             << "" << none;
        QTest::newRow("status: address letters") << 1 << "x1"
                                                 << "" << none;
        QTest::newRow("status: address negative") << 1 << "-1"
                                                  << "" << none;
        QTest::newRow("status: address rounds to 256") << 1 << "255.5"
                                                       << "" << none;
        QTest::newRow("identity: address 256") << 2 << "256"
                                               << "" << none;

        QTest::newRow("shift: address before value") << 3 << "256"
                                                     << "5000" << none;
        QTest::newRow("shift: letters") << 3 << "1"
                                        << "ten" << none;
        QTest::newRow("shift: above 1000") << 4 << "1"
                                           << "1001" << shift;
        QTest::newRow("shift: below -1000") << 4 << "1"
                                            << "-1001" << shift;
        QTest::newRow("shift: beyond 16 bits") << 3 << "1"
                                               << "40000" << none;

        QTest::newRow("level: letters") << 5 << "1"
                                        << "abc" << none;
        QTest::newRow("level: negative") << 5 << "1"
                                         << "-1" << level;
        QTest::newRow("level: above the limit") << 6 << "1"
                                                << "2000000001" << level;
        QTest::newRow("level: beyond 32 bits") << 5 << "1"
                                               << "1e10" << none;
        QTest::newRow("level: value before address") << 6 << "abc"
                                                     << "-5" << level;
        QTest::newRow("level: address 256") << 5 << "256"
                                            << "100" << none;

        QTest::newRow("mode: address 256") << 7 << "256"
                                           << "" << none;
        QTest::newRow("mode: address empty") << 7 << ""
                                             << "" << none;
    }
    void refusedInputKeepsTheEarlierLine()
    {
        QFETCH(int, item);
        QFETCH(QString, address);
        QFETCH(QString, value);
        QFETCH(QStringList, messages);

        WindowHarness h;
        generate(h, item, address, value, Qt::Unchecked);
        QCOMPARE(h.dialogs.messages(), messages);
        QCOMPARE(h.ui()->gen_txt->text(), kEarlierLine);
        QCOMPARE(h.ui()->txtRec->toPlainText(), kEchoSentinel);
        verifyNothingLeftForTheBus(h);
    }

    void modeControlsMakeTheModeBytes_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("output"); // r485d, r_ad, r_fd, r_pd, r_p485d
        // iinvd, usrednd, D_4096d, per_sentsd, tartab1d
        QTest::addColumn<QList<int>>("flags");
        QTest::addColumn<int>("chVer");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("termo");
        QTest::addColumn<QString>("line");

        const int off = Qt::Unchecked, grey = Qt::PartiallyChecked, on = Qt::Checked;
        const QList<int> clear{off, off, off, off, off};
        QTest::newRow("keyed, level 0, compensation off")
            << "1" << 0 << clear << on << 0 << on << "S485=9:6:1500:19200:3101F2A55AC3008087";
        QTest::newRow("keyed, grey compensation box does not count")
            << "1" << 0 << clear << on << 0 << grey << "S485=9:6:1500:19200:3101F2A55AC300000B";
        QTest::newRow("grey firmware switch is not newer firmware")
            << "1" << 0 << clear << grey << 9 << on << "S485=5:5:1500:19200:3101F20064";
        QTest::newRow("grey mode flags count as ticked")
            << "1" << 0 << QList<int>{grey, grey, grey, grey, grey} << off << 0 << off
            << "S485=5:5:1500:19200:3101F2E911";
        QTest::newRow("active RS-485, every flag")
            << "2" << 4 << QList<int>{on, on, on, on, on} << off << 0 << off
            << "S485=5:5:1500:19200:3102F2F968";
        QTest::newRow("impulse, inverted") << "2" << 3 << QList<int>{on, off, off, off, off} << off
                                           << 0 << off << "S485=5:5:1500:19200:3102F20703";
        QTest::newRow("keyed frequency, filtration, range, level 5")
            << "2" << 2 << QList<int>{off, on, on, off, off} << on << 5 << on
            << "S485=9:6:1500:19200:3102F2A55AC38C859D";
        QTest::newRow("keyed analog, level 7")
            << "2" << 1 << clear << on << 7 << off << "S485=9:6:1500:19200:3102F2A55AC302075E";
    }
    void modeControlsMakeTheModeBytes()
    {
        QFETCH(QString, address);
        QFETCH(int, output);
        QFETCH(QList<int>, flags);
        QFETCH(int, chVer);
        QFETCH(int, slider);
        QFETCH(int, termo);
        QFETCH(QString, line);

        WindowHarness h;
        Ui::frmSerial *ui = h.ui();
        const QList<QRadioButton *> outputs{ui->r485d, ui->r_ad, ui->r_fd, ui->r_pd, ui->r_p485d};
        outputs[output]->setChecked(true);
        const QList<QCheckBox *> boxes{ui->iinvd, ui->usrednd, ui->D_4096d, ui->per_sentsd,
                                       ui->tartab1d};
        for (int i = 0; i < boxes.size(); ++i) {
            boxes[i]->setTristate(flags[i] == Qt::PartiallyChecked);
            boxes[i]->setCheckState(Qt::CheckState(flags[i]));
        }
        ui->Slider1d->setValue(slider);
        ui->Termokompensd->setTristate(true);
        ui->Termokompensd->setCheckState(Qt::CheckState(termo));
        ui->ch_ver->setTristate(true);
        generate(h, 7, address, "", Qt::CheckState(chVer));

        QCOMPARE(ui->gen_txt->text(), line);
        QCOMPARE(echoedHex(ui->txtRec->toPlainText()), expectedEchoHex(line));
        verifyNothingLeftForTheBus(h);
    }

    void pickerShowsWhatTheItemNeeds_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("chVer");
        QTest::addColumn<QString>("caption"); // empty: no value box
        QTest::addColumn<bool>("modes");
        QTest::addColumn<bool>("filtration");

        QTest::newRow("0") << 0 << false << "Enter figures-only password:" << false << false;
        QTest::newRow("1") << 1 << false << "" << false << false;
        QTest::newRow("2") << 2 << true << "" << false << false;
        QTest::newRow("3") << 3 << false << "Full value shift in lvl units" << false << false;
        QTest::newRow("4") << 4 << false << "Empty value shift in lvl units" << false << false;
        QTest::newRow("5") << 5 << false << "Set as full value" << false << false;
        QTest::newRow("6") << 6 << true << "Set as empty value" << false << false;
        QTest::newRow("7") << 7 << false << "" << true << false;
        QTest::newRow("7 newer firmware") << 7 << true << "" << true << true;
        QTest::newRow("8") << 8 << false << "Set as password" << false << false;
    }
    void pickerShowsWhatTheItemNeeds()
    {
        QFETCH(int, item);
        QFETCH(bool, chVer);
        QFETCH(QString, caption);
        QFETCH(bool, modes);
        QFETCH(bool, filtration);

        WindowHarness h;
        Ui::frmSerial *ui = h.ui();
        if (chVer)
            ui->ch_ver->click();
        // Start from what another item left behind.
        ui->VibGenCmd->setCurrentIndex(item == 7 ? 0 : 7);
        ui->VibGenCmd->setCurrentIndex(item);

        QCOMPARE(!ui->chislo_sdv->isHidden(), !caption.isEmpty());
        QCOMPARE(!ui->lchislo->isHidden(), !caption.isEmpty());
        if (!caption.isEmpty())
            QCOMPARE(ui->lchislo->text(), caption);
        QCOMPARE(!ui->Frame5->isHidden(), modes);
        if (modes) {
            for (QWidget *w :
                 {static_cast<QWidget *>(ui->Slider1d), static_cast<QWidget *>(ui->Label25),
                  static_cast<QWidget *>(ui->sglad)})
                QVERIFY2(w->isVisibleTo(ui->Frame5) == filtration, qPrintable(w->objectName()));
        }
    }

    void loadShowsThePasswordLayout()
    {
        WindowHarness h;
        Ui::frmSerial *ui = h.ui();
        QCOMPARE(ui->VibGenCmd->currentIndex(), 0);
        QVERIFY(!ui->chislo_sdv->isHidden());
        QCOMPARE(ui->lchislo->text(), QString("Enter figures-only password:"));
        QVERIFY(ui->Frame5->isHidden());
        QVERIFY(ui->Termokompensd->isHidden());
        QVERIFY(ui->gen_txt->isReadOnly());
        QVERIFY(ui->gen_txt->text().isEmpty());
    }

    void noItemPickedDoesNothing()
    {
        WindowHarness h;
        h.ui()->VibGenCmd->setCurrentIndex(-1);
        h.ui()->gen_txt->setText(kEarlierLine);
        h.ui()->gen_zapr->click();
        QCOMPARE(h.ui()->gen_txt->text(), kEarlierLine);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void generatingWithThePortOpenDropsTheLocalRequest()
    {
        WindowHarness h;
        h.openPort();
        QVERIFY(h.ui()->gen_zapr->isHidden());
        h.w().engine().queue(shiftRequest(4, true, 20, false));
        h.ui()->dist_net_num->setText("4");
        h.ui()->VibGenCmd->setCurrentIndex(2);  // serial number and firmware version
        h.w().parts().remote->gen_zapr_Click(); // the button is hidden while a port is open
        QCOMPARE(h.ui()->gen_txt->text(), QString("S485=4:10:1500:19200:3104FC99"));
        verifyNothingLeftForTheBus(h);
    }

    void lineIsSelectedAndCopied()
    {
        WindowHarness h;
        generate(h, 2, "1", "", Qt::Unchecked);
        const QString line = h.ui()->gen_txt->text();
        QCOMPARE(h.ui()->gen_txt->selectedText(), line);

        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText("probe");
        if (clipboard->text() != "probe")
            QSKIP("this platform keeps no clipboard");
        h.ui()->gen_copy->click();
        QCOMPARE(clipboard->text(), line);

        // An empty box leaves the clipboard alone.
        h.ui()->gen_txt->clear();
        h.ui()->gen_copy->click();
        QCOMPARE(clipboard->text(), line);
    }
};

QTEST_MAIN(tst_RemoteGenerator)
#include "tst_remotegenerator.moc"
