#include "Answers.h"

#include "core/protocol/CommandCodes.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"

using namespace levelconf;

namespace
{
void appendLe(QByteArray &out, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void appendBe16(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

QByteArray head(quint8 address, quint8 code)
{
    QByteArray out;
    out.append(char(Cmd::AnswerPrefix));
    out.append(char(address));
    out.append(char(code));
    return out;
}
} // namespace

int dataAnswerLength(int firmware)
{
    return capabilitiesOf(firmware).dataAnswerLength;
}

QByteArray dataAnswer(const SensorConfig &s, quint32 amplitude, quint16 outputCode)
{
    QByteArray out = head(s.address, Cmd::ReadData);
    out.append(char(s.temperature));
    appendLe(out, outputCode, 2);
    appendLe(out, amplitude, 4);
    appendLe(out, s.emptyValue, 4);
    appendLe(out, s.fullValue, 4);
    appendLe(out, s.k, 2);
    out.append(char(s.mode));
    out.append(char(s.minDistance));
    out.append(char(s.filtration));
    appendLe(out, s.distanceLimit, 2);
    out.truncate(dataAnswerLength(s.firmware) - 1);
    return withCrc(out);
}

QByteArray identityAnswer(const SensorConfig &s)
{
    QByteArray out = head(s.address, Cmd::ReadIdentity);
    appendLe(out, s.serial, 4);
    out.append(char(s.firmware));
    out.append(char(s.prefix));
    return withCrc(out);
}

QByteArray tableAnswer(const SensorConfig &s)
{
    QByteArray out = head(s.address, Cmd::ReadTable);
    for (quint16 v : s.table.readings)
        appendBe16(out, v);
    for (quint16 v : s.table.volumes)
        appendBe16(out, v);
    return withCrc(out);
}

QByteArray modeAnswer(const SensorConfig &s)
{
    QByteArray data(1, char(s.mode));
    if (capabilitiesOf(s.firmware).secondModeByte)
        data.append(char(s.filtration));
    return confirmation(s.address, Cmd::SetMode, data);
}

QByteArray confirmation(quint8 address, quint8 code, const QByteArray &data)
{
    return withCrc(head(address, code) + data);
}

QByteArray frequencyAnswer(quint8 address, quint16 hertz)
{
    QByteArray data;
    appendBe16(data, hertz);
    return confirmation(address, Cmd::FrequencyMode, data);
}

quint16 outputFrequency(quint16 outputCode)
{
    return quint16(qMin<quint32>(0xFFFF, quint32(outputCode) + 300));
}

QByteArray wrongPasswordAnswer(quint8 address)
{
    return confirmation(address, Cmd::WrongPassword);
}
