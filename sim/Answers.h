#pragma once

#include "SensorConfig.h"

#include <QByteArray>

// The answer frames a sensor sends: 3E, its address, the code, the data, CRC-8.
// Multi-byte readings go least significant byte first, the table and the frequency
// most significant first.

// The length of the data answer by firmware generation: from 1.7.6 the full 26 bytes
// with the settings; from 1.6.3 22 bytes, ending with the mode byte; before that
// 21 bytes, readings only.
int dataAnswerLength(int firmware);

// The data answer (0xF0) with these readings.
QByteArray dataAnswer(const SensorConfig &s, quint32 amplitude, quint16 outputCode);

// The 10-byte identity answer (0xFC): serial number, version code, prefix.
QByteArray identityAnswer(const SensorConfig &s);

// The 84-byte table answer (0xEF): 20 readings, then 20 volumes.
QByteArray tableAnswer(const SensorConfig &s);

// The answer to a new mode (0xF2): the mode byte and, on firmware that takes it, the
// echo/filtration byte.
QByteArray modeAnswer(const SensorConfig &s);

// A confirmation: the request's code with `data` after it.
QByteArray confirmation(quint8 address, quint8 code, const QByteArray &data = {});

// The frequency-mode answer (0xFE) with the frequency in Hz.
QByteArray frequencyAnswer(quint8 address, quint16 hertz);

// The frequency a sensor in frequency mode puts out for an output code.
quint16 outputFrequency(quint16 outputCode);

// The answer to a wrong password (0xFD).
QByteArray wrongPasswordAnswer(quint8 address);
