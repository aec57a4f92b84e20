#pragma once

#include "GatewayTopics.h"
#include "MqttMessage.h"

#include <QString>
#include <vector>

// Home Assistant discovery: one retained config message for each measurement of a sensor,
// all under one device, the sensor. Each names the sensor's state topic with the template
// that picks its value, and both the sensor's availability and the gateway's status, so
// that a sensor shows as unavailable when either is offline.

// The config messages of the sensor with this serial number and firmware version text, one
// for each of its measurements: distance, level_text, amplitude, temperature, frequency,
// analog and stability, the names that end their topics.
std::vector<MqttMessage> discoveryMessages(const GatewayTopics &topics, quint32 serial,
                                           const QString &firmware);
