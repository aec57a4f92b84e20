#include "BootLoader.h"

#include <algorithm>

using namespace levelconf;

namespace
{
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr int kMaxDataBytes = 128;
constexpr LineTime kQuietAfterGarbage = milliseconds(2);

bool checksumMatches(const QByteArray &frame)
{
    return xorOf(frame.left(frame.size() - 1)) == quint8(frame.back());
}
} // namespace

BootLoader::BootLoader(const LoaderSettings &settings) : m_settings(settings), m_out(settings.baud)
{
}

void BootLoader::receive(quint8 byte, LineTime at)
{
    at = std::max(at, m_lastByte);
    passTime(at);
    m_lastByte = at;
    if (m_state == State::Application) {
        hearSync(byte, at);
        return;
    }
    if (m_state == State::Garbled || !m_replies.empty()) {
        garble();
        return;
    }
    if (m_state == State::Command && m_frame.isEmpty() && byte == Loader::kSync) {
        answer(Loader::kAck, at);
        return;
    }
    m_frame.append(char(byte));
    if (m_frame.size() == frameLength())
        complete(at);
}

void BootLoader::passTime(LineTime now)
{
    if (m_state == State::Garbled) {
        const LineTime quietFrom = m_lastByte + quietAfterGarbage();
        if (now >= quietFrom) {
            m_state = State::Command;
            answer(Loader::kRefused, quietFrom);
        }
    } else if (!m_frame.isEmpty() && now >= m_lastByte + frameTimeout()) {
        m_frame.clear();
        m_state = State::Command;
    }
}

// Both are at least two byte times, so that a slow line never ends a frame in its middle.
LineTime BootLoader::quietAfterGarbage() const
{
    return std::max(kQuietAfterGarbage, 2 * m_out.byteTime());
}

LineTime BootLoader::frameTimeout() const
{
    return std::max<LineTime>(milliseconds(m_settings.frameTimeoutMs), 2 * m_out.byteTime());
}

bool BootLoader::hasReplyDue(LineTime now) const
{
    return !m_replies.empty() && m_replies.front().due <= now;
}

std::optional<quint8> BootLoader::takeReply(LineTime now)
{
    if (!hasReplyDue(now))
        return std::nullopt;
    const quint8 byte = m_replies.front().byte;
    m_replies.pop_front();
    if (byte == Loader::kAck)
        ++m_stats.acknowledged;
    else
        ++m_stats.refused;
    return byte;
}

std::optional<LineTime> BootLoader::nextEvent() const
{
    std::optional<LineTime> next;
    const auto consider = [&next](LineTime t) { next = next ? std::min(*next, t) : t; };
    if (!m_replies.empty())
        consider(m_replies.front().due);
    if (m_state == State::Garbled)
        consider(m_lastByte + quietAfterGarbage());
    else if (!m_frame.isEmpty())
        consider(m_lastByte + frameTimeout());
    return next;
}

void BootLoader::restartPowerCycle()
{
    if (m_state != State::Application)
        return;
    m_syncsHeard = 0;
    m_firstSync.reset();
}

void BootLoader::hearSync(quint8 byte, LineTime at)
{
    if (byte != Loader::kSync)
        return;
    if (m_settings.present && powerCycleOver(at)) {
        m_state = State::Command;
        m_frame.clear();
        answer(Loader::kAck, at);
        return;
    }
    if (!m_firstSync)
        m_firstSync = at;
    ++m_syncsHeard;
    ++m_stats.syncsIgnored;
}

bool BootLoader::powerCycleOver(LineTime at) const
{
    if (m_syncsHeard < m_settings.ignoredSyncs)
        return false;
    if (m_settings.powerCycleMs <= 0)
        return true;
    return m_firstSync && at - *m_firstSync >= milliseconds(m_settings.powerCycleMs);
}

int BootLoader::frameLength() const
{
    switch (m_state) {
    case State::Address:
        return 5;
    case State::Data:
        // count - 1, the bytes, the checksum
        return m_frame.isEmpty() ? 1 : quint8(m_frame.at(0)) + 3;
    default:
        return 2;
    }
}

void BootLoader::complete(LineTime at)
{
    switch (m_state) {
    case State::Command:
        command(at);
        break;
    case State::EraseArgument:
        erase(at);
        break;
    case State::Address:
        address(at);
        break;
    case State::Data:
        data(at);
        break;
    default:
        break;
    }
    m_frame.clear();
}

void BootLoader::command(LineTime at)
{
    const quint8 code = quint8(m_frame.at(0));
    const bool complemented = quint8(~code) == quint8(m_frame.at(1));
    m_state = State::Command;
    if (!complemented) {
        answer(Loader::kRefused, at);
        return;
    }
    switch (code) {
    case Loader::kErase:
        m_state = State::EraseArgument;
        break;
    case Loader::kWriteMemory:
        m_state = State::Address;
        break;
    case Loader::kGo:
        if (m_settings.refuseStart) {
            answer(Loader::kRefused, at);
            return;
        }
        m_state = State::Application;
        m_syncsHeard = 0;
        m_firstSync.reset();
        ++m_stats.goCount;
        break;
    default:
        answer(Loader::kRefused, at);
        return;
    }
    answer(Loader::kAck, at);
}

void BootLoader::erase(LineTime at)
{
    m_state = State::Command;
    if (m_frame == codeFrame(Loader::kEraseEverything))
        m_memory.erase(LoaderMemory::Area::ProgramFlash);
    else if (m_frame == codeFrame(Loader::kEraseDataEeprom))
        m_memory.erase(LoaderMemory::Area::DataEeprom);
    else {
        answer(Loader::kRefused, at);
        return;
    }
    answer(Loader::kAck, at);
}

void BootLoader::address(LineTime at)
{
    m_state = State::Command;
    m_address = 0;
    for (int i = 0; i < 4; ++i)
        m_address = (m_address << 8) | quint8(m_frame.at(i));
    if (!checksumMatches(m_frame) || !m_memory.isWritable(m_address, 1)) {
        answer(Loader::kRefused, at);
        return;
    }
    m_state = State::Data;
    answer(Loader::kAck, at);
}

void BootLoader::data(LineTime at)
{
    m_state = State::Command;
    const int count = quint8(m_frame.at(0)) + 1;
    if (!checksumMatches(m_frame) || count > kMaxDataBytes ||
        !m_memory.isWritable(m_address, count)) {
        answer(Loader::kRefused, at);
        return;
    }
    m_memory.write(m_address, m_frame.mid(1, count));
    const LineTime programming = microseconds(m_settings.blockProgramUs);
    m_stats.programming += programming;
    answer(Loader::kAck, at + programming);
}

void BootLoader::answer(quint8 byte, LineTime ready)
{
    m_replies.push_back({m_out.carry(ready), byte});
}

void BootLoader::garble()
{
    m_replies.clear();
    m_frame.clear();
    m_state = State::Garbled;
}
