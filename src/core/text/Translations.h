#pragma once

#include "Language.h"

#include <QString>

namespace levelconf
{

// Installs the texts of `language` in the running application: the program's own
// translation, built into it, and Qt's for its standard buttons and file dialogs, from
// Qt's translations folder. The described set needs neither. False when the program's own
// translation is missing, so that the program shows the described texts.
bool installTranslations(Language language);

// A text both shown and written to the session log. The log keeps the described set's words
// whatever the language, so that the logs of every run read alike.
struct LoggedText {
    QString logged;
    QString shown;

    LoggedText arg(const LoggedText &a) const { return {logged.arg(a.logged), shown.arg(a.shown)}; }
    LoggedText arg(const QString &a) const { return {logged.arg(a), shown.arg(a)}; }
    LoggedText arg(int a) const { return {logged.arg(a), shown.arg(a)}; }
};

// `source`, marked for translation with QT_TRANSLATE_NOOP(context, ...) where it is
// written, in both forms.
LoggedText loggedText(const char *context, const char *source);

// A text marked for translation with QT_TRANSLATE_NOOP where it was written down (a table,
// a constant) and carried as a QString since: the text of the language shown.
QString translatedText(const char *context, const QString &source);

} // namespace levelconf
