// Times of the serial link against its limits: an empty read (at most 256 ms), a read that
// ends on the 20 ms gap after an answer, a 600-byte write (10 + n ms per piece), and the
// simulated sensors' answer delay (5 to 30 ms).
#include "SensorSim.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/serial/QtSerialPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

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
    if (!port.ComOpen(sim.slavePath(), kSettings))
        return 1;

    std::vector<double> empty, answered, written;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        port.ComRead();
        empty.push_back(elapsedMs(t));

        port.ComWrite(dataRequest(1));
        QThread::msleep(60); // the answer is in before the read starts
        t.restart();
        port.ComRead();
        answered.push_back(elapsedMs(t));

        const QByteArray block(600, char(0x55));
        t.restart();
        port.ComWrite(block);
        written.push_back(elapsedMs(t));
        QThread::msleep(10);
        port.ComRead();
    }
    port.ComClose();

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

    report("ComRead with nothing arriving", empty, "at most 256");
    report("ComRead of an answer already in", answered, "about 20, the gap");
    report("ComWrite of 600 bytes", written, "at most 3 x 10 + 600");
    if (!delays.empty())
        report("sensor-sim answer after a request", delays, "5 to 30");
    return 0;
}
