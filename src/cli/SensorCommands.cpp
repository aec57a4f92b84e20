// The commands that only read: search, info and watch.
#include "CliRunner.h"

#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "core/sensor/IdentityAnswer.h"
#include "core/text/Translations.h"
#include "core/trend/ReadingRecord.h"
#include "core/trend/ReadingsCsv.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>

using namespace levelconf;

namespace
{
bool searchAnswer(const QByteArray &a)
{
    return !a.isEmpty() && a.size() < kSearchAnswerLimit && !isFramedAnswer(a);
}

// The answers awaited from a sensor also take it saying that it works in frequency mode,
// where it takes no requests at all: asking again would not change that.
BusSession::Accept orFrequencyMode(const AwaitedAnswer &awaited)
{
    return [awaited](const QByteArray &a) {
        return answerAccepted(a, awaited) ||
               answerAccepted(a, {awaited.address, Cmd::FrequencyMode, std::nullopt});
    };
}

// The sensor at `address` said who it is, or that it works in frequency mode: something on
// the bus answers there, intact.
BusSession::Accept identityAccepted(quint8 address)
{
    return orFrequencyMode({address, Cmd::ReadIdentity, std::nullopt});
}

BusSession::Accept dataAccepted(quint8 address, int fwVersion)
{
    return orFrequencyMode({address, Cmd::ReadData, capabilitiesOf(fwVersion)});
}

QString readingsLogLine(const DataReadings &r)
{
    const QLocale c = QLocale::c();
    const QStringList fields{r.output ? distanceText(*r.output, c) : QString(),
                             QString::number(r.amplitude.value_or(0)),
                             QString::number(r.emptyValue.value_or(0)),
                             QString::number(r.fullValue.value_or(0)),
                             r.modeByte ? QString::number(*r.modeByte) : QString(),
                             r.temperature ? temperatureText(*r.temperature) : QString()};
    return fields.join(QStringLiteral(", "));
}

void addSettings(const DataReadings &r, QJsonObject *o)
{
    if (r.modeByte) {
        o->insert(QStringLiteral("mode_byte"), *r.modeByte);
        o->insert(QStringLiteral("mode"), modeWordsText(*r.modeByte));
    }
    if (r.echoByte) {
        const EchoSelection e = decodeEchoByte(*r.echoByte);
        o->insert(QStringLiteral("filtration_level"), e.level);
        o->insert(QStringLiteral("echo"), echoChoiceText(e.choice));
    }
    // The settings the data answer reads back, under the names the command table gives.
    for (const CommandRow &row : commandRows()) {
        if (!row.setting || !*row.setting->infoKey)
            continue;
        if (const std::optional<quint32> v = settingReadBack(r, row.code))
            o->insert(QString::fromUtf8(row.setting->infoKey), qint64(*v));
    }
}

// The info as a person reads it: the mode and the echo selection in the words of the run's
// language, the keys as JSON has them.
QJsonObject shownSettings(QJsonObject o, const DataReadings &r)
{
    if (r.modeByte)
        o.insert(QStringLiteral("mode"), modeWordsShown(*r.modeByte));
    if (r.echoByte)
        o.insert(QStringLiteral("echo"), echoChoiceShown(decodeEchoByte(*r.echoByte).choice));
    return o;
}

// "key: value" lines in the order of the object's keys as given.
QString textOf(const QJsonObject &o, const QStringList &order)
{
    QStringList lines;
    for (const QString &k : order) {
        if (o.contains(k))
            lines << k + QStringLiteral(": ") + o.value(k).toVariant().toString();
    }
    return lines.join(QLatin1Char('\n'));
}

const QString kReadingColumns =
    QStringLiteral("time address distance_cm amplitude temperature_C stability");

// One reading in the columns above: the distance always with its tenths, so that the
// column reads alike down the page; a reading that did not come is its time and address.
QString readingText(const TrendEntry &e)
{
    QStringList fields{isoLocalTime(e.msecs, e.utcOffset), QString::number(e.address)};
    if (!e.gap) {
        fields << QString::number(e.output / 10.0, 'f', 1) << QString::number(e.amplitude)
               << QString::number(e.temperature);
        // The stability stays empty while the lamp cannot tell.
        if (e.lampKnown)
            fields << translatedText("ReadingsCsv", lampWord(e.lamp));
    }
    return fields.join(QLatin1Char(' '));
}
} // namespace

CliExit CliRunner::search()
{
    m_session->log(QStringLiteral("Cmd Ask Net "));
    const BusSession::Reply reply =
        m_session->exchange(searchRequest(), Cmd::SearchAddress, &searchAnswer);
    if (reply.status == BusSession::Status::NoAnswer)
        return fail(CliExit::NoAnswer, tr("No sensor answered the search."));
    if (reply.status != BusSession::Status::Answered)
        return replyFailure(reply, Cmd::SearchAddress);
    // The answer has no check byte: line noise, or the loader of an interrupted update,
    // reads as addresses too. Only an address that then answers for itself is a sensor.
    const QByteArray found = m_args.raw ? reply.answer : answeringAddresses(reply.answer);
    if (m_interrupted)
        return fail(CliExit::Interrupted, tr("Interrupted."));
    if (m_session->lost())
        return replyFailure({BusSession::Status::PortLost, {}, false}, Cmd::SearchAddress);
    if (found.isEmpty())
        return fail(CliExit::NoAnswer, tr("No sensor answered the search."));
    const QString list = searchListText(found);
    m_session->log(QStringLiteral("Устройства в сети ") + list);
    QJsonArray addresses;
    for (const char a : found)
        addresses.append(quint8(a));
    m_out.result({{QStringLiteral("addresses"), addresses}}, list.trimmed());
    return CliExit::Ok;
}

QByteArray CliRunner::answeringAddresses(const QByteArray &searchAnswer)
{
    QByteArray found;
    for (const char c : searchAnswer) {
        const auto a = static_cast<quint8>(c);
        // 255 is the search address itself, which no sensor can have.
        if (a == Cmd::SearchAddress || found.contains(c))
            continue;
        const BusSession::Reply reply =
            m_session->exchange(identityRequest(a), a, identityAccepted(a), BusSession::kTries,
                                BusSession::Misses::Quiet);
        if (reply.status == BusSession::Status::Answered)
            found.append(c);
        else if (reply.status != BusSession::Status::NoAnswer)
            break;
    }
    return found;
}

std::optional<IdentityAnswer> CliRunner::askIdentity(quint8 address, int tries,
                                                     BusSession::Reply *reply)
{
    *reply =
        m_session->exchange(identityRequest(address), address, identityAccepted(address), tries);
    if (reply->status != BusSession::Status::Answered || frequencyModeAnswer(reply->answer))
        return std::nullopt;
    const IdentityAnswer id = decodeIdentityAnswer(reply->answer);
    const QString version = versionText(id.versionPrefix, *id.versionCode);
    m_session->log(identityLogLine(QString::number(*id.serial), version));
    return id;
}

std::optional<int> CliRunner::identity(quint8 address, CliExit *failure, QJsonObject *shown)
{
    BusSession::Reply reply;
    const std::optional<IdentityAnswer> id = askIdentity(address, BusSession::kTries, &reply);
    if (!id) {
        *failure = replyFailure(reply, address);
        return std::nullopt;
    }
    if (shown) {
        shown->insert(QStringLiteral("serial"), qint64(*id->serial));
        shown->insert(QStringLiteral("firmware"), versionText(id->versionPrefix, *id->versionCode));
        shown->insert(QStringLiteral("firmware_code"), *id->versionCode);
    }
    return *id->versionCode;
}

std::optional<DataReadings> CliRunner::readData(quint8 address, int fwVersion, CliExit *failure)
{
    // An answer cut short, or two run together, is asked for again like a missed one.
    const BusSession::Reply reply =
        m_session->exchange(dataRequest(address), address, dataAccepted(address, fwVersion));
    if (reply.status != BusSession::Status::Answered || frequencyModeAnswer(reply.answer)) {
        *failure = replyFailure(reply, address);
        return std::nullopt;
    }
    const DataReadings r = decodeDataAnswer(reply.answer, true);
    m_session->log(readingsLogLine(r));
    return r;
}

CliExit CliRunner::info(quint8 address)
{
    QJsonObject o{{QStringLiteral("address"), address}};
    CliExit failure = CliExit::Ok;
    const std::optional<int> fw = identity(address, &failure, &o);
    if (!fw)
        return failure;
    const std::optional<DataReadings> r = readData(address, *fw, &failure);
    if (!r)
        return failure;
    addSettings(*r, &o);
    addReadingFields(*r, &o);
    m_out.result(
        o, textOf(shownSettings(o, *r),
                  {QStringLiteral("address"), QStringLiteral("serial"), QStringLiteral("firmware"),
                   QStringLiteral("firmware_code"), QStringLiteral("mode_byte"),
                   QStringLiteral("mode"), QStringLiteral("filtration_level"),
                   QStringLiteral("echo"), QStringLiteral("min_distance_cm"),
                   QStringLiteral("max_distance_cm"), QStringLiteral("empty"),
                   QStringLiteral("full"), QStringLiteral("output"), QStringLiteral("distance_cm"),
                   QStringLiteral("volume_L"), QStringLiteral("percent"),
                   QStringLiteral("amplitude"), QStringLiteral("temperature_C")}));
    return CliExit::Ok;
}

CliExit CliRunner::watch(quint8 address)
{
    m_out.setCrLf(m_args.csv);
    if (m_args.csv)
        m_out.line(readingsCsvHeader().trimmed());
    else if (!m_args.json)
        m_out.line(kReadingColumns);
    Stability stability;
    int amplitudes = 0; // answers with an amplitude, which the lamp's average has taken
    int answered = 0;
    bool damaged = false;  // something came that was not a whole, intact answer
    std::optional<int> fw; // a data answer's length depends on it
    int printed = 0;
    while (m_args.count == 0 || printed < m_args.count) {
        QElapsedTimer period;
        period.start();
        // One try each: a second would throw the readings off their one-second beat.
        BusSession::Reply reply;
        if (!fw) {
            if (const std::optional<IdentityAnswer> id = askIdentity(address, 1, &reply))
                fw = *id->versionCode;
        }
        if (fw)
            reply =
                m_session->exchange(dataRequest(address), address, dataAccepted(address, *fw), 1);
        if (reply.status == BusSession::Status::PortLost)
            return replyFailure(reply, address);
        if (reply.status == BusSession::Status::Interrupted)
            break;
        if (reply.status == BusSession::Status::Answered && frequencyModeAnswer(reply.answer))
            return replyFailure(reply, address);
        damaged = damaged || reply.damaged;
        DataReadings r;
        if (fw && reply.status == BusSession::Status::Answered) {
            r = decodeDataAnswer(reply.answer, true);
            m_session->log(readingsLogLine(r));
        }
        StabilityLamp lamp = StabilityLamp::Yellow;
        if (r.amplitude) {
            const StabilityStep s = nextStability(stability, *r.amplitude);
            stability = s.state;
            lamp = s.lamp;
            ++amplitudes;
        }
        printReading(r, address, amplitudes >= kStabilityWarmUpAnswers, lamp);
        ++printed;
        answered += r.output ? 1 : 0;
        if (m_out.failure() != CliOutput::Failure::None)
            return CliExit::Ok; // told once the port is closed
        const bool last = m_args.count != 0 && printed == m_args.count;
        if (!last &&
            !m_session->pause(int(qMax<qint64>(0, ExchangeEngine::kTickMs - period.elapsed())))) {
            if (m_session->lost())
                return replyFailure({BusSession::Status::PortLost, {}, false}, address);
            break;
        }
    }
    // Stopped by Ctrl+C is how a watch without a count ends; one with a count was cut short.
    if (m_interrupted && m_args.count != 0)
        return fail(CliExit::Interrupted,
                    tr("Interrupted after %1 of %n readings.", nullptr, m_args.count).arg(printed));
    if (printed > 0 && answered == 0)
        return replyFailure({BusSession::Status::NoAnswer, {}, damaged}, address);
    return CliExit::Ok;
}

void CliRunner::printReading(const DataReadings &r, quint8 address, bool lampKnown,
                             StabilityLamp lamp)
{
    TrendEntry e = readingEntry(r, address, lamp, QDateTime::currentDateTime());
    e.lampKnown = lampKnown;
    m_out.result(readingJson(e, r),
                 m_args.csv ? readingsCsvRow(e, QLocale::c()).trimmed() : readingText(e));
}
