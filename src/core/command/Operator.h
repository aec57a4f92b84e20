#pragma once

#include "core/text/Translations.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// The sound that goes with what the operator is told.
enum class CommandTone {
    None,
    Confirmed, // the short high tone of a setting the sensor took
    Refused    // the long low tone of a refusal or a wrong answer
};

// What the sensor's answer to a command says, for the operator.
struct CommandStatus {
    quint8 answerCode = 0;
    LoggedText caption; // the described words and the words shown
    bool known = true;  // a confirmation of the protocol; false: an answer it does not have
    bool red = false;   // the caption is a warning
    CommandTone tone = CommandTone::None;
};

// The one who gives the commands: the window's boxes, the terminal of levelconf-cli, a
// test's script. The command flow asks and tells through this alone, so that every program
// runs the same steps with the same words.
class Operator
{
public:
    virtual ~Operator() = default;

    // The operator's Yes to `question`.
    virtual bool confirm(const QString &question) = 0;
    // Tells why a command is refused (or an answer is not taken), with its tone after it.
    virtual void refuse(const QString &message, CommandTone tone = CommandTone::None) = 0;
    // The operator's text for `prompt`; nothing when given up.
    virtual std::optional<QString> typed(const QString &prompt, const QString &title,
                                         const QString &initial) = 0;
    // What the sensor answered to a command.
    virtual void report(const CommandStatus &status) = 0;
};

} // namespace levelconf
