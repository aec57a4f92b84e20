#pragma once

#include "BusWindowHarness.h"
#include "SensorSim.h"

#include <QDeadlineTimer>
#include <QThread>

// One engine tick; then, before the next one, the simulated sensors take the frame it wrote
// and put their answer on the line, however slowly the machine runs. Only a machine that has
// stopped altogether reaches `limitMs`; then the tick goes on as the timer's would.
inline void tickAndSettle(BusWindowHarness &h, SensorSim &sim, int limitMs = 10000)
{
    const quint64 before = sim.bus().messagesHeard();
    h.tick();
    const QDeadlineTimer limit(limitMs);
    while (!limit.hasExpired()) {
        const quint64 heard = sim.bus().messagesHeard();
        if (heard > before && sim.messagesSettled() >= heard)
            return;
        QThread::msleep(1);
    }
}
