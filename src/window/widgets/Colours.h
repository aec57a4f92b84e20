#pragma once

#include <QColor>

class QWidget;

// Colours of the lamps, indicators and status texts. The colour set last is kept in a
// property as well, so that it can be read back whatever the style paints.

namespace Colours
{
inline const QColor DarkGreen{0, 64, 0};
inline const QColor Red{255, 0, 0};
inline const QColor Grey{128, 128, 128};
inline const QColor White{255, 255, 255};
inline const QColor LampIdle{255, 255, 16};
inline const QColor StabGreen{0, 192, 0};
inline const QColor StabYellow{255, 255, 0};
inline const QColor StabOff{192, 192, 192};
} // namespace Colours

// Fill colour of a shape (the activity lamp, the stability indicator).
void setFill(QWidget *shape, const QColor &c);
QColor fillOf(const QWidget *shape);

// Text colour of a label; an invalid colour means the system colour for button text.
void setTextColour(QWidget *label, const QColor &c);
QColor textColourOf(const QWidget *label);

// Back colour of a label; an invalid colour means the system colour for button faces.
void setBackColour(QWidget *label, const QColor &c);
QColor backColourOf(const QWidget *label);
