#pragma once

#include "core/sensor/DataAnswer.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// Who a sensor is, from its identity answer.
struct SensorIdentity {
    quint32 serial = 0;
    quint8 versionCode = 0;
    quint8 versionPrefix = 0;
};

// A sensor's availability has changed: its topics say so.
struct AvailabilityChange {
    quint32 serial = 0;
    bool online = false;
};

// The sensors the gateway polls, by address, and what their polls have shown. A sensor is
// polled for its identity until an intact identity answer comes, then for its readings.
// It is online from its first reading and offline after three missed polls in a row;
// then its identity is asked again, since whatever answers at that address next may be
// another sensor or new firmware. An address found by a search but whose identity does
// not come within three tries was noise on the line, not a sensor, and is given up; an
// address the operator listed is never given up.
class SensorRoster
{
public:
    static constexpr int kMissesOffline = 3;
    static constexpr int kIdentityTries = 3;

    struct Sensor {
        quint8 address = 0;
        bool listed = false;                    // named by the operator, not found by a search
        std::optional<SensorIdentity> identity; // the last one read at this address
        bool confirmed = false;     // read since the sensor was last offline: poll its data
        std::optional<bool> online; // as its topic last said; nothing said yet
        int missed = 0;             // polls in a row without a reading, or identity tries
        levelconf::Stability stability;
        int amplitudes = 0; // readings with an amplitude of this sensor, up to the warm-up
    };

    // The operator's addresses, polled in this order.
    void listAddresses(const std::vector<quint8> &addresses);
    // What a search found: new addresses join, and addresses that were neither found nor
    // listed leave unless their sensor is answering.
    void searchFound(const std::vector<quint8> &addresses);

    const std::vector<Sensor> &sensors() const { return m_sensors; }
    const Sensor *sensor(quint8 address) const;

    // Its identity answer came, whole and intact.
    void identified(quint8 address, const SensorIdentity &id);
    // Its data answer came, whole and intact: the change of availability, if any.
    std::optional<AvailabilityChange> answered(quint8 address);
    // The stability lamp after a reading of this amplitude; nothing while the lamp says
    // nothing yet, for its first answers.
    std::optional<levelconf::StabilityLamp> lampAfter(quint8 address, quint32 amplitude);
    // A poll brought nothing usable: the change of availability, if any.
    std::optional<AvailabilityChange> missed(quint8 address);
    // The port is gone: every sensor is offline and will be asked who it is again.
    std::vector<AvailabilityChange> allLost();

private:
    Sensor *find(quint8 address);
    std::optional<AvailabilityChange> say(Sensor &s, bool online);

    std::vector<Sensor> m_sensors;
};
