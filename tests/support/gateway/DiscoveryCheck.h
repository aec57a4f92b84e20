#pragma once

#include <QByteArray>
#include <QStringList>

// Home Assistant's MQTT discovery, as its documentation gives the configuration of the
// sensor and binary_sensor components and of their device and origin objects: each key
// known, each value of its documented type, the enumerated values among those documented,
// and the rules between keys (a unit its device class takes, no state class or unit on an
// enum, a device identified, a unique id beside a device). What Home Assistant would refuse
// or ignore, as a list of faults; empty when the config is good.
QStringList discoveryFaults(const QByteArray &component, const QByteArray &config);
