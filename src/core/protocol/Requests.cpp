#include "Requests.h"

#include "CommandCodes.h"
#include "CommandTable.h"
#include "FrameCodec.h"

namespace levelconf
{

QByteArray settingRequest(quint8 code, quint8 address, const QList<qint64> &values, bool withKey)
{
    const CommandRow *row = commandRow(code);
    Q_ASSERT(row && row->data && values.size() >= row->values);
    if (!row || !row->data)
        return {};
    return buildRequest(address, code, withKey && row->keyed, row->data(values));
}

QByteArray dataRequest(quint8 address)
{
    return buildRequest(address, Cmd::ReadData, false);
}

QByteArray identityRequest(quint8 address)
{
    return buildRequest(address, Cmd::ReadIdentity, false);
}

QByteArray tableReadRequest(quint8 address)
{
    return buildRequest(address, Cmd::ReadTable, false);
}

QByteArray shiftRequest(quint8 address, bool full, qint16 shift, bool withKey)
{
    return settingRequest(full ? Cmd::ShiftFull : Cmd::ShiftEmpty, address, {shift}, withKey);
}

QByteArray directLevelRequest(quint8 address, bool full, quint32 value, bool withKey)
{
    return settingRequest(full ? Cmd::SetFullDirect : Cmd::SetEmptyDirect, address, {value},
                          withKey);
}

QByteArray passwordRequest(quint8 address, bool change, quint32 password, bool withKey)
{
    return settingRequest(change ? Cmd::ChangePassword : Cmd::EnterPassword, address, {password},
                          withKey);
}

QByteArray modeRequest(quint8 address, quint8 mode, bool withKey, std::optional<quint8> second)
{
    QList<qint64> values{mode};
    if (second)
        values.append(*second);
    return settingRequest(Cmd::SetMode, address, values, withKey);
}

QByteArray airRequest(quint8 address, qint16 temperature, qint16 pressure, quint8 humidity)
{
    // Whatever the firmware, the table's row leaves the key out.
    return settingRequest(Cmd::SetAir, address, {temperature, pressure, humidity}, true);
}

quint8 modeByte(const ModeControls &c)
{
    static constexpr quint8 kOutputValues[5] = {0x00, 0x02, 0x04, 0x06, 0x10};
    quint8 m = 0;
    for (int i = 0; i < 5; ++i) {
        if (c.outputs[i])
            m = kOutputValues[i];
    }
    if (c.inverted)
        m |= 0x01;
    if (c.filtration)
        m |= 0x08;
    if (c.range4096)
        m |= 0x80;
    if (c.litres)
        m |= 0x40;
    if (c.percent)
        m |= 0x20;
    return m;
}

} // namespace levelconf
