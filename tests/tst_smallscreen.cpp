#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/text/Translations.h"
#include "ui_frmSerial.h"
#include "window/shell/Form2.h"
#include "window/widgets/ScreenFit.h"

#include <QtTest>
#include <QtWidgets>

using namespace levelconf;

// The main window on a laptop's small screen: it opens inside the screen, and at 1024x600
// every control can still be reached, on the screen or by scrolling, and none is squeezed.

namespace
{
struct LanguageScope {
    explicit LanguageScope(Language language) { QVERIFY(installTranslations(language)); }
    ~LanguageScope() { qDeleteAll(qApp->findChildren<QTranslator *>()); }
};

bool operable(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSlider *>(w) || qobject_cast<const QAbstractItemView *>(w);
}

// A part of a compound control (a view's scroll bars, a combo box's field), which goes
// where its control goes.
bool innerPart(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea *>(p) && !qobject_cast<const QScrollArea *>(p))
            return true;
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QTabBar *>(p) ||
            qobject_cast<const QAbstractSpinBox *>(p))
            return true;
    }
    return false;
}

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Where `w` cannot be reached: squeezed below its minimum size, cut off by a parent, or
// outside the window, unless a scroll area brings that part of it into view.
QString unreachable(const QWidget *w)
{
    const QSize need = w->minimumSizeHint();
    if (w->width() < need.width() || w->height() < need.height())
        return QStringLiteral("%1 is %2x%3 of %4x%5")
            .arg(nameOf(w))
            .arg(w->width())
            .arg(w->height())
            .arg(need.width())
            .arg(need.height());
    QRect r = w->rect();
    const QWidget *at = w;
    while (!at->isWindow()) {
        const QWidget *parent = at->parentWidget();
        r.translate(at->pos());
        // A scroll area's content can be scrolled into view as a whole; from there on the
        // area's own place counts.
        const QWidget *viewport = parent->parentWidget();
        const auto *area =
            qobject_cast<const QScrollArea *>(viewport ? viewport->parentWidget() : nullptr);
        if (area && area->widget() == parent) {
            if (!parent->rect().contains(r))
                return nameOf(w) + QStringLiteral(" lies outside its scrolled content");
            r = area->rect();
            at = area;
            continue;
        }
        if (!parent->rect().contains(r))
            return nameOf(w) + QStringLiteral(" is cut off by ") + nameOf(parent);
        at = parent;
    }
    return {};
}

void connectSensor(WindowHarness &h)
{
    h.openPort();
    h.w().parts().monitor->showIdentity(
        framedAnswer(5, 0xFC, QByteArray::fromHex("39300000") + char(176) + '\0'));
}
} // namespace

class tst_SmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theWindowOpensInsideTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("opening");
        const QMargins none;
        const QMargins frame(4, 30, 4, 4);
        QTest::newRow("large screen: as designed, centred")
            << QRect(0, 0, 1920, 1050) << frame << QRect(316 + 4, 108 + 30, 1280, 800);
        QTest::newRow("1366x768 with a panel: shorter")
            << QRect(0, 0, 1366, 740) << frame << QRect(39 + 4, 0 + 30, 1280, 706);
        QTest::newRow("1280x720: both ways")
            << QRect(0, 0, 1280, 720) << frame << QRect(0 + 4, 0 + 30, 1272, 686);
        QTest::newRow("a panel on the left")
            << QRect(64, 0, 1024, 600) << none << QRect(64, 0, 1024, 600);
        QTest::newRow("smaller than the window can be")
            << QRect(0, 0, 200, 150) << none << QRect(0, 0, 300, 200);
    }
    void theWindowOpensInsideTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(QRect, opening);
        QCOMPARE(openingGeometry(QSize(1280, 800), QSize(300, 200), available, frame), opening);
    }

    void everyControlCanBeReachedAt1024x600_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("described") << Language::Described;
        QTest::newRow("en") << Language::English;
        QTest::newRow("ru") << Language::Russian;
    }
    // A sensor of firmware 1.7.6 shows every control; each page is looked at in turn.
    void everyControlCanBeReachedAt1024x600()
    {
        QFETCH(Language, language);
        const LanguageScope scope(language);
        WindowHarness h(QString(), language);
        connectSensor(h);
        frmSerial &w = h.w();
        w.startupPicture()->hide();
        w.resize(1024, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(1024, 600));

        QStringList faults;
        int checked = 0;
        QTabWidget *pages = h.ui()->SSTab1;
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QApplication::processEvents();
            for (QWidget *c : w.findChildren<QWidget *>()) {
                if (c->window() != &w || !operable(c) || innerPart(c) || !c->isVisible())
                    continue;
                ++checked;
                if (const QString fault = unreachable(c); !fault.isEmpty())
                    faults << pages->tabText(page) + QStringLiteral(": ") + fault;
            }
            for (const QGroupBox *g : w.findChildren<QGroupBox *>()) {
                if (g->isVisible() && g->width() < g->minimumSizeHint().width())
                    faults << pages->tabText(page) + QStringLiteral(": caption of ") + nameOf(g) +
                                  QStringLiteral(" cut");
            }
        }
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        QVERIFY(checked > 100);
    }
};

QTEST_MAIN(tst_SmallScreen)
#include "tst_smallscreen.moc"
