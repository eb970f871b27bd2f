#pragma once
// Printing a receipt: the print query (receipt, lines, centre, sale prices) and the template.

#include "common/database.h"
#include "common/sqltext.h"

// One row per line (or one row with empty line columns for a receipt without lines).
SqlText receiptPrintStatement(const QString &number);
// "\fr3\pri11.fr3" for typprijemky 1, "\fr3\pri1.fr3" otherwise.
QString receiptTemplate(qint16 typprijemky);

class QWidget;
namespace rpt {
class Report;
}

// "Tisk dokladu": the print query for the receipt number (empty on an empty journal), then the
// report output with the chosen template; the PDF button writes prijem.pdf.
void printReceipt(QWidget *parent, Db &db, rpt::Report &report, const QString &programFolder,
                  qint16 typprijemky, const QString &number);

// prijem --print-receipt NUMBER --pdf FILE: returns the process exit code; messages go to stderr.
int printReceiptCommand(const QStringList &arguments);
