#pragma once

#include "core/config/SettingRules.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace levelconf
{

// Whether a request is shown as it goes out (in the window's results box).
enum class CommandEcho { No, Yes };

// Where the command flow's requests go and what it knows of their sensor: the window's
// session with its engine and address list, levelconf-cli's exchange on the bus, a test's
// record.
class CommandLink
{
public:
    virtual ~CommandLink() = default;

    // The sensor has answered since the port opened.
    virtual bool sensorAnswering() const = 0;
    // The address the commands go to; nothing when none is chosen.
    virtual std::optional<quint8> commandAddress() const = 0;
    // The sensor's firmware takes the write key after the code.
    virtual bool writeKey() const = 0;

    // The session log's next line.
    virtual void log(const QString &line) const = 0;
    // `frame` goes to the sensor; `logged` is the line the command logged for it last.
    virtual void send(const QByteArray &frame, const QString &logged, CommandEcho echo,
                      SettingsRefresh refresh) = 0;
};

} // namespace levelconf
