// Times of the serial link against its limits: handing a 600-byte block to the port (it
// never waits for the line), a data answer from the request to its last byte announced
// (wire time plus the sensor's delay), and the simulated sensors' answer delay (5 to 30 ms).
#include "SensorSim.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/serial/QtSerialPort.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

using namespace levelconf;

namespace
{
const QString kSettings = QStringLiteral("19200,n,8,1");
constexpr int kRuns = 20;

void report(const char *what, std::vector<double> ms, const char *limit)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s min %7.1f  median %7.1f  max %7.1f ms   (%s)\n", what, ms.front(),
                ms[ms.size() / 2], ms.back(), limit);
}

double elapsedMs(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

SensorConfig benchSensor()
{
    SensorConfig c;
    c.address = 1;
    return c;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SensorSim sim({benchSensor()});
    if (!sim.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
        return 1;
    }
    QtSerialPort port;
    if (!port.open(sim.slavePath(), kSettings))
        return 1;

    std::vector<double> answered, handed;
    for (int i = 0; i < kRuns; ++i) {
        const QByteArray request = dataRequest(1);
        QByteArray answer;
        QElapsedTimer t;
        t.start();
        port.send(request);
        const QDeadlineTimer limit(1000);
        while (answer.size() < 26 && !limit.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            answer += port.takeArrived();
        }
        answered.push_back(elapsedMs(t));

        const QByteArray block(600, char(0x55));
        t.restart();
        port.send(block);
        handed.push_back(elapsedMs(t));
        QThread::msleep(400); // the block goes out and the sensors let it pass
        QCoreApplication::processEvents();
        port.takeArrived();
    }
    port.close();

    std::vector<double> delays;
    const int fd = ::open(sim.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    for (int i = 0; fd >= 0 && i < kRuns; ++i) {
        const QByteArray request = dataRequest(1);
        QElapsedTimer t;
        t.start();
        if (::write(fd, request.constData(), size_t(request.size())) != request.size())
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) == 1)
            delays.push_back(elapsedMs(t));
        char buf[64];
        QThread::msleep(40);
        while (::read(fd, buf, sizeof buf) == sizeof buf) {
        }
    }
    if (fd >= 0)
        ::close(fd);

    report("data answer, request to last byte", answered, "5 to 30, and the answer on the line");
    report("send of 600 bytes", handed, "no wait for the line");
    if (!delays.empty())
        report("sensor-sim answer after a request", delays, "5 to 30");
    return 0;
}
