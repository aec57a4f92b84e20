#pragma once

#include "GatewayTopics.h"
#include "MqttMessage.h"
#include "core/trend/Measurements.h"

#include <QString>
#include <vector>

// Home Assistant discovery. Each sensor is a device with one retained config message for
// each of its measurements (the measurement table's rows with an entity), under the
// gateway's own device, which has its status and diagnostics. Each sensor entity names
// the sensor's state topic with the template that picks its value, and both the sensor's
// availability and the gateway's status, so that it shows unavailable when either is
// offline. Every config asks for QoS 1.

// The configs of the sensor with this serial number and firmware version text whose
// output is of `kind`, and an empty retained message for the entity of each other kind,
// which Home Assistant then removes: a sensor whose mode changed shows its new quantity
// alone. Its values expire after `expireAfterS` seconds without a state.
std::vector<MqttMessage> sensorDiscovery(const GatewayTopics &topics, quint32 serial,
                                         const QString &firmware, levelconf::OutputKind kind,
                                         int expireAfterS);

// An empty retained message for every config of the sensor: its device goes.
std::vector<MqttMessage> sensorForgotten(const GatewayTopics &topics, quint32 serial);

// The configs of the gateway's device: its status (connectivity) and its diagnostics.
std::vector<MqttMessage> gatewayDiscovery(const GatewayTopics &topics);
