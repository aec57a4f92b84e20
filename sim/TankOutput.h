#pragma once

#include "SensorConfig.h"

#include <QtGlobal>

// What a sensor outputs as its code N, by its mode byte: the distance code itself (tenths
// of a centimetre); with the litre flag (0x40), the tank table's volume at that reading,
// in whole litres; with the per-cent flag (0x20), that volume in tenths of a per cent of
// the table's largest. The table is read as a line through its points, from the zero
// point (0, 0) up, the readings in ascending order; past the last point the volume stays
// the last one's.
quint16 tankOutputCode(const SensorConfig &config, quint16 distanceCode);

// The volume of the table at `reading`, in litres.
double tableVolume(const CalibrationTable &table, quint16 reading);
