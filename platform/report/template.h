#pragma once
// Report templates: a page and its bands, each band a list of objects placed in millimetres.
// Stored as XML (see fr3/README.md); the engine fills them from one data set and variables.

#include <QColor>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

namespace rpt {

// A fault in a template: which file, where in it, and why.
class ReportError : public std::runtime_error {
public:
    ReportError(const QString &file, const QString &place, const QString &reason);
    const QString &file() const { return m_file; }
    const QString &place() const { return m_place; }
    const QString &reason() const { return m_reason; }
    QString message() const;

private:
    QString m_file, m_place, m_reason;
};

enum class ObjKind { Text, Line, Rect, Image, Barcode };

struct Obj {
    ObjKind kind = ObjKind::Text;
    QString name;
    QRectF rect;  // mm within the band; a line runs from topLeft to bottomRight
    QString text; // text with [expressions]; barcode: its value; image: file name
    QString fontFamily = QStringLiteral("Tahoma");
    double fontSize = 10;
    bool bold = false, italic = false, underline = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    bool canGrow = false;
    QString format; // display pattern of numbers ("### ###.00") or dates ("d.M.yyyy")
    QColor color = Qt::black;
    QColor background;                               // invalid: none
    QString frame;                                   // any of "l", "t", "r", "b"
    double lineWidth = 0.2;                          // mm
    QString barcodeType = QStringLiteral("code128"); // ean13, ean8, code128
    bool showText = true;
};

enum class BandKind { Title, PageHeader, GroupHeader, Data, GroupFooter, ColumnFooter, PageFooter, Summary };

QString bandKindName(BandKind k);    // XML element name
QString bandKindCaption(BandKind k); // Czech caption for the editor

struct Band {
    BandKind kind = BandKind::Data;
    double height = 6; // mm
    bool canGrow = false;
    bool keepTogether = false; // group footer: printed on the page of the group's last row
    std::vector<Obj> objects;
};

struct Group {
    QString condition; // expression; a new group starts when its value changes
    std::optional<Band> header;
    std::optional<Band> footer;
};

struct Template {
    double pageWidth = 210, pageHeight = 297; // mm, portrait
    bool landscape = false;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    QString dataSetName = QStringLiteral("frxDBDataset1");
    QMap<QString, QString> variables; // declared variables with their default values
    std::optional<Band> title, pageHeader, data, columnFooter, pageFooter, summary;
    std::vector<Group> groups; // outermost first
    QString fileName;

    QSizeF pageSize() const {
        return landscape ? QSizeF(pageHeight, pageWidth) : QSizeF(pageWidth, pageHeight);
    }
    bool isEmpty() const;
    // Every band in print order on a page: title, page header, group headers, data, group
    // footers (innermost first), column footer, page footer, summary.
    std::vector<Band *> bands();
};

Template parseTemplate(const QByteArray &xml, const QString &fileName);
// Throws ReportError when the file cannot be read or is not a template.
Template loadTemplate(const QString &path);
QByteArray saveTemplate(const Template &t);
// Writes the template; throws ReportError on failure.
void writeTemplate(const Template &t, const QString &path);

} // namespace rpt
