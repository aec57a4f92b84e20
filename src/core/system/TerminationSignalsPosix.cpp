// The requests to stop on POSIX systems: a self-pipe that the signal handler writes the
// signal number into, read on the window's thread through a socket notifier.
#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace levelconf
{

namespace
{
constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end while a catcher exists, -1 otherwise.
volatile sig_atomic_t writeEnd = -1;

extern "C" void onTerminationSignal(int sig)
{
    // Only async-signal-safe calls here. A full pipe loses the byte, but the ones before
    // it will stop the program all the same.
    const int saved = errno;
    const char c = char(sig);
    [[maybe_unused]] const ssize_t n = ::write(writeEnd, &c, 1);
    errno = saved;
}

class PosixTerminationSignals : public TerminationSignals
{
public:
    PosixTerminationSignals() = default;
    ~PosixTerminationSignals() override;

    bool install();

private:
    void drain();

    int m_pipe[2] = {-1, -1};
    std::array<struct sigaction, kSignals.size()> m_previous{};
    size_t m_installed = 0;
    QSocketNotifier *m_notifier = nullptr;
};

bool PosixTerminationSignals::install()
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PosixTerminationSignals::drain);

    struct sigaction action {
    };
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (; m_installed < kSignals.size(); ++m_installed) {
        if (::sigaction(kSignals[m_installed], &action, &m_previous[m_installed]) != 0)
            return false;
    }
    return true;
}

PosixTerminationSignals::~PosixTerminationSignals()
{
    while (m_installed > 0) {
        --m_installed;
        ::sigaction(kSignals[m_installed], &m_previous[m_installed], nullptr);
    }
    writeEnd = -1;
    delete m_notifier;
    for (int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void PosixTerminationSignals::drain()
{
    char sig = 0;
    while (::read(m_pipe[0], &sig, 1) == 1)
        emit requested(int(quint8(sig)));
}
} // namespace

std::unique_ptr<TerminationSignals> catchTerminationSignals()
{
    // The handler has one pipe to write to.
    if (writeEnd >= 0)
        return nullptr;
    auto catcher = std::make_unique<PosixTerminationSignals>();
    if (!catcher->install())
        return nullptr;
    return catcher;
}

} // namespace levelconf
