#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "WindowProbes.h"
#include "core/text/Language.h"
#include "core/text/Translations.h"
#include "ui_Form4.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/settings/Form4.h"

#include <QProcessEnvironment>
#include <QtTest>
#include <QtWidgets>

using namespace levelconf;

// The window in each of its languages: how one is chosen, every text a person reads in the
// language chosen and shown whole at the window's size, and what the sensor, the log and
// the files get the same whatever the language.

namespace
{
// The language's translations, installed for as long as it lives as the program installs
// them before it builds its window.
struct LanguageScope {
    explicit LanguageScope(Language language) { QVERIFY(installTranslations(language)); }
    ~LanguageScope() { qDeleteAll(qApp->findChildren<QTranslator *>()); }
};

// What stays as it is in Russian: product names, sensor types, the bus, units, key names,
// the port. A Russian text has Cyrillic, or fewer than three letters without these.
const QRegularExpression
    kKept(QStringLiteral("QX-510|HZL-310|PL-540|PL-140|RS-485|CSV|°C|Alt\\+\\w|F9|ttyUSB0"));
const QRegularExpression kCyrillic(QStringLiteral("\\p{Cyrillic}"));

bool readsAs(Language language, const QString &text)
{
    if (language == Language::English)
        return !text.contains(kCyrillic);
    return text.contains(kCyrillic) ||
           QString(text).remove(kKept).count(QRegularExpression(QStringLiteral("\\p{L}"))) < 3;
}

// The texts a person reads on a widget or hears from a screen reader.
QStringList textsOf(const QWidget *w)
{
    QStringList out{w->toolTip(), w->accessibleName(), w->accessibleDescription(),
                    w->isWindow() ? w->windowTitle() : QString()};
    if (const auto *l = qobject_cast<const QLabel *>(w))
        out << l->text();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        out << b->text();
    if (const auto *g = qobject_cast<const QGroupBox *>(w))
        out << g->title();
    if (const auto *t = qobject_cast<const QTabWidget *>(w)) {
        for (int i = 0; i < t->count(); ++i)
            out << t->tabText(i);
    }
    if (const auto *c = qobject_cast<const QComboBox *>(w)) {
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    }
    if (const auto *t = qobject_cast<const QTableWidget *>(w)) {
        for (int c = 0; c < t->columnCount(); ++c)
            out << t->model()->headerData(c, Qt::Horizontal).toString();
    }
    out.removeAll(QString());
    return out;
}

QWidget *windowNamed(WindowHarness &h, const QString &name)
{
    if (name == QLatin1String("Form3"))
        return h.w().parts().calibration->tableEditor();
    if (name == QLatin1String("Form4"))
        return h.w().parts().settings->levelShiftWindow();
    return &h.w();
}

// The widgets of one window, without Qt's inner ones and the secondary windows.
QList<QWidget *> widgetsOf(QWidget *window)
{
    QList<QWidget *> out{window};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() == window && !w->objectName().startsWith(QLatin1String("qt_")) &&
            !qobject_cast<QTabBar *>(w->parentWidget()))
            out.append(w);
    }
    return out;
}

// The captions of `window` that do not show whole as it is laid out now; tabs that do not
// fit bring scroll buttons, and some tab is then out of sight.
QStringList clippedCaptions(QWidget *window)
{
    QStringList out;
    for (QWidget *w : widgetsOf(window)) {
        const QSize need = w->minimumSizeHint();
        if (w->isVisible() && (w->width() < need.width() || w->height() < need.height()) &&
            (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
             qobject_cast<QGroupBox *>(w)))
            out << w->objectName() +
                       QStringLiteral(" needs %1x%2: ").arg(need.width()).arg(need.height()) +
                       textsOf(w).join(QLatin1String(" | "));
    }
    for (const QTabBar *tabs : window->findChildren<QTabBar *>()) {
        if (tabs->isVisible() && tabs->sizeHint().width() > tabs->width())
            out << QStringLiteral("tabs need %1 of %2")
                       .arg(tabs->sizeHint().width())
                       .arg(tabs->width());
    }
    return out;
}

void addRows(const QStringList &windows, const QList<Language> &languages)
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("window");
    for (Language l : languages) {
        for (const QString &window : windows)
            QTest::addRow("%s %s", qPrintable(languageName(l)), qPrintable(window)) << l << window;
    }
}
} // namespace

class tst_Languages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void theLocaleChoosesTheLanguage_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<Language>("plain"); // what C and POSIX give
        QTest::addColumn<Language>("expected");
        const Language d = Language::Described;
        const Language e = Language::English;
        const Language r = Language::Russian;
        QTest::newRow("nothing set") << "" << d << d;
        QTest::newRow("C.UTF-8") << "LC_ALL=C.UTF-8" << d << d;
        QTest::newRow("POSIX") << "LC_MESSAGES=POSIX" << d << d;
        QTest::newRow("C for a tool") << "LANG=C" << e << e;
        QTest::newRow("Russian") << "LANG=ru_UA.UTF-8" << d << r;
        QTest::newRow("German") << "LANG=de_DE.UTF-8" << d << e;
        QTest::newRow("LC_ALL first") << "LANG=ru_RU.UTF-8 LC_ALL=de_DE.UTF-8" << d << e;
        QTest::newRow("LC_MESSAGES next") << "LANG=de_DE LC_MESSAGES=ru_RU.UTF-8" << d << r;
        QTest::newRow("LC_ALL=C first") << "LC_MESSAGES=ru_RU LC_ALL=C" << d << d;
        QTest::newRow("LANGUAGE list") << "LANG=de_DE LANGUAGE=fr:ru:en" << d << r;
        QTest::newRow("LANGUAGE without ours") << "LANG=ru_RU LANGUAGE=fr:de" << d << r;
        QTest::newRow("LANGUAGE under C") << "LANG=C LANGUAGE=ru" << d << d;
    }
    void theLocaleChoosesTheLanguage()
    {
        QFETCH(QString, environment);
        QFETCH(Language, plain);
        QFETCH(Language, expected);
        QProcessEnvironment env;
        for (const QString &setting : environment.split(' ', Qt::SkipEmptyParts))
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        QCOMPARE(languageOfLocale(env, plain), expected);
    }

    void everyTextIsInTheLanguage_data()
    {
        addRows({"main", "Form3", "Form4"}, {Language::English, Language::Russian});
    }
    // Every page of the main window and both secondary windows: captions, items, column
    // titles, tool tips and names for screen readers.
    void everyTextIsInTheLanguage()
    {
        QFETCH(Language, language);
        QFETCH(QString, window);
        const LanguageScope scope(language);
        WindowHarness h;
        QStringList faults;
        int texts = 0;
        for (const QWidget *w : widgetsOf(windowNamed(h, window))) {
            for (const QString &text : textsOf(w)) {
                ++texts;
                if (!readsAs(language, text))
                    faults << w->objectName() + QStringLiteral(": ") + text;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY(texts >= (window == QLatin1String("Form4") ? 5 : 40));
    }

    void everyCaptionShowsWhole_data()
    {
        QStringList windows{"Form3", "Form4"};
        for (int page = 0; page < 5; ++page)
            windows << QStringLiteral("main %1 waiting").arg(page)
                    << QStringLiteral("main %1 live").arg(page);
        addRows(windows, {Language::Described, Language::English, Language::Russian});
    }
    // At the size each window opens with, a sensor's every control shown (firmware 1.7.6),
    // its readings waiting for data or live with a calibration warning.
    void everyCaptionShowsWhole()
    {
        QFETCH(Language, language);
        QFETCH(QString, window);
        const LanguageScope scope(language);
        WindowHarness h;
        h.openPort();
        h.port.reads = {framedAnswer(0, 0xFC, QByteArray::fromHex("39300000B000"))};
        h.w().engine().tick();
        if (window.endsWith(QLatin1String("live"))) {
            DataFields warned;
            warned.address = 0;
            warned.emptyValue = 40000;
            h.w().parts().monitor->showData(dataAnswer(warned));
        }
        QWidget *shown = windowNamed(h, window.section(' ', 0, 0));
        const QSize opening = shown->size();
        h.ui()->SSTab1->setCurrentIndex(window.section(' ', 1, 1).toInt());
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QCOMPARE(shown->size(), opening);
        const QStringList clipped = clippedCaptions(shown);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    // Qt's own texts, the standard buttons of every box and the file dialog's, follow too.
    void standardButtonsFollowTheLanguage()
    {
        const LanguageScope scope(Language::Russian);
        const QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No);
        for (const QAbstractButton *b : box.buttons())
            QVERIFY2(b->text().contains(kCyrillic), qPrintable(b->text()));
    }

    void oneCommandInEachLanguage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("shown"); // refusal, question, confirmation
        QTest::newRow("described")
            << Language::Described
            << QStringList{"Acceptable values -1000 до 1000",
                           "Empty value will be changed. Please, confirm?", "Empty value shifted."};
        QTest::newRow("en") << Language::English
                            << QStringList{"Acceptable values: -1000 to 1000",
                                           "The empty level will be changed. Continue?",
                                           "Empty level shifted."};
        QTest::newRow("ru") << Language::Russian
                            << QStringList{"Допустимые значения: от -1000 до 1000",
                                           "Уровень пустого будет изменён. Продолжить?",
                                           "Уровень пустого сдвинут."};
    }
    // The empty level shifted out of range, then by 20, and a point recorded while the
    // sensor is silent: the operator reads the language chosen; the sensor gets the same
    // frame, the log the same lines and the point file the same words in every one.
    void oneCommandInEachLanguage()
    {
        QFETCH(Language, language);
        QFETCH(QStringList, shown);
        const LanguageScope scope(language);
        WindowHarness h({}, language);
        // The log says which texts the operator read, unless they were the described ones.
        const QString said = QStringLiteral("Language: ") + languageName(language);
        QCOMPARE(h.logEvents().contains(said), language != Language::Described);
        h.openPort();
        h.markLog();
        Ui::Form4 *shift = h.w().parts().settings->levelShiftWindow()->form();
        for (const char *value : {"-1001", "20"}) {
            h.ui()->shift->click();
            shift->data->setText(QString::fromLatin1(value));
            shift->Command3->click();
        }
        QCOMPARE(h.dialogs.messages(), shown.mid(0, 1));
        QCOMPARE(h.dialogs.shown.last().text, shown.at(1));
        QCOMPARE(frameOfNextTick(h), withCrc(QByteArray::fromHex("3100F90014")));
        h.port.reads = {framedAnswer(0, 0xF9)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), shown.at(2));
        // The tick that sent the frame heard nothing: shown in the language, logged as ever.
        QCOMPARE(h.logSinceMark(),
                 (QStringList{"Cmd Shift Low: 20", "No data from sensor with address 0",
                              "Empty value shifted."}));

        const QString points = h.logDir.filePath(QStringLiteral("tank.trr"));
        h.dialogs.inputAnswers.push_back(QStringLiteral("50"));
        h.dialogs.fileAnswers.push_back(points);
        h.ui()->Command11->click();
        h.ui()->Command14->click();
        QFile file(points);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(";;\r\n1;0;No data\r\n"));
    }
};

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
