#pragma once

#include "Faults.h"
#include "SensorConfig.h"
#include "SensorModel.h"

#include <QByteArray>

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// The sensors on one RS-485 line. Safe to use from any thread: the transport answers
// from its own thread while a test changes sensors and faults.
class SensorBus
{
public:
    SensorBus() = default;
    explicit SensorBus(const std::vector<SensorConfig> &sensors);

    void addSensor(const SensorConfig &config);
    bool removeSensor(quint8 address);
    std::vector<SensorConfig> sensors() const;
    // The first sensor at this address, as it is now.
    std::optional<SensorConfig> sensor(quint8 address) const;
    // Changes the sensor at this address in place; false when there is none.
    bool updateSensor(quint8 address, const std::function<void(SensorConfig &)> &change);
    bool setFault(quint8 address, Fault fault);
    void clearFaults();

    // Everything the sensors send back to `message`, one request as it came off the
    // line: the answer of each sensor at the address (several when addresses clash), or
    // one byte per sensor to the search, in the order of the bus.
    QByteArray respond(const QByteArray &message);

    // Complete messages heard so far, answered or not.
    quint64 messagesHeard() const;

private:
    SensorModel *find(quint8 address);

    mutable std::mutex m_mutex;
    std::vector<SensorModel> m_sensors;
    quint64 m_heard = 0;
};
