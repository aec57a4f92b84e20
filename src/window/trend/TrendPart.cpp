// The trend's side of the window: what each engine tick brought, the settings sent, and
// the readings file.
#include "TrendPart.h"

#include "TrendPage.h"
#include "core/files/AtomicFile.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/sensor/DataAnswer.h"
#include "core/trend/ReadingsCsv.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"

#include <QDir>

using namespace levelconf;

namespace
{
const char *const kCsvFilter = QT_TRANSLATE_NOOP("TrendPart", "CSV files (*.csv)");
} // namespace

TrendPart::TrendPart(SensorSession &session, QObject *parent)
    : QObject(parent), m_session(session),
      m_page(new TrendPage([&session] { return session.now(); }))
{
    connect(m_page, &TrendPage::saveRequested, this, &TrendPart::trendSave_Click);
    connect(&m_session, &SensorSession::dataShown, this, &TrendPart::reading);
    connect(&m_session, &SensorSession::readingMissed, this, &TrendPart::missed);
    connect(&m_session, &SensorSession::portClosed, m_page, &TrendPage::endSeries);
    connect(&m_session, &SensorSession::settingQueued, m_page, &TrendPage::settingQueued);
    const ExchangeEngine &engine = m_session.engine();
    connect(&engine, &ExchangeEngine::frameWritten, m_page, &TrendPage::frameWritten);
    connect(&engine, &ExchangeEngine::noAnswer, this, &TrendPart::missed);
    connect(&engine, &ExchangeEngine::crcMismatch, this, &TrendPart::missed);
}

TrendPart::~TrendPart()
{
    if (m_page && !m_page->parent())
        delete m_page;
}

void TrendPart::reading(const DataReadings &r, StabilityLamp lamp, bool range4096)
{
    // An answer cut short before its output code has nothing to plot.
    if (!r.output) {
        missed();
        return;
    }
    TrendEntry e;
    e.address = *r.address;
    e.amplitude = *r.amplitude;
    e.output = *r.output;
    e.temperature = static_cast<qint8>(*r.temperature);
    e.lamp = lamp;
    e.range4096 = range4096;
    m_page->record(e);
}

void TrendPart::missed()
{
    // Without an address nothing was polled, so nothing was missed.
    const std::optional<quint8> a = m_session.selectedAddress();
    if (!a)
        return;
    TrendEntry e;
    e.address = *a;
    e.gap = true;
    m_page->record(e);
}

void TrendPart::trendSave_Click()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    if (m_page->store().isEmpty()) {
        dialogs.MsgBox(tr("No readings have been recorded yet: there is nothing to save."),
                       OperatorDialogs::Icon::Information);
        return;
    }
    const QString path =
        dialogs.SaveFile(tr("Save readings"), tr(kCsvFilter), m_session.programFolder());
    if (path.isEmpty())
        return;
    if (const auto error = replaceFile(path, readingsCsv(m_page->store()))) {
        dialogs.MsgBox(tr("The readings were not saved to %1: %2. A file already there is left "
                          "as it was.")
                           .arg(QDir::toNativeSeparators(path), *error),
                       OperatorDialogs::Icon::Warning);
    }
}
