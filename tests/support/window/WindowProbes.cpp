#include "WindowProbes.h"

#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/protocol/CommandCodes.h"
#include "ui_frmSerial.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

using namespace levelconf;

QStringList comboItems(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

QStringList readingTexts(const Ui::frmSerial *ui)
{
    return {ui->tek->text(),
            ui->temp->text(),
            ui->ne->text(),
            ui->Uroven->text(),
            ui->freq->text(),
            ui->anal->text(),
            ui->lo->text(),
            ui->hi->text(),
            ui->ko->text(),
            ui->kko->text(),
            ui->lamp_level->text(),
            ui->maxLong->text(),
            ui->sgla->text(),
            ui->Kalibr_warning->text(),
            QString::number(ui->ProgressBar1->value())};
}

QByteArray frameOfNextTick(WindowHarness &h)
{
    const qsizetype before = h.port.writes.size();
    h.w().engine().tick();
    return h.port.writes.size() > before ? h.port.writes.last() : QByteArray();
}

bool settingsFollowNextAnswer(WindowHarness &h)
{
    h.ui()->lamp_level->setText(QStringLiteral("77"));
    DataFields f;
    f.minDistance = 12;
    h.w().parts().monitor->showData(dataAnswer(f));
    return h.ui()->lamp_level->text() == QLatin1String("12");
}

int nextLevelBarRange(WindowHarness &h)
{
    h.w().parts().monitor->showData(dataAnswer());
    return h.ui()->ProgressBar1->maximum();
}

QString loggedModeByte(WindowHarness &h)
{
    h.w().parts().monitor->showData(dataAnswer());
    return h.logEvents().value(h.logEvents().size() - 1).split(QStringLiteral(", ")).value(4);
}

bool settingsCarryTheKey(WindowHarness &h)
{
    // The engine turns to the selected sensor first; what it then sends is the setting.
    h.w().engine().tick();
    h.ui()->lamp_level->setText(QStringLiteral("10"));
    h.dialogs.yesNoAnswers.push_front(true);
    h.w().parts().settings->giveSetting(Cmd::SetMinDistance);
    const QByteArray frame = frameOfNextTick(h);
    // 31, address, EE, the three key bytes, the distance, CRC.
    return frame.size() == 8;
}

bool portListRefreshes(WindowHarness &h)
{
    const QString probe = QStringLiteral("ttyPROBE");
    h.port.ports.append(probe);
    const QDeadlineTimer limit(1500);
    while (h.ui()->CmbPort->findText(probe) < 0 && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    h.port.ports.removeAll(probe);
    return h.ui()->CmbPort->findText(probe) >= 0;
}
