#pragma once

#include "BusSession.h"
#include "core/command/CommandLink.h"

// The command line's commands on the bus: the request sent to the sensor of the run and its
// answer awaited there and then, asked again where the command may be repeated.
class BusCommandLink : public levelconf::CommandLink
{
public:
    BusCommandLink(BusSession &session, quint8 address, bool writeKey, BusSession::Accept accept,
                   int tries)
        : m_session(session), m_address(address), m_writeKey(writeKey), m_accept(std::move(accept)),
          m_tries(tries)
    {
    }

    // The command line asks for the identity itself, before a command that needs it.
    bool sensorAnswering() const override { return true; }
    std::optional<quint8> commandAddress() const override { return m_address; }
    bool writeKey() const override { return m_writeKey; }
    void log(const QString &line) const override { m_session.log(line); }
    void send(const QByteArray &frame, const QString &logged, levelconf::CommandEcho echo,
              levelconf::SettingsRefresh refresh) override;

    // What came back for the last request sent.
    const BusSession::Reply &reply() const { return m_reply; }

private:
    BusSession &m_session;
    quint8 m_address;
    bool m_writeKey;
    BusSession::Accept m_accept;
    int m_tries;
    BusSession::Reply m_reply;
};
