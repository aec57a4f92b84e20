#include "CliArguments.h"
#include "CliRunner.h"
#include "Terminal.h"
#include "core/serial/SystemSerialPort.h"
#include "core/system/LocaleFallback.h"
#include "core/system/TerminationSignals.h"
#include "core/text/Language.h"
#include "core/text/LocaleEnvironment.h"
#include "core/text/ProgramOptions.h"
#include "core/text/Translations.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

using namespace levelconf;

int main(int argc, char *argv[])
{
    // First of all, before any file is opened in the place of a missing stream.
    prepareStandardStreams();
    // The language follows the locale as the user set it, even one that cannot be used and
    // that the process therefore runs without.
    const QProcessEnvironment userEnvironment = localeEnvironment();
    fallBackToUtf8Locale();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("levelconf"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.4"));
    // Scripts write numbers with a dot, whatever the locale of the machine they run on.
    QLocale::setDefault(QLocale::c());

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    // Before any text is made, the help and the refusals of the arguments among them.
    installTranslations(toolLanguage(arguments, userEnvironment));

    CliOutput output(stdout, stderr, standardErrorIsTerminal());
    QString error;
    const std::optional<CliArguments> args = parseCliArguments(arguments, &error);
    if (!args) {
        // Qt's own refusals end with a full stop, the program's do not.
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        output.error(QCoreApplication::translate("levelconf-cli", "%1. Try levelconf-cli --help.")
                         .arg(error));
        return exitStatus(CliExit::Usage);
    }
    if (args->asked.textOnly()) {
        output.line(args->asked.help ? cliHelpText()
                                     : versionText(QStringLiteral("levelconf-cli")));
        if (output.failure() == CliOutput::Failure::WriteFailed)
            return exitStatus(CliExit::OutputFailed);
        return exitStatus(output.failure() == CliOutput::Failure::ReaderGone ? CliExit::ReaderGone
                                                                             : CliExit::Ok);
    }

    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    CliRunner runner(*args, *port, output);
    const std::unique_ptr<TerminationSignals> stop = catchTerminationSignals();
    if (stop)
        QObject::connect(stop.get(), &TerminationSignals::requested, &runner,
                         &CliRunner::interrupt);
    return exitStatus(runner.run());
}
