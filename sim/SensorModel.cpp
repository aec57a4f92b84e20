#include "SensorModel.h"

#include "Answers.h"
#include "TankOutput.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"

#include <cmath>

using namespace levelconf;

namespace
{
quint16 be16(const QByteArray &d, int at)
{
    return quint16((quint8(d.at(at)) << 8) | quint8(d.at(at + 1)));
}

quint32 be32(const QByteArray &d, int at)
{
    return (quint32(be16(d, at)) << 16) | be16(d, at + 2);
}

// The confirmation that echoes the value taken, as the command table says it does.
QByteArray echoedConfirmation(quint8 address, quint8 code, quint32 value)
{
    QByteArray le;
    for (int i = 0; i < commandRow(code)->setting->answerEcho; ++i)
        le.append(char((value >> (8 * i)) & 0xFF));
    return confirmation(address, code, le);
}

quint32 shifted(quint32 value, qint16 shift)
{
    const qint64 v = qint64(value) + shift;
    return quint32(qBound<qint64>(0, v, 0xFFFFFFFFLL));
}
} // namespace

SensorModel::SensorModel(const SensorConfig &config) : m_config(config)
{
    m_running.start();
}

quint16 filledOutputCode(const SensorConfig &config, qint64 elapsedMs)
{
    const qint64 v = config.outputCode + qint64(config.fillRate) * elapsedMs / 1000;
    return quint16(qBound(qint64(0), v, qint64(0xFFFF)));
}

quint32 SensorModel::liveAmplitude() const
{
    if (!m_config.liveVariation)
        return m_config.amplitude;
    // Small enough against the amplitude for the program to see a stable level.
    const double spread = m_config.amplitude / 20000.0;
    const qint64 v = qint64(m_config.amplitude) + qRound64(spread * std::sin(m_polls * 0.9));
    return quint32(qBound<qint64>(0, v, 0xFFFFFFFFLL));
}

quint16 SensorModel::liveOutputCode() const
{
    const quint16 level = filledOutputCode(m_config, m_running.elapsed());
    if (!m_config.liveVariation)
        return tankOutputCode(m_config, level);
    const int v = level + qRound(2.0 * std::sin(m_polls * 0.37));
    return tankOutputCode(m_config, quint16(qBound(0, v, 0xFFFF)));
}

QByteArray SensorModel::searchAnswer() const
{
    return applyFault(m_fault, QByteArray(1, char(m_config.address)),
                      outputFrequency(liveOutputCode()));
}

QByteArray SensorModel::answer(const Request &request)
{
    if (request.kind != Request::Kind::Command || request.address != m_config.address)
        return {};
    const auto data = requestData(request, m_config.firmware);
    if (!data)
        return {};
    const quint16 hertz = outputFrequency(liveOutputCode());
    return applyFault(m_fault, handle(request.code, *data), hertz);
}

QByteArray SensorModel::handle(quint8 code, const QByteArray &data)
{
    const quint8 a = m_config.address;
    switch (code) {
    case Cmd::ReadData: {
        const QByteArray out = dataAnswer(m_config, liveAmplitude(), liveOutputCode());
        ++m_polls;
        return out;
    }
    case Cmd::ReadIdentity:
        return identityAnswer(m_config);
    case Cmd::ReadTable:
        return tableAnswer(m_config);
    case Cmd::SetAir:
        m_config.airTemperature = qint16(be16(data, 0));
        m_config.airPressure = qint16(be16(data, 2));
        m_config.airHumidity = quint8(data.at(4));
        return confirmation(a, code);
    case Cmd::EnterPassword:
        if (be32(data, 0) != m_config.password)
            return wrongPasswordAnswer(a);
        m_config.locked = false;
        return confirmation(a, code);
    default:
        break;
    }
    if (m_config.locked)
        return wrongPasswordAnswer(a);
    return handleSetting(code, data);
}

QByteArray SensorModel::handleSetting(quint8 code, const QByteArray &data)
{
    const quint8 a = m_config.address;
    switch (code) {
    case Cmd::ShiftEmpty:
        m_config.emptyValue = shifted(m_config.emptyValue, qint16(be16(data, 0)));
        return confirmation(a, code);
    case Cmd::ShiftFull:
        m_config.fullValue = shifted(m_config.fullValue, qint16(be16(data, 0)));
        return confirmation(a, code);
    case Cmd::SetEmptyDirect:
        m_config.emptyValue = be32(data, 0);
        return confirmation(a, code);
    case Cmd::SetFullDirect:
        m_config.fullValue = be32(data, 0);
        return confirmation(a, code);
    case Cmd::SetMode:
        m_config.mode = quint8(data.at(0));
        if (data.size() > 1)
            m_config.filtration = quint8(data.at(1));
        return modeAnswer(m_config);
    case Cmd::SetMinDistance:
        m_config.minDistance = quint8(data.at(0));
        return echoedConfirmation(a, code, m_config.minDistance);
    case Cmd::SetMaxDistance:
        m_config.distanceLimit = be16(data, 0);
        return echoedConfirmation(a, code, m_config.distanceLimit);
    case Cmd::SetNetAddress:
        if (quint8(data.at(0)) == Cmd::SearchAddress)
            return {};
        m_config.address = quint8(data.at(0));
        return confirmation(a, code);
    case Cmd::ChangePassword:
        m_config.password = be32(data, 0);
        return confirmation(a, code);
    case Cmd::WriteTable:
        for (int i = 0; i < 20; ++i) {
            m_config.table.readings[i] = be16(data, 2 * i);
            m_config.table.volumes[i] = be16(data, 40 + 2 * i);
        }
        return confirmation(a, code);
    default:
        return {};
    }
}
