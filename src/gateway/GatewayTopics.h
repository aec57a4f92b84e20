#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The topics of the gateway. A sensor's topics are named after its serial number, which
// stays with it when its address changes.
struct GatewayTopics {
    QString prefix = QStringLiteral("levelconf");
    QString discoveryPrefix = QStringLiteral("homeassistant");
    QString clientId;

    QByteArray state(quint32 serial) const;        // PREFIX/<serial>/state
    QByteArray availability(quint32 serial) const; // PREFIX/<serial>/availability
    QByteArray status() const;                     // PREFIX/gateway/<client-id>/status
    QByteArray dropped() const;                    // PREFIX/gateway/<client-id>/dropped
    // DISCOVERY/sensor/levelconf_<serial>/<measurement>/config
    QByteArray discovery(quint32 serial, const QString &measurement) const;
};
