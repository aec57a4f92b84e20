#include "AnswerAssembly.h"

#include "core/serial/TransferRules.h"

#include <utility>

namespace levelconf
{

void AnswerAssembly::begin(qint64 nowMs, std::optional<AwaitedAnswer> known)
{
    m_readStart = nowMs;
    m_known = known;
}

void AnswerAssembly::add(const QByteArray &bytes, qint64 nowMs)
{
    if (bytes.isEmpty())
        return;
    m_bytes += bytes;
    m_lastByte = nowMs;
    m_gapRunning = true;
}

void AnswerAssembly::addWaiting(const QByteArray &bytes)
{
    m_bytes += bytes;
}

qint64 AnswerAssembly::msUntilComplete(qint64 nowMs, bool awaitFirstByte) const
{
    const qint64 bound = m_readStart + Transfer::kReadTotalMs;
    if (m_bytes.isEmpty())
        return awaitFirstByte ? qMax<qint64>(0, bound - nowMs) : 0;
    if (!m_gapRunning || knownAnswerWhole())
        return 0;
    return qMax<qint64>(0, qMin(m_lastByte + Transfer::kReadGapMs, bound) - nowMs);
}

bool AnswerAssembly::knownAnswerWhole() const
{
    return m_known && answerAccepted(m_bytes, *m_known);
}

QByteArray AnswerAssembly::take()
{
    m_gapRunning = false;
    m_known.reset();
    return std::exchange(m_bytes, QByteArray());
}

} // namespace levelconf
