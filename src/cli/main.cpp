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
        output.error(QStringLiteral("levelconf-cli: ") + error +
                     QStringLiteral("\nTry levelconf-cli --help."));
        return exitStatus(CliExit::Usage);
    }
    if (args->help || args->version) {
        output.line(args->help ? cliHelpText() : QStringLiteral("levelconf-cli 2.6.4"));
        return exitStatus(CliExit::Ok);
    }

    QtSerialPort port;
    CliRunner runner(*args, port, output);
    const std::unique_ptr<TerminationSignals> stop = catchTerminationSignals();
    if (stop)
        QObject::connect(stop.get(), &TerminationSignals::requested, &runner,
                         &CliRunner::interrupt);
    return exitStatus(runner.run());
}
