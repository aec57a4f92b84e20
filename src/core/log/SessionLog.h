#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace levelconf
{

// One text file per run: a start record, then one quoted line per event. The file is
// opened and closed for every record, so a crash or a pulled cable never loses a line
// that was already written.
class SessionLog
{
public:
    // Result of starting the log: the error number and text shown to the operator when
    // the folder or the file cannot be created.
    struct StartError {
        int number = 0;
        QString description;
    };

    // What becomes of a file of the same name, left by a run that started in the same second.
    enum class Existing { Replace, Continue };

    // Creates `folder` if needed and the file named after `start`, and writes the start
    // record. Returns the failure, if any.
    std::optional<StartError> start(const QString &folder, const QDateTime &start,
                                    Existing existing = Existing::Replace);

    // Appends the event record for `text` stamped with `time`. Returns false when the
    // file could not be written (the event is then lost, never the program).
    bool append(const QString &text, const QTime &time) const;

    QString path() const { return m_path; }

private:
    QString m_path;
};

// "07.12.2026 14:05:33": the date-and-time text of file names and the start record.
QString logDateTimeText(const QDateTime &dt);

// File name for a start at `dt`: the text above without "." and ":", blanks as "_".
QString logFileName(const QDateTime &dt);

// The bytes of one record: a quoted text followed by CR LF.
QByteArray logRecord(const QString &text);

// The text of an event record: "hh:mm:ss : " then the event.
QString eventText(const QTime &time, const QString &event);

} // namespace levelconf
