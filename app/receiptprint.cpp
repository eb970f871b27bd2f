#include "app/receiptprint.h"

#include "app/config.h"
#include "common/helpers.h"
#include "platform/report/output.h"

#include <QTextStream>

SqlText receiptPrintStatement(const QString &number) {
    return SqlText{QStringLiteral("select prijem.*,prirad.*,strediska.*,seznam.pcsd from prijem"),
                   QStringLiteral(" LEFT JOIN prirad"),
                   QStringLiteral(" ON (prijem.cislodokla=prirad.cislodokla)"),
                   QStringLiteral(" LEFT JOIN strediska"),
                   QStringLiteral(" ON (prijem.stredisko=strediska.stredisko)"),
                   QStringLiteral(" LEFT JOIN seznam"),
                   QStringLiteral(" ON (prirad.stredisko=seznam.stredisko and prirad.jkpov=seznam.jkpov)"),
                   QStringLiteral(" where prijem.CISLODOKLA = ") + quoted(number)};
}

QString receiptTemplate(qint16 typprijemky) {
    return typprijemky == 1 ? QStringLiteral("\\fr3\\pri11.fr3") : QStringLiteral("\\fr3\\pri1.fr3");
}

void printReceipt(QWidget *parent, Db &db, rpt::Report &report, const QString &programFolder,
                  qint16 typprijemky, const QString &number) {
    const RowSet rows = db.select(receiptPrintStatement(number));
    rpt::OutputRequest request;
    request.templatePath = PathInFolder(programFolder, receiptTemplate(typprijemky));
    request.data = &rows;
    request.preview.title = QStringLiteral("Příjemka ") + number;
    request.preview.fixedPdfName = QStringLiteral("prijem.pdf");
    rpt::runReportOutput(parent, report, request);
}

int printReceiptCommand(const QStringList &arguments) {
    QTextStream err(stderr);
    const qsizetype at = arguments.indexOf(QStringLiteral("--print-receipt"));
    const qsizetype pdfAt = arguments.indexOf(QStringLiteral("--pdf"));
    const QString number = arguments.value(at + 1);
    const QString pdf = pdfAt >= 0 ? arguments.value(pdfAt + 1) : QString();
    if (number.isEmpty() || number.startsWith(QLatin1String("--")) || pdf.isEmpty() ||
        pdf.startsWith(QLatin1String("--"))) {
        err << "Použití: prijem --print-receipt ČÍSLO_DOKLADU --pdf SOUBOR.pdf\n";
        return 2;
    }
    try {
        const QString folder = ProgramFolder();
        const LogOnConfig cfg = LogOnConfig::read(PathInFolder(folder, kConfigFile));
        Db db(QStringLiteral("tisk"));
        db.open(cfg.connection());
        const RowSet rows = db.select(receiptPrintStatement(number));
        if (rows.rowCount() == 0) {
            err << QStringLiteral("Doklad %1 neexistuje.\n").arg(number);
            return 1;
        }
        const QString path = PathInFolder(folder, receiptTemplate(cfg.typprijemky));
        rpt::Report report;
        if (!report.loadFromFile(path)) {
            err << QStringLiteral("Šablona %1 neexistuje.\n").arg(path);
            return 1;
        }
        report.setData(&rows);
        rpt::exportPdf(report.prepare(), pdf, QStringLiteral("Příjemka ") + number);
        return 0;
    } catch (const DbError &e) {
        err << QStringLiteral("Chyba databáze: %1\n").arg(e.text());
    } catch (const rpt::ReportError &e) {
        err << e.message() << '\n';
    } catch (const std::exception &e) {
        err << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}
