#include "app/prij0.h"
#include "app/receiptprint.h"
#include "common/helpers.h"
#include "platform/a11y.h"
#include "receipt/nabadre.h"
#include "receipt/nabcen.h"
#include "receipt/prij1.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char *argv[]) {
    bool command = false;
    for (int i = 1; i < argc; ++i)
        command = command || qstrcmp(argv[i], "--print-receipt") == 0;
    // commands for automation run without windows; without a display, on the offscreen platform
    if (command && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (command) // only the command's own messages reach stderr
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
            if (type == QtFatalMsg || type == QtCriticalMsg) fprintf(stderr, "%s\n", qPrintable(msg));
        });
    QApplication app(argc, argv);
    if (command) return printReceiptCommand(QApplication::arguments());
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
    TFprijem fprijem(&form1);
    TFnabadre fnabadre(&form1);
    TFnabcen fnabcen(&form1, form1.report(), ProgramFolder());
    fprijem.setAddressPicker(&fnabadre);
    fprijem.setItemPicker(&fnabcen);
    form1.setReceiptEditor(&fprijem);
    form1.show();
    return app.exec();
}
