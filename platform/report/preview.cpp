#include "platform/report/preview.h"

#include "common/helpers.h"
#include "platform/guard.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace rpt {

ReportPreview::ReportPreview(const PreparedReport &report, const PreviewOptions &options, QWidget *parent)
    : QDialog(parent), m_report(report), m_options(options),
      m_printer(new QPrinter(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("frxPreview"));
    setWindowTitle(options.title.isEmpty() ? QStringLiteral("Náhled")
                                           : QStringLiteral("Náhled – ") + options.title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_printer->setPageSize(QPageSize(report.pageSize, QPageSize::Millimeter));
    m_printer->setPageOrientation(report.pageSize.width() > report.pageSize.height() ? QPageLayout::Landscape
                                                                                     : QPageLayout::Portrait);
    m_printer->setFullPage(true);
    m_printer->setDocName(options.title);

    m_view = new QPrintPreviewWidget(m_printer, this);
    m_view->setObjectName(QStringLiteral("PreviewPages"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paint);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    auto add = [&](const QString &name, const QString &text, const QString &tip, auto slot) {
        QAction *a = bar->addAction(text);
        a->setObjectName(name);
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(QStringLiteral("ActionPrint"), QStringLiteral("Tisk"), QStringLiteral("Vytisknout sestavu"), [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(m_printer->pageLayout().pageSize());
        printer.setPageOrientation(m_printer->pageLayout().orientation());
        printer.setFullPage(true);
        printer.setDocName(m_options.title);
        QPrintDialog dlg(&printer, this);
        dlg.setWindowTitle(QStringLiteral("Tisk"));
        if (dlg.exec() == QDialog::Accepted) guarded(this, nullptr, [&] { printDirect(printer); });
    });
    add(QStringLiteral("ActionPdf"), QStringLiteral("PDF"), QStringLiteral("Uložit jako PDF"),
        [this] { guarded(this, nullptr, [this] { exportPdfFile(); }); });
    bar->addSeparator();
    add(QStringLiteral("ActionZoomIn"), QStringLiteral("Zvětšit"), QStringLiteral("Zvětšit"),
        [this] { m_view->zoomIn(); });
    add(QStringLiteral("ActionZoomOut"), QStringLiteral("Zmenšit"), QStringLiteral("Zmenšit"),
        [this] { m_view->zoomOut(); });
    add(QStringLiteral("ActionZoom100"), QStringLiteral("100 %"), QStringLiteral("Skutečná velikost"),
        [this] {
            m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
            m_view->setZoomFactor(1.0);
        });
    add(QStringLiteral("ActionFitPage"), QStringLiteral("Celá stránka"), QStringLiteral("Celá stránka"),
        [this] { m_view->fitInView(); });
    add(QStringLiteral("ActionPageSetup"), QStringLiteral("Vzhled stránky"),
        QStringLiteral("Papír a okraje tisku"), [this] {
            QPageSetupDialog dlg(m_printer, this);
            if (dlg.exec() == QDialog::Accepted) m_view->updatePreview();
        });
    bar->addSeparator();
    add(QStringLiteral("ActionFirst"), QStringLiteral("|<"), QStringLiteral("První stránka"),
        [this] { goToPage(1); });
    add(QStringLiteral("ActionPrev"), QStringLiteral("<"), QStringLiteral("Předchozí stránka"),
        [this] { goToPage(currentPage() - 1); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LabelPage"));
    bar->addWidget(m_pageLabel);
    add(QStringLiteral("ActionNext"), QStringLiteral(">"), QStringLiteral("Další stránka"),
        [this] { goToPage(currentPage() + 1); });
    add(QStringLiteral("ActionLast"), QStringLiteral(">|"), QStringLiteral("Poslední stránka"),
        [this] { goToPage(m_report.pageCount()); });
    bar->addSeparator();
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("EditFind"));
    m_find->setPlaceholderText(QStringLiteral("Hledat text"));
    m_find->setAccessibleName(QStringLiteral("Hledat text"));
    m_find->setMaximumWidth(180);
    bar->addWidget(m_find);
    add(QStringLiteral("ActionFind"), QStringLiteral("Najít"), QStringLiteral("Najít text v sestavě"),
        [this] { findText(m_find->text()); });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { findText(m_find->text()); });
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStatus"));
    bar->addWidget(m_status);
    bar->addSeparator();
    add(QStringLiteral("ActionClose"), QStringLiteral("Zavřít"), QStringLiteral("Zavřít náhled"),
        [this] { accept(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(1.0);
    setWindowState(Qt::WindowMaximized);
    resize(1000, 800);
}

ReportPreview::~ReportPreview() {
    delete m_printer;
}

void ReportPreview::paint(QPrinter *printer) {
    QPainter painter(printer);
    const QRectF target = printer->paperRect(QPrinter::DevicePixel);
    for (int p = 0; p < m_report.pageCount(); ++p) {
        if (p > 0) printer->newPage();
        renderPage(painter, m_report, p, QRectF(0, 0, target.width(), target.height()));
    }
}

void ReportPreview::printDirect(QPrinter &printer) {
    paint(&printer);
}

int ReportPreview::currentPage() const {
    return m_view->currentPage();
}

void ReportPreview::goToPage(int page) {
    m_view->setCurrentPage(std::clamp(page, 1, std::max(1, m_report.pageCount())));
    updatePageLabel();
}

void ReportPreview::updatePageLabel() {
    m_pageLabel->setText(QStringLiteral(" %1 / %2 ").arg(currentPage()).arg(m_report.pageCount()));
}

bool ReportPreview::findText(const QString &text) {
    if (text.isEmpty() || m_report.pageCount() == 0) return false;
    const int n = m_report.pageCount();
    const int start = currentPage() - 1;
    for (int k = 1; k <= n; ++k) {
        const int p = (start + k) % n;
        for (const QString &t : m_report.pageTexts(p))
            if (t.contains(text, Qt::CaseInsensitive)) {
                goToPage(p + 1);
                m_status->setText(QStringLiteral("Nalezeno na straně %1.").arg(p + 1));
                return true;
            }
    }
    m_status->setText(QStringLiteral("Text „%1“ nebyl nalezen.").arg(text));
    return false;
}

QString ReportPreview::exportPdfFile() {
    QString file;
    if (!m_options.fixedPdfName.isEmpty()) {
        file = QDir::current().absoluteFilePath(m_options.fixedPdfName);
    } else {
        file = QFileDialog::getSaveFileName(
            this, QStringLiteral("Uložit jako PDF"),
            QDir::current().absoluteFilePath(m_options.title + QStringLiteral(".pdf")),
            QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) return {};
    }
    exportPdf(m_report, file, m_options.title);
    if (!m_options.fixedPdfName.isEmpty()) ShellOpen(file);
    m_status->setText(QStringLiteral("Uloženo: %1").arg(file));
    return file;
}

} // namespace rpt
