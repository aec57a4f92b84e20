#include "CliOutput.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QStringList>

#include <cerrno>
#include <cstring>

namespace
{
const QString kProgramName = QStringLiteral("levelconf-cli: ");
} // namespace

CliOutput::CliOutput(FILE *out, FILE *err, bool errIsTerminal)
    : m_out(out), m_err(err), m_errIsTerminal(errIsTerminal)
{
}

bool CliOutput::write(FILE *file, const QByteArray &bytes)
{
    errno = 0;
    // A script or a pipe reads each line as it comes, not when the run ends.
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) == size_t(bytes.size()) &&
           std::fflush(file) == 0;
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
    bytes(text.toUtf8() + m_lineEnd);
}

void CliOutput::bytes(const QByteArray &data)
{
    if (m_failure != Failure::None)
        return;
    if (write(m_out, data))
        return;
    const int error = errno;
    m_failure = error == EPIPE ? Failure::ReaderGone : Failure::WriteFailed;
    m_failureText =
        error != 0 ? QString::fromLocal8Bit(std::strerror(error))
                   : QStringLiteral(QT_TRANSLATE_NOOP("CliOutput", "the write did not complete"));
    std::clearerr(m_out);
}

void CliOutput::error(const QString &text)
{
    endProgress();
    QString lines;
    for (const QString &l : text.split(QLatin1Char('\n')))
        lines += kProgramName + l + QLatin1Char('\n');
    // Standard error that cannot be written leaves nowhere to say so.
    write(m_err, lines.toUtf8());
}

void CliOutput::notice(const QString &text)
{
    if (m_errIsTerminal)
        progress(text);
    else
        error(text);
}

void CliOutput::progress(const QString &text)
{
    if (!m_errIsTerminal)
        return;
    // Blanks over whatever is left of a longer line before.
    const int pad = qMax(0, m_progressWidth - int(text.size()));
    write(m_err, (QLatin1Char('\r') + text + QString(pad, QLatin1Char(' '))).toUtf8());
    m_progressWidth = int(text.size());
}

void CliOutput::endProgress()
{
    if (m_progressWidth == 0)
        return;
    write(m_err, "\n");
    m_progressWidth = 0;
}
