#include "Requests.h"

#include "CommandCodes.h"
#include "FrameCodec.h"

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
    return buildRequest(address, full ? Cmd::ShiftFull : Cmd::ShiftEmpty, withKey,
                        int16BigEndian(shift));
}

QByteArray directLevelRequest(quint8 address, bool full, quint32 value, bool withKey)
{
    return buildRequest(address, full ? Cmd::SetFullDirect : Cmd::SetEmptyDirect, withKey,
                        Long_to_string(value));
}

QByteArray passwordRequest(quint8 address, bool change, quint32 password, bool withKey)
{
    return buildRequest(address, change ? Cmd::ChangePassword : Cmd::EnterPassword, withKey,
                        Long_to_string(password));
}

QByteArray modeRequest(quint8 address, quint8 mode, bool withKey, std::optional<quint8> second)
{
    QByteArray data(1, static_cast<char>(mode));
    if (second)
        data.append(static_cast<char>(*second));
    return buildRequest(address, Cmd::SetMode, withKey, data);
}

QByteArray airRequest(quint8 address, qint16 temperature, qint16 pressure, quint8 humidity)
{
    QByteArray data = int16BigEndian(temperature) + int16BigEndian(pressure);
    data.append(static_cast<char>(humidity));
    return buildRequest(address, Cmd::SetAir, false, data);
}

QByteArray maxDistanceRequest(quint8 address, quint16 distance, bool withKey)
{
    return buildRequest(address, Cmd::SetMaxDistance, withKey,
                        int16BigEndian(static_cast<qint16>(distance)));
}

QByteArray minDistanceRequest(quint8 address, quint8 distance, bool withKey)
{
    return buildRequest(address, Cmd::SetMinDistance, withKey,
                        QByteArray(1, static_cast<char>(distance)));
}

QByteArray netAddressRequest(quint8 address, quint8 newAddress, bool withKey)
{
    return buildRequest(address, Cmd::SetNetAddress, withKey,
                        QByteArray(1, static_cast<char>(newAddress)));
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
