// The requests to stop on Windows: Ctrl+C and Ctrl+Break in the console, the console
// closed, the user logging off and the system shutting down. The system calls the handler
// on a thread of its own; the request is passed on to the thread that caught it through
// its event loop.
#include "TerminationSignals.h"

#include <QMetaObject>
#include <QPointer>

#include <atomic>
#include <csignal>
#include <windows.h>

namespace levelconf
{

namespace
{
class WindowsTerminationSignals;
std::atomic<WindowsTerminationSignals *> catcher{nullptr};

// The signal a console event stands for where the program's stop is the same as on
// Unix: an interrupt from the keyboard (Ctrl+C, Ctrl+Break), or a termination.
int signalOf(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return SIGINT;
    default:
        return SIGTERM;
    }
}

class WindowsTerminationSignals : public TerminationSignals
{
public:
    WindowsTerminationSignals() = default;
    ~WindowsTerminationSignals() override
    {
        ::SetConsoleCtrlHandler(&WindowsTerminationSignals::onConsoleEvent, FALSE);
        catcher = nullptr;
    }

    bool install()
    {
        catcher = this;
        return ::SetConsoleCtrlHandler(&WindowsTerminationSignals::onConsoleEvent, TRUE) != 0;
    }

private:
    static BOOL WINAPI onConsoleEvent(DWORD event)
    {
        WindowsTerminationSignals *target = catcher.load();
        if (!target)
            return FALSE;
        const int sig = signalOf(event);
        QMetaObject::invokeMethod(
            target, [target, sig] { emit target->requested(sig); }, Qt::QueuedConnection);
        // A console that closes or a session that ends takes the process with it once the
        // handler returns: give the program its moment to finish in order.
        if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
            ::Sleep(3000);
        return TRUE;
    }
};
} // namespace

std::unique_ptr<TerminationSignals> catchTerminationSignals()
{
    if (catcher.load())
        return nullptr;
    auto c = std::make_unique<WindowsTerminationSignals>();
    if (!c->install())
        return nullptr;
    return c;
}

} // namespace levelconf
