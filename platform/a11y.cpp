#include "platform/a11y.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {
class IdCopier : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Polish || event->type() == QEvent::Show) {
            if (auto *w = qobject_cast<QWidget *>(watched);
                w && !w->objectName().isEmpty() && w->accessibleDescription() != w->objectName())
                w->setAccessibleDescription(w->objectName());
        }
        return false;
    }
};
} // namespace

void installAccessibilityIds(QApplication &app) {
    if (qEnvironmentVariableIsEmpty("PRIJEM_A11Y_IDS")) return;
    app.installEventFilter(new IdCopier(&app));
}
