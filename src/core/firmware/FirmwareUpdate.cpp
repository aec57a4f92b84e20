#include "FirmwareUpdate.h"

#include "LoaderFrames.h"
#include "core/serial/SerialPort.h"

#include <QScopeGuard>

namespace levelconf
{

using Kind = LoaderStep::Kind;
using Outcome = UpdateResult::Outcome;

namespace
{
const char *const kPortRefused =
    QT_TRANSLATE_NOOP("FirmwareUpdate", "the port did not take the data");

FirmwareUpdate::Phase phaseOf(Kind kind)
{
    switch (kind) {
    case Kind::EraseCommand:
    case Kind::EraseArgument:
        return FirmwareUpdate::Phase::Erasing;
    case Kind::OptionCommand:
    case Kind::OptionAddress:
    case Kind::OptionData:
        return FirmwareUpdate::Phase::OptionBytes;
    case Kind::BlockCommand:
    case Kind::BlockAddress:
    case Kind::BlockData:
        return FirmwareUpdate::Phase::Blocks;
    case Kind::Go:
        break;
    }
    return FirmwareUpdate::Phase::Starting;
}

LoggedText reasonText(const char *source)
{
    return loggedText("FirmwareUpdate", source);
}

// What a step belongs to, for the closing message.
LoggedText subjectOf(Kind kind, int number)
{
    switch (phaseOf(kind)) {
    case FirmwareUpdate::Phase::Erasing:
        return reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the erase"));
    case FirmwareUpdate::Phase::OptionBytes:
        return reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the option bytes"));
    case FirmwareUpdate::Phase::Blocks:
        return reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "block %1")).arg(number);
    default:
        return reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the start command"));
    }
}
} // namespace

FirmwareUpdate::FirmwareUpdate(SerialPort &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_ackTimer.setSingleShot(true);
    connect(&m_ackTimer, &QTimer::timeout, this, &FirmwareUpdate::onAckTimeout);
    connect(&m_syncTimer, &QTimer::timeout, this, &FirmwareUpdate::sendSync);
    connect(&m_port.events(), &SerialPortEvents::bytesArrived, this,
            &FirmwareUpdate::onBytesArrived);
    connect(&m_port.events(), &SerialPortEvents::deviceLost, this, &FirmwareUpdate::onDeviceLost);
}

bool FirmwareUpdate::start(const FirmwarePlan &plan)
{
    if (isRunning() || m_result || plan.blocks.isEmpty())
        return false;
    m_plan = plan;
    m_steps = updateSteps(plan);
    m_step = -1;
    m_blocksDone = 0;
    // Whatever is waiting (the sensor's answer to the engine's last request) was not
    // said by the loader.
    m_port.takeArrived();
    setPhase(Phase::Synchronising);
    m_syncTimer.start(m_timeouts.syncResendMs);
    sendSync();
    return true;
}

void FirmwareUpdate::cancel()
{
    if (isRunning())
        endWith(Outcome::Cancelled,
                reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "cancelled by the operator")));
    deliverResult();
}

void FirmwareUpdate::sendSync()
{
    if (m_phase != Phase::Synchronising)
        return;
    m_syncSpoiled = false;
    const QByteArray sync(1, static_cast<char>(Loader::kSync));
    if (m_port.send(sync) != sync.size())
        endWith(Outcome::PortLost, reasonText(kPortRefused));
}

void FirmwareUpdate::onBytesArrived()
{
    if (!isRunning())
        return;
    // A box shown from a signal of this update runs its own event loop; bytes announced
    // in there wait until the step that was under way has finished.
    if (m_handling) {
        m_deferred = true;
        return;
    }
    m_handling = true;
    const auto done = qScopeGuard([this] {
        m_handling = false;
        if (m_deferred) {
            m_deferred = false;
            QTimer::singleShot(0, this, &FirmwareUpdate::onBytesArrived);
        }
    });
    const QByteArray arrived = m_port.takeArrived();
    if (m_phase == Phase::Synchronising)
        takeSyncReply(arrived);
    else
        takeAck(arrived);
}

void FirmwareUpdate::takeSyncReply(const QByteArray &arrived)
{
    if (arrived.isEmpty() || m_syncSpoiled)
        return;
    // The loader's answer is the first thing to come after a 7F. Anything else (the
    // running application finishing an answer, noise while the sensor powers up) spoils
    // everything up to the next 7F, so that a 79 inside it is not taken for the loader.
    if (static_cast<quint8>(arrived.at(0)) != Loader::kAck) {
        m_syncSpoiled = true;
        return;
    }
    m_syncTimer.stop();
    sendStep(0);
}

void FirmwareUpdate::takeAck(const QByteArray &arrived)
{
    for (char c : arrived) {
        const auto b = static_cast<quint8>(c);
        if (b == Loader::kAck) {
            stepAcknowledged();
            return;
        }
        if (b == Loader::kRefused) {
            stepFailed(true);
            return;
        }
        // Any other byte is not an answer; the wait goes on.
    }
}

bool FirmwareUpdate::applicationMarkerMissing(const LoaderStep &step) const
{
    if (step.kind != Kind::BlockCommand)
        return false;
    const PlannedBlock &block = m_plan.blocks.at(step.block);
    return block.fileBlock == m_plan.type.skipLimit &&
           (block.data.isEmpty() ||
            static_cast<quint8>(block.data.at(0)) != FirmwareImage::kApplicationMarker);
}

void FirmwareUpdate::sendStep(int index)
{
    m_step = index;
    const LoaderStep &step = m_steps.at(index);
    if (applicationMarkerMissing(step)) {
        endWith(Outcome::Failed,
                reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the image is damaged")),
                {tr(" File damaged ")});
        return;
    }
    setPhase(phaseOf(step.kind));
    wrstr(step.frame, timeoutFor(step.kind));
}

void FirmwareUpdate::wrstr(const QByteArray &frame, int timeoutMs)
{
    // Nothing that came before the frame can be its answer.
    m_port.takeArrived();
    if (m_port.send(frame) != frame.size()) {
        endWith(Outcome::PortLost, reasonText(kPortRefused));
        return;
    }
    m_ackTimer.start(timeoutMs);
}

int FirmwareUpdate::timeoutFor(Kind kind) const
{
    switch (kind) {
    case Kind::EraseArgument:
        return m_timeouts.eraseMs;
    case Kind::BlockData:
        return m_timeouts.blockMs;
    default:
        return m_timeouts.frameMs;
    }
}

void FirmwareUpdate::stepAcknowledged()
{
    m_ackTimer.stop();
    const LoaderStep &step = m_steps.at(m_step);
    if (step.kind == Kind::Go) {
        endWith(Outcome::Done, {});
        return;
    }
    const int next = m_step + 1;
    if (step.kind == Kind::OptionData && m_steps.at(next).kind != Kind::OptionCommand)
        emit optionBytesWritten();
    if (step.kind == Kind::BlockData) {
        ++m_blocksDone;
        emit blockWritten(m_blocksDone, blockNumber(m_plan, m_plan.blocks.at(step.block)));
    }
    // A signal's receiver may have cancelled the update.
    if (isRunning())
        sendStep(next);
}

void FirmwareUpdate::onAckTimeout()
{
    if (isRunning() && m_phase != Phase::Synchronising)
        stepFailed(false);
}

void FirmwareUpdate::stepFailed(bool refused)
{
    m_ackTimer.stop();
    const LoaderStep &step = m_steps.at(m_step);
    if (step.kind == Kind::Go) {
        // Every block is written and acknowledged by now; only the start is in doubt, and
        // switching the sensor off and on starts the new firmware.
        if (refused) {
            endWith(Outcome::StartRefused,
                    reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate",
                                                 "the loader refused the start command")),
                    {tr("Error 1F !!!!")});
        } else {
            endWith(
                Outcome::StartNotConfirmed,
                reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "no answer to the start command")));
        }
        return;
    }
    const int number = step.block >= 0 ? blockNumber(m_plan, m_plan.blocks.at(step.block)) : 0;
    QStringList messages;
    if (refused)
        messages.append(tr("Error 1F !!!!"));
    const QString blockText = blockFailureText(step.kind, number);
    if (!blockText.isEmpty())
        messages.append(blockText);
    const LoggedText failure =
        refused
            ? reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the loader refused %1"))
            : reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "no answer from the loader to %1"));
    endWith(Outcome::Failed, failure.arg(subjectOf(step.kind, number)), messages);
}

void FirmwareUpdate::onDeviceLost()
{
    if (isRunning())
        endWith(Outcome::PortLost,
                reasonText(QT_TRANSLATE_NOOP("FirmwareUpdate", "the port is gone")));
}

void FirmwareUpdate::endWith(Outcome outcome, const LoggedText &reason,
                             const QStringList &loaderMessages)
{
    UpdateResult result;
    result.outcome = outcome;
    result.loaderAnswered = m_phase != Phase::Synchronising;
    result.loaderMessages = loaderMessages;
    result.reason = reason.logged;
    result.reasonShown = reason.shown;
    m_syncTimer.stop();
    m_ackTimer.stop();
    setPhase(Phase::Idle);
    m_result = result;
    // Told from the event loop: the receiver may show boxes and close the port, which it
    // must not do from inside the port's own signal.
    QTimer::singleShot(0, this, &FirmwareUpdate::deliverResult);
}

void FirmwareUpdate::deliverResult()
{
    if (!m_result)
        return;
    const UpdateResult result = *m_result;
    m_result.reset();
    emit finished(result);
}

void FirmwareUpdate::setPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    emit phaseChanged(phase);
}

} // namespace levelconf
