#include "BusPoller.h"

#include "GatewayLog.h"
#include "PollAnswers.h"
#include "StatePayload.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/sensor/IdentityAnswer.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/SerialPort.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <utility>

using namespace levelconf;

namespace
{
QString openFailureText(SerialPort::OpenFailure failure)
{
    switch (failure) {
    case SerialPort::OpenFailure::NotFound:
        return BusPoller::tr("no such device");
    case SerialPort::OpenFailure::PermissionDenied:
        return BusPoller::tr("no permission; the gateway's user must be in the dialout group");
    case SerialPort::OpenFailure::Busy:
        return BusPoller::tr("in use by another program");
    case SerialPort::OpenFailure::NotASerialPort:
        return BusPoller::tr("not a serial device");
    case SerialPort::OpenFailure::LinkLoop:
        return BusPoller::tr("its symbolic links lead round in a loop");
    default:
        break;
    }
    return BusPoller::tr("it would not open");
}

QString addressesText(const std::vector<SensorRoster::Sensor> &sensors)
{
    QStringList out;
    for (const SensorRoster::Sensor &s : sensors)
        out << QString::number(s.address);
    return out.join(QLatin1Char(' '));
}
} // namespace

BusPoller::BusPoller(SerialPort &port, const Settings &settings, QObject *parent)
    : QObject(parent), m_port(port), m_settings(settings), m_engine(port)
{
    m_cycleTimer.setSingleShot(true);
    m_portTimer.setSingleShot(true);
    connect(&m_cycleTimer, &QTimer::timeout, this, &BusPoller::beginCycle);
    connect(&m_portTimer, &QTimer::timeout, this, &BusPoller::openPort);
    connect(&m_port.events(), &SerialPortEvents::deviceLost, this, &BusPoller::portLost);
    connect(&m_engine, &ExchangeEngine::linkLost, this, &BusPoller::portLost);
    connect(&m_engine, &ExchangeEngine::answerArrived, this,
            [this](const QByteArray &answer, quint8) { answerCame(answer); });
    connect(&m_engine, &ExchangeEngine::noAnswer, this, [this] { answerCame(QByteArray()); });
    // A frame the port did not take has no answer to wait for.
    connect(&m_engine, &ExchangeEngine::writeFailed, this, [this] { answerCame(QByteArray()); });
    m_roster.listAddresses(m_settings.addresses);
}

void BusPoller::start()
{
    openPort();
}

void BusPoller::stop()
{
    m_stopping = true;
    if (!m_open || m_asked == Asked::Nothing)
        finishStop();
}

void BusPoller::openPort()
{
    if (m_stopping)
        return;
    // A name without a folder is a port as the window lists it (ttyUSB0); the log then
    // names the device it stands for.
    const QString device = m_port.deviceName(m_settings.device);
    if (!m_port.open(device, kBusLineSettings)) {
        if (!m_openFailureLogged) {
            gatewayLog(tr("Port %1 cannot be opened (%2); trying again every %3 s")
                           .arg(device, openFailureText(m_port.lastOpenFailure()))
                           .arg(kPortRetryMs / 1000));
            m_openFailureLogged = true;
        }
        m_portTimer.start(kPortRetryMs);
        return;
    }
    gatewayLog(tr("Port %1 opened").arg(device));
    m_open = true;
    // What is on the bus now is to be found out again, soon.
    m_searchWaitMs = kSearchShortestMs;
    m_openFailureLogged = false;
    m_engine.attach();
    beginCycle();
}

void BusPoller::portLost()
{
    if (!m_open)
        return;
    m_open = false;
    m_cycleTimer.stop();
    m_engine.stop();
    m_port.close();
    m_asked = Asked::Nothing;
    m_due.clear();
    gatewayLog(tr("Port %1 lost: every sensor is offline; trying again every %2 s")
                   .arg(m_settings.device)
                   .arg(kPortRetryMs / 1000));
    m_openFailureLogged = true;
    for (const AvailabilityChange &c : m_roster.allLost())
        report(c, tr("port lost"));
    if (m_stopping)
        finishStop();
    else
        m_portTimer.start(kPortRetryMs);
}

int nextSearchWaitMs(int lastWaitMs, bool changed, qint64 searchTookMs)
{
    const int backedOff =
        changed ? BusPoller::kSearchShortestMs : qMin(lastWaitMs * 2, BusPoller::kSearchLongestMs);
    return int(qMax<qint64>(backedOff, 9 * searchTookMs));
}

bool BusPoller::searchDue() const
{
    if (!m_settings.addresses.empty())
        return false;
    return !m_searchClock.isValid() || m_searchClock.elapsed() >= m_searchWaitMs;
}

void BusPoller::beginCycle()
{
    if (!m_open || m_stopping)
        return;
    m_cycleClock.start();
    m_polledInCycle = 0;
    if (searchDue()) {
        ask(Asked::Search, Cmd::SearchAddress, searchRequest());
        return;
    }
    for (const SensorRoster::Sensor &s : m_roster.sensors())
        m_due.push_back(s.address);
    pollNext();
}

void BusPoller::pollNext()
{
    if (m_stopping) {
        finishStop();
        return;
    }
    while (!m_due.empty()) {
        const quint8 a = m_due.front();
        m_due.erase(m_due.begin());
        // A sensor given up since the cycle began is passed over.
        if (const SensorRoster::Sensor *s = m_roster.sensor(a)) {
            ++m_polledInCycle;
            if (s->confirmed)
                ask(Asked::Data, a, dataRequest(a));
            else
                ask(Asked::Identity, a, identityRequest(a));
            return;
        }
    }
    endCycle();
}

void BusPoller::endCycle()
{
    qint64 wait = m_settings.intervalMs - m_cycleClock.elapsed();
    // A bus with nobody to poll would otherwise spin at an interval of 0.
    if (m_polledInCycle == 0)
        wait = qMax<qint64>(wait, 1000);
    m_cycleTimer.start(int(qMax<qint64>(0, wait)));
}

void BusPoller::ask(Asked what, quint8 address, const QByteArray &frame)
{
    m_askClock.start();
    if (what == Asked::Data)
        ++m_counts.polls;
    m_asked = what;
    m_askedAddress = address;
    m_answer.clear();
    m_engine.request(frame);
}

void BusPoller::answerCame(const QByteArray &answer)
{
    if (m_asked == Asked::Nothing)
        return;
    m_answer = answer;
    // The engine is still inside its exchange; the next request goes once it is out.
    QMetaObject::invokeMethod(this, &BusPoller::takeAnswer, Qt::QueuedConnection);
}

void BusPoller::takeAnswer()
{
    if (!m_open || m_asked == Asked::Nothing)
        return;
    const Asked what = std::exchange(m_asked, Asked::Nothing);
    const QByteArray answer = std::exchange(m_answer, QByteArray());
    switch (what) {
    case Asked::Search:
        takeSearch(answer);
        return;
    case Asked::Identity:
        takeIdentity(m_askedAddress, answer);
        break;
    case Asked::Data:
        takeData(m_askedAddress, answer);
        break;
    case Asked::Nothing:
        break;
    }
    pollNext();
}

void BusPoller::takeSearch(const QByteArray &answer)
{
    const qint64 took = m_askClock.elapsed();
    m_searchClock.start();
    m_counts.lastSearch = QDateTime::currentDateTime();
    const std::vector<quint8> candidates = searchCandidates(answer);
    // The bus has changed when an address is new, or a sensor known did not answer.
    const auto answered = [&](quint8 a) {
        return std::find(candidates.begin(), candidates.end(), a) != candidates.end();
    };
    const std::vector<SensorRoster::Sensor> &known = m_roster.sensors();
    const bool changed =
        std::any_of(candidates.begin(), candidates.end(),
                    [this](quint8 a) { return !m_roster.sensor(a); }) ||
        std::any_of(known.begin(), known.end(),
                    [&](const SensorRoster::Sensor &s) { return !answered(s.address); });
    m_searchWaitMs = nextSearchWaitMs(m_searchWaitMs, changed, took);
    m_roster.searchFound(candidates);
    const QString found = addressesText(m_roster.sensors());
    if (found != m_foundText) {
        gatewayLog(found.isEmpty() ? tr("Search: no sensor answered")
                                   : tr("Search: addresses %1").arg(found));
        m_foundText = found;
    }
    for (const SensorRoster::Sensor &s : m_roster.sensors())
        m_due.push_back(s.address);
    pollNext();
}

void BusPoller::takeIdentity(quint8 address, const QByteArray &answer)
{
    const std::optional<SensorIdentity> id = identityFromAnswer(answer, address);
    if (!id) {
        // Unknown yet, so its topics have nothing to say.
        m_roster.missed(address);
        return;
    }
    m_roster.identified(address, *id);
    gatewayLog(tr("Sensor %1 at address %2: firmware %3")
                   .arg(id->serial)
                   .arg(address)
                   .arg(versionText(id->versionPrefix, id->versionCode)));
    emit identified(address, *id);
}

void BusPoller::takeData(quint8 address, const QByteArray &answer)
{
    const SensorRoster::Sensor *s = m_roster.sensor(address);
    if (!s || !s->identity)
        return;
    const quint32 serial = s->identity->serial;
    const std::optional<DataReadings> r =
        readingsFromAnswer(answer, address, s->identity->versionCode);
    if (!r) {
        ++m_counts.missed;
        report(m_roster.missed(address),
               tr("%n polls in a row missed", nullptr, SensorRoster::kMissesOffline));
        return;
    }
    m_counts.latencySumMs += m_askClock.nsecsElapsed() / 1e6;
    ++m_counts.readings;
    report(m_roster.answered(address));
    const std::optional<StabilityLamp> lamp = m_roster.lampAfter(address, r->amplitude.value_or(0));
    const SensorState state =
        sensorState(*r, address, lamp, QDateTime::currentDateTime(), ++m_seq[serial]);
    emit reading(serial, state, outputKindOf(r->modeByte));
}

void BusPoller::report(const std::optional<AvailabilityChange> &change, const QString &why)
{
    if (!change)
        return;
    if (!m_published)
        gatewayLog(change->online ? tr("Sensor %1: answering; not published while the MQTT "
                                       "broker cannot be reached")
                                        .arg(change->serial)
                                  : tr("Sensor %1: offline (%2); not published while the MQTT "
                                       "broker cannot be reached")
                                        .arg(change->serial)
                                        .arg(why));
    else
        gatewayLog(change->online ? tr("Sensor %1: online").arg(change->serial)
                                  : tr("Sensor %1: offline (%2)").arg(change->serial).arg(why));
    emit availabilityChanged(change->serial, change->online);
}

void BusPoller::finishStop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_cycleTimer.stop();
    m_portTimer.stop();
    if (m_open) {
        m_engine.stop();
        m_port.close();
        m_open = false;
    }
    emit stopped();
}
