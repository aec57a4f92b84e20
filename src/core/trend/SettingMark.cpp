#include "SettingMark.h"

#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"

namespace levelconf
{

bool isSettingRequest(const QByteArray &frame)
{
    // A request carries at least its address, code and check byte; the search request,
    // three bytes long, has no code at all.
    if (frame.size() < 4 || byteAt(frame, 1) != Cmd::RequestPrefix)
        return false;
    const CommandRow *row = commandRow(byteAt(frame, 3).value_or(0));
    return row && row->marked;
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

} // namespace levelconf
