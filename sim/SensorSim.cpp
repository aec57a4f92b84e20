#include "SensorSim.h"

#include "PtyTransport.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <poll.h>
#include <random>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>

using namespace levelconf;
#endif

namespace
{
using Clock = std::chrono::steady_clock;

struct Scheduled {
    Clock::time_point due;
    QByteArray bytes;
};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

LineTime lineNow()
{
    return std::chrono::duration_cast<LineTime>(Clock::now().time_since_epoch());
}

Clock::time_point onClock(LineTime t)
{
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(t));
}

void keepEarliest(std::optional<Clock::time_point> &earliest, Clock::time_point t)
{
    if (!earliest || t < *earliest)
        earliest = t;
}

// The wait until `when`, to the nanosecond: the paced boot loader answers within a
// fraction of a millisecond, finer than poll() can wait. At most a second, so that the
// loop looks round now and then.
timespec waitUntil(Clock::time_point when)
{
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(when - Clock::now());
    const qint64 ns = qBound(qint64(0), qint64(left.count()), qint64(1000000000) - 1);
    return timespec{0, long(ns)};
}

// The kernel may defer a timed wake-up by its slack, 50 us by default; the loader's replies
// are due to the microsecond.
void wakeUpPromptly()
{
#ifdef __linux__
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}
} // namespace

SensorSim::SensorSim(const std::vector<SensorConfig> &sensors, SimTiming timing)
    : m_bus(sensors), m_timing(timing)
{
}

SensorSim::~SensorSim()
{
    stop();
}

bool SensorSim::start(const QString &linkPath)
{
    stop();
    m_error.clear();
    m_vanished = false;
    m_vanishWanted = false;
    m_stopping = false;
    m_line = std::make_unique<PtyTransport>();
    if (!m_line->open(&m_error) || (!linkPath.isEmpty() && !m_line->makeLink(linkPath, &m_error))) {
        m_line.reset();
        return false;
    }
    m_slavePath = m_line->slavePath();
    m_linkPath = m_line->linkPath();
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_error = QStringLiteral("pipe: ") + QString::fromLocal8Bit(strerror(errno));
        m_line.reset();
        return false;
    }
    m_thread = std::thread([this] { run(); });
    return true;
}

void SensorSim::stop()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        wake();
        m_thread.join();
    }
    m_line.reset();
    for (int &fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

QString SensorSim::slavePath() const
{
    return m_slavePath;
}

QString SensorSim::linkPath() const
{
    return m_linkPath;
}

void SensorSim::wake()
{
    if (m_wake[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &c, 1);
    }
}

void SensorSim::vanish()
{
    if (!m_thread.joinable()) {
        m_line.reset();
        m_vanished = true;
        return;
    }
    std::unique_lock<std::mutex> lock(m_vanishMutex);
    m_vanishWanted = true;
    wake();
    m_vanishDone.wait_for(lock, std::chrono::seconds(5), [this] { return m_vanished.load(); });
}

void SensorSim::setLoader(const LoaderSettings &settings)
{
    m_loader.configure(settings);
}

void SensorSim::traceLoader(const char *direction, const QByteArray &bytes)
{
    if (m_trace && !bytes.isEmpty())
        m_trace(QLatin1String(direction) + QStringLiteral("loader ") + hex(bytes));
}

void SensorSim::hearLine(QByteArray &heard, Clock::time_point &lastByte)
{
    const QByteArray got = m_line->readAvailable();
    if (got.isEmpty())
        return;
    const auto now = Clock::now();
    const quint64 goBefore = m_loader.stats().goCount;
    const QByteArray rest = m_loader.feed(got, lineNow(), !heard.isEmpty());
    traceLoader("<- ", got.left(got.size() - rest.size()));
    // Its acknowledgement goes out only after this, with the replies that fall due.
    if (m_goListener && m_loader.stats().goCount != goBefore)
        m_goListener(m_loader.snapshot().memory().image());
    if (!rest.isEmpty()) {
        heard += rest;
        lastByte = now;
    }
}

// How many loader frames may be answered before the device vanishes: the loader's own
// limit, and what is left of the whole bus's once the sensors' requests are counted.
quint64 SensorSim::loaderFramesAllowed() const
{
    quint64 allowed = std::numeric_limits<quint64>::max();
    if (const quint64 frames = m_loaderVanishAfter)
        allowed = frames;
    if (const quint64 all = m_vanishAfter) {
        const quint64 heard = m_bus.messagesHeard();
        allowed = qMin(allowed, all > heard ? all - heard : 0);
    }
    return allowed;
}

void SensorSim::sendLoaderReplies()
{
    // With the line gone the loader's time still passes, and its replies go nowhere.
    const bool lineOpen = m_line && m_line->isOpen();
    const quint64 allowed = lineOpen ? loaderFramesAllowed() : std::numeric_limits<quint64>::max();
    bool limitReached = false;
    const QByteArray replies = m_loader.takeReplies(lineNow(), allowed, &limitReached);
    if (lineOpen) {
        m_line->write(replies);
        traceLoader("-> ", replies);
    }
    // The frame finds the device gone.
    if (limitReached)
        m_vanishWanted = true;
}

void SensorSim::closeLine()
{
    if (m_line)
        m_line->close();
    {
        std::lock_guard<std::mutex> lock(m_vanishMutex);
        m_vanished = true;
    }
    m_vanishDone.notify_all();
}

void SensorSim::run()
{
    wakeUpPromptly();
    std::mt19937 random(m_timing.seed ? m_timing.seed : std::random_device{}());
    std::uniform_int_distribution<int> delay(m_timing.minDelayMs,
                                             qMax(m_timing.minDelayMs, m_timing.maxDelayMs));
    const auto frameGap = std::chrono::milliseconds(m_timing.frameGapMs);
    const auto lineTime = [this](qint64 bytes) {
        return std::chrono::microseconds(
            m_timing.lineBaud > 0 ? bytes * 10 * 1000000 / m_timing.lineBaud : 0);
    };
    QByteArray heard;
    Clock::time_point lastByte;
    std::deque<Scheduled> outgoing;

    while (!m_stopping) {
        if (m_vanishWanted && !m_vanished) {
            closeLine();
            m_loader.lineClosed();
            m_settled += outgoing.size();
            outgoing.clear();
            heard.clear();
        }
        const bool lineOpen = m_line && m_line->isOpen();

        std::optional<Clock::time_point> wakeAt;
        if (!heard.isEmpty())
            keepEarliest(wakeAt, lastByte + frameGap);
        if (!outgoing.empty())
            keepEarliest(wakeAt, outgoing.front().due);
        if (const auto next = m_loader.nextEvent())
            keepEarliest(wakeAt, onClock(*next));
        const timespec wait = wakeAt ? waitUntil(*wakeAt) : timespec{};
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {lineOpen ? m_line->fd() : -1, POLLIN, 0}};
        const int ready = ::ppoll(fds, 2, wakeAt ? &wait : nullptr, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (::read(m_wake[0], drain, sizeof drain) > 0) {
            }
        }
        if (lineOpen && (fds[1].revents & POLLIN))
            hearLine(heard, lastByte);
        // After the bytes heard, so that a byte the host sent before a reply was out
        // finds that reply still due.
        sendLoaderReplies();

        const auto now = Clock::now();
        if (!heard.isEmpty() && now - lastByte >= frameGap) {
            if (m_trace)
                m_trace(QStringLiteral("<- ") + hex(heard));
            const quint64 limit = m_vanishAfter;
            if (limit && m_bus.messagesHeard() + m_loader.stats().framesAnswered() >= limit) {
                // The request finds the device gone.
                heard.clear();
                m_vanishWanted = true;
                continue;
            }
            const QByteArray answer = m_bus.respond(heard);
            m_loader.sensorsHeard();
            const auto onLine = lineTime(heard.size() + answer.size());
            heard.clear();
            if (answer.isEmpty())
                ++m_settled;
            else
                outgoing.push_back(
                    {lastByte + std::chrono::milliseconds(delay(random)) + onLine, answer});
        }
        while (!outgoing.empty() && outgoing.front().due <= Clock::now()) {
            if (m_line && m_line->isOpen()) {
                m_line->write(outgoing.front().bytes);
                if (m_trace)
                    m_trace(QStringLiteral("-> ") + hex(outgoing.front().bytes));
            }
            outgoing.pop_front();
            ++m_settled;
        }
    }
    if (m_line)
        m_line->close();
}
