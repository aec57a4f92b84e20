#pragma once

#include "MqttMessage.h"
#include "SpoolRecords.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <vector>

// The readings waiting for the broker, kept on disk as well as in the queue, so that a
// restart, a crash or a power cut loses none of them. Each reading is written as it is
// queued (the records of one turn of the event loop in one write) and marked settled once
// the broker has it or the queue's bound dropped it; at most once a second what was
// written is forced to the disk, which is all a poll costs. A power cut can thus take the
// last second's readings, and the broker may see the last second's deliveries again after
// one, as QoS 1 allows. The file is emptied whenever everything is settled, and rewritten
// without its settled records once they make up most of it.
//
// A disk that will not take a record (full, say) is reported once; the readings are then
// kept in memory only until writing works again, and said as not kept when they are lost.
class ReadingSpool : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSyncMs = 1000;
    static constexpr qint64 kCompactSlackBytes = 1024 * 1024;

    explicit ReadingSpool(const QString &folder, QObject *parent = nullptr);
    ~ReadingSpool() override;

    // Opens the spool in its folder (made if missing) and keeps it for this gateway; a torn
    // last record is dropped. The readings it holds, oldest first, go to `pending`, and
    // the number above all of theirs to `nextSeq`. False, with the reason, when the folder
    // cannot be used.
    bool open(std::vector<SpoolRecords::Pending> *pending, quint64 *nextSeq, QString *error);

    void append(quint64 seq, const MqttMessage &message);
    // The reading has left the queue: delivered or dropped. One the spool does not hold
    // (written while the disk refused) is passed over.
    void settle(quint64 seq);
    // The readings the spool holds that are not settled.
    int held() const { return m_held; }
    // Everything on the disk and the file closed; at the gateway's stop.
    void close();

    QString filePath() const;

private:
    struct Entry {
        quint64 seq = 0;
        qint64 offset = 0;
        int length = 0;
        bool settled = false;
    };

    void schedule();
    void flush();
    void sync();
    void compact();
    void writeFailed(const QString &reason, qint64 goodBytes);

    QString m_folder;
    QFile m_file;
    int m_lock = -1;
    std::deque<Entry> m_entries; // oldest first; settled ones leave from the front
    QByteArray m_buffer;         // records not yet written
    qint64 m_fileBytes = 0;      // written to the file
    qint64 m_heldBytes = 0;      // the records of the readings not settled
    int m_held = 0;
    quint64 m_settledThrough = 0;
    bool m_markerDue = false;
    bool m_unsynced = false;
    bool m_failing = false;
    QTimer m_flushTimer;
    QTimer m_syncTimer;
};
