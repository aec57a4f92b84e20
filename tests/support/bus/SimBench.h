#pragma once

#include "BusWindowHarness.h"
#include "SensorSim.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>
#include <vector>

// A sensor whose readings stay put, so that a test can wait for exact texts.
SensorConfig steadySensor(quint8 address, quint8 firmware);

// The window on the real serial port, connected to a bus of simulated sensors, with the
// engine ticked by the test.
class SimBench
{
public:
    using Tones = QList<QPair<int, int>>;

    explicit SimBench(const std::vector<SensorConfig> &sensors) : sim(sensors) {}

    bool start() { return sim.start() && h.open(sim.slavePath()); }

    Ui::frmSerial *ui() const { return h.ui(); }
    frmSerial &w() { return h.w(); }

    // One engine tick; then, before the next one, the sensors take the frame it wrote and
    // put their answer on the line, however slowly the machine runs.
    void tick();

    // Ticks until `done` holds, ten ticks at most.
    bool tickUntil(const std::function<bool()> &done);
    bool tickUntilCaption(const QString &caption);

    // Searches the bus, picks the sensor at `address` and ticks until its identity and
    // then its own reading are shown.
    bool pick(quint8 address, const QString &version);

    // Remembers where the log and the tones stand before a command.
    void mark();
    QStringList logSinceMark() const { return h.logEvents().mid(m_logMark); }
    Tones tonesSinceMark() const { return h.tone.beeps.mid(m_toneMark); }

    SensorConfig sensor(quint8 address);

    SensorSim sim;
    BusWindowHarness h; // after the bus: the port closes before the line goes

private:
    int m_logMark = 0;
    int m_toneMark = 0;
};
