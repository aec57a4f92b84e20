#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace levelconf
{

namespace
{
bool install(const QString &file, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
} // namespace

bool installTranslations(Language language)
{
    if (language == Language::Described)
        return true;
    const QString code = languageName(language);
    // Qt's own texts are English already; only other languages have a catalogue.
    if (language != Language::English) {
        const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        for (const char *module : {"qtbase_", "qtserialport_"})
            install(QLatin1String(module) + code, qtFolder);
    }
    return install(QStringLiteral("levelconf_") + code, QStringLiteral(":/i18n"));
}

LoggedText loggedText(const char *context, const char *source)
{
    return {QString::fromUtf8(source), QCoreApplication::translate(context, source)};
}

QString translatedText(const char *context, const QString &source)
{
    if (source.isEmpty())
        return source;
    return QCoreApplication::translate(context, source.toUtf8().constData());
}

} // namespace levelconf
