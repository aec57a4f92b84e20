#pragma once

#include <QByteArray>

// One message for the broker. Every message of the gateway goes with QoS 1: none may be
// lost on its way, and the broker may see one twice only where the connection broke
// before it could say it had it.
struct MqttMessage {
    QByteArray topic;
    QByteArray payload;
    bool retain = false; // the broker keeps it for whoever subscribes later
};
