#include "SensorSim.h"

#include "PtyTransport.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <unistd.h>

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

int msUntil(Clock::time_point when)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now());
    return int(qBound(qint64(0), qint64(left.count()) + 1, qint64(1000)));
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
    std::mt19937 random(m_timing.seed ? m_timing.seed : std::random_device{}());
    std::uniform_int_distribution<int> delay(m_timing.minDelayMs,
                                             qMax(m_timing.minDelayMs, m_timing.maxDelayMs));
    QByteArray heard;
    Clock::time_point lastByte;
    std::deque<Scheduled> outgoing;

    while (!m_stopping) {
        if (m_vanishWanted && !m_vanished) {
            closeLine();
            m_settled += outgoing.size();
            outgoing.clear();
            heard.clear();
        }
        const bool lineOpen = m_line && m_line->isOpen();

        int timeout = -1;
        if (!heard.isEmpty())
            timeout = msUntil(lastByte + std::chrono::milliseconds(m_timing.frameGapMs));
        if (!outgoing.empty()) {
            const int t = msUntil(outgoing.front().due);
            timeout = timeout < 0 ? t : qMin(timeout, t);
        }
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {lineOpen ? m_line->fd() : -1, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (::read(m_wake[0], drain, sizeof drain) > 0) {
            }
        }
        if (lineOpen && (fds[1].revents & POLLIN)) {
            const QByteArray got = m_line->readAvailable();
            if (!got.isEmpty()) {
                heard += got;
                lastByte = Clock::now();
            }
        }

        const auto now = Clock::now();
        if (!heard.isEmpty() && now - lastByte >= std::chrono::milliseconds(m_timing.frameGapMs)) {
            if (m_trace)
                m_trace(QStringLiteral("<- ") + hex(heard));
            const quint64 limit = m_vanishAfter;
            if (limit && m_bus.messagesHeard() >= limit) {
                // The request finds the device gone.
                heard.clear();
                m_vanishWanted = true;
                continue;
            }
            const QByteArray answer = m_bus.respond(heard);
            heard.clear();
            if (answer.isEmpty())
                ++m_settled;
            else
                outgoing.push_back({lastByte + std::chrono::milliseconds(delay(random)), answer});
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
