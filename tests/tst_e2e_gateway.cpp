// levelconf-gateway end to end: the built program as a child process, simulated sensors on
// a pseudo-terminal and Debian's mosquitto broker, judged by what a subscriber gets, the
// gateway's log and how it ends.
#include "Broker.h"
#include "Faults.h"
#include "MqttSubscriber.h"
#include "SensorSim.h"

#include <QtTest>

#include <csignal>
#include <memory>
#include <mutex>
#include <unistd.h>

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

private:
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

    // Stopped or killed while the broker is away, then started again once it is back: with
    // a spool every reading taken arrives, in order, and only what QoS 1 allows twice (a
    // delivery whose acknowledgement the outage took); a record torn by the kill is
    // dropped. Without one the readings are lost, and the exit status says so.
    void aRestartWithTheBrokerAway_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<bool>("spool");
        QTest::addColumn<bool>("torn");
        QTest::addColumn<int>("status");
        QTest::newRow("SIGTERM, kept in the spool") << int(SIGTERM) << true << false << 0;
        QTest::newRow("SIGKILL, kept in the spool") << int(SIGKILL) << true << false << -1;
        QTest::newRow("SIGKILL in the middle of a write") << int(SIGKILL) << true << true << -1;
        QTest::newRow("SIGTERM without a spool") << int(SIGTERM) << false << false << 3;
    }
    void aRestartWithTheBrokerAway()
    {
        QFETCH(int, sig);
        QFETCH(bool, spool);
        QFETCH(bool, torn);
        QFETCH(int, status);
        Site site(fillingTank());
        DataAnswers answers(site.sim);
        QTemporaryDir dir;
        QStringList args{"--addresses", "5", "--interval", "0.2"};
        if (spool)
            args << "--spool-dir" << dir.filePath("spool");
        QVERIFY(site.start(args));
        const QByteArray topic = "levelconf/12345/state";
        QTRY_VERIFY_WITH_TIMEOUT(site.subscriber.payloads(topic).size() >= 3, kLongMs);

        site.broker.stop();
        const int before = answers.count(5);
        QTRY_VERIFY_WITH_TIMEOUT(answers.count(5) >= before + 10, kLongMs);
        site.gateway.signal(sig);
        QCOMPARE(site.gateway.waitForExit(), status);
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
        QTRY_VERIFY2_WITH_TIMEOUT(once(distances(site.subscriber, topic), &twice).size() ==
                                      answers.count(5),
                                  qPrintable(arrived()), kLongMs);
        twice = 0;
        QVERIFY(strictlyFalling(once(distances(site.subscriber, topic), &twice)));
        QVERIFY2(twice <= 20, qPrintable(QString::number(twice))); // the library's in flight
        QCOMPARE(site.subscriber.last("levelconf/gateway/test/dropped"), QByteArray("0"));
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
