#include "CliArguments.h"
#include "CliRunner.h"
#include "Terminal.h"
#include "core/serial/QtSerialPort.h"
#include "core/system/TerminationSignals.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    // First of all, before any file is opened in the place of a missing stream.
    prepareStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("levelconf"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.4"));
    // Scripts write numbers with a dot, whatever the locale of the machine they run on.
    QLocale::setDefault(QLocale::c());

    CliOutput output(stdout, stderr, standardErrorIsTerminal());
    QString error;
    const std::optional<CliArguments> args =
        parseCliArguments(QCoreApplication::arguments().mid(1), &error);
    if (!args) {
        const QString end = error.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
        output.error(error + end + QStringLiteral(" Try levelconf-cli --help."));
        return exitStatus(CliExit::Usage);
    }
    if (args->help || args->version) {
        output.line(args->help ? cliHelpText() : QStringLiteral("levelconf-cli 2.6.4"));
        if (output.failure() == CliOutput::Failure::WriteFailed)
            return exitStatus(CliExit::OutputFailed);
        return exitStatus(output.failure() == CliOutput::Failure::ReaderGone ? CliExit::ReaderGone
                                                                             : CliExit::Ok);
    }

    QtSerialPort port;
    CliRunner runner(*args, port, output);
    const std::unique_ptr<TerminationSignals> stop = catchTerminationSignals();
    if (stop)
        QObject::connect(stop.get(), &TerminationSignals::requested, &runner,
                         &CliRunner::interrupt);
    return exitStatus(runner.run());
}
