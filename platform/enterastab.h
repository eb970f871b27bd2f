#pragma once
// Enter acts as Tab inside a window: it moves the focus to the next field. Buttons keep Enter.

#include <QObject>

class QWidget;

class EnterAsTab : public QObject {
    Q_OBJECT
public:
    // Installs itself on every child of the window, present and future.
    explicit EnterAsTab(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
