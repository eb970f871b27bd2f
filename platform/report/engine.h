#pragma once
// The band engine: fills a template from one data set and named variables, lays the bands out
// on pages (title, page header, groups, data, column footer, page footer, summary), and paints
// the pages on any QPainter (screen preview, printer, PDF).

#include "common/rowset.h"
#include "platform/report/template.h"

#include <QImage>
#include <QMap>
#include <QVariant>
#include <memory>

class QPainter;

namespace rpt {

struct BarText {
    QPointF pos; // mm, baseline centre
    double size; // mm
    QString text;
};

// One thing painted on a prepared page; positions in millimetres from the page's corner.
struct Item {
    ObjKind kind = ObjKind::Text;
    int style = 0; // index into PreparedReport::styles
    QRectF rect;
    QString text;
    QImage image;
    std::vector<QRectF> bars;
    std::vector<BarText> barTexts;
};

struct PreparedReport {
    QSizeF pageSize{210, 297};
    std::vector<Obj> styles;
    std::vector<std::vector<Item>> pages;
    int pageCount() const { return int(pages.size()); }
    // The texts of a page, in order of painting (for finding and for tests).
    QStringList pageTexts(int page) const;
};

class Report {
public:
    Report();
    // Empties the report: no bands, no variables.
    void clear();
    // Loads a template; a missing file leaves the report empty and returns false.
    // A file that is not a valid template throws ReportError.
    bool loadFromFile(const QString &path);
    void setTemplate(Template t) { m_template = std::move(t); }
    Template &templ() { return m_template; }
    const Template &templ() const { return m_template; }

    // The data set; the report keeps a pointer, the caller keeps the rows alive.
    void setData(const RowSet *rows) { m_data = rows; }
    const RowSet *data() const { return m_data; }
    // Sets a variable, creating it when the template lacks it.
    void setVariable(const QString &name, const QVariant &value);
    QStringList variableNames() const;

    // Lays the report out. Throws ReportError for a fault in the template (unknown column,
    // bad expression, barcode that cannot be encoded).
    PreparedReport prepare() const;

private:
    Template m_template;
    const RowSet *m_data = nullptr;
    QMap<QString, QVariant> m_variables;
};

// Paints one page so that the page fills `target` (device pixels).
void renderPage(QPainter &painter, const PreparedReport &report, int page, const QRectF &target);
// Writes the report as PDF (fonts embedded). Throws ReportError when the file cannot be written.
void exportPdf(const PreparedReport &report, const QString &file, const QString &title = {});

// Font of a text object, with free replacements for the usual office faces.
QFont objectFont(const Obj &o);

} // namespace rpt
