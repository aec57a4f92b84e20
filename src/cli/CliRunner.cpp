#include "CliRunner.h"

#include "core/files/RegularFile.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/input/AddressText.h"
#include "core/log/LogFolder.h"
#include "core/protocol/Confirmations.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/SerialPort.h"
#include "core/text/Translations.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace levelconf;

namespace
{
// Logged in these words and shown in the language of the run.
const char *const kFrequencyMode = QT_TRANSLATE_NOOP("CliRunner", "Sensor set to Frequency mode.");
const char *const kPortUnavailable = QT_TRANSLATE_NOOP("CliRunner", "Com Port %1 unavailable.");
const char *const kOutputFailed =
    QT_TRANSLATE_NOOP("CliRunner", "Standard output cannot be written: %1");
} // namespace

CliRunner::CliRunner(const CliArguments &args, SerialPort &port, CliOutput &output, QObject *parent)
    : QObject(parent), m_args(args), m_port(port), m_out(output)
{
    m_out.setJson(args.json);
}

CliRunner::~CliRunner() = default;

void CliRunner::startLog()
{
    const QString folder = m_args.logFolder.isEmpty()
                               ? defaultLogFolder(QCoreApplication::applicationDirPath())
                               : m_args.logFolder;
    // Runs of a script follow each other within a second: a later one continues the file of
    // an earlier one rather than wiping it.
    if (const auto failure =
            m_log.start(folder, QDateTime::currentDateTime(), SessionLog::Existing::Continue))
        m_out.error(tr("%1 (running without a session log)").arg(failure->description));
}

std::optional<QString> CliRunner::argumentRefusal() const
{
    const QString &c = m_args.command;
    if (c == QLatin1String("search") || c == QLatin1String("flash"))
        return std::nullopt;
    const QString &word = m_args.words[c == QLatin1String("table") ? 1 : 0];
    if (!addressFromText(word))
        return addressRefusal(word);
    // The table read replaces its file: only a regular one, or a new one, may be there.
    if (c == QLatin1String("table") && m_args.words[0] == QLatin1String("read") &&
        m_args.words[2] != QLatin1String("-")) {
        if (const auto refusal = saveTargetRefusal(m_args.words[2]))
            return QDir::toNativeSeparators(m_args.words[2]) + QStringLiteral(": ") + *refusal;
    }
    return std::nullopt;
}

CliExit CliRunner::run()
{
    // Every value is checked before the port is opened, so that nothing goes out for a run
    // that cannot be done.
    if (const std::optional<QString> refusal = argumentRefusal())
        return fail(CliExit::BadInput, tr("%1. Nothing was sent.").arg(*refusal));
    startLog();
    const QString device = m_port.deviceName(m_args.port);
    if (const std::optional<CliExit> failure = openPort(device))
        return *failure;
    m_log.append(QStringLiteral("Com Port ") + device + QStringLiteral(" Open"),
                 QTime::currentTime());
    m_session = std::make_unique<BusSession>(m_port, m_log);
    const CliExit result = withOutput(m_interrupted ? CliExit::Interrupted : runCommand());
    m_session.reset();
    m_port.close();
    m_log.append(QStringLiteral("Com Port ") + device + QStringLiteral(" Closed"),
                 QTime::currentTime());
    return result;
}

std::optional<CliExit> CliRunner::openPort(const QString &device)
{
    // A name without a folder is a port as the window lists it (ttyUSB0, COM3). Where it
    // stands for a file elsewhere (/dev/ttyUSB0), that file is said, so that a script's
    // reader knows what was talked to; COM3 is the port's own name on Windows.
    const bool named = device != m_args.port;
    if (named && device.startsWith(QLatin1Char('/')))
        m_out.error(tr("Com Port %1 is %2.").arg(m_args.port, device));
    if (m_port.open(device, kBusLineSettings))
        return std::nullopt;
    const SerialPort::OpenFailure failure = m_port.lastOpenFailure();
    const LoggedText text = loggedText("CliRunner", kPortUnavailable).arg(m_args.port);
    m_log.append(text.logged, QTime::currentTime());
    QString shown = text.shown;
    if (const QString advice = openFailureAdvice(failure, device); !advice.isEmpty())
        shown += QLatin1Char(' ') + advice;
    // A file of the current folder is no port name: it is reached by its path.
    if (named && failure == SerialPort::OpenFailure::NotFound && QFileInfo::exists(m_args.port))
        shown += QLatin1Char(' ') + tr("For %1 in the current folder give ./%1.").arg(m_args.port);
    return fail(CliExit::Port, shown);
}

CliExit CliRunner::withOutput(CliExit result)
{
    if (m_out.failure() == CliOutput::Failure::None || result != CliExit::Ok)
        return result;
    const QString why = m_out.failureText();
    const LoggedText text = loggedText("CliRunner", kOutputFailed);
    m_log.append(text.logged.arg(why), QTime::currentTime());
    // Whoever read the results has had enough of them, as "head" has: nothing to say.
    if (m_out.failure() == CliOutput::Failure::ReaderGone)
        return CliExit::ReaderGone;
    return fail(CliExit::OutputFailed, text.shown.arg(translatedText("CliOutput", why)));
}

CliExit CliRunner::runCommand()
{
    const QString &c = m_args.command;
    if (c == QLatin1String("search"))
        return search();
    if (c == QLatin1String("flash"))
        return flash(m_args.words[0]);
    const int addressAt = c == QLatin1String("table") ? 1 : 0;
    const quint8 address = *addressFromText(m_args.words[addressAt]);
    if (c == QLatin1String("info"))
        return info(address);
    if (c == QLatin1String("watch"))
        return watch(address);
    if (c == QLatin1String("set"))
        return set(address, m_args.words.mid(1));
    if (m_args.words[0] == QLatin1String("read"))
        return tableRead(address, m_args.words[2]);
    return tableWrite(address, m_args.words[2]);
}

void CliRunner::interrupt()
{
    m_interrupted = true;
    if (m_update)
        m_update->cancel();
    if (m_session)
        m_session->interrupt();
}

CliExit CliRunner::fail(CliExit code, const QString &text)
{
    m_out.error(text);
    return code;
}

CliExit CliRunner::replyFailure(const BusSession::Reply &reply, quint8 address)
{
    if (reply.status == BusSession::Status::Answered && frequencyModeAnswer(reply.answer)) {
        const LoggedText text = loggedText("CliRunner", kFrequencyMode);
        m_session->log(text.logged);
        return fail(CliExit::Refused, text.shown);
    }
    switch (reply.status) {
    case BusSession::Status::PortLost:
        return fail(CliExit::Port, tr("Error! COM port unavailable"));
    case BusSession::Status::Interrupted:
        return fail(CliExit::Interrupted, tr("Interrupted."));
    case BusSession::Status::NoAnswer:
    case BusSession::Status::Answered:
        break;
    }
    // Something came, but never what was asked for, whole and with its CRC.
    if (reply.damaged)
        return fail(CliExit::NoAnswer,
                    tr("No intact answer from sensor with address %1").arg(address));
    return fail(CliExit::NoAnswer, noAnswerShown(QString::number(address)));
}
