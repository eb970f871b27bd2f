#include "platform/report/engine.h"

#include "common/numfmt.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextOption>
#include <cmath>
#include <zint.h>

namespace rpt {

namespace {

constexpr double kPaddingMm = 0.5;
const QString kTotalPagesToken = QStringLiteral("\x01TP\x01");

// Reference device for measuring text: 1200 dpi.
const QImage &measureDevice() {
    static QImage img = [] {
        QImage i(1, 1, QImage::Format_Mono);
        i.setDotsPerMeterX(47244);
        i.setDotsPerMeterY(47244);
        return i;
    }();
    return img;
}
constexpr double kMeasurePxPerMm = 1200.0 / 25.4;

void installSubstitutes() {
    static bool done = false;
    if (done) return;
    done = true;
    const QStringList families = QFontDatabase::families();
    auto substitute = [&](const QString &face, const QStringList &free) {
        if (!families.contains(face, Qt::CaseInsensitive)) QFont::insertSubstitutions(face, free);
    };
    substitute(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    substitute(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    substitute(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans")});
    substitute(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    substitute(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
}

enum class SegKind { Literal, Field, Variable, Page, TotalPages, Date, Time, Line, Aggregate };
enum class Agg { Sum, Count, Min, Max, Avg };

struct Segment {
    SegKind kind = SegKind::Literal;
    QString text; // literal text, or the variable's name
    int field = -1;
    Agg agg = Agg::Sum;
};

using Compiled = std::vector<Segment>;

// Which rows an aggregate runs over: a list (the page) or a range (a group, the report).
struct Scope {
    const std::vector<int> *list = nullptr;
    int begin = 0, end = 0;
    template <class F> void forEach(F f) const {
        if (list)
            for (int r : *list)
                f(r);
        else
            for (int r = begin; r < end; ++r)
                f(r);
    }
};

struct Ctx {
    int row = -1;
    Scope scope;
    int page = 1;
};

class Preparer {
public:
    Preparer(const Template &templ, const RowSet *rows, const QMap<QString, QVariant> &variables)
        : t(templ), data(rows), vars(variables), rowCount(rows ? rows->rowCount() : 0) {
        installSubstitutes();
    }

    PreparedReport run() {
        compileAll();
        out.pageSize = t.pageSize();
        startPage();
        std::vector<int> groupStart(t.groups.size(), 0);
        for (int r = 0; r < rowCount; ++r) {
            // the outermost group whose value changes at this row
            size_t changed = t.groups.size();
            for (size_t g = 0; g < t.groups.size(); ++g)
                if (r == 0 || groupValue(g, r) != groupValue(g, r - 1)) {
                    changed = g;
                    break;
                }
            if (r > 0)
                for (size_t g = t.groups.size(); g-- > changed;)
                    printFooter(g, groupStart[g], r);
            for (size_t g = changed; g < t.groups.size(); ++g) {
                groupStart[g] = r;
                if (t.groups[g].header)
                    printBand(*t.groups[g].header, Ctx{r, Scope{nullptr, r, groupEnd(g, r)}, 0});
            }
            // footers that close after this row and want to stay with it
            double keep = 0;
            size_t closing = t.groups.size();
            for (size_t g = 0; g < t.groups.size(); ++g)
                if (r + 1 == rowCount || groupValue(g, r + 1) != groupValue(g, r)) {
                    closing = g;
                    break;
                }
            for (size_t g = closing; g < t.groups.size(); ++g)
                if (t.groups[g].footer && t.groups[g].footer->keepTogether)
                    keep +=
                        bandHeight(*t.groups[g].footer, Ctx{r, Scope{nullptr, groupStart[g], r + 1}, page()});
            if (t.data) {
                const Ctx ctx{r, Scope{nullptr, r, r + 1}, page()};
                ensure(bandHeight(*t.data, ctx) + keep);
                place(*t.data, Ctx{r, Scope{nullptr, r, r + 1}, page()});
            }
            pageRows.push_back(r);
            lastRow = r;
        }
        if (rowCount > 0)
            for (size_t g = t.groups.size(); g-- > 0;)
                printFooter(g, groupStart[g], rowCount);
        // the last page's column footer follows the data directly, before the summary
        endOfData();
        if (t.summary) printBand(*t.summary, Ctx{lastRow, Scope{nullptr, 0, rowCount}, 0});
        endPage();
        const QString total = QString::number(out.pages.size());
        for (auto &p : out.pages)
            for (Item &i : p)
                if (i.kind == ObjKind::Text && i.text.contains(kTotalPagesToken))
                    i.text.replace(kTotalPagesToken, total);
        return std::move(out);
    }

private:
    int page() const { return int(out.pages.size()); }
    double pageBottom() const { return t.pageSize().height() - t.marginBottom; }
    double dataBottom() const {
        return pageBottom() - (t.pageFooter ? t.pageFooter->height : 0) -
               (t.columnFooter ? t.columnFooter->height : 0);
    }

    [[noreturn]] void fail(const Band *band, const Obj *o, const QString &reason) const {
        QString place =
            band ? QStringLiteral("pás „%1“").arg(bandKindCaption(band->kind)) : QStringLiteral("šablona");
        if (o) {
            place += QStringLiteral(", objekt ");
            place += o->name.isEmpty() ? QStringLiteral("„%1“").arg(o->text.left(40)) : o->name;
        }
        throw ReportError(t.fileName, place, reason);
    }

    // --- expressions -------------------------------------------------------------------
    Segment compileExpression(const QString &expr, const Band *band, const Obj *o) const {
        static const QRegularExpression aggRe(QStringLiteral("^(SUM|COUNT|MIN|MAX|AVG)\\s*\\((.*)\\)$"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QString e = expr.trimmed();
        if (const auto m = aggRe.match(e); m.hasMatch()) {
            Segment s = compileReference(m.captured(2).trimmed(), band, o);
            if (s.kind != SegKind::Field)
                fail(band, o,
                     QStringLiteral("funkce %1 potřebuje sloupec datové sady, ne „%2“")
                         .arg(m.captured(1), m.captured(2)));
            const QString fn = m.captured(1).toUpper();
            s.kind = SegKind::Aggregate;
            s.agg = fn == QLatin1String("SUM")     ? Agg::Sum
                    : fn == QLatin1String("COUNT") ? Agg::Count
                    : fn == QLatin1String("MIN")   ? Agg::Min
                    : fn == QLatin1String("MAX")   ? Agg::Max
                                                   : Agg::Avg;
            return s;
        }
        return compileReference(e, band, o);
    }

    Segment compileReference(QString name, const Band *band, const Obj *o) const {
        if (name.startsWith(t.dataSetName + QLatin1Char('.'), Qt::CaseInsensitive))
            name = name.mid(t.dataSetName.size() + 1).trimmed();
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        Segment s;
        if (name.compare(QLatin1String("Page#"), Qt::CaseInsensitive) == 0)
            s.kind = SegKind::Page;
        else if (name.compare(QLatin1String("TotalPages#"), Qt::CaseInsensitive) == 0)
            s.kind = SegKind::TotalPages;
        else if (name.compare(QLatin1String("Line#"), Qt::CaseInsensitive) == 0)
            s.kind = SegKind::Line;
        else if (name.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0)
            s.kind = SegKind::Date;
        else if (name.compare(QLatin1String("Time"), Qt::CaseInsensitive) == 0)
            s.kind = SegKind::Time;
        else if (const QString v = variableKey(name); !v.isEmpty()) {
            s.kind = SegKind::Variable;
            s.text = v;
        } else if (const int f = data ? data->qualifiedFieldIndex(name) : -1; f >= 0) {
            s.kind = SegKind::Field;
            s.field = f;
        } else if (name.isEmpty()) {
            fail(band, o, QStringLiteral("prázdný výraz []"));
        } else if (!data) {
            // without a data set every column is empty (a report opened without data)
            s.kind = SegKind::Literal;
        } else {
            fail(band, o, QStringLiteral("neznámý sloupec nebo proměnná „%1“").arg(name));
        }
        return s;
    }

    QString variableKey(const QString &name) const {
        for (auto it = vars.cbegin(); it != vars.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.key();
        return {};
    }

    Compiled compileText(const QString &text, const Band *band, const Obj *o) const {
        Compiled c;
        qsizetype i = 0;
        while (i < text.size()) {
            const qsizetype open = text.indexOf(QLatin1Char('['), i);
            if (open < 0) {
                c.push_back({SegKind::Literal, text.mid(i)});
                break;
            }
            if (open > i) c.push_back({SegKind::Literal, text.mid(i, open - i)});
            const qsizetype close = text.indexOf(QLatin1Char(']'), open + 1);
            if (close < 0) fail(band, o, QStringLiteral("chybí „]“ ve výrazu „%1“").arg(text.mid(open)));
            c.push_back(compileExpression(text.mid(open + 1, close - open - 1), band, o));
            i = close + 1;
        }
        return c;
    }

    void compileAll() {
        auto compileBand = [&](const Band &b) {
            for (const Obj &o : b.objects) {
                styleIndex[&o] = int(out.styles.size());
                out.styles.push_back(o);
                if (o.kind == ObjKind::Text || o.kind == ObjKind::Barcode)
                    compiled[&o] = compileText(o.text, &b, &o);
                if (o.kind == ObjKind::Image && !o.text.isEmpty()) {
                    const QString path = QFileInfo(o.text).isAbsolute()
                                             ? o.text
                                             : QFileInfo(t.fileName).absoluteDir().filePath(o.text);
                    QImage img(path);
                    if (img.isNull()) fail(&b, &o, QStringLiteral("obrázek „%1“ nelze načíst").arg(path));
                    images[&o] = img;
                }
            }
        };
        for (const Band *b : const_cast<Template &>(t).bands())
            compileBand(*b);
        for (const Group &g : t.groups)
            groupConditions.push_back(compileText(QLatin1Char('[') + g.condition + QLatin1Char(']'),
                                                  g.header ? &*g.header : nullptr, nullptr));
        groupCache.assign(t.groups.size(), std::vector<QString>(size_t(rowCount)));
        groupCached.assign(t.groups.size(), std::vector<char>(size_t(rowCount), 0));
    }

    QVariant fieldValue(int field, int row) const {
        if (!data || row < 0 || row >= rowCount || field < 0) return {};
        return data->rows[size_t(row)][size_t(field)];
    }

    static QString formatValue(const QVariant &v, const QString &format) {
        if (!format.isEmpty() && !v.isNull()) {
            const int type = v.metaType().id();
            if (type == QMetaType::QDate) return v.toDate().toString(format);
            if (type == QMetaType::QDateTime) return v.toDateTime().toString(format);
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (ok && type != QMetaType::QString) return formatPattern(d, format);
            if (ok && type == QMetaType::QString && !v.toString().trimmed().isEmpty())
                return formatPattern(d, format);
        }
        return displayValue(v);
    }

    QVariant aggregate(const Segment &s, const Scope &scope) const {
        double sum = 0;
        int count = 0;
        QVariant best;
        scope.forEach([&](int r) {
            const QVariant v = fieldValue(s.field, r);
            if (v.isNull()) return;
            ++count;
            sum += v.toDouble();
            if (s.agg == Agg::Min || s.agg == Agg::Max) {
                if (!best.isValid()) {
                    best = v;
                } else {
                    const QPartialOrdering c = QVariant::compare(v, best);
                    if ((s.agg == Agg::Min && c == QPartialOrdering::Less) ||
                        (s.agg == Agg::Max && c == QPartialOrdering::Greater))
                        best = v;
                }
            }
        });
        switch (s.agg) {
        case Agg::Sum:
            return sum;
        case Agg::Count:
            return count;
        case Agg::Avg:
            return count ? QVariant(sum / count) : QVariant(0.0);
        default:
            return best;
        }
    }

    QString evaluate(const Compiled &c, const Obj *o, const Ctx &ctx) const {
        QString text;
        const QString format = o ? o->format : QString();
        for (const Segment &s : c) {
            switch (s.kind) {
            case SegKind::Literal:
                text += s.text;
                break;
            case SegKind::Field:
                text += formatValue(fieldValue(s.field, ctx.row), format);
                break;
            case SegKind::Variable:
                text += formatValue(vars.value(s.text), format);
                break;
            case SegKind::Page:
                text += QString::number(ctx.page);
                break;
            case SegKind::TotalPages:
                text += kTotalPagesToken;
                break;
            case SegKind::Line:
                text += ctx.row >= 0 ? QString::number(ctx.row + 1) : QString();
                break;
            case SegKind::Date:
                text += formatDate(QDate::currentDate());
                break;
            case SegKind::Time:
                text += QTime::currentTime().toString(QStringLiteral("H:mm"));
                break;
            case SegKind::Aggregate:
                // a count is a count, whatever the text's number pattern
                text += s.agg == Agg::Count ? aggregate(s, ctx.scope).toString()
                                            : formatValue(aggregate(s, ctx.scope), format);
                break;
            }
        }
        return text;
    }

    const QString &groupValue(size_t g, int row) {
        if (!groupCached[g][size_t(row)]) {
            groupCache[g][size_t(row)] = evaluate(groupConditions[g], nullptr, Ctx{row, {}, 0});
            groupCached[g][size_t(row)] = 1;
        }
        return groupCache[g][size_t(row)];
    }

    int groupEnd(size_t g, int row) {
        int r = row + 1;
        while (r < rowCount) {
            bool same = true;
            for (size_t k = 0; k <= g && same; ++k)
                same = groupValue(k, r) == groupValue(k, row);
            if (!same) break;
            ++r;
        }
        return r;
    }

    // --- layout ------------------------------------------------------------------------
    double textHeight(const Obj &o, const QString &text) const {
        const QFontMetricsF fm(objectFont(o), &measureDevice());
        const double w = std::max(1.0, (o.rect.width() - 2 * kPaddingMm) * kMeasurePxPerMm);
        const QRectF r =
            fm.boundingRect(QRectF(0, 0, w, 1e7), int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap), text);
        return r.height() / kMeasurePxPerMm + 0.4;
    }

    double bandHeight(const Band &b, const Ctx &ctx) {
        double h = b.height;
        for (const Obj &o : b.objects) {
            if (o.kind != ObjKind::Text || !o.canGrow) continue;
            const double need = textHeight(o, evaluate(compiled[&o], &o, ctx));
            h = std::max(h, o.rect.y() + std::max(o.rect.height(), need));
        }
        return h;
    }

    void place(const Band &b, const Ctx &ctxIn) {
        Ctx ctx = ctxIn;
        ctx.page = page();
        double grow = 0;
        std::vector<Item> &items = out.pages.back();
        const double x0 = t.marginLeft;
        for (const Obj &o : b.objects) {
            Item item;
            item.kind = o.kind;
            item.style = styleIndex[&o];
            item.rect = o.rect.translated(x0, y);
            switch (o.kind) {
            case ObjKind::Text:
                item.text = evaluate(compiled[&o], &o, ctx);
                if (o.canGrow) {
                    const double need = textHeight(o, item.text);
                    if (need > item.rect.height()) item.rect.setHeight(need);
                }
                grow = std::max(grow, item.rect.bottom() - y);
                break;
            case ObjKind::Barcode: {
                item.text = evaluate(compiled[&o], &o, ctx);
                if (!item.text.isEmpty()) encodeBarcode(b, o, item);
                break;
            }
            case ObjKind::Image:
                item.image = images.value(&o);
                break;
            default:
                break;
            }
            items.push_back(std::move(item));
        }
        y += std::max(b.height, b.canGrow || grow > b.height ? grow : b.height);
    }

    void ensure(double h) {
        if (y + h > dataBottom() + 1e-6 && y > contentTop + 1e-6) {
            endPage();
            startPage();
        }
    }

    void printBand(const Band &b, const Ctx &ctx) {
        ensure(bandHeight(b, Ctx{ctx.row, ctx.scope, page()}));
        place(b, ctx);
    }

    void printFooter(size_t g, int begin, int end) {
        if (t.groups[g].footer) printBand(*t.groups[g].footer, Ctx{end - 1, Scope{nullptr, begin, end}, 0});
    }

    void startPage() {
        out.pages.emplace_back();
        y = t.marginTop;
        pageRows.clear();
        if (out.pages.size() == 1 && t.title)
            place(*t.title, Ctx{rowCount ? 0 : -1, Scope{nullptr, 0, rowCount}, 1});
        if (t.pageHeader) {
            // the header shows the row that opens the page
            const int row = rowCount == 0 ? -1 : std::min(lastRow + 1, rowCount - 1);
            place(*t.pageHeader, Ctx{row, Scope{&pageRows}, page()});
        }
        contentTop = y;
    }

    void endOfData() {
        if (t.columnFooter) place(*t.columnFooter, Ctx{lastRow, Scope{&pageRows}, page()});
        dataFinished = true;
    }

    void endPage() {
        const Ctx ctx{lastRow, Scope{&pageRows}, page()};
        if (t.columnFooter && !dataFinished) place(*t.columnFooter, ctx);
        if (t.pageFooter) {
            y = pageBottom() - t.pageFooter->height;
            place(*t.pageFooter, ctx);
        }
    }

    void encodeBarcode(const Band &b, const Obj &o, Item &item) {
        zint_symbol *sym = ZBarcode_Create();
        std::unique_ptr<zint_symbol, void (*)(zint_symbol *)> guard(sym, ZBarcode_Delete);
        sym->symbology = o.barcodeType == QLatin1String("code128") ? BARCODE_CODE128 : BARCODE_EANX;
        sym->show_hrt = o.showText ? 1 : 0;
        sym->input_mode = UNICODE_MODE;
        const QString value = item.text.trimmed();
        if (o.barcodeType == QLatin1String("ean13") && value.size() != 12 && value.size() != 13)
            fail(&b, &o, QStringLiteral("EAN-13 „%1“ musí mít 12 nebo 13 číslic").arg(value));
        if (o.barcodeType == QLatin1String("ean8") && value.size() != 7 && value.size() != 8)
            fail(&b, &o, QStringLiteral("EAN-8 „%1“ musí mít 7 nebo 8 číslic").arg(value));
        const QByteArray bytes = value.toUtf8();
        auto encode = [&] {
            const int rc = ZBarcode_Encode(sym, reinterpret_cast<const unsigned char *>(bytes.constData()),
                                           int(bytes.size()));
            if (rc >= ZINT_ERROR)
                fail(&b, &o,
                     QStringLiteral("čárový kód „%1“ nelze vytvořit: %2")
                         .arg(value, QString::fromLatin1(sym->errtxt)));
            if (ZBarcode_Buffer_Vector(sym, 0) >= ZINT_ERROR || !sym->vector)
                fail(&b, &o, QString::fromLatin1(sym->errtxt));
        };
        encode();
        // make the bars as tall as the object allows, so that bars and digits keep their proportions
        double barsBottom = 0;
        for (const zint_vector_rect *rect = sym->vector->rectangles; rect; rect = rect->next)
            barsBottom = std::max(barsBottom, double(rect->y + rect->height));
        const double mmPerUnit = item.rect.width() / sym->vector->width;
        const double textSpace = sym->vector->height - barsBottom;
        const double unitsPerHeight = barsBottom > 0 && sym->height > 0 ? barsBottom / sym->height : 1;
        const double barHeight = (item.rect.height() / mmPerUnit - textSpace) / unitsPerHeight;
        if (barHeight > 1 && std::abs(barHeight - sym->height) > 0.5) {
            const int symbology = sym->symbology;
            const int showHrt = sym->show_hrt;
            ZBarcode_Clear(sym);
            sym->symbology = symbology;
            sym->show_hrt = showHrt;
            sym->input_mode = UNICODE_MODE;
            sym->height = float(barHeight);
            encode();
        }
        const zint_vector *v = sym->vector;
        const QRectF r = item.rect;
        const double sx = r.width() / v->width, sy = r.height() / v->height;
        for (const zint_vector_rect *rect = v->rectangles; rect; rect = rect->next)
            item.bars.push_back(
                QRectF(r.x() + rect->x * sx, r.y() + rect->y * sy, rect->width * sx, rect->height * sy));
        for (const zint_vector_string *s = v->strings; s; s = s->next)
            item.barTexts.push_back({QPointF(r.x() + s->x * sx, r.y() + s->y * sy), s->fsize * sy,
                                     QString::fromUtf8(reinterpret_cast<const char *>(s->text), s->length)});
    }

    const Template &t;
    const RowSet *data;
    const QMap<QString, QVariant> &vars;
    const int rowCount;
    PreparedReport out;
    QHash<const Obj *, Compiled> compiled;
    QHash<const Obj *, int> styleIndex;
    QHash<const Obj *, QImage> images;
    std::vector<Compiled> groupConditions;
    std::vector<std::vector<QString>> groupCache;
    std::vector<std::vector<char>> groupCached;
    std::vector<int> pageRows;
    int lastRow = -1;
    bool dataFinished = false;
    double y = 0;
    double contentTop = 0;
};

} // namespace

QFont objectFont(const Obj &o) {
    installSubstitutes();
    QFont f(o.fontFamily);
    f.setPointSizeF(o.fontSize > 0 ? o.fontSize : 10);
    f.setBold(o.bold);
    f.setItalic(o.italic);
    f.setUnderline(o.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QStringList PreparedReport::pageTexts(int page) const {
    QStringList out;
    if (page < 0 || page >= pageCount()) return out;
    for (const Item &i : pages[size_t(page)])
        if (i.kind == ObjKind::Text || i.kind == ObjKind::Barcode) out << i.text;
    return out;
}

Report::Report() = default;

void Report::clear() {
    m_template = Template();
    m_variables.clear();
}

bool Report::loadFromFile(const QString &path) {
    clear();
    if (!QFileInfo::exists(path)) return false;
    m_template = loadTemplate(path);
    for (auto it = m_template.variables.cbegin(); it != m_template.variables.cend(); ++it)
        m_variables.insert(it.key(), it.value());
    return true;
}

void Report::setVariable(const QString &name, const QVariant &value) {
    m_variables.insert(name, value);
    if (!m_template.variables.contains(name)) m_template.variables.insert(name, value.toString());
}

QStringList Report::variableNames() const {
    return m_variables.keys();
}

PreparedReport Report::prepare() const {
    return Preparer(m_template, m_data, m_variables).run();
}

void renderPage(QPainter &painter, const PreparedReport &report, int page, const QRectF &target) {
    if (page < 0 || page >= report.pageCount()) return;
    const double kx = target.width() / report.pageSize.width();
    const double ky = target.height() / report.pageSize.height();
    auto map = [&](const QRectF &r) {
        return QRectF(target.x() + r.x() * kx, target.y() + r.y() * ky, r.width() * kx, r.height() * ky);
    };
    // fonts are sized for the device; if the page is shown smaller or larger, scale them too
    const double deviceDpmm = painter.device()->logicalDpiY() / 25.4;
    const double fontScale = ky / deviceDpmm;
    std::vector<std::optional<QFont>> fonts(report.styles.size()); // one font per template object
    painter.save();
    for (const Item &item : report.pages[size_t(page)]) {
        const Obj &s = report.styles[size_t(item.style)];
        switch (item.kind) {
        case ObjKind::Text: {
            const QRectF r = map(item.rect);
            if (s.background.isValid()) painter.fillRect(r, s.background);
            if (!s.frame.isEmpty()) {
                painter.setPen(QPen(s.color, std::max(1.0, s.lineWidth * ky)));
                if (s.frame.contains(QLatin1Char('l'))) painter.drawLine(r.topLeft(), r.bottomLeft());
                if (s.frame.contains(QLatin1Char('t'))) painter.drawLine(r.topLeft(), r.topRight());
                if (s.frame.contains(QLatin1Char('r'))) painter.drawLine(r.topRight(), r.bottomRight());
                if (s.frame.contains(QLatin1Char('b'))) painter.drawLine(r.bottomLeft(), r.bottomRight());
            }
            if (item.text.isEmpty()) break;
            std::optional<QFont> &f = fonts[size_t(item.style)];
            if (!f) {
                f = objectFont(s);
                f->setPointSizeF(f->pointSizeF() * fontScale);
            }
            painter.setFont(*f);
            painter.setPen(s.color);
            const QRectF inner = r.adjusted(kPaddingMm * kx, 0, -kPaddingMm * kx, 0);
            int flags = int(s.align);
            if (s.wrap || s.canGrow)
                flags |= Qt::TextWordWrap;
            else
                flags |= Qt::TextSingleLine;
            painter.drawText(inner, flags, item.text);
            break;
        }
        case ObjKind::Line:
            painter.setPen(QPen(s.color, std::max(1.0, s.lineWidth * ky)));
            painter.drawLine(
                QPointF(target.x() + item.rect.left() * kx, target.y() + item.rect.top() * ky),
                QPointF(target.x() + item.rect.right() * kx, target.y() + item.rect.bottom() * ky));
            break;
        case ObjKind::Rect:
            painter.setPen(QPen(s.color, std::max(1.0, s.lineWidth * ky)));
            painter.setBrush(s.background.isValid() ? QBrush(s.background) : Qt::NoBrush);
            painter.drawRect(map(item.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case ObjKind::Image:
            if (!item.image.isNull()) painter.drawImage(map(item.rect), item.image);
            break;
        case ObjKind::Barcode: {
            painter.setPen(Qt::NoPen);
            for (const QRectF &bar : item.bars)
                painter.fillRect(map(bar), s.color);
            QFont f(QStringLiteral("DejaVu Sans"));
            for (const BarText &bt : item.barTexts) {
                f.setPixelSize(std::max(1, int(std::lround(bt.size * ky * 0.85))));
                painter.setFont(f);
                painter.setPen(s.color);
                const QPointF p(target.x() + bt.pos.x() * kx, target.y() + bt.pos.y() * ky);
                const double w = QFontMetricsF(f, painter.device()).horizontalAdvance(bt.text);
                painter.drawText(QPointF(p.x() - w / 2, p.y()), bt.text);
            }
            break;
        }
        }
    }
    painter.restore();
}

void exportPdf(const PreparedReport &report, const QString &file, const QString &title) {
    QPdfWriter writer(file);
    if (!writer.setPageSize(QPageSize(report.pageSize, QPageSize::Millimeter)))
        throw ReportError(file, QStringLiteral("PDF"), QStringLiteral("nepodporovaný rozměr stránky"));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Příjem"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(file, QStringLiteral("PDF"), QStringLiteral("soubor nelze zapsat"));
    const QRectF target(0, 0, report.pageSize.width() * 600 / 25.4, report.pageSize.height() * 600 / 25.4);
    for (int p = 0; p < report.pageCount(); ++p) {
        if (p > 0) writer.newPage();
        renderPage(painter, report, p, target);
    }
    painter.end();
}

} // namespace rpt
