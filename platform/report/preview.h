#pragma once
// The report preview: modal, maximised, 100 % zoom; print (the default printer preselected),
// PDF export, zoom, page set-up, page navigation and finding text in the pages.

#include "platform/report/engine.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QPrinter;

namespace rpt {

struct PreviewOptions {
    QString title;
    // Non-empty: the PDF button writes this file in the working directory without asking,
    // overwriting it, and opens it in the system's viewer. Empty: the user picks a file.
    QString fixedPdfName;
};

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const PreparedReport &report, const PreviewOptions &options, QWidget *parent = nullptr);
    ~ReportPreview() override;

    QPrintPreviewWidget *view() const { return m_view; }
    const PreparedReport &prepared() const { return m_report; }
    int currentPage() const; // from 1
    void goToPage(int page);
    // Finds text from the page after the current one, wrapping around; false when not found.
    bool findText(const QString &text);
    // Writes the PDF as the PDF button does; returns the file written (empty when cancelled).
    QString exportPdfFile();
    void printDirect(QPrinter &printer);

private:
    void paint(QPrinter *printer);
    void updatePageLabel();

    const PreparedReport &m_report;
    PreviewOptions m_options;
    QPrinter *m_printer;
    QPrintPreviewWidget *m_view;
    QLabel *m_pageLabel;
    QLineEdit *m_find;
    QLabel *m_status;
};

} // namespace rpt
