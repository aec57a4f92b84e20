#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The translation files are complete and true to the sources: every text translated, none
// left over from texts the sources no longer have, and each translation with the
// placeholders of its source. Checked on the files as they are and on what lupdate makes of
// them against today's sources, which finds a text added or changed without its
// translation.

namespace
{
// The placeholders of a text, sorted: %1..%99, a numerus form's %n, a progress bar's %v, %m.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d{1,2}|n|v|m)"));
    QStringList out;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        out.append(it.next().captured());
    out.sort();
    return out;
}

// What is wrong with one .ts file, a line per fault.
QStringList faultsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path + QStringLiteral(": cannot be read")};
    QStringList faults;
    QXmlStreamReader xml(&file);
    QString source;
    QString type;
    QStringList forms;
    bool numerus = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        const auto name = xml.name();
        if (xml.isStartElement() && name == QLatin1String("message")) {
            numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            forms.clear();
        } else if (xml.isStartElement() && name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && name == QLatin1String("translation")) {
            type = xml.attributes().value(QLatin1String("type")).toString();
            if (!numerus)
                forms.append(xml.readElementText());
        } else if (xml.isStartElement() && name == QLatin1String("numerusform")) {
            forms.append(xml.readElementText());
        } else if (xml.isEndElement() && name == QLatin1String("message")) {
            const QString where = QStringLiteral("%1: \"%2\": ").arg(path, source);
            if (!type.isEmpty())
                faults << where + type;
            else if (forms.isEmpty() || forms.contains(QString()))
                faults << where + QStringLiteral("no translation");
            for (const QString &form : forms) {
                if (!form.isEmpty() && placeholders(form) != placeholders(source))
                    faults << where + QStringLiteral("placeholders of ") + form;
            }
        }
    }
    if (xml.hasError())
        faults << path + QStringLiteral(": ") + xml.errorString();
    return faults;
}

QStringList translationFiles()
{
    QStringList out;
    const QDir dir(QStringLiteral(LEVELCONF_TRANSLATIONS_DIR));
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
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("fault");
        QTest::newRow("complete") << "<translation>Точка %1</translation>"
                                  << "";
        for (const char *type : {"unfinished", "obsolete", "vanished"}) {
            QTest::newRow(type) << QStringLiteral("<translation type=\"%1\">Точка %2</translation>")
                                       .arg(QLatin1String(type), QStringLiteral("%1"))
                                << type;
        }
        QTest::newRow("empty") << "<translation></translation>"
                               << "no translation";
        QTest::newRow("placeholder lost") << "<translation>Точка</translation>"
                                          << "placeholders";
        QTest::newRow("renumbered") << "<translation>Точка %2</translation>"
                                    << "placeholders";
    }
    // A checker that let everything through would pass every file.
    void theCheckerFindsEachFault()
    {
        QFETCH(QString, translation);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("x.ts")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?><TS version=\"2.1\" language=\"ru\">"
                "<context><name>C</name><message><source>Point %1</source>" +
                translation.toUtf8() + "</message></context></TS>");
        f.close();
        const QStringList faults = faultsOf(f.fileName());
        QCOMPARE(faults.size(), fault.isEmpty() ? 0 : 1);
        QVERIFY(fault.isEmpty() || faults.first().contains(fault));
    }

    void everyFileIsComplete_data()
    {
        QTest::addColumn<bool>("updated");
        QTest::newRow("as it stands") << false;
        QTest::newRow("after lupdate") << true;
    }
    // Updated, a copy takes in the sources' texts as lupdate sees them: a text added or
    // changed comes in unfinished, one taken out stays as vanished.
    void everyFileIsComplete()
    {
        QFETCH(bool, updated);
        QTemporaryDir dir;
        QStringList files = translationFiles();
        QCOMPARE(files.size(), 2);
        for (QString &path : files) {
            const QString copy = dir.filePath(QFileInfo(path).fileName());
            QVERIFY(QFile::copy(path, copy));
            path = copy;
        }
        if (updated) {
            QProcess lupdate;
            lupdate.setWorkingDirectory(QStringLiteral(LEVELCONF_SOURCE_DIR));
            const auto list = [](const char *joined) {
                return QString::fromUtf8(joined).split(QLatin1Char('|'));
            };
            lupdate.start(QStringLiteral(LEVELCONF_LUPDATE),
                          list(LEVELCONF_LUPDATE_OPTIONS) + QStringList{"-silent"} +
                              list(LEVELCONF_TRANSLATED_FOLDERS) + QStringList{"-ts"} + files);
            QVERIFY(lupdate.waitForFinished(120000));
            QCOMPARE(lupdate.exitCode(), 0);
        }
        QStringList faults;
        for (const QString &path : files)
            faults << faultsOf(path);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
