#include "SettingMark.h"

#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"

bool isSettingRequest(const QByteArray &frame)
{
    // A request carries at least its address, code and check byte; the search request,
    // three bytes long, has no code at all.
    if (frame.size() < 4 || byteAt(frame, 1) != Cmd::RequestPrefix)
        return false;
    switch (byteAt(frame, 3).value_or(0)) {
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
    case Cmd::SetEmptyDirect:
    case Cmd::SetFullDirect:
    case Cmd::SetMode:
    case Cmd::SetAir:
    case Cmd::SetMinDistance:
    case Cmd::SetMaxDistance:
    case Cmd::SetNetAddress:
    case Cmd::ChangePassword:
    case Cmd::WriteTable:
        return true;
    default:
        return false;
    }
}

void PendingMark::queued(const QByteArray &frame, const QString &text)
{
    if (!isSettingRequest(frame)) {
        m_frame.clear();
        m_text.clear();
        return;
    }
    m_frame = frame;
    m_text = text;
}

std::optional<QString> PendingMark::written(const QByteArray &frame)
{
    std::optional<QString> text;
    if (!m_frame.isEmpty() && frame == m_frame)
        text = m_text;
    m_frame.clear();
    m_text.clear();
    return text;
}
