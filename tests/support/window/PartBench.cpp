#include "PartBench.h"

#include "WindowHarness.h"

#include <QFile>

using namespace levelconf;

namespace
{
Platform platformOf(PartBench &b)
{
    Platform p;
    p.port = &b.port;
    p.dialogs = &b.dialogs;
    p.tone = &b.tone;
    p.logFolder = b.dir.filePath(QStringLiteral("log"));
    p.programFolder = b.dir.path();
    p.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33)); };
    return p;
}
} // namespace

PartBench::PartBench() : session(platformOf(*this), engine, log, display)
{
    log.start(dir.filePath(QStringLiteral("log")), session.now());
    session.setSelectedSensor(&sensor);
    engine.setAddressSource([this] { return session.selectedAddress(); });
}

QStringList PartBench::logEvents() const
{
    QFile f(log.path());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return logEventTexts(f.readAll());
}

QString PartBench::tick()
{
    const qsizetype before = port.writes.size();
    engine.tick();
    return port.writes.size() > before ? QString(port.writes.last().toHex().toUpper()) : QString();
}
