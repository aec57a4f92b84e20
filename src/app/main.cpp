#include "serial/QtSerialPort.h"
#include "shell/AlsaTone.h"
#include "shell/LogFolder.h"
#include "shell/QtOperatorDialogs.h"
#include "shell/SignalQuit.h"
#include "shell/frmSerial.h"

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
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("levelconf"));
    QApplication::setApplicationDisplayName(QStringLiteral("levelconf"));
    QApplication::setApplicationVersion(QStringLiteral("2.6.4"));
    QGuiApplication::setDesktopFileName(QStringLiteral(LEVELCONF_APP_ID));
    QApplication::setWindowIcon(programIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Add DEVICE (a serial device or a pseudo-terminal) to the port list and "
                       "select it."),
        QStringLiteral("DEVICE"));
    parser.addOption(portOption);
    parser.process(app);

    QtOperatorDialogs dialogs;
    QtSerialPort port(&dialogs);
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
