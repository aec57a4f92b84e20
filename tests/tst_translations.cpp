#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The translation files are complete and true to the sources: every text translated, none
// left over from texts the sources no longer have, and each translation carrying the
// placeholders of its source. Checked on the files as they are and on what lupdate makes of
// them against today's sources, which catches a text added or changed without its
// translation.

namespace
{
const QString kFolder = QStringLiteral(LEVELCONF_TRANSLATIONS_DIR);

// The placeholders of a text, sorted: %1..%99 and %n (the count of a numerus form);
// QProgressBar's %v and %m where a format has them.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d{1,2}|n|v|m)"));
    QStringList out;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        out.append(it.next().captured());
    out.sort();
    return out;
}

// What is wrong with one .ts file, one line per fault.
QStringList faultsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path + QStringLiteral(": cannot be read")};
    QStringList faults;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QStringList forms;
    QString type;
    bool numerus = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isStartElement() && name == QLatin1String("message")) {
            numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            source.clear();
            forms.clear();
            type.clear();
        } else if (xml.isStartElement() && name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.isStartElement() && name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && name == QLatin1String("translation")) {
            type = xml.attributes().value(QLatin1String("type")).toString();
            if (!numerus)
                forms.append(xml.readElementText());
        } else if (xml.isStartElement() && name == QLatin1String("numerusform")) {
            forms.append(xml.readElementText());
        } else if (xml.isEndElement() && name == QLatin1String("message")) {
            const QString where = QStringLiteral("%1 [%2] \"%3\"").arg(path, context, source);
            if (!type.isEmpty())
                faults << where + QStringLiteral(": ") + type;
            if (forms.isEmpty() || forms.contains(QString()))
                faults << where + QStringLiteral(": no translation");
            for (const QString &form : forms) {
                if (!form.isEmpty() && placeholders(form) != placeholders(source))
                    faults << where + QStringLiteral(": placeholders of \"%1\"").arg(form);
            }
        }
    }
    if (xml.hasError())
        faults << path + QStringLiteral(": ") + xml.errorString();
    return faults;
}

QStringList translationFiles()
{
    const QDir dir(kFolder);
    QStringList out;
    for (const QString &name : dir.entryList({QStringLiteral("*.ts")}, QDir::Files))
        out.append(dir.filePath(name));
    return out;
}
} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void theCheckerFindsEachFault_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fault");
        const QString ok = QStringLiteral("<translation>Точка %1</translation>");
        QTest::newRow("complete") << ok << "";
        QTest::newRow("unfinished") << "<translation type=\"unfinished\">Точка %1</translation>"
                                    << "unfinished";
        QTest::newRow("obsolete") << "<translation type=\"obsolete\">Точка %1</translation>"
                                  << "obsolete";
        QTest::newRow("vanished") << "<translation type=\"vanished\">Точка %1</translation>"
                                  << "vanished";
        QTest::newRow("empty") << "<translation></translation>"
                               << "no translation";
        QTest::newRow("placeholder lost") << "<translation>Точка</translation>"
                                          << "placeholders";
        QTest::newRow("placeholder renumbered") << "<translation>Точка %2</translation>"
                                                << "placeholders";
    }
    // A checker that passes everything would let every file through.
    void theCheckerFindsEachFault()
    {
        QFETCH(QString, message);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.ts"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?><TS version=\"2.1\" language=\"ru\">"
                "<context><name>C</name><message><source>Point %1</source>" +
                message.toUtf8() + "</message></context></TS>");
        f.close();
        const QStringList faults = faultsOf(path);
        QCOMPARE(faults.size(), fault.isEmpty() ? 0 : 1);
        if (!fault.isEmpty())
            QVERIFY2(faults.first().contains(fault), qPrintable(faults.first()));
    }

    void everyFileIsComplete()
    {
        const QStringList files = translationFiles();
        QCOMPARE(files.size(), 2);
        QStringList faults;
        for (const QString &path : files)
            faults << faultsOf(path);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // lupdate brings a copy up to date with the sources: a text added or changed comes in
    // unfinished, one taken out stays as vanished, and the checker finds either.
    void everyFileMatchesTheSources()
    {
        QTemporaryDir dir;
        QStringList copies;
        for (const QString &path : translationFiles()) {
            const QString copy = dir.filePath(QFileInfo(path).fileName());
            QVERIFY(QFile::copy(path, copy));
            copies << copy;
        }
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(LEVELCONF_SOURCE_DIR));
        const QStringList folders =
            QStringLiteral(LEVELCONF_TRANSLATED_FOLDERS).split(QLatin1Char('|'));
        lupdate.start(QStringLiteral(LEVELCONF_LUPDATE),
                      QStringLiteral(LEVELCONF_LUPDATE_OPTIONS).split(QLatin1Char('|')) +
                          QStringList{QStringLiteral("-silent")} + folders +
                          QStringList{QStringLiteral("-ts")} + copies);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        QStringList faults;
        for (const QString &copy : copies)
            faults << faultsOf(copy);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
