#include "app/prij0.h"
#include "common/helpers.h"
#include "platform/a11y.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("prijem"));
    QApplication::setApplicationDisplayName(QStringLiteral("Příjem"));
    QApplication::setOrganizationName(QStringLiteral("prodejna"));
    installAccessibilityIds(app);

    TForm1 form1(ProgramFolder());
    form1.show();
    return app.exec();
}
