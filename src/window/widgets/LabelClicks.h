#pragma once

#include <QHash>
#include <QObject>

class QLabel;
class QWidget;

// A caption label beside a control acts as the control's own caption would: a click on it
// clicks its buddy when that is a button (ticking a check box, selecting an option) and
// gives the buddy the focus otherwise. The pairs are the buddies the forms declare, which
// also make the caption the name a screen reader announces for the control. A check box's
// caption greys with its box, as an option button's own caption does.
class LabelClicks : public QObject
{
public:
    // Watches every label of `window` that has a buddy; owned by the window.
    explicit LabelClicks(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QLabel *> m_captionOf; // check box to the label that captions it
};
