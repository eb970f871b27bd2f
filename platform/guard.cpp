#include "platform/guard.h"

#include "common/database.h"
#include "platform/messagebox.h"

#include <QApplication>

bool guarded(QWidget *parent, Db *db, const std::function<void()> &handler) {
    QString text;
    try {
        handler();
        return true;
    } catch (const DbError &e) {
        text = e.text();
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Neočekávaná chyba.");
    }
    if (db) db->rollback();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    showErrorBox(parent, text);
    return false;
}
