#include "Tags.h"

#include <QVariant>
#include <QWidget>

int tagOf(const QObject *control)
{
    const QVariant v = control->property("Tag");
    return v.isValid() ? v.toInt() : 0;
}

QList<QWidget *> taggedControls(const QWidget *root)
{
    QList<QWidget *> out;
    const auto all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        // The secondary windows are children of the main window too, but their controls
        // follow their own rules: the groups are the main window's alone.
        if (w->window() != root->window())
            continue;
        if (w->property("Tag").isValid())
            out.append(w);
    }
    return out;
}

void giveDefaultTags(QWidget *root)
{
    const auto all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->window() != root->window())
            continue;
        // Only the window's own named controls; Qt's internal children (scroll bars,
        // viewports, the tab bar) have names starting with "qt_" or none at all.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!w->property("Tag").isValid() || w->property("Tag").toString().isEmpty())
            w->setProperty("Tag", Tags::kDefault);
    }
}

bool ownEnabled(const QWidget *w)
{
    return !w->testAttribute(Qt::WA_Disabled);
}

void enableGroup(const QWidget *root, const std::function<bool(int)> &pred, bool show)
{
    for (QWidget *w : taggedControls(root)) {
        if (!pred(tagOf(w)))
            continue;
        w->setEnabled(true);
        if (show)
            w->setVisible(true);
    }
}
