#include "RequestParser.h"

#include "core/protocol/CommandCodes.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"

Request parseRequest(const QByteArray &message)
{
    Request r;
    if (message.size() < 3 || quint8(message.at(0)) != Cmd::RequestPrefix)
        return r;
    if (crc8(message.left(message.size() - 1)) != quint8(message.back()))
        return r;
    r.address = quint8(message.at(1));
    if (message.size() == 3) {
        if (r.address == Cmd::SearchAddress)
            r.kind = Request::Kind::Search;
        return r;
    }
    r.kind = Request::Kind::Command;
    r.code = quint8(message.at(2));
    r.body = message.mid(3, message.size() - 4);
    return r;
}

bool takesWriteKey(quint8 code)
{
    switch (code) {
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
    case Cmd::SetEmptyDirect:
    case Cmd::SetFullDirect:
    case Cmd::SetMode:
    case Cmd::SetMinDistance:
    case Cmd::SetMaxDistance:
    case Cmd::SetNetAddress:
    case Cmd::EnterPassword:
    case Cmd::ChangePassword:
    case Cmd::WriteTable:
        return true;
    default:
        return false;
    }
}

bool expectsWriteKey(quint8 code, int firmware)
{
    return takesWriteKey(code) && needsWriteKey(firmware);
}

std::optional<int> requestDataLength(quint8 code, int firmware)
{
    switch (code) {
    case Cmd::ReadData:
    case Cmd::ReadIdentity:
    case Cmd::ReadTable:
        return 0;
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
    case Cmd::SetMaxDistance:
        return 2;
    case Cmd::SetEmptyDirect:
    case Cmd::SetFullDirect:
    case Cmd::EnterPassword:
    case Cmd::ChangePassword:
        return 4;
    case Cmd::SetMode:
        return capabilitiesOf(firmware).secondModeByte ? 2 : 1;
    case Cmd::SetAir:
        return 5;
    case Cmd::SetMinDistance:
    case Cmd::SetNetAddress:
        return 1;
    case Cmd::WriteTable:
        return 80;
    default:
        return std::nullopt;
    }
}

std::optional<QByteArray> requestData(const Request &request, int firmware)
{
    if (request.kind != Request::Kind::Command)
        return std::nullopt;
    const auto length = requestDataLength(request.code, firmware);
    if (!length)
        return std::nullopt;
    QByteArray data = request.body;
    if (expectsWriteKey(request.code, firmware)) {
        if (!data.startsWith(write_key()))
            return std::nullopt;
        data.remove(0, write_key().size());
    }
    if (data.size() != *length)
        return std::nullopt;
    return data;
}
