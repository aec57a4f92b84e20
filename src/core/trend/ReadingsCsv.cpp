#include "ReadingsCsv.h"

#include "Measurements.h"
#include "ReadingStore.h"
#include "core/sensor/DataAnswer.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>

namespace levelconf
{

namespace
{
// The stability column: the lamp's colour, empty while it is not known.
QString stabilityWord(const TrendEntry &entry)
{
    return entry.lampKnown ? lampWord(entry.lamp) : QString();
}

// The output's kind and its other quantities came later than the first nine columns and
// follow them, so that a reader of those finds them where they were.
const QString kHeader = QStringLiteral("time,address,distance_cm,level_text,amplitude,"
                                       "temperature_C,frequency_Hz,analog_V,stability,"
                                       "output,volume_L,percent");
const QString kLineEnd = QStringLiteral("\r\n");
constexpr int kFields = 12;

// The output under the column of its kind, empty under the others.
QString outputColumn(const TrendEntry &e, OutputKind kind)
{
    return e.kind == kind ? shortestDecimal(outputValue(e.output, kind), QLocale::c()) : QString();
}

QStringList rowOf(const TrendEntry &e, const QLocale &locale)
{
    QStringList row{isoLocalTime(e.msecs, e.utcOffset), QString::number(e.address)};
    if (e.gap) {
        while (row.size() < kFields)
            row.append(QString());
        return row;
    }
    const QLocale c = QLocale::c();
    row << outputColumn(e, OutputKind::Distance) << outputText(e.output, e.kind, locale)
        << QString::number(e.amplitude) << QString::number(e.temperature)
        << QString::number(int(e.output) + 300)
        << shortestDecimal(analogVolts(e.output, e.range4096), c) << stabilityWord(e)
        << outputKindWord(e.kind) << outputColumn(e, OutputKind::Volume)
        << outputColumn(e, OutputKind::Percent);
    return row;
}
} // namespace

QString lampWord(StabilityLamp lamp)
{
    switch (lamp) {
    case StabilityLamp::Green:
        return QStringLiteral(QT_TRANSLATE_NOOP("ReadingsCsv", "green"));
    case StabilityLamp::Red:
        return QStringLiteral(QT_TRANSLATE_NOOP("ReadingsCsv", "red"));
    case StabilityLamp::Yellow:
        break;
    }
    return QStringLiteral(QT_TRANSLATE_NOOP("ReadingsCsv", "yellow"));
}

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quote =
        std::any_of(text.begin(), text.end(), [](QChar ch) { return special.contains(ch); });
    if (!quote)
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString isoLocalTime(qint64 msecs, qint32 utcOffsetSeconds, bool milliseconds)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, utcOffsetSeconds);
    const int minutes = qAbs(utcOffsetSeconds) / 60;
    return t.toString(milliseconds ? QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")
                                   : QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (utcOffsetSeconds < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString readingsCsvHeader()
{
    return kHeader + kLineEnd;
}

QString readingsCsvRow(const TrendEntry &entry, const QLocale &locale)
{
    QStringList row = rowOf(entry, locale);
    for (QString &field : row)
        field = csvField(field);
    return row.join(QLatin1Char(',')) + kLineEnd;
}

QByteArray readingsCsv(const ReadingStore &store, const QLocale &locale)
{
    QString text = readingsCsvHeader();
    for (int i = 0; i < store.size(); ++i)
        text += readingsCsvRow(store.at(i), locale);
    return text.toUtf8();
}

} // namespace levelconf
