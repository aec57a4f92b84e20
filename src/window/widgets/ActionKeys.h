#pragma once

#include <QKeySequence>
#include <initializer_list>

class QAbstractButton;

struct ActionKey {
    QAbstractButton *button;
    Qt::Key key; // pressed with Alt
};

// Gives each button Alt and a key of its window that presses it, as a mnemonic would, while the
// button can be seen and used: a button on a page not shown, or disabled, does not answer,
// so buttons on different pages may share a key. The captions keep their text; the key is
// the button's tool tip, which screen readers also read as its description.
void bindActionKeys(std::initializer_list<ActionKey> keys);
