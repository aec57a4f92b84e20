// levelconf-gateway against a bus of 30 simulated sensors and a broker on loopback: polls a
// second against the bus's limit, the time from a data answer's last byte to a subscriber,
// and the gateway's processor time and memory. The simulated sensors answer 5 to 30 ms
// after a request, as late as a 19200-baud line would carry the request and the answer.
// With --day, the gateway's memory over a simulated day of polling at full speed (a day of
// readings of the 30 sensors at one a second, taken as fast as the simulator answers), with
// a broker outage on the way that fills the queue to its bound. First, the exchange engine
// alone on such a line: how soon after an answer's last byte it reports it, by each of the
// rules that end an answer.
//
// With --spool, the same measure with the queue kept in a spool folder, then what it costs
// in calls to sync the disk (counted by strace, where installed) and the time from a
// restart to the first spooled reading delivered.
//
//   bench_gateway [--seconds N]   the measure, N seconds of polling (default 60)
//   bench_gateway --spool [--seconds N]
//   bench_gateway --day [--polls N]
#include "Broker.h"
#include "BusOption.h"
#include "MqttSubscriber.h"
#include "SensorSim.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/QtSerialPort.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace levelconf;

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int kSensors = 30;
constexpr int kBaud = 19200;
constexpr double kMeanAnswerMs = (5 + 30) / 2.0; // the simulator's delays, evenly spread
constexpr int kRequestBytes = 4;
constexpr int kDataAnswerBytes = 26; // firmware 1.7.6

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double wireMs(int bytes)
{
    return bytes * 10 * 1000.0 / kBaud;
}

// A data answer as the simulator sent it: when its last byte was out, and what it said.
struct Answer {
    qint64 ns = 0;
    quint32 amplitude = 0;
    quint16 output = 0;
};

// The data answers of the bus, by address, from the simulator's trace.
class AnswerLog
{
public:
    explicit AnswerLog(SensorSim &sim)
    {
        sim.setTrace([this](const QString &line) {
            if (!line.startsWith(QLatin1String("-> 3E ")))
                return;
            const qint64 ns = nowNs();
            const QByteArray a = QByteArray::fromHex(line.mid(3).remove(' ').toLatin1());
            if (a.size() < 11 || quint8(a[2]) != 0xF0)
                return;
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_count;
            ++m_countBy[quint8(a[1])];
            if (m_keep)
                m_byAddress[quint8(a[1])].push_back(
                    {ns, *leValue(a, 7, 4), quint16(*leValue(a, 5, 2))});
        });
    }
    void keep(bool on)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_keep = on;
    }
    quint64 count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_count;
    }
    quint64 count(int address) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_countBy.value(address);
    }
    std::deque<Answer> of(int address) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_byAddress.value(address);
    }

private:
    mutable std::mutex m_mutex;
    QHash<int, std::deque<Answer>> m_byAddress;
    QHash<int, quint64> m_countBy;
    quint64 m_count = 0;
    bool m_keep = false;
};

// The gateway as a program of its own, its log in a file.
class GatewayRun
{
public:
    GatewayRun(const QString &port, const Broker &broker, const QString &log,
               const QStringList &more = {})
        : m_logPath(log)
    {
        m_process.setStandardErrorFile(log, QIODevice::Append);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(LEVELCONF_GATEWAY_PROGRAM,
                        QStringList{"--port", port, "--mqtt", broker.url(), "--client-id", "bench",
                                    "--addresses", QStringLiteral("1-%1").arg(kSensors),
                                    "--interval", "0",
                                    // The log is read for its English words, whatever the locale.
                                    "--language", "en"} +
                            more);
        m_process.waitForStarted();
    }
    qint64 pid() const { return m_process.processId(); }
    ~GatewayRun()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(20000))
            m_process.kill();
        m_process.waitForFinished();
    }
    QString log() const
    {
        QFile f(m_logPath);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // Processor time used so far, user and system, in seconds.
    double cpuSeconds() const
    {
        QFile f(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        // The fields after the command's name, which ends with the last ")".
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        return (fields.value(11).toLongLong() + fields.value(12).toLongLong()) /
               double(sysconf(_SC_CLK_TCK));
    }
    // Resident memory now and at its peak, MB.
    double residentMb(const char *key = "VmRSS:") const
    {
        QFile f(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (line.startsWith(key))
                return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024;
        }
        return 0;
    }

private:
    QProcess m_process;
    QString m_logPath;
};

bool waitFor(const std::function<bool()> &done, int seconds)
{
    for (int i = 0; i < seconds * 20; ++i) {
        if (done())
            return true;
        sleepMs(50);
    }
    return done();
}

std::vector<SensorConfig> thirtySensors()
{
    std::vector<std::pair<quint8, Fault>> faults;
    QString error;
    return *busFromText(QString::number(kSensors), &faults, &error);
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5))];
}

// The latency of each state that came for an answer sent from `from` on.
std::vector<double> latenciesMs(const MqttSubscriber &subscriber, const AnswerLog &answers,
                                qint64 from, int *unmatched)
{
    QHash<int, std::deque<Answer>> pending;
    for (int a = 1; a <= kSensors; ++a)
        pending[a] = answers.of(a);
    std::vector<double> out;
    for (const MqttSubscriber::Message &m : subscriber.messages()) {
        if (!m.topic.endsWith("/state"))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(m.payload).object();
        std::deque<Answer> &q = pending[o.value("address").toInt()];
        const quint32 amplitude = quint32(o.value("amplitude").toDouble());
        const quint16 output = quint16(qRound(o.value("distance_cm").toDouble() * 10));
        // States go out in the order of their answers: older answers are behind it.
        while (!q.empty() && (q.front().amplitude != amplitude || q.front().output != output))
            q.pop_front();
        if (q.empty()) {
            ++*unmatched;
            continue;
        }
        if (q.front().ns >= from)
            out.push_back((m.receivedNs - q.front().ns) / 1e6);
        q.pop_front();
    }
    return out;
}

// The time from the last byte of each answer to a request until the engine reports it.
std::vector<double> reportDelaysMs(ExchangeEngine &engine, const std::atomic<qint64> &lastOut,
                                   const QByteArray &request, int runs)
{
    std::vector<double> out;
    QEventLoop loop;
    qint64 arrived = 0;
    const auto end = [&] {
        arrived = nowNs();
        loop.quit();
    };
    const auto a = QObject::connect(&engine, &ExchangeEngine::answerArrived, &loop, end);
    const auto n = QObject::connect(&engine, &ExchangeEngine::noAnswer, &loop, end);
    for (int i = 0; i < runs; ++i) {
        engine.request(request);
        loop.exec();
        // The simulator notes the time just after its write; the engine may be quicker.
        out.push_back(std::max<qint64>(0, arrived - lastOut) / 1e6);
    }
    QObject::disconnect(a);
    QObject::disconnect(n);
    return out;
}

int engineAlone()
{
    SimTiming timing;
    timing.lineBaud = kBaud;
    SensorSim sim({SensorConfig()}, timing);
    std::atomic<qint64> lastOut{0};
    sim.setTrace([&](const QString &line) {
        if (line.startsWith(QLatin1String("-> ")))
            lastOut = nowNs();
    });
    QtSerialPort port;
    if (!sim.start() || !port.open(sim.slavePath(), kBusLineSettings))
        return 1;
    ExchangeEngine engine(port);
    engine.attach();
    const std::vector<double> identity = reportDelaysMs(engine, lastOut, identityRequest(1), 40);
    const std::vector<double> data = reportDelaysMs(engine, lastOut, dataRequest(1), 40);
    std::printf("the engine alone, an answer's last byte to its report, 40 requests each:\n"
                "  identity answer (ends on 20 ms of silence)   median %.2f ms, max %.2f ms\n"
                "  data answer of known length (ends at once)   median %.2f ms, max %.2f ms\n",
                percentile(identity, 0.5), percentile(identity, 1), percentile(data, 0.5),
                percentile(data, 1));
    port.close();
    return 0;
}

// The calls of `pid` to sync a file to the disk over `seconds`, by strace; -1 without it.
int syncCalls(qint64 pid, int seconds, QTemporaryDir &dir)
{
    const QString out = dir.filePath(QStringLiteral("strace.txt"));
    QProcess strace;
    strace.start(QStringLiteral("strace"), {"-f", "-c", "-e", "trace=fsync,fdatasync", "-o", out,
                                            "-p", QString::number(pid)});
    if (!strace.waitForStarted(5000))
        return -1;
    sleepMs(seconds * 1000);
    strace.terminate();
    strace.waitForFinished(10000);
    QFile f(out);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    // The summary's lines: % time, seconds, usecs/call, calls, [errors,] syscall.
    int calls = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 5 && (fields.last() == "fsync" || fields.last() == "fdatasync"))
            calls += fields.at(3).toInt();
    }
    return calls;
}

// With the gateway's queue in a spool: the broker stopped for `awayS` seconds, the gateway
// ended meanwhile and started again once the broker is back; the time from its start to the
// first reading of the spool at the subscriber.
void restartToSpooled(const QString &port, Broker &broker, MqttSubscriber &subscriber,
                      std::unique_ptr<GatewayRun> &gateway, const QStringList &more,
                      const QString &log, int awayS)
{
    broker.stop();
    sleepMs(awayS * 1000);
    gateway.reset(); // SIGTERM: what the broker could not take stays in the spool
    const QString kept = [&] {
        QFile f(log);
        f.open(QIODevice::ReadOnly);
        const QRegularExpression line(QStringLiteral("Stopped with (\\d+) readings undelivered, "
                                                     "kept in the spool"));
        return line.match(QString::fromUtf8(f.readAll())).captured(1);
    }();
    broker.start();
    waitFor([&] { return subscriber.subscribed(); }, 30);
    const int before = int(subscriber.messages().size());
    const qint64 start = nowNs();
    const qint64 restart = QDateTime::currentMSecsSinceEpoch();
    gateway = std::make_unique<GatewayRun>(port, broker, log, more);
    qint64 firstNs = 0;
    QDateTime firstTime;
    waitFor(
        [&] {
            const QList<MqttSubscriber::Message> all = subscriber.messages();
            for (int i = before; i < all.size(); ++i) {
                if (all[i].topic.endsWith("/state") && all[i].receivedNs > start) {
                    firstNs = all[i].receivedNs;
                    firstTime = QDateTime::fromString(
                        QJsonDocument::fromJson(all[i].payload)["time"].toString(), Qt::ISODate);
                    return true;
                }
            }
            return false;
        },
        60);
    std::printf("restart with %s readings in the spool: the first state %.0f ms after the "
                "gateway was started, a reading taken %s the restart\n",
                qPrintable(kept), (firstNs - start) / 1e6,
                firstTime.toMSecsSinceEpoch() < restart ? "before" : "after");
}

int measure(int seconds, bool spool)
{
    if (engineAlone() != 0) {
        std::fprintf(stderr, "the engine's bus would not start\n");
        return 1;
    }

    SimTiming timing;
    timing.lineBaud = kBaud;
    SensorSim sim(thirtySensors(), timing);
    AnswerLog answers(sim);
    Broker broker;
    MqttSubscriber subscriber(QStringLiteral("bench-subscriber"));
    QTemporaryDir dir;
    if (!sim.start() || !broker.start() || !subscriber.start(broker.port())) {
        std::fprintf(stderr, "the bus or the broker would not start\n");
        return 1;
    }
    waitFor([&] { return subscriber.subscribed(); }, 10);
    answers.keep(true);
    const QStringList more =
        spool ? QStringList{"--spool-dir", dir.filePath("spool")} : QStringList();
    const QString logPath = dir.filePath("gateway.log");
    auto run = std::make_unique<GatewayRun>(sim.slavePath(), broker, logPath, more);
    GatewayRun &gateway = *run;
    const bool allOnline =
        waitFor([&] { return gateway.log().count(QStringLiteral(": online")) == kSensors; }, 60);
    if (!allOnline) {
        std::fprintf(stderr, "not every sensor came online:\n%s", qPrintable(gateway.log()));
        return 1;
    }
    sleepMs(3000);

    const qint64 start = nowNs();
    const quint64 polledBefore = answers.count();
    const double cpuBefore = gateway.cpuSeconds();
    double rssMax = 0;
    for (int s = 0; s < seconds; ++s) {
        sleepMs(1000);
        rssMax = std::max(rssMax, gateway.residentMb());
    }
    const double wallS = (nowNs() - start) / 1e9;
    const double cpuS = gateway.cpuSeconds() - cpuBefore;
    const quint64 polled = answers.count() - polledBefore;
    const double peak = gateway.residentMb("VmHWM:");
    sleepMs(1000); // the last states on their way
    int unmatched = 0;
    const std::vector<double> latency = latenciesMs(subscriber, answers, start, &unmatched);

    const double limitMs = wireMs(kRequestBytes) + wireMs(kDataAnswerBytes) + kMeanAnswerMs;
    const double rate = polled / wallS;
    std::printf("%d sensors, firmware 1.7.6, polled for %.1f s at --interval 0\n", kSensors, wallS);
    std::printf("polls a second            %.2f, against the bus's limit %.2f (%.3f of it)\n", rate,
                1000 / limitMs, rate * limitMs / 1000);
    std::printf("  the limit: %.2f ms a poll = request %.2f + answer %.2f on the wire + the "
                "sensor's %.1f\n",
                limitMs, wireMs(kRequestBytes), wireMs(kDataAnswerBytes), kMeanAnswerMs);
    std::printf("answer's last byte to the subscriber: median %.2f ms, 99th percentile %.2f ms, "
                "max %.2f ms (%zu states, %d not matched)\n",
                percentile(latency, 0.5), percentile(latency, 0.99), percentile(latency, 1),
                latency.size(), unmatched);
    std::printf("gateway processor time     %.2f s in %.1f s: %.2f %% of a core\n", cpuS, wallS,
                100 * cpuS / wallS);
    std::printf("gateway resident memory    %.1f MB at most while measured, peak %.1f MB\n", rssMax,
                peak);
    if (!spool)
        return 0;
    constexpr int kCountS = 20;
    const quint64 pollsBefore = answers.count();
    const int syncs = syncCalls(gateway.pid(), kCountS, dir);
    if (syncs < 0)
        std::printf("syncs to the disk not counted: strace is not installed\n");
    else
        std::printf("syncs to the disk           %d in %d s (%.2f a second), %llu readings\n",
                    syncs, kCountS, syncs / double(kCountS),
                    static_cast<unsigned long long>(answers.count() - pollsBefore));
    restartToSpooled(sim.slavePath(), broker, subscriber, run, more, logPath, 10);
    return 0;
}

int day(quint64 polls)
{
    SimTiming timing;
    timing.minDelayMs = 0;
    timing.maxDelayMs = 0;
    timing.frameGapMs = 0;
    SensorSim sim(thirtySensors(), timing);
    AnswerLog answers(sim);
    Broker broker;
    // One sensor's states, to see every reading arrive but those the outage dropped.
    MqttSubscriber subscriber(QStringLiteral("bench-subscriber"));
    const QByteArray firstState = "levelconf/12345/state";
    QTemporaryDir dir;
    if (!sim.start() || !broker.start() || !subscriber.start(broker.port(), firstState)) {
        std::fprintf(stderr, "the bus or the broker would not start\n");
        return 1;
    }
    waitFor([&] { return subscriber.subscribed(); }, 10);
    GatewayRun gateway(sim.slavePath(), broker, dir.filePath("gateway.log"));
    const qint64 start = nowNs();
    const auto at = [&](quint64 n) { waitFor([&] { return answers.count() >= n; }, 24 * 3600); };
    const auto report = [&](const char *when) {
        std::printf("%-42s %9llu polls %7.0f s   %6.1f MB\n", when,
                    static_cast<unsigned long long>(answers.count()), (nowNs() - start) / 1e9,
                    gateway.residentMb());
        std::fflush(stdout);
    };
    at(polls / 100);
    report("1 % of the day");

    // The broker away long enough for the queue to fill and drop.
    at(polls / 5);
    broker.stop();
    waitFor([&] { return gateway.log().contains(QStringLiteral("Queue full")); }, 600);
    sleepMs(2000);
    report("broker away, the queue full");
    broker.start();
    waitFor([&] { return gateway.log().count(QStringLiteral(": connected")) == 2; }, 600);
    sleepMs(5000);
    report("broker back, the queue delivered");
    for (int tenth = 3; tenth <= 10; ++tenth) {
        at(polls * tenth / 10);
        const QByteArray when = QByteArray::number(tenth * 10) + " % of the day";
        report(when.constData());
    }
    std::printf("peak resident memory %.1f MB; polls a second over the day %.0f\n",
                gateway.residentMb("VmHWM:"), answers.count() / ((nowNs() - start) / 1e9));
    sleepMs(2000); // the last states on their way
    const QString log = gateway.log();
    const QRegularExpression droppedLine(QStringLiteral("(\\d+) readings were dropped"));
    std::printf("sensor 12345: %lld states of %llu readings taken; %s readings of the bus "
                "dropped in the outage\n",
                static_cast<long long>(subscriber.payloads(firstState).size()),
                static_cast<unsigned long long>(answers.count(1)),
                qPrintable(droppedLine.match(log).captured(1)));
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto value = [&](const QString &name, qint64 fallback) {
        const int i = args.indexOf(name);
        return i > 0 && i + 1 < args.size() ? args.at(i + 1).toLongLong() : fallback;
    };
    if (args.contains(QStringLiteral("--day")))
        return day(quint64(value(QStringLiteral("--polls"), qint64(kSensors) * 86400)));
    return measure(int(value(QStringLiteral("--seconds"), 60)),
                   args.contains(QStringLiteral("--spool")));
}
