#include "Colours.h"

#include <QPalette>
#include <QWidget>

namespace
{
void paint(QWidget *w, QPalette::ColorRole role, const QColor &c, const char *prop)
{
    QPalette p = w->palette();
    const QColor actual = c.isValid() ? c : QPalette().color(QPalette::Button);
    p.setColor(role, role == QPalette::WindowText && !c.isValid()
                         ? QPalette().color(QPalette::ButtonText)
                         : actual);
    w->setPalette(p);
    w->setProperty(prop, c);
}
} // namespace

void setFill(QWidget *shape, const QColor &c)
{
    shape->setAutoFillBackground(true);
    paint(shape, QPalette::Window, c, "fillColour");
}

QColor fillOf(const QWidget *shape)
{
    return shape->property("fillColour").value<QColor>();
}

void setTextColour(QWidget *label, const QColor &c)
{
    paint(label, QPalette::WindowText, c, "textColour");
}

QColor textColourOf(const QWidget *label)
{
    return label->property("textColour").value<QColor>();
}

void setBackColour(QWidget *label, const QColor &c)
{
    label->setAutoFillBackground(c.isValid());
    paint(label, QPalette::Window, c, "backColour");
}

QColor backColourOf(const QWidget *label)
{
    return label->property("backColour").value<QColor>();
}
