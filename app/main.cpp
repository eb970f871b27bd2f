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
    // The windows are laid out in pixels for an 11-pixel sans-serif face (column widths,
    // window sizes); Liberation Sans has the metrics of the usual office font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    TForm1 form1(ProgramFolder());
    form1.show();
    return app.exec();
}
