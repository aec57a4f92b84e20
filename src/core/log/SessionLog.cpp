#include "SessionLog.h"

#include "LogFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace levelconf
{

namespace
{
// Why the log cannot start, which the operator reads in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(SessionLog)
};
} // namespace

QString logDateTimeText(const QDateTime &dt)
{
    // A fixed form rather than the locale's short form: some locales write "/" in dates,
    // which cannot stand in a file name.
    return dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString logFileName(const QDateTime &dt)
{
    QString name = logDateTimeText(dt);
    name.remove(QLatin1Char('.'));
    name.remove(QLatin1Char(':'));
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name + QStringLiteral(".log");
}

QByteArray logRecord(const QString &text)
{
    return "\"" + text.toUtf8() + "\"\r\n";
}

QString eventText(const QTime &time, const QString &event)
{
    return time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" : ") + event;
}

std::optional<SessionLog::StartError> SessionLog::start(const QString &folder,
                                                        const QDateTime &start, Existing existing)
{
    // Until the start record is written there is no log, and append() writes nothing.
    m_path.clear();
    QDir dir(folder);
    if (!makeLogFolder(folder))
        return StartError{76, Texts::tr("Path not found: %1").arg(folder)};
    const QString path = dir.filePath(logFileName(start));
    QFile f(path);
    const auto mode = existing == Existing::Continue ? QIODevice::Append : QIODevice::Truncate;
    // Owner only: the log holds the passwords entered or set, as typed.
    if (!f.open(QIODevice::WriteOnly | mode, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return StartError{75, Texts::tr("Path/File access error: %1").arg(path)};
    const QByteArray rec =
        logRecord(QStringLiteral("Start: ") + logDateTimeText(start) + QStringLiteral("\r\n"));
    if (f.write(rec) != rec.size())
        return StartError{75, Texts::tr("Path/File access error: %1").arg(path)};
    m_path = path;
    return std::nullopt;
}

bool SessionLog::append(const QString &text, const QTime &time) const
{
    if (m_path.isEmpty())
        return false;
    QFile f(m_path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray rec = logRecord(eventText(time, text));
    return f.write(rec) == rec.size();
}

} // namespace levelconf
