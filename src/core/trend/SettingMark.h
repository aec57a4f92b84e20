#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace levelconf
{

// Whether `frame` is a request that changes something in the sensor: a level shift or
// setting, the mode, air parameters, distances, network address, password or table. The
// polls, identity and table reads and the password entry change nothing.
bool isSettingRequest(const QByteArray &frame);

// The setting a command queued, waiting to be written. A pending request may still be
// replaced (by another command, a change of sensor, a search) or dropped, so the mark is
// made only when the frame that goes out is the one queued.
class PendingMark
{
public:
    // A command queued `frame`, logged as `text`. Anything but a setting clears the mark.
    void queued(const QByteArray &frame, const QString &text);
    // `frame` has been written: the logged text when it is the setting queued. Whatever
    // was written, nothing is pending afterwards.
    std::optional<QString> written(const QByteArray &frame);

private:
    QByteArray m_frame;
    QString m_text;
};

} // namespace levelconf
