#include "RequestParser.h"

#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"

using namespace levelconf;

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
    const CommandRow *row = commandRow(code);
    return row && row->keyed;
}

bool expectsWriteKey(quint8 code, int firmware)
{
    return takesWriteKey(code) && needsWriteKey(firmware);
}

std::optional<int> requestDataLength(quint8 code, int firmware)
{
    return levelconf::requestDataLength(code, capabilitiesOf(firmware));
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
        if (!data.startsWith(writeKey()))
            return std::nullopt;
        data.remove(0, writeKey().size());
    }
    if (data.size() != *length)
        return std::nullopt;
    return data;
}
