#include "BusSession.h"

#include "core/protocol/AnswerCheck.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/FrameCodec.h"
#include "core/serial/SerialPort.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>

using namespace levelconf;

BusSession::BusSession(SerialPort &port, const SessionLog &log, QObject *parent)
    : QObject(parent), m_engine(port), m_log(log)
{
    connect(&port.events(), &SerialPortEvents::deviceLost, this, [this] {
        m_lost = true;
        if (m_loop)
            m_loop->quit();
    });
}

BusSession::Reply BusSession::exchange(const QByteArray &frame, quint8 address,
                                       const Accept &accept, int tries, Misses misses)
{
    Reply reply;
    bool heard = false; // some try brought an answer, though none was taken
    for (int i = 0; i < tries && !m_interrupted; ++i) {
        reply = once(frame);
        if (reply.status == Status::PortLost || reply.status == Status::Interrupted)
            return reply;
        if (reply.status == Status::Answered && (!accept || accept(reply.answer)))
            return reply;
        const bool damaged = reply.status == Status::Answered;
        heard = heard || damaged;
        reply.status = Status::NoAnswer;
        if (misses == Misses::Quiet)
            continue;
        log(damaged ? QStringLiteral("Answer not taken: ") + answerCheckText(reply.answer)
                    : noAnswerText(QString::number(address)));
    }
    reply.damaged = heard;
    if (m_interrupted)
        reply.status = Status::Interrupted;
    return reply;
}

BusSession::Reply BusSession::once(const QByteArray &frame)
{
    Reply reply;
    if (m_lost)
        return {Status::PortLost, {}};
    bool done = false;
    QEventLoop loop;
    const auto end = [&](Status s) {
        reply.status = s;
        done = true;
        loop.quit();
    };
    QList<QMetaObject::Connection> links{
        connect(&m_engine, &ExchangeEngine::answerArrived, &loop,
                [&](const QByteArray &answer, quint8) {
                    reply.answer = answer;
                    end(Status::Answered);
                }),
        connect(&m_engine, &ExchangeEngine::noAnswer, &loop, [&] { end(Status::NoAnswer); }),
        connect(&m_engine, &ExchangeEngine::writeFailed, &loop, [&] { end(Status::PortLost); })};
    m_engine.request(frame);
    if (!done && m_engine.busy()) {
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    for (const auto &c : links)
        disconnect(c);
    if (m_lost)
        return {Status::PortLost, {}};
    if (!done) {
        // Interrupted: whatever comes now is nobody's answer.
        m_engine.stop();
        reply.status = Status::Interrupted;
    }
    return reply;
}

bool BusSession::pause(int ms)
{
    if (m_interrupted)
        return false;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    return !m_interrupted && !m_lost;
}

void BusSession::interrupt()
{
    m_interrupted = true;
    if (m_loop)
        m_loop->quit();
}

void BusSession::log(const QString &line) const
{
    // A log that cannot be written must not stop the work on the bus.
    m_log.append(line, QTime::currentTime());
}

bool frequencyModeAnswer(const QByteArray &answer)
{
    return answerAccepted(answer, {std::nullopt, Cmd::FrequencyMode, std::nullopt});
}

BusSession::Accept awaiting(const AwaitedAnswer &awaited)
{
    return [awaited](const QByteArray &a) { return answerAccepted(a, awaited); };
}
