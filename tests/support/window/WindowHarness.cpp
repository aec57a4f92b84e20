#include "WindowHarness.h"

#include "core/log/SessionLog.h"
#include "ui_frmSerial.h"

#include <QDir>
#include <QFile>

using namespace levelconf;

WindowHarness::WindowHarness(const QString &logFolder, Language language)
    : now(QDate(2026, 12, 7), QTime(14, 5, 33))
{
    Platform p;
    p.port = &port;
    p.dialogs = &dialogs;
    p.tone = &tone;
    this->logFolder = logFolder.isEmpty() ? logDir.path() + QStringLiteral("/log") : logFolder;
    p.logFolder = this->logFolder;
    p.programFolder = logDir.path();
    p.clock = [this] { return now; };
    p.language = language;
    window = std::make_unique<frmSerial>(p);
}

WindowHarness::~WindowHarness() = default;

Ui::frmSerial *WindowHarness::ui() const
{
    return window->form();
}

void WindowHarness::logEvent(const QString &event)
{
    QFile f(window->logPath());
    if (f.open(QIODevice::Append))
        f.write(logRecord(eventText(now.time(), event)));
}

QByteArray WindowHarness::logBytes() const
{
    QDir dir(logFolder);
    const QStringList files = dir.entryList({QStringLiteral("*.log")}, QDir::Files);
    if (files.isEmpty())
        return {};
    QFile f(dir.filePath(files.first()));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList WindowHarness::logEvents() const
{
    return logEventTexts(logBytes());
}

QStringList logEventTexts(const QByteArray &log)
{
    QStringList out;
    const QList<QByteArray> lines = log.split('\n');
    for (const QByteArray &raw : lines) {
        QString line = QString::fromUtf8(raw);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // Event records are "hh:mm:ss : text" in quotes.
        if (line.size() >= 13 && line.startsWith(QLatin1Char('"')) &&
            line.endsWith(QLatin1Char('"')) && line.mid(9, 3) == QLatin1String(" : "))
            out.append(line.mid(12, line.size() - 13));
    }
    return out;
}

void WindowHarness::openPort(const QString &device)
{
    port.ports = {device};
    window->parts().portBar->Timer1_Timer();
    window->parts().portBar->BTNOpenCom_Click();
    dialogs.clear();
    tone.beeps.clear();
}
