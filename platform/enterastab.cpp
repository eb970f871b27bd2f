#include "platform/enterastab.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

EnterAsTab::EnterAsTab(QWidget *window) : QObject(window) {
    qApp->installEventFilter(this);
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    auto *window = qobject_cast<QWidget *>(parent());
    if (!w || !window || w == window || !window->isAncestorOf(w)) return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    if ((ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter) ||
        (ke->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QTextEdit *>(w) ||
        qobject_cast<QPlainTextEdit *>(w))
        return false;
    if (auto *combo = qobject_cast<QComboBox *>(w->parentWidget()); combo && combo->view()->isVisible())
        return false;
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->view()->isVisible()) return false;
    // the next field in tab order; a composite field (date edit, editable combo box) counts as one
    QWidget *owner = w;
    while (owner->parentWidget() && owner->parentWidget() != window &&
           owner->parentWidget()->focusProxy() == owner)
        owner = owner->parentWidget();
    for (QWidget *next = owner->nextInFocusChain(); next && next != owner; next = next->nextInFocusChain()) {
        if (owner->isAncestorOf(next) || next->window() != owner->window() || !next->isVisible() ||
            !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus))
            continue;
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return true;
}
