#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The topics of the gateway. A sensor's topics are named after its serial number, which
// stays with it when its address changes; the gateway's own after its client id, so that
// gateways of several buses on one broker keep theirs apart.
struct GatewayTopics {
    QString prefix = QStringLiteral("levelconf");
    QString discoveryPrefix = QStringLiteral("homeassistant");
    QString clientId;

    QByteArray state(quint32 serial) const;        // PREFIX/<serial>/state
    QByteArray availability(quint32 serial) const; // PREFIX/<serial>/availability
    QByteArray status() const;                     // PREFIX/gateway/<client-id>/status
    QByteArray dropped() const;                    // PREFIX/gateway/<client-id>/dropped
    QByteArray diagnostics() const;                // PREFIX/gateway/<client-id>/diagnostics
    // PREFIX/gateway/<client-id>/forget: a serial number published here is forgotten
    QByteArray forget() const;
    // DISCOVERY/status: Home Assistant's birth ("online") and last will
    QByteArray homeAssistantStatus() const;
    // DISCOVERY/sensor/levelconf_<serial>/<measurement>/config
    QByteArray discovery(quint32 serial, const QString &measurement) const;
    // DISCOVERY/<component>/levelconf_gateway_<client-id>/<object>/config
    QByteArray gatewayDiscovery(const QString &component, const QString &object) const;
    // The identifier of the gateway's own device, which its sensors' devices name.
    QString gatewayDevice() const;
};
