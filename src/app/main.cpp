#include "core/log/LogFolder.h"
#include "core/serial/SystemSerialPort.h"
#include "core/text/LocaleEnvironment.h"
#include "core/text/ProgramOptions.h"
#include "core/text/Translations.h"
#include "window/platform/QtOperatorDialogs.h"
#include "window/platform/SignalQuit.h"
#include "window/platform/TonePlayer.h"
#include "window/shell/frmSerial.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

using namespace levelconf;

namespace
{
// The installed icon from the desktop's theme; run from the build folder, where nothing is
// installed, the renderings built into the program.
QIcon programIcon()
{
    QIcon builtIn;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &size : icons.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        builtIn.addFile(icons.filePath(size + QStringLiteral("/" LEVELCONF_APP_ID ".png")));
    return QIcon::fromTheme(QStringLiteral(LEVELCONF_APP_ID), builtIn);
}

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("levelconf"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.4"));
}

// The options, with their help in the language chosen so far: built again once the
// translations are installed.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption port{
        QStringLiteral("port"),
        QCoreApplication::translate("main", "Add DEVICE (a serial device or a pseudo-terminal) to "
                                            "the port list and select it."),
        QStringLiteral("DEVICE")};

    Options()
    {
        parser.setApplicationDescription(QCoreApplication::translate(
            "main", "Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485."));
        parser.addOption(port);
        addProgramOptions(parser, QCoreApplication::translate(
                                      "main", "Show the window in LANGUAGE: described (the texts "
                                              "as first written, half Russian, half English), en "
                                              "(English) or ru (Russian). Without it the locale "
                                              "chooses: ru_* Russian, C and POSIX the described "
                                              "texts, any other English."));
    }
};

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Whether the command line asks for text alone: help or the version. That text must come on
// a terminal without a display too (over ssh, in a package's checks), so it is given before
// the window system is reached. Options of the window system itself (-platform, -style) are
// not known here and are left for the application to take; --help-all, which programs of
// the toolkit take, gives the same help.
bool asksForTextOnly(const Options &o, const QStringList &arguments)
{
    return programRequest(o.parser).textOnly() || arguments.contains(QStringLiteral("--help-all"));
}

// The language --language names, else the locale's. A name it does not know ends the
// program before anything is shown.
Language chosenLanguage(const Options &o)
{
    const QString refusal = languageRefusal(o.parser);
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "levelconf: %s\n", qPrintable(refusal));
        std::exit(1);
    }
    return languageNamed(o.parser.value(QStringLiteral("language")))
        .value_or(languageOfLocale(localeEnvironment(), Language::Described));
}
} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = argumentList(argc, argv);
    bool textOnly = false;
    Language language = Language::Described;
    {
        Options first;
        first.parser.parse(arguments);
        textOnly = asksForTextOnly(first, arguments);
        language = chosenLanguage(first);
    }

    if (textOnly) {
        QCoreApplication text(argc, argv);
        nameProgram();
        installTranslations(language);
        Options o;
        o.parser.parse(arguments);
        if (programRequest(o.parser).version) {
            std::printf("%s\n", qPrintable(versionText(QStringLiteral("levelconf"))));
            return 0;
        }
        o.parser.showHelp(); // ends the program
    }

    QApplication app(argc, argv);
    nameProgram();
    installTranslations(language);
    QApplication::setApplicationDisplayName(QStringLiteral("levelconf"));
    QGuiApplication::setDesktopFileName(QStringLiteral(LEVELCONF_APP_ID));
    QApplication::setWindowIcon(programIcon());
    Options o;
    o.parser.process(app);

    QtOperatorDialogs dialogs;
    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    const std::unique_ptr<Tone> tone = makeSystemTone();

    Platform platform;
    platform.port = port.get();
    platform.dialogs = &dialogs;
    platform.tone = tone.get();
    platform.programFolder = QApplication::applicationDirPath();
    platform.logFolder = defaultLogFolder(platform.programFolder);
    platform.language = language;

    frmSerial window(platform);
    dialogs.setParent(&window);
    if (o.parser.isSet(o.port))
        window.addPortDevice(o.parser.value(o.port));
    // Caught only from here on: before, there is no port open and nothing to close.
    const SignalQuit signalQuit(&window, catchTerminationSignals());
    return QApplication::exec();
}
