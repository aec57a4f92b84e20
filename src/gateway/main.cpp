// levelconf-gateway: every sensor of an RS-485 bus published to an MQTT broker.
#include "ForgetSensor.h"
#include "Gateway.h"
#include "GatewayOptions.h"
#include "MqttLink.h"
#include "OptionChecks.h"
#include "core/serial/QtSerialPort.h"
#include "core/system/LocaleFallback.h"
#include "core/system/TerminationSignals.h"
#include "core/text/Language.h"
#include "core/text/ProgramOptions.h"
#include "core/text/Translations.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>

using namespace levelconf;

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A log read through a pipe that closed (a pager quit, a collector gone) is no reason to
    // stop polling: the write fails, and the gateway goes on.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The language follows the locale as the user set it, even one that cannot be used and
    // that the process therefore runs without.
    const QProcessEnvironment userEnvironment = QProcessEnvironment::systemEnvironment();
    fallBackToUtf8Locale();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("levelconf-gateway"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LEVELCONF_VERSION));

    // Everything the gateway says, its help included, is in the language chosen first.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    installTranslations(toolLanguage(arguments, userEnvironment));

    QString error;
    const std::optional<GatewayOptions> options = parseGatewayOptions(arguments, &error);
    if (!options) {
        const QString text = QCoreApplication::translate(
            "levelconf-gateway", "levelconf-gateway: %1\nTry levelconf-gateway --help.\n");
        std::fputs(text.arg(escapedText(error)).toUtf8().constData(), stderr);
        return 1;
    }
    if (options->asked.textOnly()) {
        const QString text = options->asked.help
                                 ? gatewayHelpText()
                                 : versionText(QStringLiteral("levelconf-gateway")) + '\n';
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }

    const MqttLink::Library mqtt;
    if (options->forget) {
        if (forgetSensor(*options, &error))
            return 0;
        std::fprintf(stderr, "levelconf-gateway: %s\n", escapedText(error).toUtf8().constData());
        return ExitConfiguration;
    }
    QtSerialPort port;
    Gateway gateway(*options, port);
    QObject::connect(&gateway, &Gateway::finished, &app, &QCoreApplication::exit);
    const std::unique_ptr<TerminationSignals> stop = catchTerminationSignals();
    if (stop)
        QObject::connect(stop.get(), &TerminationSignals::requested, &gateway, &Gateway::stop);
    if (!gateway.start(&error)) {
        std::fprintf(stderr, "levelconf-gateway: %s\n", escapedText(error).toUtf8().constData());
        return ExitConfiguration;
    }
    return app.exec();
}
