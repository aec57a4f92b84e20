#include "frmSerial.h"

#include "Form2.h"
#include "PartControls.h"
#include "ShellDisplay.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/trend/TrendPage.h"
#include "window/trend/TrendPart.h"
#include "window/widgets/LabelClicks.h"
#include "window/widgets/ScreenFit.h"
#include "window/widgets/Tags.h"

#include <QCloseEvent>

using namespace levelconf;

namespace
{
const char *const kNoSessionLog = QT_TRANSLATE_NOOP("frmSerial", "Running without a session log.");
} // namespace

frmSerial::frmSerial(const Platform &p, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmSerial>()), m_platform(p)
{
    // The styles file and the common-controls call exist for Windows only; Qt draws the
    // platform's own style everywhere.
    ui->setupUi(this);
    scrollCentralWidget(this);
    makeParts();
    startUp();
    // Caption labels act on their controls, once every page has its labels, some of which
    // are made in code.
    new LabelClicks(this);
}

frmSerial::~frmSerial()
{
    shutDown();
}

void frmSerial::makeParts()
{
    m_engine = std::make_unique<ExchangeEngine>(*m_platform.port);
    m_display = std::make_unique<ShellDisplay>(shellDisplayControls(this, *ui));
    m_session = std::make_unique<SensorSession>(m_platform, *m_engine, m_log, *m_display);
    SensorSession &s = *m_session;
    m_engine->setAddressSource([&s] { return s.selectedAddress(); });
    m_display->watch(*m_engine, s);

    m_portBar = std::make_unique<PortBarPart>(s, portBarControls(*ui));
    m_monitor = std::make_unique<MonitorPart>(s, monitorControls(*ui));
    s.setSelectedSensor(m_monitor.get());
    m_settings = std::make_unique<SettingsPart>(s, settingsControls(*ui), this);
    m_remote = std::make_unique<RemotePart>(s, remoteControls(*ui));
    m_calibration = std::make_unique<CalibrationPart>(s, calibrationControls(*ui), this);
    m_firmware = std::make_unique<FirmwarePart>(s, firmwareControls(*ui));
    m_trend = std::make_unique<TrendPart>(s);
    ui->SSTab1->addTab(m_trend->page(), tr("Trend"));

    m_partList = {m_portBar.get(),     m_monitor.get(),  m_settings.get(), m_remote.get(),
                  m_calibration.get(), m_firmware.get(), m_trend.get()};

    connect(m_portBar.get(), &PortBarPart::listTimerTicked, this, &frmSerial::showAfterStartUp);
    connect(ui->SSTab1, &QTabWidget::currentChanged, m_remote.get(), &RemotePart::pageChanged);
}

void frmSerial::startUp()
{
    hide();
    m_startupPicture = new Form2(this);
    m_startupPicture->show();

    m_monitor->start();
    m_display->closeAllTags();

    if (const auto failure = m_log.start(m_platform.logFolder, m_session->now())) {
        m_platform.dialogs->MsgBox(failure->description, OperatorDialogs::Icon::Critical,
                                   tr("Error#%1").arg(failure->number));
        // Without a log the program still has to reach the bus (a read-only home, a
        // kiosk account): start-up goes on, and the log writes nothing.
        m_display->showStatus(tr(kNoSessionLog));
    }

    // A log read beside others says which texts the operator saw; the described set, the
    // one the log's own lines are in, needs no word.
    if (m_platform.language != Language::Described)
        m_session->log(QStringLiteral("Language: ") + languageName(m_platform.language));

    m_portBar->start();
    m_remote->start();
    giveDefaultTags(this);
    ui->SSTab1->setCurrentIndex(0);
}

void frmSerial::showAfterStartUp()
{
    // The count stops at 2: wrapping round after some 18 hours without a port, it would
    // bring the start-up swap back.
    if (m_listTicks < 2 && ++m_listTicks == 2) {
        m_startupPicture->hide();
        fitToScreen(this);
        show();
    }
}

void frmSerial::addPortDevice(const QString &device)
{
    m_portBar->addPortDevice(device);
}

void frmSerial::closeEvent(QCloseEvent *event)
{
    // Form_QueryUnload: release the port (which logs "Closed") and end with all windows.
    // An update under way ends first, so that the operator learns what state the sensor
    // is left in.
    m_firmware->cancel();
    m_portBar->BTNCloseCom_Click();
    m_unloaded = true;
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            w->close();
    }
    event->accept();
}

void frmSerial::shutDown()
{
    m_engine->stop();
    m_portBar->stop();
    // Closing the window has already released the port and logged it; doing it again
    // would only write a second "Closed" line.
    if (!m_unloaded)
        m_portBar->BTNCloseCom_Click();
}
