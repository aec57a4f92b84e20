#pragma once

#include <QList>
#include <functional>

class QObject;
class QWidget;

// Every control of the main window carries an int property "Tag" that puts it into a
// group: 8 and below always available, 9..129 usable while a port is open, 130 and up
// firmware features, 176 also hidden while disabled.

namespace Tags
{
constexpr int kDefault = 2;    // a control the form gives no Tag of its own
constexpr int kAlwaysLast = 8; // 8 and below: always available
constexpr int kPortFirst = 9;  // 9 to 129: usable while a port is open
constexpr int kPortLast = 129;
constexpr int kFirmwareFirst = 130;      // 130 and up: enabled by the firmware ladder
constexpr int kLaterControlsFirst = 135; // firmware 1.3.4's group
constexpr int kLaterControlsLast = 162;
constexpr int kHiddenGroup = 176; // firmware 1.7.6's group, also hidden while disabled
} // namespace Tags

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
