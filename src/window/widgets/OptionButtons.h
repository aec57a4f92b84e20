#pragma once

#include <QRadioButton>
#include <initializer_list>

// Selects `on` and clears the other buttons of `group`. Qt refuses to clear the checked
// button of an exclusive group by itself, so exclusivity is lifted while clearing; this
// works however the buttons are laid out.
inline void selectOption(QRadioButton *on, std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *b : group) {
        if (b == on || !b->isChecked())
            continue;
        const bool exclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(exclusive);
    }
    on->setChecked(true);
}
