#include "SensorBus.h"

#include "RequestParser.h"

SensorBus::SensorBus(const std::vector<SensorConfig> &sensors)
{
    for (const SensorConfig &c : sensors)
        m_sensors.emplace_back(c);
}

void SensorBus::addSensor(const SensorConfig &config)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sensors.emplace_back(config);
}

bool SensorBus::removeSensor(quint8 address)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_sensors.begin(); it != m_sensors.end(); ++it) {
        if (it->config().address == address) {
            m_sensors.erase(it);
            return true;
        }
    }
    return false;
}

std::vector<SensorConfig> SensorBus::sensors() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<SensorConfig> out;
    for (const SensorModel &s : m_sensors)
        out.push_back(s.config());
    return out;
}

std::optional<SensorConfig> SensorBus::sensor(quint8 address) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const SensorModel &s : m_sensors) {
        if (s.config().address == address)
            return s.config();
    }
    return std::nullopt;
}

SensorModel *SensorBus::find(quint8 address)
{
    for (SensorModel &s : m_sensors) {
        if (s.config().address == address)
            return &s;
    }
    return nullptr;
}

bool SensorBus::updateSensor(quint8 address, const std::function<void(SensorConfig &)> &change)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    SensorModel *s = find(address);
    if (!s)
        return false;
    change(s->config());
    return true;
}

bool SensorBus::setFault(quint8 address, Fault fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    SensorModel *s = find(address);
    if (!s)
        return false;
    s->setFault(fault);
    return true;
}

void SensorBus::clearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (SensorModel &s : m_sensors)
        s.setFault(Fault::None);
}

QByteArray SensorBus::respond(const QByteArray &message)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_heard;
    const Request request = parseRequest(message);
    QByteArray out;
    for (SensorModel &s : m_sensors) {
        if (request.kind == Request::Kind::Search)
            out += s.searchAnswer();
        else
            out += s.answer(request);
    }
    return out;
}

quint64 SensorBus::messagesHeard() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_heard;
}
