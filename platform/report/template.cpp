#include "platform/report/template.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace rpt {

ReportError::ReportError(const QString &file, const QString &place, const QString &reason)
    : std::runtime_error(QStringLiteral("Chyba v šabloně %1, %2: %3").arg(file, place, reason).toStdString()),
      m_file(file), m_place(place), m_reason(reason) {}

QString ReportError::message() const {
    return QString::fromStdString(what());
}

namespace {
struct KindInfo {
    BandKind kind;
    const char *element;
    const char *caption;
};
const KindInfo kinds[] = {
    {BandKind::Title, "title", "Záhlaví sestavy"},
    {BandKind::PageHeader, "pageHeader", "Záhlaví stránky"},
    {BandKind::GroupHeader, "header", "Záhlaví skupiny"},
    {BandKind::Data, "data", "Data"},
    {BandKind::GroupFooter, "footer", "Zápatí skupiny"},
    {BandKind::ColumnFooter, "columnFooter", "Zápatí sloupců"},
    {BandKind::PageFooter, "pageFooter", "Zápatí stránky"},
    {BandKind::Summary, "summary", "Souhrn sestavy"},
};

const struct {
    Qt::Alignment align;
    const char *name;
} alignNames[] = {{Qt::AlignLeft, "left"},
                  {Qt::AlignHCenter, "center"},
                  {Qt::AlignRight, "right"},
                  {Qt::AlignJustify, "justify"}};

class Reader {
public:
    Reader(const QByteArray &xml, const QString &fileName) : x(xml), file(fileName) {}

    Template read() {
        Template t;
        t.fileName = file;
        if (!x.readNextStartElement()) fail(QStringLiteral("soubor neobsahuje šablonu"));
        if (x.name() != QLatin1String("report"))
            fail(QStringLiteral("kořenový prvek musí být <report>, ne <%1>").arg(x.name().toString()));
        if (auto ds = attr(QStringLiteral("dataset")); !ds.isEmpty()) t.dataSetName = ds;
        while (x.readNextStartElement()) {
            const QString n = x.name().toString();
            if (n == QLatin1String("page")) {
                const QString size = attr(QStringLiteral("size"));
                if (size.compare(QLatin1String("A5"), Qt::CaseInsensitive) == 0) {
                    t.pageWidth = 148;
                    t.pageHeight = 210;
                }
                t.pageWidth = number(QStringLiteral("width"), t.pageWidth);
                t.pageHeight = number(QStringLiteral("height"), t.pageHeight);
                t.landscape = attr(QStringLiteral("orientation")) == QLatin1String("landscape");
                t.marginLeft = number(QStringLiteral("left"), t.marginLeft);
                t.marginTop = number(QStringLiteral("top"), t.marginTop);
                t.marginRight = number(QStringLiteral("right"), t.marginRight);
                t.marginBottom = number(QStringLiteral("bottom"), t.marginBottom);
                x.skipCurrentElement();
            } else if (n == QLatin1String("variable")) {
                const QString name = attr(QStringLiteral("name"));
                if (name.isEmpty()) fail(QStringLiteral("proměnná bez jména"));
                t.variables.insert(name, x.readElementText());
            } else if (n == QLatin1String("group")) {
                readGroup(t, 0);
            } else {
                std::optional<Band> *slot = topBand(t, n);
                if (!slot) fail(QStringLiteral("neznámý prvek <%1>").arg(n));
                if (slot->has_value()) fail(QStringLiteral("pás <%1> je v šabloně dvakrát").arg(n));
                *slot = readBand(kindOf(n));
            }
        }
        if (x.hasError()) fail(x.errorString());
        return t;
    }

private:
    [[noreturn]] void fail(const QString &reason) {
        throw ReportError(
            file, QStringLiteral("řádek %1, sloupec %2").arg(x.lineNumber()).arg(x.columnNumber()), reason);
    }

    QString attr(const QString &name) const { return x.attributes().value(name).toString(); }
    bool flag(const QString &name, bool def = false) const {
        const QString v = attr(name);
        return v.isEmpty() ? def : (v == QLatin1String("true") || v == QLatin1String("1"));
    }
    double number(const QString &name, double def) {
        const QString v = attr(name);
        if (v.isEmpty()) return def;
        bool ok = false;
        const double d = QString(v).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok) fail(QStringLiteral("atribut %1=\"%2\" není číslo").arg(name, v));
        return d;
    }

    static BandKind kindOf(const QString &element) {
        for (const auto &k : kinds)
            if (element == QLatin1String(k.element)) return k.kind;
        return BandKind::Data;
    }

    static std::optional<Band> *topBand(Template &t, const QString &n) {
        if (n == QLatin1String("title")) return &t.title;
        if (n == QLatin1String("pageHeader")) return &t.pageHeader;
        if (n == QLatin1String("data")) return &t.data;
        if (n == QLatin1String("columnFooter")) return &t.columnFooter;
        if (n == QLatin1String("pageFooter")) return &t.pageFooter;
        if (n == QLatin1String("summary")) return &t.summary;
        return nullptr;
    }

    void readGroup(Template &t, int depth) {
        // groups nest: the template's order of <group> elements is outermost first
        Group g;
        g.condition = attr(QStringLiteral("condition"));
        if (g.condition.isEmpty()) fail(QStringLiteral("skupina bez podmínky (atribut condition)"));
        const size_t index = t.groups.size();
        t.groups.push_back(g);
        while (x.readNextStartElement()) {
            const QString n = x.name().toString();
            if (n == QLatin1String("header"))
                t.groups[index].header = readBand(BandKind::GroupHeader);
            else if (n == QLatin1String("footer"))
                t.groups[index].footer = readBand(BandKind::GroupFooter);
            else if (n == QLatin1String("group"))
                readGroup(t, depth + 1);
            else
                fail(QStringLiteral("neznámý prvek <%1> ve skupině").arg(n));
        }
    }

    Band readBand(BandKind kind) {
        Band b;
        b.kind = kind;
        b.height = number(QStringLiteral("height"), b.height);
        b.canGrow = flag(QStringLiteral("canGrow"));
        b.keepTogether = flag(QStringLiteral("keepTogether"));
        while (x.readNextStartElement())
            b.objects.push_back(readObject());
        return b;
    }

    Obj readObject() {
        Obj o;
        const QString n = x.name().toString();
        if (n == QLatin1String("text"))
            o.kind = ObjKind::Text;
        else if (n == QLatin1String("line"))
            o.kind = ObjKind::Line;
        else if (n == QLatin1String("rect"))
            o.kind = ObjKind::Rect;
        else if (n == QLatin1String("image"))
            o.kind = ObjKind::Image;
        else if (n == QLatin1String("barcode"))
            o.kind = ObjKind::Barcode;
        else
            fail(QStringLiteral("neznámý objekt <%1>").arg(n));
        o.name = attr(QStringLiteral("name"));
        if (o.kind == ObjKind::Line) {
            const double x1 = number(QStringLiteral("x1"), 0), y1 = number(QStringLiteral("y1"), 0);
            o.rect = QRectF(QPointF(x1, y1),
                            QPointF(number(QStringLiteral("x2"), x1), number(QStringLiteral("y2"), y1)));
        } else {
            o.rect = QRectF(number(QStringLiteral("x"), 0), number(QStringLiteral("y"), 0),
                            number(QStringLiteral("w"), 20), number(QStringLiteral("h"), 5));
        }
        if (auto f = attr(QStringLiteral("font")); !f.isEmpty()) o.fontFamily = f;
        o.fontSize = number(QStringLiteral("size"), o.fontSize);
        o.bold = flag(QStringLiteral("bold"));
        o.italic = flag(QStringLiteral("italic"));
        o.underline = flag(QStringLiteral("underline"));
        Qt::Alignment h = Qt::AlignLeft, v = Qt::AlignVCenter;
        if (auto a = attr(QStringLiteral("align")); !a.isEmpty()) {
            bool known = false;
            for (const auto &an : alignNames)
                if (a == QLatin1String(an.name)) {
                    h = an.align;
                    known = true;
                }
            if (!known) fail(QStringLiteral("neznámé zarovnání \"%1\"").arg(a));
        }
        if (auto va = attr(QStringLiteral("valign")); !va.isEmpty())
            v = va == QLatin1String("top")      ? Qt::AlignTop
                : va == QLatin1String("bottom") ? Qt::AlignBottom
                                                : Qt::AlignVCenter;
        o.align = h | v;
        o.wrap = flag(QStringLiteral("wrap"));
        o.canGrow = flag(QStringLiteral("canGrow"));
        o.format = attr(QStringLiteral("format"));
        if (auto c = attr(QStringLiteral("color")); !c.isEmpty()) o.color = QColor(c);
        if (auto c = attr(QStringLiteral("background")); !c.isEmpty()) o.background = QColor(c);
        o.frame = attr(QStringLiteral("frame"));
        o.lineWidth = number(QStringLiteral("width"), o.lineWidth);
        if (o.kind == ObjKind::Barcode) {
            o.barcodeType = attr(QStringLiteral("type")).toLower();
            if (o.barcodeType.isEmpty()) o.barcodeType = QStringLiteral("code128");
            if (o.barcodeType != QLatin1String("ean13") && o.barcodeType != QLatin1String("ean8") &&
                o.barcodeType != QLatin1String("code128"))
                fail(QStringLiteral("neznámý druh čárového kódu \"%1\" (ean13, ean8, code128)")
                         .arg(o.barcodeType));
            o.showText = flag(QStringLiteral("showText"), true);
        }
        if (o.kind == ObjKind::Image) o.text = attr(QStringLiteral("file"));
        if (o.kind == ObjKind::Text || o.kind == ObjKind::Barcode)
            o.text = x.readElementText();
        else
            x.skipCurrentElement();
        return o;
    }

    QXmlStreamReader x;
    QString file;
};

QString num(double v) {
    return QString::number(v, 'g', 10);
}

void writeBand(QXmlStreamWriter &w, const Band &b, const QString &element) {
    w.writeStartElement(element);
    w.writeAttribute(QStringLiteral("height"), num(b.height));
    if (b.canGrow) w.writeAttribute(QStringLiteral("canGrow"), QStringLiteral("true"));
    if (b.keepTogether) w.writeAttribute(QStringLiteral("keepTogether"), QStringLiteral("true"));
    for (const Obj &o : b.objects) {
        static const char *names[] = {"text", "line", "rect", "image", "barcode"};
        w.writeStartElement(QString::fromLatin1(names[int(o.kind)]));
        if (!o.name.isEmpty()) w.writeAttribute(QStringLiteral("name"), o.name);
        if (o.kind == ObjKind::Line) {
            w.writeAttribute(QStringLiteral("x1"), num(o.rect.left()));
            w.writeAttribute(QStringLiteral("y1"), num(o.rect.top()));
            w.writeAttribute(QStringLiteral("x2"), num(o.rect.right()));
            w.writeAttribute(QStringLiteral("y2"), num(o.rect.bottom()));
        } else {
            w.writeAttribute(QStringLiteral("x"), num(o.rect.x()));
            w.writeAttribute(QStringLiteral("y"), num(o.rect.y()));
            w.writeAttribute(QStringLiteral("w"), num(o.rect.width()));
            w.writeAttribute(QStringLiteral("h"), num(o.rect.height()));
        }
        if (o.kind == ObjKind::Text || o.kind == ObjKind::Barcode) {
            if (o.kind == ObjKind::Text) {
                w.writeAttribute(QStringLiteral("font"), o.fontFamily);
                w.writeAttribute(QStringLiteral("size"), num(o.fontSize));
                if (o.bold) w.writeAttribute(QStringLiteral("bold"), QStringLiteral("true"));
                if (o.italic) w.writeAttribute(QStringLiteral("italic"), QStringLiteral("true"));
                if (o.underline) w.writeAttribute(QStringLiteral("underline"), QStringLiteral("true"));
                for (const auto &an : alignNames)
                    if ((o.align & Qt::AlignHorizontal_Mask) == an.align && an.align != Qt::AlignLeft)
                        w.writeAttribute(QStringLiteral("align"), QString::fromLatin1(an.name));
                if (o.align & Qt::AlignTop) w.writeAttribute(QStringLiteral("valign"), QStringLiteral("top"));
                if (o.align & Qt::AlignBottom)
                    w.writeAttribute(QStringLiteral("valign"), QStringLiteral("bottom"));
                if (o.wrap) w.writeAttribute(QStringLiteral("wrap"), QStringLiteral("true"));
                if (o.canGrow) w.writeAttribute(QStringLiteral("canGrow"), QStringLiteral("true"));
                if (!o.format.isEmpty()) w.writeAttribute(QStringLiteral("format"), o.format);
                if (o.background.isValid())
                    w.writeAttribute(QStringLiteral("background"), o.background.name());
                if (!o.frame.isEmpty()) w.writeAttribute(QStringLiteral("frame"), o.frame);
            } else {
                w.writeAttribute(QStringLiteral("type"), o.barcodeType);
                if (!o.showText) w.writeAttribute(QStringLiteral("showText"), QStringLiteral("false"));
            }
            if (o.color != QColor(Qt::black)) w.writeAttribute(QStringLiteral("color"), o.color.name());
            w.writeCharacters(o.text);
        } else {
            if (o.kind == ObjKind::Image) w.writeAttribute(QStringLiteral("file"), o.text);
            if (o.kind != ObjKind::Image) w.writeAttribute(QStringLiteral("width"), num(o.lineWidth));
            if (o.color != QColor(Qt::black)) w.writeAttribute(QStringLiteral("color"), o.color.name());
            if (o.background.isValid()) w.writeAttribute(QStringLiteral("background"), o.background.name());
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeGroups(QXmlStreamWriter &w, const std::vector<Group> &groups, size_t i) {
    if (i >= groups.size()) return;
    const Group &g = groups[i];
    w.writeStartElement(QStringLiteral("group"));
    w.writeAttribute(QStringLiteral("condition"), g.condition);
    if (g.header) writeBand(w, *g.header, QStringLiteral("header"));
    writeGroups(w, groups, i + 1);
    if (g.footer) writeBand(w, *g.footer, QStringLiteral("footer"));
    w.writeEndElement();
}
} // namespace

QString bandKindName(BandKind k) {
    for (const auto &i : kinds)
        if (i.kind == k) return QString::fromLatin1(i.element);
    return {};
}

QString bandKindCaption(BandKind k) {
    for (const auto &i : kinds)
        if (i.kind == k) return QString::fromUtf8(i.caption);
    return {};
}

bool Template::isEmpty() const {
    return !title && !pageHeader && !data && !columnFooter && !pageFooter && !summary && groups.empty();
}

std::vector<Band *> Template::bands() {
    std::vector<Band *> out;
    auto add = [&](std::optional<Band> &b) {
        if (b) out.push_back(&*b);
    };
    add(title);
    add(pageHeader);
    for (Group &g : groups)
        add(g.header);
    add(data);
    for (auto it = groups.rbegin(); it != groups.rend(); ++it)
        add(it->footer);
    add(columnFooter);
    add(pageFooter);
    add(summary);
    return out;
}

Template parseTemplate(const QByteArray &xml, const QString &fileName) {
    return Reader(xml, fileName).read();
}

Template loadTemplate(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw ReportError(path, QStringLiteral("soubor"), f.errorString());
    return parseTemplate(f.readAll(), path);
}

QByteArray saveTemplate(const Template &t) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("report"));
    w.writeAttribute(QStringLiteral("dataset"), t.dataSetName);
    w.writeStartElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("width"), num(t.pageWidth));
    w.writeAttribute(QStringLiteral("height"), num(t.pageHeight));
    w.writeAttribute(QStringLiteral("orientation"),
                     t.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    w.writeAttribute(QStringLiteral("left"), num(t.marginLeft));
    w.writeAttribute(QStringLiteral("top"), num(t.marginTop));
    w.writeAttribute(QStringLiteral("right"), num(t.marginRight));
    w.writeAttribute(QStringLiteral("bottom"), num(t.marginBottom));
    w.writeEndElement();
    for (auto it = t.variables.cbegin(); it != t.variables.cend(); ++it) {
        w.writeStartElement(QStringLiteral("variable"));
        w.writeAttribute(QStringLiteral("name"), it.key());
        w.writeCharacters(it.value());
        w.writeEndElement();
    }
    if (t.title) writeBand(w, *t.title, QStringLiteral("title"));
    if (t.pageHeader) writeBand(w, *t.pageHeader, QStringLiteral("pageHeader"));
    writeGroups(w, t.groups, 0);
    if (t.data) writeBand(w, *t.data, QStringLiteral("data"));
    if (t.columnFooter) writeBand(w, *t.columnFooter, QStringLiteral("columnFooter"));
    if (t.pageFooter) writeBand(w, *t.pageFooter, QStringLiteral("pageFooter"));
    if (t.summary) writeBand(w, *t.summary, QStringLiteral("summary"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

void writeTemplate(const Template &t, const QString &path) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw ReportError(path, QStringLiteral("soubor"), f.errorString());
    f.write(saveTemplate(t));
    if (!f.commit()) throw ReportError(path, QStringLiteral("soubor"), f.errorString());
}

} // namespace rpt
