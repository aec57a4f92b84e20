#include "BusCommandLink.h"

using namespace levelconf;

void BusCommandLink::send(const QByteArray &frame, const QString &, CommandEcho, SettingsRefresh)
{
    // No results box to echo into, and the settings are read back by "info" when wanted.
    m_reply = m_session.exchange(frame, m_address, m_accept, m_tries);
}
