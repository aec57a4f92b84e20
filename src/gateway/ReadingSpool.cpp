#include "ReadingSpool.h"

#include "GatewayLog.h"
#include "SpoolDisk.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace
{
const QString kFileName = QStringLiteral("readings.spool");
} // namespace

ReadingSpool::ReadingSpool(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder)
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(kSyncMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &ReadingSpool::flush);
    connect(&m_syncTimer, &QTimer::timeout, this, &ReadingSpool::sync);
}

ReadingSpool::~ReadingSpool()
{
    close();
}

QString ReadingSpool::filePath() const
{
    return QDir(m_folder).filePath(kFileName);
}

bool ReadingSpool::open(std::vector<SpoolRecords::Pending> *pending, quint64 *nextSeq,
                        QString *error)
{
    const auto fail = [&](const QString &path, const QString &why) {
        *error = tr("spool %1: %2").arg(path, why);
        return false;
    };
    if (!QFileInfo(m_folder).isDir() && !QDir().mkpath(m_folder))
        return fail(m_folder, tr("the folder cannot be made"));
    QString why;
    m_lock = SpoolDisk::lockFolder(m_folder, &why);
    if (m_lock < 0)
        return fail(m_folder, why);
    const QString path = filePath();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(path, tr("not a regular file"));

    m_file.setFileName(path);
    const bool made = !info.exists();
    if (!m_file.open(QIODevice::ReadWrite))
        return fail(path, m_file.errorString());
    // A file just made is in its folder only once the folder is on the disk too.
    if (made)
        SpoolDisk::syncFolder(m_folder);
    const std::optional<SpoolRecords::Contents> contents = SpoolRecords::read(m_file.readAll());
    if (!contents)
        return fail(path, tr("not a spool file of levelconf-gateway"));
    const qint64 size = m_file.size();
    m_fileBytes = qMax<qint64>(contents->intactBytes, SpoolRecords::kHeaderBytes);
    if (contents->intactBytes < size && contents->intactBytes >= SpoolRecords::kHeaderBytes)
        gatewayLog(tr("Spool %1: the last record was cut short (%n bytes); it is dropped", nullptr,
                      int(size - contents->intactBytes))
                       .arg(path));
    if (contents->intactBytes < SpoolRecords::kHeaderBytes) {
        m_file.resize(0);
        m_file.seek(0);
        m_file.write(SpoolRecords::kHeader, SpoolRecords::kHeaderBytes);
    } else if (contents->intactBytes < size) {
        m_file.resize(contents->intactBytes);
    }
    m_file.close();
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) ||
        !SpoolDisk::syncFile(m_file.handle()))
        return fail(path, m_file.errorString());

    *nextSeq = contents->nextSeq;
    for (const SpoolRecords::Pending &p : contents->pending) {
        m_entries.push_back({p.seq, p.offset, p.length, false});
        m_heldBytes += p.length;
    }
    m_held = int(m_entries.size());
    *pending = contents->pending;
    if (m_held > 0)
        gatewayLog(tr("Spool %1: %n readings from before the start go out first", nullptr, m_held)
                       .arg(path));
    return true;
}

void ReadingSpool::append(quint64 seq, const MqttMessage &message)
{
    if (!m_file.isOpen())
        return;
    const QByteArray record = SpoolRecords::reading(seq, message);
    m_entries.push_back({seq, m_fileBytes + m_buffer.size(), int(record.size()), false});
    m_buffer += record;
    m_heldBytes += record.size();
    ++m_held;
    schedule();
}

void ReadingSpool::settle(quint64 seq)
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), seq,
                                     [](const Entry &e, quint64 s) { return e.seq < s; });
    if (it == m_entries.end() || it->seq != seq || it->settled)
        return;
    it->settled = true;
    m_heldBytes -= it->length;
    --m_held;
    const bool first = it == m_entries.begin();
    while (!m_entries.empty() && m_entries.front().settled) {
        m_settledThrough = m_entries.front().seq;
        m_entries.pop_front();
        m_markerDue = true;
    }
    // Settled out of turn: said of it alone, for the numbers before it still wait.
    if (!first)
        m_buffer += SpoolRecords::settled(seq);
    schedule();
}

void ReadingSpool::schedule()
{
    if (!m_buffer.isEmpty() && !m_flushTimer.isActive())
        m_flushTimer.start();
    if (!m_syncTimer.isActive())
        m_syncTimer.start();
}

void ReadingSpool::flush()
{
    if (m_buffer.isEmpty() || !m_file.isOpen())
        return;
    const qint64 before = m_fileBytes;
    qint64 written = m_file.write(m_buffer);
    // A write cut short says nothing of why; the next one on the rest does.
    if (written >= 0 && written < m_buffer.size()) {
        const qint64 rest = m_file.write(m_buffer.mid(written));
        written = rest < 0 ? rest : written + rest;
    }
    if (written != m_buffer.size()) {
        writeFailed(m_file.errorString(), before);
        return;
    }
    m_fileBytes += written;
    m_buffer.clear();
    m_unsynced = true;
    if (m_failing) {
        m_failing = false;
        gatewayLog(tr("Spool %1: writing again").arg(filePath()));
    }
}

void ReadingSpool::writeFailed(const QString &reason, qint64 goodBytes)
{
    // A record cut short would end the file for whoever reads it next: it goes, and so do
    // the records that were not written, whose readings stay in memory only.
    m_file.resize(goodBytes);
    m_fileBytes = goodBytes;
    m_buffer.clear();
    while (!m_entries.empty() && m_entries.back().offset >= goodBytes) {
        if (!m_entries.back().settled) {
            m_heldBytes -= m_entries.back().length;
            --m_held;
        }
        m_entries.pop_back();
    }
    if (!m_failing)
        gatewayLog(tr("Spool %1: cannot write (%2); readings are kept in memory only until it "
                      "can, and lost if the gateway stops before the broker has them")
                       .arg(filePath(), reason));
    m_failing = true;
}

void ReadingSpool::sync()
{
    if (!m_file.isOpen())
        return;
    if (m_entries.empty()) {
        // Everything is settled: nothing to keep, whatever the file says.
        m_buffer.clear();
        m_markerDue = false;
        if (m_fileBytes > SpoolRecords::kHeaderBytes) {
            m_file.resize(SpoolRecords::kHeaderBytes);
            m_fileBytes = SpoolRecords::kHeaderBytes;
            m_unsynced = true;
        }
    } else {
        if (m_markerDue)
            m_buffer += SpoolRecords::settledThrough(m_settledThrough);
        m_markerDue = false;
        flush();
        if (m_fileBytes > 2 * m_heldBytes + kCompactSlackBytes)
            compact();
    }
    if (m_unsynced && SpoolDisk::syncFile(m_file.handle()))
        m_unsynced = false;
}

void ReadingSpool::compact()
{
    QFile old(filePath());
    if (!old.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = old.readAll();
    old.close();
    QByteArray out(SpoolRecords::kHeader, SpoolRecords::kHeaderBytes);
    std::deque<Entry> kept;
    for (const Entry &e : m_entries) {
        if (e.settled)
            continue;
        kept.push_back({e.seq, out.size(), e.length, false});
        out += bytes.mid(e.offset, e.length);
    }
    QSaveFile save(filePath());
    if (!save.open(QIODevice::WriteOnly) || save.write(out) != out.size() || !save.commit())
        return; // the old file stays, whole; another try at the next sync
    SpoolDisk::syncFolder(m_folder);
    m_file.close();
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    m_entries = std::move(kept);
    m_fileBytes = out.size();
    m_unsynced = false;
}

void ReadingSpool::close()
{
    if (m_file.isOpen()) {
        m_flushTimer.stop();
        m_syncTimer.stop();
        sync();
        m_file.close();
    }
    SpoolDisk::unlockFolder(m_lock);
    m_lock = -1;
}
