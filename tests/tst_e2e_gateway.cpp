// levelconf-gateway end to end: the built program as a child process, simulated sensors on
// a pseudo-terminal and Debian's mosquitto broker, judged by what a subscriber gets, the
// gateway's log and how it ends.
#include "Broker.h"
#include "Faults.h"
#include "MqttSubscriber.h"
#include "SensorSim.h"

#include <QtTest>

#include <csignal>
#include <mutex>

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
                        QStringList{"--port", port, "--mqtt", broker, "--client-id", "test"} +
                            more);
    }
    // Its log as far as it has been read; a wait for a line gives it time to come.
    QString log()
    {
        m_log += QString::fromUtf8(m_process.readAllStandardError());
        return m_log;
    }
    void signal(int sig) { ::kill(pid_t(m_process.processId()), sig); }
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
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The locale it is started in; the test's own without it.
    void setLocale(const QString &locale) { m_locale = locale; }

private:
    QProcess m_process;
    QString m_log;
    QString m_locale;
};

// A bus, a broker with a subscriber on it, and the gateway between them.
struct Site {
    explicit Site(const std::vector<SensorConfig> &sensors) : sim(sensors) {}

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

// The data answers the sensors sent, by address, as the simulator traces them.
class DataAnswers
{
public:
    explicit DataAnswers(SensorSim &sim)
    {
        sim.setTrace([this](const QString &line) {
            // "-> 3E 05 F0 ...": an answer out, with its address and code.
            const QStringList f = line.split(' ');
            if (f.size() > 3 && f[0] == "->" && f[1] == "3E" && f[3] == "F0") {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_count[f[2].toInt(nullptr, 16)];
            }
        });
    }
    int count(int address) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_count.value(address);
    }

private:
    mutable std::mutex m_mutex;
    QHash<int, int> m_count;
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

bool strictlyFalling(const QList<double> &values)
{
    for (int i = 1; i < values.size(); ++i) {
        if (!(values[i] < values[i - 1]))
            return false;
    }
    return true;
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
        QTest::newRow("distance") << "distance"
                                  << "distance_cm"
                                  << "cm" << true;
        QTest::newRow("level text") << "level_text"
                                    << "level_text"
                                    << "" << false;
        QTest::newRow("amplitude") << "amplitude"
                                   << "amplitude"
                                   << "" << true;
        QTest::newRow("temperature") << "temperature"
                                     << "temperature_C"
                                     << "°C" << true;
        QTest::newRow("frequency") << "frequency"
                                   << "frequency_Hz"
                                   << "Hz" << true;
        QTest::newRow("analog output") << "analog"
                                       << "analog_V"
                                       << "V" << true;
        QTest::newRow("stability") << "stability"
                                   << "stability"
                                   << "" << false;
    }
    void discoveryConfigsAreRetained()
    {
        QFETCH(QString, measurement);
        QFETCH(QString, field);
        QFETCH(QString, unit);
        QFETCH(bool, number);
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
        QVERIFY(QDateTime::fromString(o.value("time").toString(), Qt::ISODate).isValid());
        QVERIFY(o.value("time").toString().contains(QRegularExpression("[+-]\\d\\d:\\d\\d$")));
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
