#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/settings/Form4.h"
#include "window/shell/Form2.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>

using namespace levelconf;

// Every control of the main window and its secondary windows can be reached by keyboard and
// is announced by a name of its own.

namespace
{
// The controls a person operates.
bool operable(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QTabWidget *>(w);
}

// A part of a compound control (a combo box's edit field, a view's or an area's scroll bars,
// a view's headers, a tab bar's scroll buttons), announced as part of it.
bool innerPart(const QWidget *w)
{
    // A scroll area's bars are announced as part of the area.
    if (qobject_cast<const QScrollBar *>(w))
        return true;
    for (const QWidget *p = w->parentWidget(); p && p != w->window(); p = p->parentWidget()) {
        const bool view =
            qobject_cast<const QAbstractScrollArea *>(p) && !qobject_cast<const QScrollArea *>(p);
        if (view || qobject_cast<const QComboBox *>(p) || qobject_cast<const QTabBar *>(p) ||
            qobject_cast<const QAbstractSpinBox *>(p))
            return true;
    }
    return false;
}

QList<QWidget *> controlsOf(const QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() == window && operable(w) && !innerPart(w))
            out.append(w);
    }
    return out;
}

const QGroupBox *groupOf(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (const auto *g = qobject_cast<const QGroupBox *>(p))
            return g;
    }
    return nullptr;
}

bool isTabPage(const QWidget *w)
{
    const QWidget *stack = w->parentWidget();
    return stack && qobject_cast<const QStackedWidget *>(stack) &&
           qobject_cast<const QTabWidget *>(stack->parentWidget());
}

// The group a control is read in: its group box, else its tab page, else its window.
const QWidget *scopeOf(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QGroupBox *>(p) || isTabPage(p) || p->isWindow())
            return p;
    }
    return w;
}

QWidget *pageOf(const QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (isTabPage(p))
            return p;
    }
    return nullptr;
}

// What a screen reader announces a control by. A combo box reports its current item as its
// name on Linux; its caption comes as a "labelled by" relation.
QString announcedName(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    if (!qobject_cast<QComboBox *>(w))
        return a->text(QAccessible::Name).trimmed();
    const auto labels = a->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name).trimmed();
}

// The main window connected to a sensor of `firmware`, which enables the controls of its
// firmware groups.
void connectSensor(WindowHarness &h, quint8 firmware)
{
    h.openPort();
    h.w().parts().monitor->showIdentity(
        framedAnswer(5, 0xFC, QByteArray::fromHex("39300000") + char(firmware) + '\0'));
}

// The remote page with every mode control showing.
void showRemoteModes(WindowHarness &h)
{
    h.ui()->VibGenCmd->setCurrentText("Set mode");
    h.ui()->ch_ver->click();
}

[[nodiscard]] bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    // The offscreen platform activates windows through its event queue.
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

QRect placeOf(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// Whether `b` is read after `a`: further along the same line, on a later line, or at the top
// of a column to the right.
bool readsAfter(const QRect &a, const QRect &b)
{
    if (b.center().y() >= a.top() && b.center().y() <= a.bottom())
        return b.left() > a.left();
    return b.center().y() > a.center().y() || b.left() >= a.right();
}

QString nameOf(const QObject *o)
{
    return o ? o->objectName() : QStringLiteral("nothing");
}

// The stops of Tab from `first` round to it again; empty when Tab never comes back.
QList<QWidget *> tabStops(QWidget *first)
{
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget *> stops{first};
    const qsizetype most = controlsOf(first->window()).size() + 5; // the tab bar among them
    for (int i = 0; i < most; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            return stops;
        stops.append(QApplication::focusWidget());
    }
    return {};
}

// Faults in the order of `stops`: within each group they follow its reading order, and a
// group's controls are visited at one go.
QStringList orderFaults(const QList<QWidget *> &stops)
{
    QStringList faults;
    QHash<const QWidget *, QWidget *> lastIn;
    QSet<const QWidget *> left;
    auto scopesOf = [](const QWidget *w) {
        QList<const QWidget *> out;
        for (const QWidget *s = scopeOf(w); !out.contains(s); s = scopeOf(s))
            out.append(s);
        return out;
    };
    for (int i = 0; i < stops.size(); ++i) {
        QWidget *w = stops[i];
        const auto scopes = scopesOf(w);
        if (i > 0) {
            for (const QWidget *s : scopesOf(stops[i - 1])) {
                if (!scopes.contains(s))
                    left.insert(s);
            }
        }
        for (const QWidget *s : scopes) {
            if (left.contains(s))
                faults << nameOf(w) + " comes back to " + nameOf(s) + " after leaving it";
        }
        QWidget *before = lastIn.value(scopeOf(w));
        if (before && !readsAfter(placeOf(before), placeOf(w)))
            faults << nameOf(w) + " is visited after " + nameOf(before) + " but read before it";
        lastIn[scopeOf(w)] = w;
    }
    return faults;
}

// Enabled, visible controls that Tab passes by. Of a set of option buttons only one is a
// stop; the arrow keys choose among them.
QStringList unreached(const QWidget *window, const QList<QWidget *> &stops)
{
    QStringList out;
    for (QWidget *w : controlsOf(window)) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        QWidget *target = w;
        while (target->focusProxy())
            target = target->focusProxy();
        if (stops.contains(target))
            continue;
        const bool optionOfAStop =
            qobject_cast<QRadioButton *>(w) &&
            std::any_of(stops.begin(), stops.end(), [w](QWidget *s) {
                return qobject_cast<QRadioButton *>(s) && s->parentWidget() == w->parentWidget();
            });
        if (!optionOfAStop)
            out << nameOf(w);
    }
    return out;
}
} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyControlHasANameOfItsOwn_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "main";
        QTest::newRow("table editor") << "Form3";
        QTest::newRow("level shift window") << "Form4";
    }
    // Announced by its caption, a buddy label or an accessible name; not by nothing, nor by
    // its group box's title, nor by the name of a control of the same kind in its group.
    // Columns of a grid have titles, which a screen reader announces with each cell.
    void everyControlHasANameOfItsOwn()
    {
        QFETCH(QString, window);
        WindowHarness h;
        QWidget *root = window == "main" ? static_cast<QWidget *>(&h.w())
                        : window == "Form3"
                            ? static_cast<QWidget *>(h.w().parts().calibration->tableEditor())
                            : static_cast<QWidget *>(h.w().parts().settings->levelShiftWindow());
        QStringList faults;
        QHash<QString, QString> seen;
        const QList<QWidget *> controls = controlsOf(root);
        for (QWidget *w : controls) {
            QString name = announcedName(w);
            // The text field of an editable box is a control of its own to a screen reader.
            if (auto *box = qobject_cast<QComboBox *>(w);
                box && box->lineEdit() && box->lineEdit()->accessibleName().isEmpty())
                name.clear();
            const QGroupBox *group = groupOf(w);
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            const QString key =
                QStringLiteral("%1 %2 %3").arg(quintptr(scopeOf(w))).arg(int(a->role())).arg(name);
            if (name.isEmpty())
                faults << nameOf(w) + " has no name";
            else if (group && name == group->title())
                faults << nameOf(w) + " is named only by its group " + group->title();
            else if (seen.contains(key))
                faults << nameOf(w) + " is named as " + seen[key] + ": " + name;
            seen.insert(key, nameOf(w));
            QAccessibleTableInterface *table = a->tableInterface();
            for (int c = 0; qobject_cast<QTableView *>(w) && c < table->columnCount(); ++c) {
                if (!table->columnDescription(c).contains(QRegularExpression("\\p{L}")))
                    faults << nameOf(w) + QStringLiteral(" column %1 has no title").arg(c);
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
        QVERIFY(controls.size() >= (window == "Form4" ? 4 : 40));
    }

    void captionLabelsActOnTheirControls_data()
    {
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QString>("shownOnlyHere");
        // The firmware decides which of the filtration controls are shown.
        QTest::newRow("sensor 1.7.5") << 175 << "usred";
        QTest::newRow("sensor 1.7.6") << 176 << "Label22";
    }
    // A control without a caption of its own has a caption label beside it, and clicking
    // that label ticks, selects or focuses it, as clicking the control's own caption would.
    void captionLabelsActOnTheirControls()
    {
        QFETCH(int, firmware);
        QFETCH(QString, shownOnlyHere);
        WindowHarness h;
        connectSensor(h, quint8(firmware));
        showRemoteModes(h);
        h.w().startupPicture()->hide();
        QVERIFY(showActive(&h.w()));

        QSet<QWidget *> captioned;
        QStringList clicked;
        for (QLabel *label : h.w().findChildren<QLabel *>()) {
            QWidget *control = label->buddy();
            if (!control || label->window() != &h.w())
                continue;
            captioned.insert(control);
            if (QWidget *page = pageOf(label))
                h.ui()->SSTab1->setCurrentWidget(page);
            if (!label->isVisible() || !control->isVisible() || !control->isEnabled())
                continue;
            auto *button = qobject_cast<QAbstractButton *>(control);
            const bool wasChecked = button && button->isChecked();
            QTest::mouseClick(label, Qt::LeftButton);
            clicked << nameOf(label);
            QCOMPARE(nameOf(QApplication::focusWidget()), nameOf(control));
            if (qobject_cast<QRadioButton *>(control))
                QVERIFY2(button->isChecked(), qPrintable(nameOf(control)));
            else if (button)
                QCOMPARE(button->isChecked(), !wasChecked);
        }
        QVERIFY2(clicked.contains(shownOnlyHere), qPrintable(clicked.join(" ")));
        QVERIFY(clicked.size() >= 15);
        for (QWidget *w : controlsOf(&h.w())) {
            auto *button = qobject_cast<QAbstractButton *>(w);
            if (button && button->isCheckable() && button->text().isEmpty())
                QVERIFY2(captioned.contains(button), qPrintable(nameOf(button)));
        }
    }

    // Without a port the sensor controls are disabled; their captions stay readable but a
    // click on them changes nothing.
    void captionOfADisabledControlDoesNothing()
    {
        WindowHarness h;
        h.w().startupPicture()->hide();
        QVERIFY(showActive(&h.w()));
        h.ui()->CmbPort->setFocus();
        int tried = 0;
        for (QLabel *label : h.w().findChildren<QLabel *>()) {
            QWidget *control = label->buddy();
            if (!control || !label->isVisible() || control->isEnabled())
                continue;
            auto *button = qobject_cast<QAbstractButton *>(control);
            const bool wasChecked = button && button->isChecked();
            // A check box's caption greys with it, as an option button's does.
            if (qobject_cast<QCheckBox *>(control))
                QVERIFY2(!label->isEnabled(), qPrintable(nameOf(label)));
            QTest::mouseClick(label, Qt::LeftButton);
            ++tried;
            QCOMPARE(nameOf(QApplication::focusWidget()), QString("CmbPort"));
            QCOMPARE(button && button->isChecked(), wasChecked);
        }
        QVERIFY(tried >= 5);
    }

    void tabVisitsEveryControlInReadingOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("firmware"); // 0: no port open
        QTest::addColumn<bool>("remoteModes");
        QTest::newRow("main window, no port") << "main" << 0 << false;
        QTest::newRow("main window, sensor 1.7.6") << "main" << 176 << false;
        QTest::newRow("main window, sensor 1.7.5, remote modes") << "main" << 175 << true;
        QTest::newRow("table editor") << "Form3" << 0 << false;
    }
    // Round every page: Tab comes back to where it started, reaches every control that can
    // be used, and goes through each group in its reading order.
    void tabVisitsEveryControlInReadingOrder()
    {
        QFETCH(QString, window);
        QFETCH(int, firmware);
        QFETCH(bool, remoteModes);
        WindowHarness h;
        if (firmware)
            connectSensor(h, quint8(firmware));
        if (remoteModes)
            showRemoteModes(h);
        h.w().startupPicture()->hide();
        if (window == "Form3") {
            Form3 *f3 = h.w().parts().calibration->tableEditor();
            QVERIFY(showActive(f3));
            QWidget *first = f3->findChild<QWidget *>("Text4_19");
            const QList<QWidget *> stops = tabStops(first);
            QVERIFY2(!stops.isEmpty(), "Tab does not come back");
            QVERIFY2(unreached(f3, stops).isEmpty(), qPrintable(unreached(f3, stops).join(" ")));
            QVERIFY2(orderFaults(stops).isEmpty(), qPrintable(orderFaults(stops).join("\n")));
            return;
        }
        QVERIFY(showActive(&h.w()));
        for (int page = 0; page < h.ui()->SSTab1->count(); ++page) {
            h.ui()->SSTab1->setCurrentIndex(page);
            const QString where = h.ui()->SSTab1->tabText(page) + ": ";
            const QList<QWidget *> stops = tabStops(h.ui()->CmbPort);
            QVERIFY2(!stops.isEmpty(), qPrintable(where + "Tab does not come back"));
            const QStringList missed = unreached(&h.w(), stops);
            QVERIFY2(missed.isEmpty(), qPrintable(where + missed.join(" ")));
            const QStringList faults = orderFaults(stops);
            QVERIFY2(faults.isEmpty(), qPrintable(where + faults.join("\n")));
        }
    }

    void mainActionsAnswerTheirKeys_data()
    {
        QTest::addColumn<int>("firmware"); // 0: no port open
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed"); // empty: none
        QTest::newRow("Open port") << 0 << "tabSettings" << int(Qt::Key_O) << "BTNOpenCom";
        QTest::newRow("Open port, open") << 176 << "tabSettings" << int(Qt::Key_O) << "";
        QTest::newRow("Close port") << 176 << "tabRemote" << int(Qt::Key_C) << "BTNCloseCom";
        QTest::newRow("Search sensors") << 176 << "tabFirmware" << int(Qt::Key_E) << "Opros";
        QTest::newRow("Set") << 176 << "tabSettings" << int(Qt::Key_S) << "Set_mode";
        QTest::newRow("Change network address") << 176 << "tabSettings" << int(Qt::Key_N) << "net";
        QTest::newRow("Shift level") << 176 << "tabSettings" << int(Qt::Key_L) << "shift";
        QTest::newRow("Shift level, other page") << 176 << "tabRemote" << int(Qt::Key_L) << "";
        QTest::newRow("Recalculate") << 176 << "tabSettings" << int(Qt::Key_R) << "Command6";
        QTest::newRow("Recalculate, 1.6.3") << 163 << "tabSettings" << int(Qt::Key_R) << "";
        QTest::newRow("New tank calibration")
            << 176 << "tabCalibration" << int(Qt::Key_T) << "Command11";
        QTest::newRow("Continue tank calibration")
            << 176 << "tabCalibration" << int(Qt::Key_U) << "Command12";
        QTest::newRow("Change portion")
            << 176 << "tabCalibration" << int(Qt::Key_H) << "ch_portion";
        QTest::newRow("Generate request") << 0 << "tabRemote" << int(Qt::Key_G) << "gen_zapr";
        QTest::newRow("Copy") << 176 << "tabRemote" << int(Qt::Key_P) << "gen_copy";
        QTest::newRow("Open file") << 176 << "tabFirmware" << int(Qt::Key_F) << "Command8";
        QTest::newRow("Start") << 176 << "tabFirmware" << int(Qt::Key_T) << "start";
        QTest::newRow("Start, no port") << 0 << "tabFirmware" << int(Qt::Key_T) << "";
        QTest::newRow("Cancel") << 176 << "tabFirmware" << int(Qt::Key_A) << "fwCancel";
    }
    // Alt and a letter of the caption presses the button, once, while it can be seen and
    // used; no other button answers the same key.
    void mainActionsAnswerTheirKeys()
    {
        QFETCH(int, firmware);
        QFETCH(QString, page);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        WindowHarness h;
        if (firmware)
            connectSensor(h, quint8(firmware));
        // Cancel is usable while an update runs; the key must then reach it.
        h.ui()->fwCancel->setEnabled(pressed == "fwCancel");
        h.ui()->SSTab1->setCurrentWidget(h.w().findChild<QWidget *>(page));
        h.w().startupPicture()->hide();
        QVERIFY(showActive(&h.w()));
        QList<QAbstractButton *> buttons = h.w().findChildren<QAbstractButton *>();
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QAbstractButton *b : buttons)
            spies.push_back(std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked));

        QTest::keyClick(&h.w(), Qt::Key(key), Qt::AltModifier);
        auto answered = [&] {
            QStringList out;
            for (size_t i = 0; i < spies.size(); ++i) {
                for (int n = 0; n < spies[i]->count(); ++n)
                    out << nameOf(buttons[int(i)]);
            }
            return out;
        };
        // A caption's own mnemonic ("&Set") shows the press before it clicks.
        QTRY_COMPARE(answered(), pressed.isEmpty() ? QStringList() : QStringList{pressed});
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
