#include "LoaderLine.h"

using namespace levelconf;

void LoaderLine::configure(const LoaderSettings &settings)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loader = BootLoader(settings);
    m_in = WireClock(settings.baud);
}

QByteArray LoaderLine::feed(const QByteArray &bytes, LineTime now, bool midRequest)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int taken = 0;
    for (; taken < bytes.size(); ++taken) {
        const quint8 byte = quint8(bytes.at(taken));
        if (!m_loader.isActive() && (midRequest || byte != Loader::kSync))
            break;
        m_loader.receive(byte, m_in.carry(now));
    }
    return bytes.mid(taken);
}

QByteArray LoaderLine::takeReplies(LineTime now, quint64 maxFrames, bool *limitReached)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loader.passTime(now);
    QByteArray out;
    *limitReached = false;
    while (m_loader.hasReplyDue(now)) {
        if (m_loader.stats().framesAnswered() >= maxFrames) {
            *limitReached = true;
            break;
        }
        out.append(char(*m_loader.takeReply(now)));
    }
    return out;
}

std::optional<LineTime> LoaderLine::nextEvent() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_loader.nextEvent();
}

void LoaderLine::sensorsHeard()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loader.restartPowerCycle();
}

void LoaderLine::lineClosed()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loader.dropReplies();
}

BootLoader LoaderLine::snapshot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_loader;
}

LoaderStats LoaderLine::stats() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_loader.stats();
}
