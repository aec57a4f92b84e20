// The commands that only read: search, info and watch.
#include "CliRunner.h"

#include "core/protocol/CommandCodes.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "core/sensor/IdentityAnswer.h"
#include "core/trend/ReadingRecord.h"
#include "core/trend/ReadingsCsv.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>

namespace
{
bool searchAnswer(const QByteArray &a)
{
    return !a.isEmpty() && a.size() < kSearchAnswerLimit && !isFramedAnswer(a);
}

// The answers awaited also take the sensor saying it works in frequency mode, where it
// takes no requests at all: asking again would not change that.
bool identityAccepted(const QByteArray &a)
{
    return (answerWithCode(Cmd::ReadIdentity)(a) && decodeIdentityAnswer(a).serial) ||
           frequencyModeAnswer(a);
}

bool dataAccepted(const QByteArray &a)
{
    return answerWithCode(Cmd::ReadData)(a) || frequencyModeAnswer(a);
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
    if (r.minDistance)
        o->insert(QStringLiteral("min_distance_cm"), *r.minDistance);
    if (r.maxDistance)
        o->insert(QStringLiteral("max_distance_cm"), *r.maxDistance);
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

// Time, address, distance in cm, amplitude and temperature, blank-separated.
QString readingText(const QString &csvRow)
{
    const QStringList f = csvRow.split(QLatin1Char(','));
    return QStringList{f.value(0), f.value(1), f.value(2), f.value(4), f.value(5)}
        .join(QLatin1Char(' '))
        .trimmed();
}
} // namespace

CliExit CliRunner::search()
{
    m_session->log(QStringLiteral("Cmd Ask Net "));
    const BusSession::Reply reply =
        m_session->exchange(searchRequest(), Cmd::SearchAddress, &searchAnswer);
    if (reply.status != BusSession::Status::Answered)
        return replyFailure(reply, Cmd::SearchAddress);
    const QString list = searchListText(reply.answer);
    m_session->log(QStringLiteral("Устройства в сети ") + list);
    QJsonArray addresses;
    for (const char a : reply.answer)
        addresses.append(quint8(a));
    m_out.result({{QStringLiteral("addresses"), addresses}}, list.trimmed());
    return CliExit::Ok;
}

std::optional<int> CliRunner::identity(quint8 address, CliExit *failure, QJsonObject *shown)
{
    const BusSession::Reply reply =
        m_session->exchange(identityRequest(address), address, &identityAccepted);
    if (reply.status != BusSession::Status::Answered || frequencyModeAnswer(reply.answer)) {
        *failure = replyFailure(reply, address);
        return std::nullopt;
    }
    const IdentityAnswer id = decodeIdentityAnswer(reply.answer);
    const QString version =
        id.versionCode ? versionText(id.versionPrefix, *id.versionCode) : QString();
    m_session->log(identityLogLine(QString::number(*id.serial), version));
    if (shown) {
        shown->insert(QStringLiteral("serial"), qint64(*id.serial));
        shown->insert(QStringLiteral("firmware"), version);
        shown->insert(QStringLiteral("firmware_code"), id.versionCode.value_or(0));
    }
    return id.versionCode.value_or(0);
}

std::optional<DataReadings> CliRunner::readData(quint8 address, bool withSettings, CliExit *failure)
{
    const BusSession::Reply reply =
        m_session->exchange(dataRequest(address), address, &dataAccepted);
    if (reply.status != BusSession::Status::Answered || frequencyModeAnswer(reply.answer)) {
        *failure = replyFailure(reply, address);
        return std::nullopt;
    }
    const DataReadings r = decodeDataAnswer(reply.answer, withSettings);
    m_session->log(readingsLogLine(r));
    return r;
}

CliExit CliRunner::info(quint8 address)
{
    QJsonObject o{{QStringLiteral("address"), address}};
    CliExit failure = CliExit::Ok;
    if (!identity(address, &failure, &o))
        return failure;
    const std::optional<DataReadings> r = readData(address, true, &failure);
    if (!r)
        return failure;
    addSettings(*r, &o);
    addReadingFields(*r, &o);
    m_out.result(o, textOf(o, {QStringLiteral("address"), QStringLiteral("serial"),
                               QStringLiteral("firmware"), QStringLiteral("firmware_code"),
                               QStringLiteral("mode_byte"), QStringLiteral("mode"),
                               QStringLiteral("filtration_level"), QStringLiteral("echo"),
                               QStringLiteral("min_distance_cm"), QStringLiteral("max_distance_cm"),
                               QStringLiteral("empty"), QStringLiteral("full"),
                               QStringLiteral("distance_cm"), QStringLiteral("amplitude"),
                               QStringLiteral("temperature_C")}));
    return CliExit::Ok;
}

CliExit CliRunner::watch(quint8 address)
{
    if (m_args.csv && !m_args.json)
        m_out.line(readingsCsvHeader().trimmed());
    Stability stability;
    int answered = 0;
    int taken = 0;
    for (; m_args.count == 0 || taken < m_args.count; ++taken) {
        QElapsedTimer period;
        period.start();
        // One try a reading: a second one would throw the readings off their one-second beat.
        const BusSession::Reply reply =
            m_session->exchange(dataRequest(address), address, answerWithCode(Cmd::ReadData), 1);
        if (reply.status == BusSession::Status::PortLost)
            return replyFailure(reply, address);
        if (reply.status == BusSession::Status::Interrupted)
            break;
        DataReadings r;
        if (reply.status == BusSession::Status::Answered) {
            r = decodeDataAnswer(reply.answer, true);
            m_session->log(readingsLogLine(r));
        }
        StabilityLamp lamp = StabilityLamp::Yellow;
        if (r.amplitude) {
            const StabilityStep s = nextStability(stability, *r.amplitude);
            stability = s.state;
            lamp = s.lamp;
        }
        const TrendEntry e = readingEntry(r, address, lamp, QDateTime::currentDateTime());
        answered += e.gap ? 0 : 1;
        const QString row = readingsCsvRow(e, QLocale::c()).trimmed();
        m_out.result(readingJson(e, r), m_args.csv ? row : readingText(row));
        const bool last = m_args.count != 0 && taken + 1 == m_args.count;
        if (!last &&
            !m_session->pause(int(qMax<qint64>(0, ExchangeEngine::kTickMs - period.elapsed())))) {
            if (m_session->lost())
                return replyFailure({BusSession::Status::PortLost, {}}, address);
            break;
        }
    }
    // Stopped by Ctrl+C is how a watch without a count ends.
    if (taken > 0 && answered == 0)
        return fail(CliExit::NoAnswer, noAnswerText(QString::number(address)));
    return CliExit::Ok;
}
