#pragma once

#include "core/text/Language.h"

#include <QDateTime>
#include <QString>
#include <functional>

class OperatorDialogs;
namespace levelconf
{
class SerialPort;
} // namespace levelconf
class Tone;

// What the main window needs from the world outside it. The program passes the real
// port, boxes and sound; tests pass scripted ones and a temporary log folder. The
// objects are not owned and must outlive the window.
struct Platform {
    levelconf::SerialPort *port = nullptr;
    OperatorDialogs *dialogs = nullptr;
    Tone *tone = nullptr;
    QString logFolder;                // where the session log is written
    QString programFolder;            // initial folder of the file choosers
    std::function<QDateTime()> clock; // local date and time; the system clock when empty
    levelconf::Language language =
        levelconf::Language::Described; // the texts shown, which the log records
};
