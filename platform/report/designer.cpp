#include "platform/report/designer.h"

#include "platform/messagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace rpt {

std::optional<Band> *slotOf(Template &t, const BandRef &ref) {
    switch (ref.kind) {
    case BandKind::Title:
        return &t.title;
    case BandKind::PageHeader:
        return &t.pageHeader;
    case BandKind::Data:
        return &t.data;
    case BandKind::ColumnFooter:
        return &t.columnFooter;
    case BandKind::PageFooter:
        return &t.pageFooter;
    case BandKind::Summary:
        return &t.summary;
    case BandKind::GroupHeader:
    case BandKind::GroupFooter:
        if (ref.group < 0 || ref.group >= int(t.groups.size())) return nullptr;
        return ref.kind == BandKind::GroupHeader ? &t.groups[size_t(ref.group)].header
                                                 : &t.groups[size_t(ref.group)].footer;
    }
    return nullptr;
}

Band *resolve(Template &t, const BandRef &ref) {
    std::optional<Band> *slot = slotOf(t, ref);
    return slot && slot->has_value() ? &**slot : nullptr;
}

namespace {
constexpr int RoleKind = Qt::UserRole;
constexpr int RoleGroup = Qt::UserRole + 1;
constexpr int RoleObject = Qt::UserRole + 2;
constexpr int RolePage = Qt::UserRole + 3;

QString objectCaption(const Obj &o) {
    static const char *kinds[] = {"Text", "Čára", "Obdélník", "Obrázek", "Čárový kód"};
    QString s = QString::fromUtf8(kinds[int(o.kind)]);
    if (!o.name.isEmpty()) s += QStringLiteral(" ") + o.name;
    if (!o.text.isEmpty())
        s += QStringLiteral(": ") + o.text.left(40).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QDoubleSpinBox *mmBox(double value, double max = 1000) {
    auto *b = new QDoubleSpinBox;
    b->setRange(-max, max);
    b->setDecimals(1);
    b->setSingleStep(0.5);
    b->setSuffix(QStringLiteral(" mm"));
    b->setValue(value);
    return b;
}
} // namespace

ReportDesigner::ReportDesigner(Report &report, const QString &path, QWidget *parent)
    : QDialog(parent), m_report(report), m_path(path), m_printer(new QPrinter(QPrinter::ScreenResolution)) {
    setObjectName(QStringLiteral("frxDesigner"));
    setWindowTitle(QStringLiteral("Návrh sestavy – ") + QFileInfo(path).fileName());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    if (m_report.templ().fileName.isEmpty()) m_report.templ().fileName = path;

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("DesignerToolBar"));
    auto *bandButton = new QToolButton(this);
    bandButton->setObjectName(QStringLiteral("ButtonAddBand"));
    bandButton->setText(QStringLiteral("Přidat pás"));
    bandButton->setPopupMode(QToolButton::InstantPopup);
    auto *bandMenu = new QMenu(bandButton);
    for (BandKind k : {BandKind::Title, BandKind::PageHeader, BandKind::GroupHeader, BandKind::Data,
                       BandKind::ColumnFooter, BandKind::PageFooter, BandKind::Summary}) {
        const QString caption =
            k == BandKind::GroupHeader ? QStringLiteral("Skupina (záhlaví a zápatí)") : bandKindCaption(k);
        bandMenu->addAction(caption, this, [this, k] { addBand(k); });
    }
    bandButton->setMenu(bandMenu);
    bar->addWidget(bandButton);
    auto add = [&](const QString &name, const QString &text, auto slot) {
        QAction *a = bar->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("ButtonAddText"), QStringLiteral("Text"), [this] { addObject(ObjKind::Text); });
    add(QStringLiteral("ButtonAddLine"), QStringLiteral("Čára"), [this] { addObject(ObjKind::Line); });
    add(QStringLiteral("ButtonAddRect"), QStringLiteral("Obdélník"), [this] { addObject(ObjKind::Rect); });
    add(QStringLiteral("ButtonAddImage"), QStringLiteral("Obrázek"), [this] { addObject(ObjKind::Image); });
    add(QStringLiteral("ButtonAddBarcode"), QStringLiteral("Čárový kód"),
        [this] { addObject(ObjKind::Barcode); });
    bar->addSeparator();
    add(QStringLiteral("ButtonRemove"), QStringLiteral("Odebrat"), [this] { removeSelected(); });
    add(QStringLiteral("ButtonUp"), QStringLiteral("Nahoru"), [this] { moveSelected(-1); });
    add(QStringLiteral("ButtonDown"), QStringLiteral("Dolů"), [this] { moveSelected(1); });
    bar->addSeparator();
    add(QStringLiteral("ButtonSave"), QStringLiteral("Uložit"), [this] { save(); });
    add(QStringLiteral("ButtonClose"), QStringLiteral("Zavřít"), [this] { reject(); });

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeBands"));
    m_tree->setHeaderLabel(QStringLiteral("Pásy a objekty"));
    m_tree->setAccessibleName(QStringLiteral("Pásy a objekty"));
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!item) return;
        m_hasSelection = !item->data(0, RolePage).toBool();
        m_band = BandRef{BandKind(item->data(0, RoleKind).toInt()), item->data(0, RoleGroup).toInt()};
        m_object = item->data(0, RoleObject).toInt();
        buildProperties();
    });

    m_propsArea = new QScrollArea(this);
    m_propsArea->setObjectName(QStringLiteral("PanelProperties"));
    m_propsArea->setWidgetResizable(true);

    m_fields = new QListWidget(this);
    m_fields->setObjectName(QStringLiteral("ListFields"));
    m_fields->setAccessibleName(QStringLiteral("Sloupce a proměnné"));
    const QString ds = m_report.templ().dataSetName;
    if (const RowSet *rows = m_report.data()) {
        QSet<QString> seen;
        for (int i = 0; i < rows->fields.size(); ++i) {
            const QString f = rows->fields.at(i);
            const QString table = rows->tables.value(i);
            const bool dup = seen.contains(f.toUpper());
            seen.insert(f.toUpper());
            const QString name = dup && !table.isEmpty() ? table + QLatin1Char('.') + f : f;
            m_fields->addItem(QStringLiteral("[%1.\"%2\"]").arg(ds, name));
        }
    }
    for (const QString &v : m_report.variableNames())
        m_fields->addItem(QStringLiteral("[%1]").arg(v));
    for (const char *v : {"[Page#]", "[TotalPages#]", "[Date]", "[Time]", "[Line#]"})
        m_fields->addItem(QString::fromLatin1(v));
    auto *insert = new QPushButton(QStringLiteral("Vložit do textu"), this);
    insert->setObjectName(QStringLiteral("ButtonInsertField"));
    connect(insert, &QPushButton::clicked, this, [this] {
        if (auto *item = m_fields->currentItem()) insertField(item->text());
    });
    connect(m_fields, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { insertField(item->text()); });
    auto *fieldsLabel = new QLabel(QStringLiteral("Sloupce a proměnné"), this);
    fieldsLabel->setBuddy(m_fields);

    m_preview = new QPrintPreviewWidget(m_printer, this);
    m_preview->setObjectName(QStringLiteral("LivePreview"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        QPainter painter(printer);
        const QRectF r = printer->paperRect(QPrinter::DevicePixel);
        for (int p = 0; p < m_prepared.pageCount(); ++p) {
            if (p > 0) printer->newPage();
            renderPage(painter, m_prepared, p, QRectF(0, 0, r.width(), r.height()));
        }
    });
    m_xml = new QPlainTextEdit(this);
    m_xml->setObjectName(QStringLiteral("EditXml"));
    m_xml->setAccessibleName(QStringLiteral("XML šablony"));
    m_xml->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *applyXmlButton = new QPushButton(QStringLiteral("Použít XML"), this);
    applyXmlButton->setObjectName(QStringLiteral("ButtonApplyXml"));
    connect(applyXmlButton, &QPushButton::clicked, this, [this] { applyXml(m_xml->toPlainText()); });
    auto *xmlPage = new QWidget(this);
    auto *xmlLayout = new QVBoxLayout(xmlPage);
    xmlLayout->addWidget(m_xml, 1);
    xmlLayout->addWidget(applyXmlButton, 0, Qt::AlignRight);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->addTab(m_preview, QStringLiteral("Náhled"));
    m_tabs->addTab(xmlPage, QStringLiteral("XML"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) m_xml->setPlainText(QString::fromUtf8(saveTemplate(m_report.templ())));
    });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStatus"));
    m_status->setWordWrap(true);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_tree, 3);
    leftLayout->addWidget(fieldsLabel);
    leftLayout->addWidget(m_fields, 2);
    leftLayout->addWidget(insert);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_propsArea);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 700, 320});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);

    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(250);
    connect(m_refresh, &QTimer::timeout, this, &ReportDesigner::refreshPreview);

    resize(1280, 800);
    setWindowState(Qt::WindowMaximized);
    rebuildTree();
    refreshPreview();
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
}

ReportDesigner::~ReportDesigner() {
    delete m_printer;
}

void ReportDesigner::rebuildTree() {
    const QSignalBlocker block(m_tree);
    m_tree->clear();
    QTreeWidgetItem *current = nullptr;
    auto *page = new QTreeWidgetItem(m_tree, {QStringLiteral("Stránka")});
    page->setData(0, RolePage, true);
    page->setData(0, RoleObject, -1);
    if (!m_hasSelection) current = page;
    Template &t = m_report.templ();
    auto addBandItem = [&](const BandRef &ref, const QString &caption) {
        Band *b = resolve(t, ref);
        if (!b) return;
        auto *item = new QTreeWidgetItem(m_tree, {caption});
        item->setData(0, RoleKind, int(ref.kind));
        item->setData(0, RoleGroup, ref.group);
        item->setData(0, RoleObject, -1);
        if (m_hasSelection && ref == m_band && m_object < 0) current = item;
        for (int i = 0; i < int(b->objects.size()); ++i) {
            auto *child = new QTreeWidgetItem(item, {objectCaption(b->objects[size_t(i)])});
            child->setData(0, RoleKind, int(ref.kind));
            child->setData(0, RoleGroup, ref.group);
            child->setData(0, RoleObject, i);
            if (m_hasSelection && ref == m_band && m_object == i) current = child;
        }
        item->setExpanded(true);
    };
    addBandItem({BandKind::Title}, bandKindCaption(BandKind::Title));
    addBandItem({BandKind::PageHeader}, bandKindCaption(BandKind::PageHeader));
    for (int g = 0; g < int(t.groups.size()); ++g)
        addBandItem({BandKind::GroupHeader, g},
                    QStringLiteral("Záhlaví skupiny %1: %2").arg(g + 1).arg(t.groups[size_t(g)].condition));
    addBandItem({BandKind::Data}, bandKindCaption(BandKind::Data));
    for (int g = int(t.groups.size()) - 1; g >= 0; --g)
        addBandItem({BandKind::GroupFooter, g}, QStringLiteral("Zápatí skupiny %1").arg(g + 1));
    addBandItem({BandKind::ColumnFooter}, bandKindCaption(BandKind::ColumnFooter));
    addBandItem({BandKind::PageFooter}, bandKindCaption(BandKind::PageFooter));
    addBandItem({BandKind::Summary}, bandKindCaption(BandKind::Summary));
    if (current) m_tree->setCurrentItem(current);
    buildProperties();
}

Obj *ReportDesigner::selectedObject() {
    Band *b = selectedBand();
    if (!b || m_object < 0 || m_object >= int(b->objects.size())) return nullptr;
    return &b->objects[size_t(m_object)];
}

Band *ReportDesigner::selectedBand() {
    return m_hasSelection ? resolve(m_report.templ(), m_band) : nullptr;
}

void ReportDesigner::buildProperties() {
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("Properties"));
    auto *form = new QFormLayout(panel);
    m_textEditor = nullptr;
    auto bindMm = [&](const QString &label, const QString &name, double value,
                      std::function<void(double)> set) {
        QDoubleSpinBox *b = mmBox(value);
        b->setObjectName(name);
        form->addRow(label, b);
        connect(b, &QDoubleSpinBox::valueChanged, this, [this, set](double v) {
            set(v);
            changed();
        });
    };
    auto bindCheck = [&](const QString &label, const QString &name, bool value,
                         std::function<void(bool)> set) {
        auto *c = new QCheckBox(label);
        c->setObjectName(name);
        c->setChecked(value);
        form->addRow(QString(), c);
        connect(c, &QCheckBox::toggled, this, [this, set](bool v) {
            set(v);
            changed();
        });
    };
    auto bindText = [&](const QString &label, const QString &name, const QString &value,
                        std::function<void(QString)> set, bool rebuild = true) {
        auto *e = new QLineEdit(value);
        e->setObjectName(name);
        form->addRow(label, e);
        connect(e, &QLineEdit::textEdited, this, [this, set, rebuild](const QString &v) {
            set(v);
            changed(rebuild);
        });
        return e;
    };

    Template &t = m_report.templ();
    Obj *o = selectedObject();
    Band *b = selectedBand();
    if (!m_hasSelection) {
        form->addRow(new QLabel(QStringLiteral("<b>Stránka</b>")));
        bindMm(QStringLiteral("Šířka"), QStringLiteral("PageWidth"), t.pageWidth,
               [&t](double v) { t.pageWidth = v; });
        bindMm(QStringLiteral("Výška"), QStringLiteral("PageHeight"), t.pageHeight,
               [&t](double v) { t.pageHeight = v; });
        bindCheck(QStringLiteral("Na šířku"), QStringLiteral("PageLandscape"), t.landscape,
                  [&t](bool v) { t.landscape = v; });
        bindMm(QStringLiteral("Okraj vlevo"), QStringLiteral("MarginLeft"), t.marginLeft,
               [&t](double v) { t.marginLeft = v; });
        bindMm(QStringLiteral("Okraj nahoře"), QStringLiteral("MarginTop"), t.marginTop,
               [&t](double v) { t.marginTop = v; });
        bindMm(QStringLiteral("Okraj vpravo"), QStringLiteral("MarginRight"), t.marginRight,
               [&t](double v) { t.marginRight = v; });
        bindMm(QStringLiteral("Okraj dole"), QStringLiteral("MarginBottom"), t.marginBottom,
               [&t](double v) { t.marginBottom = v; });
    } else if (o) {
        form->addRow(new QLabel(QStringLiteral("<b>%1</b>").arg(objectCaption(*o).toHtmlEscaped())));
        bindText(QStringLiteral("Jméno"), QStringLiteral("PropName"), o->name,
                 [o](const QString &v) { o->name = v; });
        if (o->kind == ObjKind::Line) {
            bindMm(QStringLiteral("X1"), QStringLiteral("PropX"), o->rect.left(),
                   [o](double v) { o->rect.setLeft(v); });
            bindMm(QStringLiteral("Y1"), QStringLiteral("PropY"), o->rect.top(),
                   [o](double v) { o->rect.setTop(v); });
            bindMm(QStringLiteral("X2"), QStringLiteral("PropX2"), o->rect.right(),
                   [o](double v) { o->rect.setRight(v); });
            bindMm(QStringLiteral("Y2"), QStringLiteral("PropY2"), o->rect.bottom(),
                   [o](double v) { o->rect.setBottom(v); });
        } else {
            bindMm(QStringLiteral("X"), QStringLiteral("PropX"), o->rect.x(),
                   [o](double v) { o->rect.moveLeft(v); });
            bindMm(QStringLiteral("Y"), QStringLiteral("PropY"), o->rect.y(),
                   [o](double v) { o->rect.moveTop(v); });
            bindMm(QStringLiteral("Šířka"), QStringLiteral("PropW"), o->rect.width(),
                   [o](double v) { o->rect.setWidth(v); });
            bindMm(QStringLiteral("Výška"), QStringLiteral("PropH"), o->rect.height(),
                   [o](double v) { o->rect.setHeight(v); });
        }
        if (o->kind == ObjKind::Text || o->kind == ObjKind::Barcode) {
            m_textEditor = new QPlainTextEdit(o->text);
            m_textEditor->setObjectName(QStringLiteral("PropText"));
            m_textEditor->setAccessibleName(QStringLiteral("Text nebo výraz"));
            m_textEditor->setMaximumHeight(90);
            form->addRow(QStringLiteral("Text / výraz"), m_textEditor);
            connect(m_textEditor, &QPlainTextEdit::textChanged, this, [this, o] {
                o->text = m_textEditor->toPlainText();
                changed();
                if (QTreeWidgetItem *item = m_tree->currentItem()) item->setText(0, objectCaption(*o));
            });
        }
        if (o->kind == ObjKind::Text) {
            auto *font = new QFontComboBox;
            font->setObjectName(QStringLiteral("PropFont"));
            font->setEditable(true);
            font->setCurrentText(o->fontFamily);
            form->addRow(QStringLiteral("Písmo"), font);
            connect(font, &QFontComboBox::currentTextChanged, this, [this, o](const QString &f) {
                o->fontFamily = f;
                changed();
            });
            auto *size = new QDoubleSpinBox;
            size->setObjectName(QStringLiteral("PropFontSize"));
            size->setRange(4, 72);
            size->setDecimals(1);
            size->setValue(o->fontSize);
            form->addRow(QStringLiteral("Velikost (pt)"), size);
            connect(size, &QDoubleSpinBox::valueChanged, this, [this, o](double v) {
                o->fontSize = v;
                changed();
            });
            bindCheck(QStringLiteral("Tučné"), QStringLiteral("PropBold"), o->bold,
                      [o](bool v) { o->bold = v; });
            bindCheck(QStringLiteral("Kurzíva"), QStringLiteral("PropItalic"), o->italic,
                      [o](bool v) { o->italic = v; });
            auto *align = new QComboBox;
            align->setObjectName(QStringLiteral("PropAlign"));
            align->addItems({QStringLiteral("vlevo"), QStringLiteral("na střed"), QStringLiteral("vpravo")});
            const Qt::Alignment h = o->align & Qt::AlignHorizontal_Mask;
            align->setCurrentIndex(h == Qt::AlignHCenter ? 1 : h == Qt::AlignRight ? 2 : 0);
            form->addRow(QStringLiteral("Zarovnání"), align);
            connect(align, &QComboBox::currentIndexChanged, this, [this, o](int i) {
                const Qt::Alignment hs[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
                o->align = (o->align & Qt::AlignVertical_Mask) | hs[i];
                changed();
            });
            auto *format = new QComboBox;
            format->setObjectName(QStringLiteral("PropFormat"));
            format->setEditable(true);
            format->addItems({QString(), QStringLiteral("### ###.00"), QStringLiteral("### ###.####"),
                              QStringLiteral("### ### ##0.00"), QStringLiteral("d.M.yyyy")});
            format->setCurrentText(o->format);
            form->addRow(QStringLiteral("Formát"), format);
            connect(format, &QComboBox::currentTextChanged, this, [this, o](const QString &f) {
                o->format = f;
                changed();
            });
            bindCheck(QStringLiteral("Zalamovat řádky"), QStringLiteral("PropWrap"), o->wrap,
                      [o](bool v) { o->wrap = v; });
            bindCheck(QStringLiteral("Může růst"), QStringLiteral("PropCanGrow"), o->canGrow,
                      [o](bool v) { o->canGrow = v; });
            bindText(
                QStringLiteral("Rámeček (l t r b)"), QStringLiteral("PropFrame"), o->frame,
                [o](const QString &v) { o->frame = v; }, false);
        }
        if (o->kind == ObjKind::Barcode) {
            auto *kind = new QComboBox;
            kind->setObjectName(QStringLiteral("PropBarcodeType"));
            kind->addItems({QStringLiteral("ean13"), QStringLiteral("ean8"), QStringLiteral("code128")});
            kind->setCurrentText(o->barcodeType);
            form->addRow(QStringLiteral("Druh kódu"), kind);
            connect(kind, &QComboBox::currentTextChanged, this, [this, o](const QString &k) {
                o->barcodeType = k;
                changed();
            });
            bindCheck(QStringLiteral("Zobrazit číslice"), QStringLiteral("PropShowText"), o->showText,
                      [o](bool v) { o->showText = v; });
        }
        if (o->kind == ObjKind::Image)
            bindText(QStringLiteral("Soubor"), QStringLiteral("PropFile"), o->text,
                     [o](const QString &v) { o->text = v; });
        if (o->kind == ObjKind::Line || o->kind == ObjKind::Rect) {
            auto *w = new QDoubleSpinBox;
            w->setObjectName(QStringLiteral("PropLineWidth"));
            w->setRange(0.05, 5);
            w->setSingleStep(0.1);
            w->setValue(o->lineWidth);
            form->addRow(QStringLiteral("Tloušťka (mm)"), w);
            connect(w, &QDoubleSpinBox::valueChanged, this, [this, o](double v) {
                o->lineWidth = v;
                changed();
            });
        }
    } else if (b) {
        form->addRow(new QLabel(QStringLiteral("<b>%1</b>").arg(bandKindCaption(b->kind))));
        bindMm(QStringLiteral("Výška"), QStringLiteral("PropBandHeight"), b->height,
               [b](double v) { b->height = v; });
        bindCheck(QStringLiteral("Může růst"), QStringLiteral("PropBandCanGrow"), b->canGrow,
                  [b](bool v) { b->canGrow = v; });
        if (b->kind == BandKind::GroupFooter)
            bindCheck(QStringLiteral("Držet s posledním řádkem skupiny"), QStringLiteral("PropKeepTogether"),
                      b->keepTogether, [b](bool v) { b->keepTogether = v; });
        if (b->kind == BandKind::GroupHeader || b->kind == BandKind::GroupFooter) {
            Group &g = t.groups[size_t(m_band.group)];
            bindText(
                QStringLiteral("Podmínka skupiny"), QStringLiteral("PropCondition"), g.condition,
                [&g](const QString &v) { g.condition = v; }, false);
        }
    }
    m_propsArea->setWidget(panel);
    m_props = panel;
}

void ReportDesigner::changed(bool rebuild) {
    m_modified = true;
    if (rebuild) rebuildTree();
    m_refresh->start();
}

void ReportDesigner::refreshPreview() {
    try {
        m_prepared = m_report.prepare();
        m_error.clear();
        m_status->setText(QStringLiteral("Stran: %1").arg(m_prepared.pageCount()));
    } catch (const ReportError &e) {
        m_prepared = PreparedReport();
        m_error = e.message();
        m_status->setText(m_error);
    }
    const QSizeF size = m_prepared.pageCount() ? m_prepared.pageSize : m_report.templ().pageSize();
    m_printer->setPageSize(QPageSize(size, QPageSize::Millimeter));
    m_printer->setFullPage(true);
    m_preview->updatePreview();
}

void ReportDesigner::select(const BandRef &band, int object) {
    m_hasSelection = true;
    m_band = band;
    m_object = object;
    rebuildTree();
}

void ReportDesigner::addBand(BandKind kind) {
    Template &t = m_report.templ();
    if (kind == BandKind::GroupHeader || kind == BandKind::GroupFooter) {
        Group g;
        g.condition = t.data ? QStringLiteral("%1.\"%2\"")
                                   .arg(t.dataSetName, m_report.data() && !m_report.data()->fields.isEmpty()
                                                           ? m_report.data()->fields.first()
                                                           : QStringLiteral("SLOUPEC"))
                             : QStringLiteral("SLOUPEC");
        g.header = Band{BandKind::GroupHeader, 6, false, false, {}};
        g.footer = Band{BandKind::GroupFooter, 6, false, true, {}};
        t.groups.push_back(g);
        select({BandKind::GroupHeader, int(t.groups.size()) - 1});
    } else {
        std::optional<Band> *slot = slotOf(t, {kind});
        if (!slot->has_value()) *slot = Band{kind, kind == BandKind::Data ? 6.0 : 10.0, false, false, {}};
        select({kind});
    }
    changed(true);
}

void ReportDesigner::addObject(ObjKind kind) {
    Band *b = selectedBand();
    if (!b) {
        m_status->setText(QStringLiteral("Nejprve vyberte pás, do kterého objekt patří."));
        return;
    }
    Obj o;
    o.kind = kind;
    o.rect =
        kind == ObjKind::Line
            ? QRectF(QPointF(0, 1), QPointF(m_report.templ().pageSize().width() -
                                                m_report.templ().marginLeft - m_report.templ().marginRight,
                                            1))
            : QRectF(0, 0, kind == ObjKind::Barcode ? 40 : 30, kind == ObjKind::Barcode ? 15 : 5);
    if (kind == ObjKind::Text) o.text = QStringLiteral("Text");
    if (kind == ObjKind::Barcode) {
        o.barcodeType = QStringLiteral("ean13");
        o.text = QStringLiteral("8590000000000");
    }
    b->objects.push_back(o);
    select(m_band, int(b->objects.size()) - 1);
    changed(true);
}

void ReportDesigner::removeSelected() {
    Template &t = m_report.templ();
    if (!m_hasSelection) return;
    if (m_object >= 0) {
        Band *b = selectedBand();
        if (!b) return;
        b->objects.erase(b->objects.begin() + m_object);
        m_object = -1;
    } else if (m_band.group >= 0) {
        t.groups.erase(t.groups.begin() + m_band.group);
        m_hasSelection = false;
    } else {
        slotOf(t, m_band)->reset();
        m_hasSelection = false;
    }
    changed(true);
}

void ReportDesigner::moveSelected(int delta) {
    Template &t = m_report.templ();
    if (!m_hasSelection) return;
    if (m_object >= 0) {
        Band *b = selectedBand();
        const int to = m_object + delta;
        if (!b || to < 0 || to >= int(b->objects.size())) return;
        std::swap(b->objects[size_t(m_object)], b->objects[size_t(to)]);
        m_object = to;
    } else if (m_band.group >= 0) {
        // a group moves outwards (up) or inwards (down) in the nesting
        const int to = m_band.group + delta;
        if (to < 0 || to >= int(t.groups.size())) return;
        std::swap(t.groups[size_t(m_band.group)], t.groups[size_t(to)]);
        m_band.group = to;
    } else {
        return;
    }
    changed(true);
}

void ReportDesigner::insertField(const QString &expression) {
    if (m_textEditor)
        m_textEditor->insertPlainText(expression);
    else
        m_status->setText(QStringLiteral("Vyberte textový objekt nebo čárový kód."));
}

bool ReportDesigner::applyXml(const QString &xml) {
    try {
        Template t = parseTemplate(xml.toUtf8(), m_path);
        m_report.setTemplate(t);
        m_hasSelection = false;
        changed(true);
        return true;
    } catch (const ReportError &e) {
        m_error = e.message();
        m_status->setText(m_error);
        return false;
    }
}

bool ReportDesigner::save() {
    try {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        writeTemplate(m_report.templ(), m_path);
        m_modified = false;
        m_status->setText(QStringLiteral("Uloženo do %1").arg(m_path));
        return true;
    } catch (const ReportError &e) {
        m_error = e.message();
        showErrorBox(this, m_error);
        return false;
    }
}

void ReportDesigner::reject() {
    if (m_modified) {
        const int answer =
            Dotaz(QStringLiteral("Návrh sestavy"))
                .ask(this, QStringLiteral("Šablona byla změněna. Uložit změny?"),
                     {QStringLiteral("Uložit"), QStringLiteral("Neukládat"), QStringLiteral("Zpět")},
                     MsgIcon::Question);
        if (answer == 1 && !save()) return;
        if (answer == 3 || answer == 0) return;
    }
    QDialog::reject();
}

} // namespace rpt
