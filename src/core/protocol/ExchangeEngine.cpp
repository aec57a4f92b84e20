#include "ExchangeEngine.h"

#include "AnswerCheck.h"
#include "CommandCodes.h"
#include "FrameCodec.h"
#include "Requests.h"
#include "core/serial/SerialPort.h"

#include <utility>

namespace levelconf
{

namespace
{
// Failed writes in a row that are still put down to a passing fault; the next one stops
// the engine.
constexpr int kWriteFailuresTolerated = 3;
} // namespace

ExchangeEngine::ExchangeEngine(SerialPort &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &ExchangeEngine::tick);
    m_wholeTimer.setSingleShot(true);
    m_wholeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_wholeTimer, &QTimer::timeout, this, &ExchangeEngine::finishWhenWhole);
    connect(&m_port.events(), &SerialPortEvents::bytesArrived, this,
            &ExchangeEngine::onBytesArrived);
    m_clock.start();
}

void ExchangeEngine::setAddressSource(std::function<std::optional<quint8>()> source)
{
    m_addressSource = std::move(source);
}

void ExchangeEngine::start()
{
    attach();
    m_writeFailures = 0;
    m_timer.start();
}

void ExchangeEngine::attach()
{
    m_attached = true;
}

void ExchangeEngine::stop()
{
    m_timer.stop();
    m_wholeTimer.stop();
    m_attached = false;
    m_busy = false;
    m_answer.take();
    m_lastWritten.clear();
    m_firmware.clear();
}

void ExchangeEngine::queue(const QByteArray &frame)
{
    m_pending = frame;
}

void ExchangeEngine::queueSearch()
{
    m_pending = searchRequest();
    m_search = true;
}

void ExchangeEngine::followTableWrite()
{
    m_tableFollowUp = 2;
}

void ExchangeEngine::forgetRequests()
{
    m_pending.clear();
    m_search = false;
    m_tableFollowUp = 0;
}

void ExchangeEngine::onBytesArrived()
{
    // While the port is let go, its bytes are someone else's (the firmware update's).
    if (!m_attached)
        return;
    m_answer.add(m_port.takeArrived(), now());
    // The exchange under way ends by the time the bytes so far give it: the silence after
    // them, or at once for an answer of known length that is whole. A request's read was
    // waiting for its first byte until the bound, and would otherwise end only there. It
    // ends from the event loop, outside the port's announcement, so that a listener may
    // send its next request at once.
    if (m_busy)
        m_wholeTimer.start(static_cast<int>(m_answer.msUntilComplete(now(), m_requestMode)));
}

void ExchangeEngine::tick()
{
    // A box shown during a tick runs its own event loop while the timer keeps firing. A
    // tick started from in there would take the answer meant for this one and put a second
    // frame on the bus; the next tick comes once the box is gone.
    if (m_busy)
        return;
    m_busy = true;
    m_requestMode = false;

    // An entry that is not an address neither counts as a change of sensor nor gets
    // polled: nothing built from it goes out. A request already pending, a search say,
    // is still sent.
    const std::optional<quint8> a = m_addressSource ? m_addressSource() : std::nullopt;
    if (a && *a != m_lastAddress) {
        m_pending = identityRequest(*a);
        m_lastAddress = *a;
    }
    if (m_tableFollowUp == 1) {
        m_tableFollowUp = 0;
        emit modeResendDue();
        if (!m_busy)
            return;
    }
    if (m_tableFollowUp == 2)
        m_tableFollowUp = 1;

    chooseFrame(a);
    emit frameChosen(m_outgoing);
    // Stopped from inside a box the tick showed: it ends here.
    if (!m_busy)
        return;
    m_answer.begin(now(), knownAnswerTo(m_lastWritten));
    m_answer.addWaiting(m_port.takeArrived());
    finishWhenWhole();
}

void ExchangeEngine::chooseFrame(const std::optional<quint8> &address)
{
    if (m_pending.isEmpty()) {
        if (address)
            m_pending = dataRequest(*address);
    } else {
        emit operatorRequestDue();
        if (m_frequencyMode) {
            emit refusedInFrequencyMode();
            m_pending.clear();
        }
    }
    // From here a command the operator gives is for the next tick.
    m_outgoing = std::exchange(m_pending, QByteArray());
}

bool ExchangeEngine::request(const QByteArray &frame)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_requestMode = true;
    attach();
    // Nothing that came before the request can be its answer.
    m_answer.take();
    m_port.takeArrived();
    m_lastWritten.clear();
    if (!send(frame)) {
        failedWrite();
        endExchange();
        return true;
    }
    m_writeFailures = 0;
    emit frameWritten(frame);
    m_answer.begin(now(), knownAnswerTo(frame));
    finishWhenWhole();
    return true;
}

void ExchangeEngine::finishWhenWhole()
{
    if (!m_busy)
        return;
    const qint64 wait = m_answer.msUntilComplete(now(), m_requestMode);
    if (wait > 0) {
        m_wholeTimer.start(static_cast<int>(wait));
        return;
    }
    finish();
}

void ExchangeEngine::finish()
{
    const QByteArray answer = m_answer.take();
    if (m_requestMode) {
        if (answer.isEmpty())
            m_port.flush();
        processAnswer(answer);
    } else {
        finishTick(answer);
    }
    endExchange();
}

void ExchangeEngine::finishTick(const QByteArray &answer)
{
    // The port is flushed after a silent read, as before every write that follows one.
    if (answer.isEmpty())
        m_port.flush();
    // The answer taken in a tick whose frame the port refuses is dropped with the frame.
    if (!send(m_outgoing)) {
        failedWrite();
        return;
    }
    m_writeFailures = 0;
    m_lastWritten = m_outgoing;
    emit frameWritten(m_outgoing);
    processAnswer(answer);
}

bool ExchangeEngine::send(const QByteArray &frame)
{
    // An empty frame (a request refused, no sensor selected) writes nothing and counts as
    // a good write.
    return m_port.send(frame) == frame.size();
}

void ExchangeEngine::failedWrite()
{
    emit writeFailed();
    if (m_writeFailures >= kWriteFailuresTolerated) {
        stop();
        emit linkLost();
    } else {
        ++m_writeFailures;
    }
}

void ExchangeEngine::processAnswer(const QByteArray &answer)
{
    if (answer.isEmpty()) {
        m_noData = true;
        emit noAnswer();
        return;
    }
    m_noData = false;
    m_frequencyMode = false;
    const quint8 c = crc8(answer.left(answer.size() - 1));
    emit answerArrived(answer, c);
    if (isFramedAnswer(answer))
        routeFramed(answer, c);
    else
        routeUnframed(answer);
    emit answerDone();
    m_port.flush();
}

void ExchangeEngine::routeFramed(const QByteArray &answer, quint8 computedCrc)
{
    const auto code = static_cast<quint8>(answer.at(2));
    // Readings are shown only when they arrived intact; every other answer is acted on
    // as it is, its own handler judging what it can trust.
    if (code == Cmd::ReadData && static_cast<quint8>(answer.back()) != computedCrc) {
        emit crcMismatch(answer);
        return;
    }
    if (code == Cmd::FrequencyMode)
        m_frequencyMode = true;
    if (code == Cmd::ReadIdentity)
        learnFirmware(answer);
    emit answered(code, answer);
}

void ExchangeEngine::learnFirmware(const QByteArray &answer)
{
    const auto address = static_cast<quint8>(answer.at(1));
    // Only an intact answer names the firmware; a damaged one could name any length.
    if (answerAccepted(answer, {address, Cmd::ReadIdentity, std::nullopt}))
        m_firmware.insert(address, static_cast<quint8>(answer.at(7))); // version code, byte 8
}

std::optional<AwaitedAnswer> ExchangeEngine::knownAnswerTo(const QByteArray &frame) const
{
    // A request frame: prefix, address, code. Only the data answer's length is certain:
    // other answers may carry more than their usual bytes, and must end on silence.
    if (frame.size() < 3 || static_cast<quint8>(frame.at(0)) != Cmd::RequestPrefix ||
        static_cast<quint8>(frame.at(2)) != Cmd::ReadData)
        return std::nullopt;
    const auto address = static_cast<quint8>(frame.at(1));
    const auto fw = m_firmware.constFind(address);
    if (fw == m_firmware.cend())
        return std::nullopt;
    // Every firmware gives its data answer a fixed length.
    return AwaitedAnswer{address, Cmd::ReadData, capabilitiesOf(*fw)};
}

void ExchangeEngine::routeUnframed(const QByteArray &answer)
{
    const bool listed = m_search && answer.size() < kSearchAnswerLimit;
    // Whatever came, the search has had its answer.
    m_search = false;
    if (listed)
        emit searchAnswered(answer);
}

void ExchangeEngine::endExchange()
{
    m_busy = false;
    m_requestMode = false;
}

} // namespace levelconf
