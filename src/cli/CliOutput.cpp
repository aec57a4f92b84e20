#include "CliOutput.h"

#include <QJsonDocument>

CliOutput::CliOutput(FILE *out, FILE *err, bool errIsTerminal) : m_errIsTerminal(errIsTerminal)
{
    m_out.open(out, QIODevice::WriteOnly | QIODevice::Unbuffered);
    m_err.open(err, QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void CliOutput::write(QFile &file, const QString &text)
{
    file.write(text.toUtf8());
    // A script or a pipe reads each line as it comes, not when the run ends.
    file.flush();
}

void CliOutput::result(const QJsonObject &object, const QString &text)
{
    if (m_json)
        line(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    else if (!text.isEmpty())
        line(text);
}

void CliOutput::line(const QString &text)
{
    write(m_out, text + QLatin1Char('\n'));
}

void CliOutput::error(const QString &text)
{
    endProgress();
    write(m_err, text + QLatin1Char('\n'));
}

void CliOutput::progress(const QString &text)
{
    if (!m_errIsTerminal)
        return;
    // Blanks over whatever is left of a longer line before.
    const int pad = qMax(0, m_progressWidth - int(text.size()));
    write(m_err, QLatin1Char('\r') + text + QString(pad, QLatin1Char(' ')));
    m_progressWidth = int(text.size());
}

void CliOutput::endProgress()
{
    if (m_progressWidth == 0)
        return;
    write(m_err, QStringLiteral("\n"));
    m_progressWidth = 0;
}
