#include "BusWindowHarness.h"

#include "WindowHarness.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <functional>

using namespace levelconf;

namespace
{
// A tick waits at most the 256 ms bound of its read; this only stops a stuck one.
constexpr int kTickLimitMs = 5000;

void runEventsWhile(const std::function<bool()> &condition, int limitMs)
{
    const QDeadlineTimer limit(limitMs);
    while (condition() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
}
} // namespace

BusWindowHarness::BusWindowHarness()
{
    Platform p;
    p.port = &port;
    p.dialogs = &dialogs;
    p.tone = &tone;
    p.logFolder = dir.filePath(QStringLiteral("log"));
    p.programFolder = dir.path();
    window = std::make_unique<frmSerial>(p);
    QObject::connect(&port.events(), &SerialPortEvents::bytesArrived, window.get(), [this] {
        m_heard = true;
        m_sinceByte.start();
    });
}

BusWindowHarness::~BusWindowHarness() = default;

Ui::frmSerial *BusWindowHarness::ui() const
{
    return window->form();
}

bool BusWindowHarness::open(const QString &device)
{
    window->addPortDevice(device);
    window->parts().portBar->Timer1_Timer();
    window->parts().portBar->BTNOpenCom_Click();
    // The engine runs from the test, one tick at a time.
    window->engine().stop();
    window->engine().attach();
    return port.lastOpenFailure() == SerialPort::OpenFailure::None &&
           ui()->BTNCloseCom->isEnabled();
}

void BusWindowHarness::tick(int count)
{
    for (int i = 0; i < count; ++i) {
        // The second between two ticks of the timer, cut short: the event loop runs until
        // an answer has come and been quiet for 20 ms, or for 256 ms when none comes.
        runEventsWhile([this] { return !m_heard || m_sinceByte.elapsed() < 20; }, 256);
        m_heard = false;
        window->engine().tick();
        // An answer still coming in is waited for by the engine itself, without holding
        // the thread: the event loop runs until the tick has ended.
        runEventsWhile([this] { return window->engine().busy(); }, kTickLimitMs);
    }
}

QStringList BusWindowHarness::logEvents() const
{
    QFile f(window->logPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return logEventTexts(f.readAll());
}
