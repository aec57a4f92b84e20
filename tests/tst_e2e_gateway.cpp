// levelconf-gateway end to end: the built program as a child process, simulated sensors on
// a pseudo-terminal and Debian's mosquitto broker, judged by what a subscriber gets, the
// gateway's log and how it ends.
#include "Broker.h"
#include "DiscoveryCheck.h"
#include "Faults.h"
#include "MqttSubscriber.h"
#include "SensorSim.h"

#include <QtTest>

#include <csignal>
#include <memory>
#include <mutex>
#include <unistd.h>

using namespace levelconf;

namespace
{
// Every wait here is for an event, with a bound far beyond what it takes.
constexpr int kLongMs = 30000;

// Three sensors of three generations, their readings steady.
std::vector<SensorConfig> threeSensors()
{
    std::vector<SensorConfig> sensors = demoSensors();
    for (SensorConfig &c : sensors)
        c.liveVariation = false;
    return sensors;
}

// One sensor whose tank fills steadily: each reading is nearer than the one before, so
// the order of the readings shows in their distances.
std::vector<SensorConfig> fillingTank()
{
    SensorConfig c;
    c.address = 5;
    c.liveVariation = false;
    c.outputCode = 60000;
    c.fillRate = -100;
    return {c};
}

class Gateway
{
public:
    void start(const QString &port, const QString &broker, const QStringList &more = {})
    {
        if (!m_locale.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LC_ALL", m_locale);
            m_process.setProcessEnvironment(env);
        }
        m_process.start(LEVELCONF_GATEWAY_PROGRAM,
                        QStringList{"--port", port, "--mqtt", broker, "--client-id", m_clientId} +
                            more);
    }
    // Its log as far as it has been read; a wait for a line gives it time to come.
    QString log()
    {
        m_log += QString::fromUtf8(m_process.readAllStandardError());
        return m_log;
    }
    void signal(int sig) { ::kill(pid_t(m_process.processId()), sig); }
    // Its standard error a pipe nobody reads any more, as when a log collector is gone.
    void logToClosedPipe()
    {
        int fds[2];
        QVERIFY(::pipe(fds) == 0);
        ::close(fds[0]);
        m_process.setChildProcessModifier([w = fds[1]] { ::dup2(w, STDERR_FILENO); });
        m_closedPipe = fds[1];
    }
    // The exit status once it has ended; -1 when it had to be killed or crashed.
    int waitForExit()
    {
        if (!m_process.waitForFinished(kLongMs))
            m_process.kill();
        m_process.waitForFinished();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    ~Gateway()
    {
        if (m_closedPipe >= 0)
            ::close(m_closedPipe);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The locale it is started in; the test's own without it.
    void setLocale(const QString &locale) { m_locale = locale; }
    void setClientId(const QString &id) { m_clientId = id; }

private:
    QString m_clientId = "test";
    QProcess m_process;
    QString m_log;
    QString m_locale;
    int m_closedPipe = -1;
};

// A bus, a broker with a subscriber on it, and the gateway between them.
struct Site {
    explicit Site(const std::vector<SensorConfig> &sensors) : sim(sensors) {}
    Site(const std::vector<SensorConfig> &sensors, const Broker::Access &access)
        : sim(sensors), broker(access)
    {
    }

    // All started, the gateway last with `args` after its port and broker; its port is the
    // device, or a link to it when one is named.
    bool start(const QStringList &args = {}, const QString &link = QString())
    {
        if (!sim.start(link) || !broker.start() || !subscriber.start(broker.port()))
            return false;
        for (int waited = 0; !subscriber.subscribed() && waited < kLongMs; waited += 50)
            QTest::qWait(50);
        gateway.start(link.isEmpty() ? sim.slavePath() : link, broker.url(), args);
        return subscriber.subscribed();
    }

    SensorSim sim;
    Broker broker;
    MqttSubscriber subscriber{"watcher"};
    Gateway gateway;
};

// The data answers the sensors sent, by address, as the simulator traces them. The counts
// are shared with the simulator's thread, which may trace on after a failed test has let
// go of this.
class DataAnswers
{
public:
    explicit DataAnswers(SensorSim &sim)
    {
        sim.setTrace([counts = m_counts](const QString &line) {
            // "-> 3E 05 F0 ...": an answer out, with its address and code.
            const QStringList f = line.split(' ');
            if (f.size() > 3 && f[0] == "->" && f[1] == "3E" && f[3] == "F0") {
                std::lock_guard<std::mutex> lock(counts->mutex);
                ++counts->count[f[2].toInt(nullptr, 16)];
            }
        });
    }
    int count(int address) const
    {
        std::lock_guard<std::mutex> lock(m_counts->mutex);
        return m_counts->count.value(address);
    }

private:
    struct Counts {
        std::mutex mutex;
        QHash<int, int> count;
    };
    std::shared_ptr<Counts> m_counts = std::make_shared<Counts>();
};

bool hasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic("\\p{Cyrillic}");
    return text.contains(cyrillic);
}

QJsonObject json(const QByteArray &payload)
{
    return QJsonDocument::fromJson(payload).object();
}

// The distances of the states of a sensor, in the order they came.
QList<double> distances(const MqttSubscriber &s, const QByteArray &topic)
{
    QList<double> out;
    for (const QByteArray &p : s.payloads(topic))
        out << json(p).value("distance_cm").toDouble();
    return out;
}

// The distances once each, in the order they first came, and how many came again.
QList<double> once(const QList<double> &values, int *again)
{
    QList<double> out;
    QSet<double> seen;
    for (double v : values) {
        if (seen.contains(v))
            ++*again;
        else
            out << v;
        seen.insert(v);
    }
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
}

bool strictlyFalling(const QList<double> &values)
{
    for (int i = 1; i < values.size(); ++i) {
        if (!(values[i] < values[i - 1]))
            return false;
    }
    return true;
}
// The discovery configs that came, with the component their topic names; an empty one
// removed its entity.
struct Config {
    QByteArray topic;
    QByteArray component;
    QJsonObject config;
};
QList<Config> configs(const QList<MqttSubscriber::Message> &messages)
{
    QList<Config> out;
    for (const MqttSubscriber::Message &m : messages) {
        if (m.topic.startsWith("homeassistant/") && m.topic.endsWith("/config"))
            out.append({m.topic, m.topic.split('/').at(1), json(m.payload)});
    }
    return out;
}

// The messages that came after the first `from`.
QList<MqttSubscriber::Message> since(const MqttSubscriber &s, int from)
{
    return s.messages().mid(from);
}

QList<qint64> seqs(const MqttSubscriber &s, const QByteArray &topic)
{
    QList<qint64> out;
    for (const QByteArray &p : s.payloads(topic))
        out << json(p).value("seq").toInteger();
    return out;
}

// Sensors whose output goes through the tank table: litres, then per cent of the table's
// largest volume, at address 7 beside a distance sensor at 5.
std::vector<SensorConfig> tankSensors()
{
    SensorConfig litres;
    litres.address = 7;
    litres.serial = 7007;
    litres.mode = 0xC0; // litres, range 4096
    litres.outputCode = 1000;
    litres.liveVariation = false;
    for (int i = 0; i < 20; ++i) {
        litres.table.readings[i] = quint16(100 * (i + 1));
        litres.table.volumes[i] = quint16(1500 * (i + 1)); // 15,000 L at a reading of 100 cm
    }
    SensorConfig distance;
    distance.address = 5;
    distance.liveVariation = false;
    return {distance, litres};
}
} // namespace

class tst_E2EGateway : public QObject
{
    Q_OBJECT

    // The three-sensor bus, shared by the tests that only watch it.
    Site m_site{threeSensors()};
    SensorSim &m_sim = m_site.sim;
    Broker &m_broker = m_site.broker;
    MqttSubscriber &m_subscriber = m_site.subscriber;
    Gateway &m_gateway = m_site.gateway;

private slots:
    void initTestCase()
    {
        QVERIFY(m_site.start());
        QTRY_COMPARE_WITH_TIMEOUT(m_subscriber.last("levelconf/gateway/test/status"),
                                  QByteArray("online"), kLongMs);
    }

    // Each measurement of each sensor has its config, kept by the broker for a consumer
    // that comes later.
    void discoveryConfigsAreRetained_data()
    {
        QTest::addColumn<QString>("measurement");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("diagnostic");
        QTest::newRow("distance") << "distance"
                                  << "distance_cm"
                                  << "cm" << true << false;
        QTest::newRow("level text") << "level_text"
                                    << "level_text"
                                    << "" << false << true;
        QTest::newRow("amplitude") << "amplitude"
                                   << "amplitude"
                                   << "" << true << true;
        QTest::newRow("temperature") << "temperature"
                                     << "temperature_C"
                                     << "°C" << true << false;
        QTest::newRow("frequency") << "frequency"
                                   << "frequency_Hz"
                                   << "Hz" << true << true;
        QTest::newRow("analog output") << "analog"
                                       << "analog_V"
                                       << "V" << true << true;
        QTest::newRow("stability") << "stability"
                                   << "stability"
                                   << "" << false << false;
    }
    void discoveryConfigsAreRetained()
    {
        QFETCH(QString, measurement);
        QFETCH(QString, field);
        QFETCH(QString, unit);
        QFETCH(bool, number);
        QFETCH(bool, diagnostic);
        const QByteArray topic =
            "homeassistant/sensor/levelconf_12345/" + measurement.toUtf8() + "/config";
        QTRY_VERIFY_WITH_TIMEOUT(!m_subscriber.last(topic).isEmpty(), kLongMs);
        MqttSubscriber later("later-" + measurement);
        QVERIFY(later.start(m_broker.port()));
        QTRY_VERIFY_WITH_TIMEOUT(!later.last(topic).isEmpty(), kLongMs);
        for (const MqttSubscriber::Message &m : later.messages()) {
            if (m.topic == topic)
                QVERIFY(m.retained);
        }
        const QJsonObject o = json(later.last(topic));
        QCOMPARE(o.value("unique_id").toString(), "levelconf_12345_" + measurement);
        QCOMPARE(o.value("state_topic").toString(), QString("levelconf/12345/state"));
        // The stability is unknown until the warm-up answers are in, and then left out.
        const QString value = "value_json." + field;
        QCOMPARE(o.value("value_template").toString(), field == "stability"
                                                           ? "{{ " + value + " | default('None') }}"
                                                           : "{{ " + value + " }}");
        QCOMPARE(o.value("unit_of_measurement").toString(), unit);
        QCOMPARE(o.value("state_class").toString(), number ? "measurement" : "");
        const QJsonArray availability = o.value("availability").toArray();
        QCOMPARE(availability.size(), 2);
        QCOMPARE(availability[0].toObject().value("topic").toString(),
                 QString("levelconf/12345/availability"));
        QCOMPARE(availability[1].toObject().value("topic").toString(),
                 QString("levelconf/gateway/test/status"));
        const QJsonObject device = o.value("device").toObject();
        QCOMPARE(device.value("serial_number").toString(), QString("12345"));
        QCOMPARE(device.value("model").toString(), QString("QX-510/HZL-310 level sensor"));
        QCOMPARE(device.value("sw_version").toString(), QString("1.7.6."));
        QCOMPARE(device.value("via_device").toString(), QString("levelconf_gateway_test"));
        QCOMPARE(o.value("entity_category").toString(), diagnostic ? "diagnostic" : "");
        QCOMPARE(o.value("qos").toInt(), 1);
        // Three polling intervals of a second, and half a minute more.
        QCOMPARE(o.value("expire_after").toInt(), 33);
    }

    // Every config, the sensors' and the gateway's own, keeps Home Assistant's documented
    // rules; the gateway is a device of its own, which every sensor's device names, with
    // its status and diagnostics; and no entity is announced for a quantity a sensor does
    // not output.
    void everyConfigKeepsHomeAssistantsRules()
    {
        const QByteArray diagnostics = "levelconf/gateway/test/diagnostics";
        QTRY_VERIFY_WITH_TIMEOUT(!m_subscriber.last(diagnostics).isEmpty(), kLongMs);
        const QJsonObject d = json(m_subscriber.last(diagnostics));
        for (const char *key :
             {"polls_per_s", "missed_polls", "latency_ms", "queue", "dropped", "last_search"})
            QVERIFY2(d.contains(key), key);
        QVERIFY(d.value("polls_per_s").toDouble() > 0);

        QSet<QByteArray> sensorsNamingTheGateway;
        QSet<QByteArray> gatewayEntities;
        for (const Config &c : configs(m_subscriber.messages())) {
            // An empty one removes the entity of a quantity the sensor does not output.
            if (c.config.isEmpty()) {
                QVERIFY2(c.topic.contains("/volume/") || c.topic.contains("/percent/"), c.topic);
                continue;
            }
            const QStringList faults =
                discoveryFaults(c.component, QJsonDocument(c.config).toJson());
            QVERIFY2(faults.isEmpty(), qPrintable(c.topic + ": " + faults.join("; ")));
            const QJsonObject device = c.config.value("device").toObject();
            if (c.topic.contains("/levelconf_gateway_test/")) {
                QCOMPARE(device.value("identifiers").toArray().first().toString(),
                         QString("levelconf_gateway_test"));
                QCOMPARE(c.config.value("entity_category").toString(), QString("diagnostic"));
                gatewayEntities << c.topic.split('/').at(3);
            } else if (device.value("via_device").toString() == "levelconf_gateway_test") {
                sensorsNamingTheGateway << c.topic.split('/').at(2);
            }
            QVERIFY2(!c.topic.contains("/volume/") && !c.topic.contains("/percent/"), c.topic);
        }
        QCOMPARE(sensorsNamingTheGateway,
                 QSet<QByteArray>({"levelconf_1001", "levelconf_1002", "levelconf_12345"}));
        QCOMPARE(gatewayEntities,
                 QSet<QByteArray>({"status", "polls_per_s", "missed_polls", "latency_ms", "queue",
                                   "dropped", "last_search"}));
    }

    // Each sensor's readings under its serial number, with the watch command's fields.
    void statesOfEachSensor_data()
    {
        QTest::addColumn<QByteArray>("serial");
        QTest::addColumn<int>("address");
        QTest::addColumn<double>("distance");
        QTest::addColumn<int>("temperature");
        QTest::newRow("firmware 1.6.3") << QByteArray("1001") << 1 << 73.4 << 19;
        QTest::newRow("firmware 1.7.2") << QByteArray("1002") << 2 << 14.3 << 18;
        QTest::newRow("firmware 1.7.6") << QByteArray("12345") << 5 << 204.8 << 21;
    }
    void statesOfEachSensor()
    {
        QFETCH(QByteArray, serial);
        QFETCH(int, address);
        QFETCH(double, distance);
        QFETCH(int, temperature);
        const QByteArray topic = "levelconf/" + serial + "/state";
        QTRY_VERIFY_WITH_TIMEOUT(m_subscriber.payloads(topic).size() >= 2, kLongMs);
        QCOMPARE(m_subscriber.last("levelconf/" + serial + "/availability"), QByteArray("online"));
        const QJsonObject o = json(m_subscriber.last(topic));
        QCOMPARE(o.value("address").toInt(), address);
        QCOMPARE(o.value("distance_cm").toDouble(), distance);
        QCOMPARE(o.value("temperature_C").toInt(), temperature);
        QCOMPARE(o.value("level_text").toString(), QString::number(distance));
        for (const char *key : {"amplitude", "empty", "full", "frequency_Hz", "analog_V"})
            QVERIFY2(o.contains(key), key);
        // The stability comes once the lamp says something, after its first answers.
        QVERIFY(!o.contains("stability") ||
                QStringList({"green", "yellow", "red"}).contains(o.value("stability").toString()));
        QCOMPARE(o.value("output").toString(), QString("distance"));
        QVERIFY(QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs).isValid());
        QVERIFY(o.value("time").toString().contains(
            QRegularExpression("T\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d[+-]\\d\\d:\\d\\d$")));
        // Counted from the gateway's start, one by one.
        const QList<qint64> seq = seqs(m_subscriber, topic);
        QCOMPARE(seq.first(), 1);
        for (int i = 1; i < seq.size(); ++i)
            QCOMPARE(seq[i], seq[i - 1] + 1);
    }

    // Home Assistant restarted says online: every online sensor's configs, availability
    // and last state come again, at once.
    void homeAssistantsOnlineBringsConfigsAndStates()
    {
        const int from = m_subscriber.messages().size();
        MqttSubscriber homeAssistant("home-assistant");
        QVERIFY(homeAssistant.start(m_broker.port(), "homeassistant/status"));
        QTRY_VERIFY_WITH_TIMEOUT(homeAssistant.subscribed(), kLongMs);
        QVERIFY(homeAssistant.publish("homeassistant/status", "online"));
        QElapsedTimer clock;
        clock.start();
        const auto came = [&](const QByteArray &topic) {
            for (const MqttSubscriber::Message &m : since(m_subscriber, from)) {
                if (m.topic == topic && !m.payload.isEmpty())
                    return true;
            }
            return false;
        };
        for (const QByteArray serial : {"1001", "1002", "12345"}) {
            QTRY_VERIFY_WITH_TIMEOUT(
                came("homeassistant/sensor/levelconf_" + serial + "/distance/config"), 5000);
            QTRY_VERIFY_WITH_TIMEOUT(came("levelconf/" + serial + "/availability"), 5000);
            // The last state again, its seq the same, between the new readings.
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    const QList<qint64> seq = seqs(m_subscriber, "levelconf/" + serial + "/state");
                    return QSet<qint64>(seq.begin(), seq.end()).size() < seq.size();
                }(),
                5000);
        }
        QVERIFY(came("homeassistant/binary_sensor/levelconf_gateway_test/status/config"));
        QVERIFY(clock.elapsed() < 5000);
    }

    // A sensor in litres shows its volume in L, and its entities follow the mode: set to
    // per cent, the percentage replaces the volume, whose config is emptied. A sensor
    // plugged in meanwhile is found by the searches that go on.
    void theOutputFollowsTheMode()
    {
        Site site(tankSensors());
        QVERIFY(site.start());
        MqttSubscriber &sub = site.subscriber;
        const QByteArray state = "levelconf/7007/state";
        const QByteArray node = "homeassistant/sensor/levelconf_7007/";
        QTRY_VERIFY_WITH_TIMEOUT(!sub.last(state).isEmpty(), kLongMs);
        QJsonObject o = json(sub.last(state));
        QCOMPARE(o.value("output").toString(), QString("volume"));
        QCOMPARE(o.value("volume_L").toDouble(), 15000.0);
        QCOMPARE(o.value("level_text").toString(), QString("15000"));
        QVERIFY(!o.contains("distance_cm"));
        QTRY_VERIFY_WITH_TIMEOUT(!sub.last(node + "volume/config").isEmpty(), kLongMs);
        const QJsonObject volume = json(sub.last(node + "volume/config"));
        QCOMPARE(volume.value("unit_of_measurement").toString(), QString("L"));
        QCOMPARE(volume.value("device_class").toString(), QString("volume_storage"));
        QCOMPARE(volume.value("value_template").toString(), QString("{{ value_json.volume_L }}"));
        QVERIFY(sub.last(node + "distance/config").isEmpty());
        QCOMPARE(json(sub.last("levelconf/12345/state")).value("output").toString(),
                 QString("distance"));

        site.sim.bus().updateSensor(7, [](SensorConfig &c) { c.mode = 0xA0; });
        QTRY_COMPARE_WITH_TIMEOUT(json(sub.last(state)).value("percent").toDouble(), 50.0, kLongMs);
        QTRY_VERIFY_WITH_TIMEOUT(!sub.last(node + "percent/config").isEmpty(), kLongMs);
        QCOMPARE(json(sub.last(node + "percent/config")).value("unit_of_measurement").toString(),
                 QString("%"));
        QTRY_VERIFY_WITH_TIMEOUT(sub.last(node + "volume/config").isEmpty(), kLongMs);
        MqttSubscriber later("later");
        QVERIFY(later.start(site.broker.port(), "homeassistant/sensor/levelconf_7007/#"));
        QTRY_VERIFY_WITH_TIMEOUT(!later.last(node + "percent/config").isEmpty(), kLongMs);
        QVERIFY(later.last(node + "volume/config").isEmpty());

        SensorConfig plugged;
        plugged.address = 9;
        plugged.serial = 9009;
        site.sim.bus().addSensor(plugged);
        QTRY_VERIFY_WITH_TIMEOUT(!sub.last("levelconf/9009/state").isEmpty(), 2 * kLongMs);
    }

    // Lifecycle: a sensor gone offline is not announced again after a broker outage, and
    // once it has not been heard for --forget-after its topics are cleared; --forget
    // clears one at once, the running gateway forgetting it too.
    void aSensorThatLeftIsForgotten()
    {
        Site site(threeSensors());
        QVERIFY(site.start({"--forget-after", "12s"}));
        MqttSubscriber &sub = site.subscriber;
        QTRY_COMPARE_WITH_TIMEOUT(sub.last("levelconf/12345/availability"), QByteArray("online"),
                                  kLongMs);
        site.sim.bus().setFault(5, Fault::Silent);
        QTRY_COMPARE_WITH_TIMEOUT(sub.last("levelconf/12345/availability"), QByteArray("offline"),
                                  kLongMs);

        site.broker.stop();
        QTest::qWait(1000);
        const int from = sub.messages().size();
        QVERIFY(site.broker.start());
        QTRY_COMPARE_WITH_TIMEOUT(site.gateway.log().count(": connected\n"), 2, kLongMs);
        const QByteArray online = "homeassistant/sensor/levelconf_1001/distance/config";
        // What the gateway publishes anew, not what the broker keeps and gives the
        // subscriber again as it comes back.
        const auto published = [&] {
            QList<MqttSubscriber::Message> out;
            for (const MqttSubscriber::Message &m : since(sub, from))
                if (!m.retained)
                    out << m;
            return out;
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const Config &c : configs(published()))
                    if (c.topic == online)
                        return true;
                return false;
            }(),
            kLongMs);
        for (const MqttSubscriber::Message &m : published())
            QVERIFY2(!m.topic.contains("12345"), m.topic);

        QTRY_VERIFY_WITH_TIMEOUT(
            site.gateway.log().contains("Sensor 12345: not heard for 12 s; its topics are "
                                        "cleared"),
            kLongMs);
        const auto retainedFor = [&](const QByteArray &serial) -> QList<QByteArray> {
            MqttSubscriber later("later-" + serial);
            later.start(site.broker.port());
            // What is retained comes first, before the readings of 1001 that follow.
            for (int waited = 0; later.payloads("levelconf/1001/state").isEmpty(); waited += 50) {
                if (waited > kLongMs)
                    return {"no state came"};
                QTest::qWait(50);
            }
            QList<QByteArray> out;
            for (const MqttSubscriber::Message &m : later.messages())
                if (m.retained && m.topic.contains(serial))
                    out << m.topic;
            return out;
        };
        // The empty retained messages are on their way once the log says so.
        QTRY_COMPARE_WITH_TIMEOUT(retainedFor("12345"), QList<QByteArray>(), kLongMs);

        QProcess forget;
        forget.start(LEVELCONF_GATEWAY_PROGRAM,
                     {"--forget", "1002", "--mqtt", site.broker.url(), "--client-id", "test"});
        QVERIFY(forget.waitForFinished(kLongMs));
        QCOMPARE(forget.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            site.gateway.log().contains("Sensor 1002: forgotten on request; its topics are "
                                        "cleared"),
            kLongMs);
        QTRY_COMPARE_WITH_TIMEOUT(retainedFor("1002"), QList<QByteArray>(), kLongMs);
        // The running gateway kept its connection.
        QCOMPARE(site.gateway.log().count(": connected\n"), 2);
    }

    // --publish changes: a steady sensor's state goes out at the heartbeat alone, a
    // changing one's with every reading, so between two heartbeats nothing is lost.
    void publishChangesSendsFewerStates()
    {
        std::vector<SensorConfig> sensors = fillingTank();
        SensorConfig steady;
        steady.address = 6;
        steady.serial = 6006;
        steady.liveVariation = false;
        sensors.push_back(steady);
        Site site(sensors);
        DataAnswers answers(site.sim);
        QVERIFY(site.start({"--addresses", "5,6", "--interval", "0.2", "--publish", "changes",
                            "--heartbeat", "2s"}));
        QTest::qWait(7000);
        site.gateway.signal(SIGTERM);
        QCOMPARE(site.gateway.waitForExit(), 0);
        const QList<qint64> filling = seqs(site.subscriber, "levelconf/12345/state");
        const QList<qint64> still = seqs(site.subscriber, "levelconf/6006/state");
        QVERIFY(answers.count(6) >= 20);
        QVERIFY2(still.size() >= 3 && still.size() <= 6, qPrintable(QString::number(still.size())));
        QCOMPARE(still.first(), 1);
        // Every reading taken of the changing one went out: its seq misses none.
        QVERIFY(filling.size() >= 20);
        for (int i = 0; i < filling.size(); ++i)
            QCOMPARE(filling[i], i + 1);
    }

    // Two buses on one broker, a gateway each: their own status, device and sensors, and
    // one stopping leaves the other as it was.
    void twoBusesOnOneBroker()
    {
        Site a(threeSensors());
        std::vector<SensorConfig> others = threeSensors();
        for (SensorConfig &c : others)
            c.serial += 50000;
        SensorSim simB(others);
        QVERIFY(simB.start());
        a.gateway.setClientId("bus-a");
        QVERIFY(a.start());
        Gateway b;
        b.setClientId("bus-b");
        b.start(simB.slavePath(), a.broker.url());
        MqttSubscriber &sub = a.subscriber;
        for (const QByteArray serial : {"1001", "51001", "62345"})
            QTRY_COMPARE_WITH_TIMEOUT(sub.last("levelconf/" + serial + "/availability"),
                                      QByteArray("online"), kLongMs);
        QCOMPARE(sub.last("levelconf/gateway/bus-a/status"), QByteArray("online"));
        QCOMPARE(sub.last("levelconf/gateway/bus-b/status"), QByteArray("online"));
        const auto via = [&](const QByteArray &serial) {
            const QByteArray t = "homeassistant/sensor/levelconf_" + serial + "/distance/config";
            return json(sub.last(t)).value("device").toObject().value("via_device").toString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(via("1001"), QString("levelconf_gateway_bus-a"), kLongMs);
        QTRY_COMPARE_WITH_TIMEOUT(via("51001"), QString("levelconf_gateway_bus-b"), kLongMs);
        for (const QByteArray id : {"bus-a", "bus-b"})
            QVERIFY(
                !sub.last("homeassistant/binary_sensor/levelconf_gateway_" + id + "/status/config")
                     .isEmpty());

        a.gateway.signal(SIGTERM);
        QCOMPARE(a.gateway.waitForExit(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(sub.last("levelconf/gateway/bus-a/status"), QByteArray("offline"),
                                  kLongMs);
        QCOMPARE(sub.last("levelconf/1001/availability"), QByteArray("offline"));
        const int from = sub.messages().size();
        QTRY_VERIFY_WITH_TIMEOUT(!since(sub, from).isEmpty(), kLongMs);
        QCOMPARE(sub.last("levelconf/gateway/bus-b/status"), QByteArray("online"));
        QCOMPARE(sub.last("levelconf/51001/availability"), QByteArray("online"));
        QVERIFY(b.log().count(": connected\n") == 1);
    }

    // A sensor that falls silent goes offline after three missed polls, and online again
    // when it answers.
    void availabilityFollowsASilentSensor()
    {
        const QByteArray topic = "levelconf/12345/availability";
        m_sim.bus().setFault(5, Fault::Silent);
        QTRY_COMPARE_WITH_TIMEOUT(m_subscriber.last(topic), QByteArray("offline"), kLongMs);
        QTRY_VERIFY_WITH_TIMEOUT(
            m_gateway.log().contains("Sensor 12345: offline (3 polls in a row missed)"), kLongMs);
        QCOMPARE(m_subscriber.last("levelconf/1001/availability"), QByteArray("online"));
        m_sim.bus().setFault(5, Fault::None);
        QTRY_COMPARE_WITH_TIMEOUT(m_subscriber.last(topic), QByteArray("online"), kLongMs);
    }

    // SIGTERM: the gateway and its sensors say offline, and it ends well.
    void sigtermSaysOfflineAndEnds()
    {
        m_gateway.signal(SIGTERM);
        QCOMPARE(m_gateway.waitForExit(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_subscriber.last("levelconf/gateway/test/status"),
                                  QByteArray("offline"), kLongMs);
        for (const QByteArray serial : {"1001", "1002", "12345"})
            QCOMPARE(m_subscriber.last("levelconf/" + serial + "/availability"),
                     QByteArray("offline"));
        QVERIFY(m_gateway.log().endsWith("Stopped\n"));
    }

    // Killed without a goodbye: the broker gives the gateway's last will.
    void sigkillLeavesTheLastWill()
    {
        Site site(threeSensors());
        QVERIFY(site.start({"--addresses", "5"}));
        QTRY_VERIFY_WITH_TIMEOUT(!site.subscriber.payloads("levelconf/12345/state").isEmpty(),
                                 kLongMs);
        site.gateway.signal(SIGKILL);
        QCOMPARE(site.gateway.waitForExit(), -1);
        QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.last("levelconf/gateway/test/status"),
                                  QByteArray("offline"), kLongMs);
    }

    // The broker stopped for 10 s: polling goes on, and once it is back every reading taken
    // meanwhile arrives, once each and in order; past the queue's bound the oldest go, and
    // the gateway says how many.
    void aBrokerOutage_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<bool>("drops");
        QTest::newRow("nothing lost") << QStringList() << false;
        QTest::newRow("past the queue's bound") << QStringList{"--queue-size", "5"} << true;
    }
    void aBrokerOutage()
    {
        QFETCH(QStringList, queue);
        QFETCH(bool, drops);
        Site site(fillingTank());
        DataAnswers answers(site.sim);
        QVERIFY(site.start(QStringList{"--addresses", "5", "--interval", "0.2"} + queue));
        const QByteArray topic = "levelconf/12345/state";
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads(topic).size() >= 3, kLongMs);

        site.broker.stop();
        const int before = answers.count(5);
        QTest::qWait(10000);
        QVERIFY(answers.count(5) > before + 10); // the polls went on
        QVERIFY(site.broker.start());
        Gateway &gateway = site.gateway;
        QTRY_COMPARE_WITH_TIMEOUT(gateway.log().count(": connected\n"), 2, kLongMs);
        // One line for the outage, none for each try to reconnect.
        QCOMPARE(gateway.log().count("connection lost"), 1);
        QCOMPARE(gateway.log().count("cannot connect"), 0);
        gateway.signal(SIGTERM);
        QCOMPARE(gateway.waitForExit(), 0);

        const auto dropped = [&] { return site.subscriber.last("levelconf/gateway/test/dropped"); };
        QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.payloads(topic).size() + dropped().toInt(),
                                  answers.count(5), kLongMs);
        QVERIFY(strictlyFalling(distances(site.subscriber, topic)));
        QCOMPARE(dropped().toInt() > 0, drops);
        if (drops) {
            QVERIFY(gateway.log().contains("Queue full (5 readings): the oldest readings are "
                                           "dropped"));
            QVERIFY(gateway.log().contains(dropped() + " readings were dropped while the broker "
                                                       "could not be reached"));
        }
    }

    // Stopped or killed while the broker is away, then started again once it is back: with
    // a spool every reading taken arrives, in order, and only what QoS 1 allows twice (a
    // delivery whose acknowledgement the outage took); a record torn by the kill is
    // dropped. Without one the readings are lost, and the exit status says so. A spooled
    // state is the one a live run sends, its seq and time included; with --publish changes
    // the spool loses no change either.
    void aRestartWithTheBrokerAway_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<bool>("spool");
        QTest::addColumn<bool>("torn");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("status");
        QTest::newRow("SIGTERM, kept in the spool") << int(SIGTERM) << true << false << false << 0;
        QTest::newRow("SIGKILL, kept in the spool") << int(SIGKILL) << true << false << false << -1;
        QTest::newRow("SIGKILL in the middle of a write")
            << int(SIGKILL) << true << true << false << -1;
        QTest::newRow("SIGTERM, only changes") << int(SIGTERM) << true << false << true << 0;
        QTest::newRow("SIGTERM without a spool") << int(SIGTERM) << false << false << false << 3;
    }
    void aRestartWithTheBrokerAway()
    {
        QFETCH(int, sig);
        QFETCH(bool, spool);
        QFETCH(bool, torn);
        QFETCH(bool, changes);
        QFETCH(int, status);
        Site site(fillingTank());
        DataAnswers answers(site.sim);
        QTemporaryDir dir;
        QStringList args{"--addresses", "5", "--interval", "0.2"};
        if (spool)
            args << "--spool-dir" << dir.filePath("spool");
        if (changes)
            args << "--publish"
                 << "changes";
        QVERIFY(site.start(args));
        const QByteArray topic = "levelconf/12345/state";
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads(topic).size() >= 3, kLongMs);

        site.broker.stop();
        const int before = answers.count(5);
        QTRY_VERIFY_WITH_TIMEOUT(answers.count(5) >= before + 10, kLongMs);
        site.gateway.signal(sig);
        QCOMPARE(site.gateway.waitForExit(), status);
        // A kill may come between the sensor's answer and the gateway reading it: that
        // answer was never taken, and it alone may be missing.
        const int takenBefore = answers.count(5);
        const int inFlight = sig == SIGKILL ? 1 : 0;
        if (!spool) {
            QVERIFY(site.gateway.log().contains(
                QRegularExpression("Stopped with \\d+ readings undelivered and lost")));
            return;
        }
        if (sig == SIGTERM)
            QVERIFY(site.gateway.log().contains(QRegularExpression(
                "Stopped with \\d+ readings undelivered, kept in the spool for the next start")));
        if (torn) {
            QFile f(dir.filePath("spool/readings.spool"));
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray("\x40\x01\x00\x00\x12\x34", 6));
        }

        QVERIFY(site.broker.start());
        Gateway again;
        again.start(site.sim.slavePath(), site.broker.url(), args);
        QTRY_VERIFY_WITH_TIMEOUT(again.log().contains("readings from before the start go out "
                                                      "first"),
                                 kLongMs);
        QCOMPARE(again.log().contains("the last record was cut short (6 bytes)"), torn);
        const int taken = answers.count(5);
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads(topic).size() >= taken + 3, kLongMs);
        again.signal(SIGTERM);
        QCOMPARE(again.waitForExit(), 0);

        int twice = 0;
        const auto arrived = [&] {
            QStringList out;
            for (double d : distances(site.subscriber, topic))
                out << QString::number(d);
            return QString::number(answers.count(5)) + " taken, arrived: " + out.join(' ');
        };
        const auto delivered = [&] {
            int again = 0;
            return int(once(distances(site.subscriber, topic), &again).size());
        };
        QTRY_VERIFY2_WITH_TIMEOUT(delivered() >= answers.count(5) - inFlight, qPrintable(arrived()),
                                  kLongMs);
        QTest::qWait(300); // nothing more than was taken comes after
        QVERIFY2(delivered() <= answers.count(5), qPrintable(arrived()));
        QVERIFY(strictlyFalling(once(distances(site.subscriber, topic), &twice)));
        QVERIFY2(twice <= 20, qPrintable(QString::number(twice))); // the library's in flight
        QCOMPARE(site.subscriber.last("levelconf/gateway/test/dropped"), QByteArray("0"));

        // Each reading once, in order: those of the first run numbered 1, 2, ... and those
        // of the second again from 1, every one with the keys of a live state and its time
        // to the millisecond.
        const QList<QByteArray> payloads = site.subscriber.payloads(topic);
        const QStringList keys = json(payloads.first()).keys();
        QSet<double> seen;
        QList<qint64> numbers;
        for (const QByteArray &p : payloads) {
            const QJsonObject o = json(p);
            QCOMPARE(o.keys(), keys);
            QVERIFY2(QRegularExpression("T\\d\\d:\\d\\d:\\d\\d\\.\\d{3}")
                         .match(o.value("time").toString())
                         .hasMatch(),
                     p.constData());
            if (!seen.contains(o.value("distance_cm").toDouble()))
                numbers << o.value("seq").toInteger();
            seen.insert(o.value("distance_cm").toDouble());
        }
        int restarts = 0;
        int firstRun = 0;
        for (int i = 0; i < numbers.size(); ++i) {
            const qint64 expected = i == 0 ? 1 : numbers[i - 1] + 1;
            if (numbers[i] == 1 && i > 0)
                ++restarts;
            else
                QCOMPARE(numbers[i], expected);
            if (restarts == 0)
                ++firstRun;
        }
        QCOMPARE(restarts, 1);
        // The second run lost nothing; the first at most the answer the kill cut off.
        QCOMPARE(numbers.size() - firstRun, answers.count(5) - takenBefore);
        QVERIFY2(firstRun >= takenBefore - inFlight && firstRun <= takenBefore,
                 qPrintable(arrived()));
    }

    // A spool on a disk that fills while the broker is away: said once, polling goes on,
    // and what the disk would not take waits in memory; every reading is delivered or
    // counted as dropped once the broker is back.
    void aFullDisk()
    {
        QTemporaryDir dir;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) != 0)
            QSKIP("a small file system for the spool is mounted as root only");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {"-l", dir.path()}); });
        writeFile(dir.filePath("filler"), QByteArray(52 * 1024, 'x'));
        Site site(fillingTank());
        DataAnswers answers(site.sim);
        QVERIFY(site.start({"--addresses", "5", "--interval", "0.15", "--queue-size", "40",
                            "--spool-dir", dir.filePath("spool")}));
        const QByteArray topic = "levelconf/12345/state";
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads(topic).size() >= 3, kLongMs);

        site.broker.stop();
        QTRY_VERIFY2_WITH_TIMEOUT(site.gateway.log().contains("cannot write (No space left on "
                                                              "device); readings are kept in "
                                                              "memory only"),
                                  qPrintable(site.gateway.log()), kLongMs);
        const int full = answers.count(5);
        QTRY_VERIFY_WITH_TIMEOUT(answers.count(5) > full + 60, kLongMs); // past the queue's bound
        QVERIFY(site.broker.start());
        QTRY_COMPARE_WITH_TIMEOUT(site.gateway.log().count(": connected\n"), 2, kLongMs);
        QTRY_VERIFY_WITH_TIMEOUT(site.gateway.log().contains("writing again"), kLongMs);
        site.gateway.signal(SIGTERM);
        QCOMPARE(site.gateway.waitForExit(), 0);

        const auto dropped = [&] { return site.subscriber.last("levelconf/gateway/test/dropped"); };
        int twice = 0;
        QTRY_COMPARE_WITH_TIMEOUT(once(distances(site.subscriber, topic), &twice).size() +
                                      dropped().toInt(),
                                  answers.count(5), kLongMs);
        QVERIFY(dropped().toInt() > 0);
    }

    // The broker's credentials: taken, or refused and said as such until the gateway gives
    // up with a status of its own; meanwhile the log says nothing is published.
    void credentials_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<int>("status");
        QTest::newRow("the right password") << QByteArray("s3cret\n") << 0;
        QTest::newRow("a wrong one, refused four times") << QByteArray("wrong\n") << 4;
    }
    void credentials()
    {
        QFETCH(QByteArray, password);
        QFETCH(int, status);
        Site site(fillingTank(), Broker::Access{"gw", "s3cret", false});
        QTemporaryDir dir;
        writeFile(dir.filePath("password"), password);
        // Four refusals take 7 s at least, time for the sensor's first reading to be taken.
        QVERIFY(site.start({"--addresses", "5", "--username", "gw", "--password-file",
                            dir.filePath("password"), "--auth-retries", "4"}));
        if (status == 0) {
            QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads("levelconf/12345/state").size() >= 2,
                                     kLongMs);
            site.gateway.signal(SIGTERM);
        }
        QCOMPARE(site.gateway.waitForExit(), status);
        const QString log = site.gateway.log();
        if (status == 0)
            return;
        QCOMPARE(log.count("refused the gateway's user name or password (Connection Refused: "
                           "not authorised.); trying again"),
                 1);
        QVERIFY2(log.contains("refused the gateway's user name or password 4 times: giving up"),
                 qPrintable(log));
        QVERIFY(log.contains("Sensor 12345: answering; not published while the MQTT broker "
                             "cannot be reached"));
        QVERIFY(!log.contains("Sensor 12345: online"));
    }

    // Two gateways under one client id take the connection from each other: the log names
    // the clash.
    void aClientIdInUse()
    {
        Site site(fillingTank());
        QVERIFY(site.start({"--addresses", "5"}));
        SensorSim otherBus(fillingTank());
        QVERIFY(otherBus.start());
        Gateway other;
        other.start(otherBus.slavePath(), site.broker.url(), {"--addresses", "5"});
        const QString clash = "client id test is in use by another client";
        QTRY_VERIFY_WITH_TIMEOUT(site.gateway.log().contains(clash) || other.log().contains(clash),
                                 60000);
    }

    // A log nobody reads any more does not stop the gateway.
    void aClosedLogPipe()
    {
        Site site(fillingTank());
        site.gateway.logToClosedPipe();
        QVERIFY(site.start({"--addresses", "5"}));
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads("levelconf/12345/state").size() >= 3,
                                 kLongMs);
        site.gateway.signal(SIGTERM);
        QCOMPARE(site.gateway.waitForExit(), 0);
    }

    // A broker that knows its clients by certificate takes the gateway's.
    void aClientCertificate()
    {
        Broker::Access tls;
        tls.tls = true;
        Site site(fillingTank(), tls);
        const QString files = LEVELCONF_TEST_DATA "/tls/";
        QVERIFY(site.start({"--addresses", "5", "--ca-file", files + "ca.pem", "--cert-file",
                            files + "client.pem", "--key-file", files + "client.key"}));
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads("levelconf/12345/state").size() >= 2,
                                 kLongMs);
        QVERIFY(site.gateway.log().contains("mqtts://127.0.0.1:"));
    }

    // The language, chosen by the option or the locale, is the log's; the topics and their
    // payloads, which other programs read, are the same in every language.
    void theLanguageIsTheLogsAlone_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("russian");
        QTest::newRow("ru by the option") << QStringList{"--language", "ru"} << "C.UTF-8" << true;
        QTest::newRow("ru by the locale") << QStringList{} << "ru_RU.UTF-8" << true;
        QTest::newRow("en over a Russian locale")
            << QStringList{"--language=en"} << "ru_RU.UTF-8" << false;
        QTest::newRow("another locale is English") << QStringList{} << "de_DE.UTF-8" << false;
    }
    void theLanguageIsTheLogsAlone()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, locale);
        QFETCH(bool, russian);
        Site site(fillingTank());
        site.gateway.setLocale(locale);
        QVERIFY(site.start(args));
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads("levelconf/12345/state").size() >= 2,
                                 kLongMs);
        site.gateway.signal(SIGTERM);
        QCOMPARE(site.gateway.waitForExit(), 0);
        const QString log = site.gateway.log();
        QVERIFY2(hasCyrillic(log) == russian, qPrintable(log));
        // Its goodbye may still be on its way from the broker.
        QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.last("levelconf/gateway/test/status"),
                                  QByteArray("offline"), kLongMs);
        for (const MqttSubscriber::Message &m : site.subscriber.messages())
            QVERIFY2(!hasCyrillic(QString::fromUtf8(m.topic + ' ' + m.payload)), m.payload);
        const QJsonObject state = json(site.subscriber.last("levelconf/12345/state"));
        QVERIFY(state.contains("distance_cm") && state.contains("level_text"));
    }

    // The adapter pulled out: every sensor offline, the port tried again, and polling back
    // once the device is.
    void aPulledDeviceGoesOfflineAndComesBack()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        Site site(threeSensors());
        QVERIFY(site.start({}, link));
        const QByteArray topic = "levelconf/1002/availability";
        QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.last(topic), QByteArray("online"), kLongMs);

        site.sim.vanish();
        for (const QByteArray serial : {"1001", "1002", "12345"})
            QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.last("levelconf/" + serial + "/availability"),
                                      QByteArray("offline"), kLongMs);
        QTRY_VERIFY_WITH_TIMEOUT(site.gateway.log().contains("Port " + link + " lost"), kLongMs);
        QCOMPARE(site.subscriber.last("levelconf/gateway/test/status"), QByteArray("online"));

        QVERIFY(site.sim.start(link));
        QTRY_COMPARE_WITH_TIMEOUT(site.subscriber.last(topic), QByteArray("online"), kLongMs);
    }
};

QTEST_GUILESS_MAIN(tst_E2EGateway)
#include "tst_e2e_gateway.moc"
