#pragma once

#include "GatewayOptions.h"

#include <QString>

// levelconf-gateway --forget SERIAL: the sensor's discovery configs and availability are
// cleared on the broker with empty retained messages, and its serial number goes to the
// forget topic of the gateway of this client id, so that a gateway running there forgets
// it too and does not announce it again. It connects under a client name of its own, so
// that the running gateway keeps its connection. True once the broker has everything;
// false, with the reason, when it cannot be reached in time.
bool forgetSensor(const GatewayOptions &options, QString *error);
