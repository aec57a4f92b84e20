#pragma once

#include <QFile>
#include <QJsonObject>
#include <QString>
#include <cstdio>

// Where the command line's words go: results on standard output (as text or as one JSON
// object a line), refusals and failures on standard error, and progress on standard error
// only when a person watches it on a terminal.
class CliOutput
{
public:
    CliOutput(FILE *out, FILE *err, bool errIsTerminal);

    void setJson(bool json) { m_json = json; }
    bool json() const { return m_json; }

    // A result: `object` with --json, else `text` (nothing when empty).
    void result(const QJsonObject &object, const QString &text);
    // A line on standard output as it is.
    void line(const QString &text);
    // A line on standard error.
    void error(const QString &text);

    // One line redrawn in place on a terminal; nothing at all otherwise.
    void progress(const QString &text);
    // Ends the progress line, if one is drawn.
    void endProgress();

private:
    void write(QFile &file, const QString &text);

    QFile m_out;
    QFile m_err;
    bool m_errIsTerminal;
    bool m_json = false;
    int m_progressWidth = 0;
};
