#include "ActionKeys.h"

#include <QAbstractButton>
#include <QShortcut>

void bindActionKeys(std::initializer_list<ActionKey> keys)
{
    for (const ActionKey &k : keys) {
        QAbstractButton *button = k.button;
        const QKeySequence key(Qt::ALT | k.key);
        // Owned by the button, the shortcut is matched only while the button is visible
        // and enabled, as the button's own mnemonic would be.
        auto *shortcut = new QShortcut(key, button);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, button, [button] {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        });
        button->setToolTip(key.toString(QKeySequence::NativeText));
    }
}
