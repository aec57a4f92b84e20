#pragma once

#include <QList>
#include <functional>

class QObject;
class QWidget;

// Every control of the main window carries an int property "Tag" that puts it into a
// group: 8 and below always available, 9..129 usable while a port is open, 130 and up
// firmware features, 176 also hidden while disabled.

constexpr int kDefaultTag = 2;

// The control's Tag, or 0 when it has none.
int tagOf(const QObject *control);

// All widgets of `root`'s own window that carry a Tag, in creation order; the controls
// of secondary windows parented to it are not among them.
QList<QWidget *> taggedControls(const QWidget *root);

// Gives the default Tag to every named widget below `root` that has none yet.
void giveDefaultTags(QWidget *root);

// Whether the control itself is switched on, whatever its parent's state: a control
// on a page that is not in view still counts as enabled when it is.
bool ownEnabled(const QWidget *w);

// Enables (and shows, when `show`) every control below `root` whose Tag satisfies `pred`.
void enableGroup(const QWidget *root, const std::function<bool(int)> &pred, bool show);
