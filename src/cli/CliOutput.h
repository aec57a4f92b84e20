#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <cstdio>

// Where the command line's words go: results on standard output (as text or as one JSON
// object a line), refusals and failures on standard error, each line of it after the
// program's name, and progress on standard error only when a person watches it on a
// terminal. A result that cannot be written is not lost quietly: the first failure is
// kept for the run to end on.
class CliOutput
{
public:
    enum class Failure {
        None,
        ReaderGone, // the reader of standard output went away (a pipe to "head")
        WriteFailed // a full disk, a closed standard output
    };

    CliOutput(FILE *out, FILE *err, bool errIsTerminal);

    void setJson(bool json) { m_json = json; }
    bool json() const { return m_json; }
    // Lines on standard output end with CR LF, as the readings file does, instead of LF.
    void setCrLf(bool crlf) { m_lineEnd = crlf ? "\r\n" : "\n"; }

    // A result: `object` with --json, else `text` (nothing when empty).
    void result(const QJsonObject &object, const QString &text);
    // A line on standard output as it is.
    void line(const QString &text);
    // Bytes on standard output as they are (a file written there).
    void bytes(const QByteArray &data);
    // Lines on standard error, each after "levelconf-cli: ".
    void error(const QString &text);
    // What a person is to do now: on a terminal the progress line, elsewhere an error line.
    void notice(const QString &text);

    // One line redrawn in place on a terminal; nothing at all otherwise.
    void progress(const QString &text);
    // Ends the progress line, if one is drawn.
    void endProgress();

    // The first write to standard output that failed; after it nothing more goes there.
    Failure failure() const { return m_failure; }
    // Why it failed, in the system's words, or in the program's own to be shown through
    // translatedText("CliOutput", ...).
    QString failureText() const { return m_failureText; }

private:
    bool write(FILE *file, const QByteArray &bytes);

    FILE *m_out;
    FILE *m_err;
    bool m_errIsTerminal;
    bool m_json = false;
    const char *m_lineEnd = "\n";
    int m_progressWidth = 0;
    Failure m_failure = Failure::None;
    QString m_failureText;
};
