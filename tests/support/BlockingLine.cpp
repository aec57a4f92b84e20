#include "BlockingLine.h"

#include "core/serial/SerialPort.h"
#include "core/serial/TransferRules.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

using namespace levelconf;

namespace
{
constexpr int kBlock = Transfer::kBlock;
// The operating system wakes a wait up to a millisecond or so late; the read aims this
// much short of its bound so that the whole read stays inside it.
constexpr int kReadSlackMs = 4;
} // namespace

bool BlockingLine::waitForBytes(int ms)
{
    QEventLoop loop;
    bool arrived = false;
    const auto connection =
        QObject::connect(&m_port.events(), &SerialPortEvents::bytesArrived, &loop, [&] {
            arrived = true;
            loop.quit();
        });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return arrived;
}

QByteArray BlockingLine::read()
{
    QByteArray out = m_kept + m_port.takeArrived();
    const QDeadlineTimer total(Transfer::kReadTotalMs - kReadSlackMs, Qt::PreciseTimer);
    while (out.size() < kBlock) {
        const qint64 left = total.remainingTime();
        if (left <= 0)
            break;
        const int wait = out.isEmpty() ? int(left) : int(qMin<qint64>(Transfer::kReadGapMs, left));
        if (!waitForBytes(wait))
            break;
        out += m_port.takeArrived();
    }
    m_kept = out.mid(kBlock);
    out.truncate(kBlock);
    if (out.isEmpty())
        m_port.flush();
    return out;
}

int BlockingLine::write(const QByteArray &data)
{
    int total = 0;
    for (const QByteArray &piece : writePieces(data)) {
        const int n = m_port.send(piece);
        total += qMax(0, n);
        // The rest of a frame cut short would only reach the bus as garbage.
        if (n < piece.size())
            break;
    }
    return total;
}

QList<QByteArray> writePieces(const QByteArray &data)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < data.size(); at += kBlock)
        pieces.append(data.mid(at, kBlock));
    return pieces;
}
