#pragma once

#include "AnswerCheck.h"

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// The bytes of one answer as they come in, and when they make a whole one: 20 ms after
// the last byte with nothing more, or 256 ms after the read began, whichever comes
// first. An answer whose length is known beforehand (a data answer from a sensor whose
// firmware is known) is whole as soon as that many bytes with a good CRC are in: the
// silence would only add its 20 ms to every exchange. Times are milliseconds on any
// steady clock; nothing here waits.
class AnswerAssembly
{
public:
    // A read begins: the engine's tick, or a request just handed to the port. `known` is
    // the answer awaited where its length is fixed: its sensor, code and firmware given.
    void begin(qint64 nowMs, std::optional<AwaitedAnswer> known = std::nullopt);
    // Bytes announced as they arrived.
    void add(const QByteArray &bytes, qint64 nowMs);
    // Bytes found waiting that nobody announced: they came before the read began, so they
    // keep no answer open.
    void addWaiting(const QByteArray &bytes);

    // How long until the answer is whole; 0 when it is. Without a byte, a tick's read is
    // whole at once (nothing came in the second since the request), while a request's read
    // gives the sensor until the bound to begin.
    qint64 msUntilComplete(qint64 nowMs, bool awaitFirstByte) const;

    // The answer so far; the assembly is empty again.
    QByteArray take();
    bool isEmpty() const { return m_bytes.isEmpty(); }

private:
    // The answer of known length is in, whole and intact.
    bool knownAnswerWhole() const;

    QByteArray m_bytes;
    qint64 m_readStart = 0;
    qint64 m_lastByte = 0;
    bool m_gapRunning = false; // a byte has been announced and its silence is being timed
    std::optional<AwaitedAnswer> m_known;
};

} // namespace levelconf
