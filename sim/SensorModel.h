#pragma once

#include "Faults.h"
#include "RequestParser.h"
#include "SensorConfig.h"

#include <QByteArray>
#include <QElapsedTimer>

// One simulated sensor: it answers the requests to its address as a sensor of its
// firmware would and keeps what the settings commands change.
//
// Rules it follows:
// - a request with a wrong CRC, of the wrong length, or without the write key where its
//   firmware (1.7.5 and newer) expects one, is not answered;
// - while locked, every setting-changing request except the password itself is
//   answered with 0xFD, the wrong-password answer, and changes nothing; reading,
//   the search and the ambient air parameters (never protected) still work;
// - the right password unlocks it until the simulator ends; a wrong one is answered with
//   0xFD and changes nothing else;
// - a new network address is confirmed from the old address and used from then on
//   (255, the search address, is refused by silence).
class SensorModel
{
public:
    explicit SensorModel(const SensorConfig &config = {});

    const SensorConfig &config() const { return m_config; }
    SensorConfig &config() { return m_config; }
    Fault fault() const { return m_fault; }
    void setFault(Fault fault) { m_fault = fault; }

    // The answer to a request to this sensor's address; empty when it stays silent.
    QByteArray answer(const Request &request);
    // Its answer to the network search: its address as one raw byte.
    QByteArray searchAnswer() const;

    // The readings of the next data answer, with the live variation; the output code in
    // the quantity the mode byte chooses (a distance, or through the tank table).
    quint32 liveAmplitude() const;
    quint16 liveOutputCode() const;

private:
    QByteArray handle(quint8 code, const QByteArray &data);
    QByteArray handleSetting(quint8 code, const QByteArray &data);

    SensorConfig m_config;
    Fault m_fault = Fault::None;
    quint32 m_polls = 0;
    QElapsedTimer m_running; // since the sensor was put on the bus
};

// The output code of a tank that fills (or empties) at the sensor's fill rate, `elapsedMs`
// after the sensor was put on the bus; it stops at the ends of the code's range.
quint16 filledOutputCode(const SensorConfig &config, qint64 elapsedMs);
