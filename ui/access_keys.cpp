#include "ui/access_keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QWidget>

namespace mezolin {

AccessKeys::AccessKeys(std::initializer_list<std::pair<quint32, QAbstractButton*>> buttons,
                       std::initializer_list<QWidget*> controls, QObject* parent)
    : QObject(parent), buttons_(buttons) {
    for (QWidget* control : controls) {
        control->installEventFilter(this);
    }
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        for (const auto& [place, button] : buttons_) {
            if (watched == button) {
                button->click();
                return true;
            }
        }
    }
    // Under a Cyrillic layout the access key has already clicked the button, and the key never
    // arrives here; under a layout of other letters, that letter is what the user typed.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier &&
            key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
            for (const auto& [place, button] : buttons_) {
                if (key->nativeScanCode() == place) {
                    button->click();
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mezolin
