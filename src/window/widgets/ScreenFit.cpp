#include "ScreenFit.h"

#include <QApplication>
#include <QFrame>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace
{
// A frameless area that makes its content as large as it is itself and scrolls only what
// would otherwise be squeezed below its minimum size.
QScrollArea *scrollAreaFor(QWidget *content, const QString &name, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(name);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // The area scrolls to the control that takes the focus; it takes none itself, so that a
    // click beside the controls leaves the focus where it was.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(content);
    // The page's own background shows through, as it did without the area.
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    return area;
}

// The room a window manager's frame usually takes round a window, before the window has been
// shown and its real frame can be asked for.
QMargins likelyFrame(const QWidget *window)
{
    // Title bars of the usual desktops are up to some 40 pixels high; the style's own idea
    // of one is smaller than most.
    const int border = 4;
    const int title =
        std::max(40, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    return {border, title, border, border};
}
} // namespace

QRect openingGeometry(const QSize &wanted, const QSize &minimum, const QRect &available,
                      const QMargins &frame)
{
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = wanted.boundedTo(room).expandedTo(minimum);
    const QSize outer = size.grownBy(frame);
    // Centred where it fits; a window larger than the free area starts at its top left so
    // that the title bar stays within reach.
    const int x = available.x() + std::max(0, (available.width() - outer.width()) / 2);
    const int y = available.y() + std::max(0, (available.height() - outer.height()) / 2);
    return {QPoint(x + frame.left(), y + frame.top()), size};
}

void scrollCentralWidget(QMainWindow *window)
{
    QWidget *content = window->takeCentralWidget();
    if (!content)
        return;
    window->setCentralWidget(scrollAreaFor(content, QStringLiteral("windowScroll"), window));
}

void fitToScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame =
        window->isVisible()
            ? QMargins(window->geometry().left() - window->frameGeometry().left(),
                       window->geometry().top() - window->frameGeometry().top(),
                       window->frameGeometry().right() - window->geometry().right(),
                       window->frameGeometry().bottom() - window->geometry().bottom())
            : likelyFrame(window);
    window->setGeometry(
        openingGeometry(window->size(), window->minimumSizeHint(), available, frame));
}
