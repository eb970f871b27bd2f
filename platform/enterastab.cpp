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
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &tab);
    return true;
}
