#include "SensorRoster.h"

#include <algorithm>
#include <utility>

using namespace levelconf;

void SensorRoster::listAddresses(const std::vector<quint8> &addresses)
{
    m_sensors.clear();
    for (quint8 a : addresses) {
        Sensor s;
        s.address = a;
        s.listed = true;
        m_sensors.push_back(s);
    }
}

void SensorRoster::searchFound(const std::vector<quint8> &addresses)
{
    const auto found = [&](quint8 a) {
        return std::find(addresses.begin(), addresses.end(), a) != addresses.end();
    };
    m_sensors.erase(std::remove_if(m_sensors.begin(), m_sensors.end(),
                                   [&](const Sensor &s) {
                                       return !s.listed && !found(s.address) && !s.confirmed;
                                   }),
                    m_sensors.end());
    for (quint8 a : addresses) {
        if (!find(a)) {
            Sensor s;
            s.address = a;
            m_sensors.push_back(s);
        }
    }
    std::sort(m_sensors.begin(), m_sensors.end(),
              [](const Sensor &x, const Sensor &y) { return x.address < y.address; });
}

const SensorRoster::Sensor *SensorRoster::sensor(quint8 address) const
{
    for (const Sensor &s : m_sensors) {
        if (s.address == address)
            return &s;
    }
    return nullptr;
}

SensorRoster::Sensor *SensorRoster::find(quint8 address)
{
    return const_cast<Sensor *>(std::as_const(*this).sensor(address));
}

void SensorRoster::identified(quint8 address, const SensorIdentity &id)
{
    Sensor *s = find(address);
    if (!s)
        return;
    // Another sensor at this address: its topics have said nothing yet.
    if (!s->identity || s->identity->serial != id.serial) {
        s->online.reset();
        s->stability = Stability();
        s->amplitudes = 0;
    }
    s->identity = id;
    s->confirmed = true;
    s->missed = 0;
}

std::optional<AvailabilityChange> SensorRoster::answered(quint8 address)
{
    Sensor *s = find(address);
    if (!s || !s->confirmed)
        return std::nullopt;
    s->missed = 0;
    return say(*s, true);
}

std::optional<StabilityLamp> SensorRoster::lampAfter(quint8 address, quint32 amplitude)
{
    Sensor *s = find(address);
    if (!s)
        return std::nullopt;
    const StabilityStep step = nextStability(s->stability, amplitude);
    s->stability = step.state;
    s->amplitudes = std::min(s->amplitudes + 1, kStabilityWarmUpAnswers);
    if (s->amplitudes < kStabilityWarmUpAnswers)
        return std::nullopt;
    return step.lamp;
}

std::optional<AvailabilityChange> SensorRoster::missed(quint8 address)
{
    Sensor *s = find(address);
    if (!s)
        return std::nullopt;
    ++s->missed;
    if (!s->confirmed) {
        // A search answer that names no sensor is given up.
        if (!s->listed && !s->identity && s->missed >= kIdentityTries)
            m_sensors.erase(m_sensors.begin() + (s - m_sensors.data()));
        return std::nullopt;
    }
    if (s->missed < kMissesOffline)
        return std::nullopt;
    s->confirmed = false;
    s->missed = 0;
    return say(*s, false);
}

std::vector<AvailabilityChange> SensorRoster::allLost()
{
    std::vector<AvailabilityChange> changes;
    for (Sensor &s : m_sensors) {
        s.confirmed = false;
        s.missed = 0;
        if (const auto c = say(s, false))
            changes.push_back(*c);
    }
    return changes;
}

std::optional<AvailabilityChange> SensorRoster::say(Sensor &s, bool online)
{
    if (!s.identity || s.online == online)
        return std::nullopt;
    s.online = online;
    return AvailabilityChange{s.identity->serial, online};
}
