// The trend page's side of the window: what each engine tick brought, the settings sent,
// and the readings file.
#include "TrendPage.h"
#include "core/files/AtomicFile.h"
#include "core/sensor/DataAnswer.h"
#include "core/trend/ReadingsCsv.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"

#include <QDir>

namespace
{
const QString kCsvFilter = QStringLiteral("CSV files (*.csv)");
} // namespace

void frmSerial::connectTrend()
{
    trendPage = new TrendPage(platform.clock, ui->SSTab1);
    ui->SSTab1->addTab(trendPage, QStringLiteral("Trend"));
    connect(trendPage, &TrendPage::saveRequested, this, &frmSerial::trendSave_Click);
}

void frmSerial::trendReading(const DataReadings &r, StabilityLamp lamp)
{
    // An answer cut short before its output code has nothing to plot.
    if (!r.output) {
        trendMissed();
        return;
    }
    TrendEntry e;
    e.address = *r.address;
    e.amplitude = *r.amplitude;
    e.output = *r.output;
    e.temperature = static_cast<qint8>(*r.temperature);
    e.lamp = lamp;
    e.range4096 = ui->D_4096->isChecked();
    trendPage->record(e);
}

void frmSerial::trendMissed()
{
    // Without an address nothing was polled, so nothing was missed.
    const std::optional<quint8> a = selectedAddress();
    if (!a)
        return;
    TrendEntry e;
    e.address = *a;
    e.gap = true;
    trendPage->record(e);
}

void frmSerial::trendSeriesEnded()
{
    trendPage->endSeries();
}

void frmSerial::trendSettingQueued(const QByteArray &frame, const QString &logText)
{
    trendPage->settingQueued(frame, logText);
}

void frmSerial::trendFrameWritten(const QByteArray &frame)
{
    trendPage->frameWritten(frame);
}

void frmSerial::trendSave_Click()
{
    if (trendPage->store().isEmpty()) {
        dialogs().MsgBox(QStringLiteral("No readings have been recorded yet: there is nothing "
                                        "to save."),
                         OperatorDialogs::Icon::Information);
        return;
    }
    const QString path =
        dialogs().SaveFile(QStringLiteral("Save readings"), kCsvFilter, platform.programFolder);
    if (path.isEmpty())
        return;
    if (const auto error = replaceFile(path, readingsCsv(trendPage->store()))) {
        dialogs().MsgBox(QStringLiteral("The readings were not saved to %1: %2. A file already "
                                        "there is left as it was.")
                             .arg(QDir::toNativeSeparators(path), *error),
                         OperatorDialogs::Icon::Warning);
    }
}
