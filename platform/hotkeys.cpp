#include "platform/hotkeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

HotKeys::HotKeys(QObject *parent) : QObject(parent) {}

HotKeys::~HotKeys() {
    setActive(false);
}

void HotKeys::add(QKeyCombination key, std::function<void()> handler) {
    m_keys.emplace_back(key, std::move(handler));
}

void HotKeys::setActive(bool active) {
    if (active == m_active || !QCoreApplication::instance()) return;
    m_active = active;
    if (active)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

const std::function<void()> *HotKeys::handlerFor(QKeyCombination key) const {
    for (const auto &[k, h] : m_keys) {
        // the keypad's Enter counts as Enter
        const Qt::KeyboardModifiers mods = key.keyboardModifiers() & ~Qt::KeypadModifier;
        Qt::Key code = key.key();
        if (code == Qt::Key_Enter) code = Qt::Key_Return;
        Qt::Key wanted = k.key() == Qt::Key_Enter ? Qt::Key_Return : k.key();
        if (code == wanted && mods == (k.keyboardModifiers() & ~Qt::KeypadModifier)) return &h;
    }
    return nullptr;
}

bool HotKeys::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (const auto *h = handlerFor(ke->keyCombination())) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept(); // keep the key from menu short-cuts: it comes back as KeyPress
                return true;
            }
            (*h)();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
