#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QMainWindow;
class QWidget;

// The window on a small screen: it opens inside the screen's free area, and what does not
// fit there scrolls instead of being squeezed until captions and buttons run into each other.

// Where a window of `wanted` size opens on a screen whose free area is `available`, its frame
// adding `frame` around it: as wanted where that fits, else shrunk to fit, never below
// `minimum`; centred on the free area, its frame inside it where the size allows.
QRect openingGeometry(const QSize &wanted, const QSize &minimum, const QRect &available,
                      const QMargins &frame);

// The main window's content in a scroll area of its own, so that the window can be made
// smaller than its content; at or above the content's minimum size it looks as without.
void scrollCentralWidget(QMainWindow *window);

// Gives `window` its opening geometry on the screen it is about to appear on.
void fitToScreen(QWidget *window);
