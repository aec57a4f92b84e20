#include "core/log/LogFolder.h"
#include "core/serial/QtSerialPort.h"
#include "window/platform/AlsaTone.h"
#include "window/platform/QtOperatorDialogs.h"
#include "window/platform/SignalQuit.h"
#include "window/shell/frmSerial.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

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

// Whether the command line asks for text alone: help or the version. That text must come on
// a terminal without a display too (over ssh, in a package's checks), so it is given before
// the window system is reached. Options of the window system itself (-platform, -style) are
// not known here and are left for the application to take.
bool asksForTextOnly(QCommandLineParser &parser, const QCommandLineOption &help,
                     const QCommandLineOption &version, int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    parser.parse(arguments);
    return parser.isSet(help) || parser.isSet(version) ||
           arguments.contains(QStringLiteral("--help-all"));
}
} // namespace

int main(int argc, char *argv[])
{
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Add DEVICE (a serial device or a pseudo-terminal) to the port list and "
                       "select it."),
        QStringLiteral("DEVICE"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(portOption);

    if (asksForTextOnly(parser, help, version, argc, argv)) {
        QCoreApplication text(argc, argv);
        nameProgram();
        if (parser.isSet(version))
            parser.showVersion(); // both end the program
        parser.showHelp();
    }

    QApplication app(argc, argv);
    nameProgram();
    QApplication::setApplicationDisplayName(QStringLiteral("levelconf"));
    QGuiApplication::setDesktopFileName(QStringLiteral(LEVELCONF_APP_ID));
    QApplication::setWindowIcon(programIcon());
    parser.process(app);

    QtOperatorDialogs dialogs;
    QtSerialPort port;
    AlsaTone tone;

    Platform platform;
    platform.port = &port;
    platform.dialogs = &dialogs;
    platform.tone = &tone;
    platform.programFolder = QApplication::applicationDirPath();
    platform.logFolder = defaultLogFolder(platform.programFolder);

    frmSerial window(platform);
    dialogs.setParent(&window);
    if (parser.isSet(portOption))
        window.addPortDevice(parser.value(portOption));
    // Caught only from here on: before, there is no port open and nothing to close.
    const SignalQuit signalQuit(&window, catchTerminationSignals());
    return QApplication::exec();
}
