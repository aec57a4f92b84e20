#include "ForgetSensor.h"

#include "Discovery.h"
#include "GatewayLog.h"
#include "MqttLink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

using namespace levelconf;

namespace
{
constexpr int kGiveUpMs = 10000;
} // namespace

bool forgetSensor(const GatewayOptions &options, QString *error)
{
    const GatewayTopics topics{options.topicPrefix, options.discoveryPrefix, options.clientId};
    const quint32 serial = *options.forget;
    MqttLink link({options.broker, options.caFile, options.certFile, options.keyFile,
                   options.username, options.password,
                   (options.clientId + QStringLiteral("-forget")).left(64), MqttMessage{}});
    std::vector<MqttMessage> messages = sensorForgotten(topics, serial);
    messages.push_back({topics.availability(serial), QByteArray(), true});
    messages.push_back({topics.forget(), QByteArray::number(serial), false});

    QEventLoop loop;
    QSet<int> unacked;
    bool sent = false;
    QObject::connect(&link, &MqttLink::connected, &loop, [&] {
        if (sent)
            return;
        sent = true;
        for (const MqttMessage &m : messages) {
            if (const std::optional<int> id = link.publish(m))
                unacked.insert(*id);
        }
    });
    QObject::connect(&link, &MqttLink::acked, &loop, [&](int id) {
        unacked.remove(id);
        if (sent && unacked.isEmpty())
            loop.quit();
    });
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    if (!link.start(error))
        return false;
    loop.exec();
    link.stop();
    if (!sent || !unacked.isEmpty()) {
        *error =
            QCoreApplication::translate("levelconf-gateway", "MQTT broker %1: not reached in %2 s")
                .arg(options.broker.text())
                .arg(kGiveUpMs / 1000);
        return false;
    }
    gatewayLog(QCoreApplication::translate("levelconf-gateway", "Sensor %1: its topics are cleared")
                   .arg(serial));
    return true;
}
