#pragma once
// The template editor: a tree of the bands and their objects, a property panel, the data set's
// columns and the variables to insert, a live preview from the current data, the XML source,
// and save. Views read and change the one template through BandRef/ObjectRef addresses, so a
// drawing canvas can be added as one more view.

#include "platform/report/engine.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPrinter;
class QScrollArea;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace rpt {

// Address of a band in a template.
struct BandRef {
    BandKind kind = BandKind::Data;
    int group = -1; // group headers and footers
    bool operator==(const BandRef &o) const { return kind == o.kind && group == o.group; }
};
Band *resolve(Template &t, const BandRef &ref);
std::optional<Band> *slotOf(Template &t, const BandRef &ref);

class ReportDesigner : public QDialog {
    Q_OBJECT
public:
    ReportDesigner(Report &report, const QString &path, QWidget *parent = nullptr);
    ~ReportDesigner() override;

    // Editing operations (the toolbar's buttons call these; tests too).
    void addBand(BandKind kind);
    void addObject(ObjKind kind);
    void removeSelected();
    void moveSelected(int delta);
    bool save();
    void select(const BandRef &band, int object = -1);
    void insertField(const QString &expression);
    // The XML view's text is parsed and replaces the template.
    bool applyXml(const QString &xml);

    Template &templ() { return m_report.templ(); }
    QTreeWidget *tree() const { return m_tree; }
    QWidget *properties() const { return m_props; }
    QString lastError() const { return m_error; }
    int previewPages() const { return m_prepared.pageCount(); }
    bool isModified() const { return m_modified; }

    // Closes the editor; asks whether to save unsaved changes.
    void reject() override;

private:
    void rebuildTree();
    void buildProperties();
    void changed(bool rebuild = false);
    void refreshPreview();
    Obj *selectedObject();
    Band *selectedBand();

    Report &m_report;
    QString m_path;
    QTreeWidget *m_tree;
    QScrollArea *m_propsArea;
    QWidget *m_props = nullptr;
    QListWidget *m_fields;
    QTabWidget *m_tabs;
    QPrintPreviewWidget *m_preview;
    QPrinter *m_printer;
    QPlainTextEdit *m_xml;
    QLabel *m_status;
    QTimer *m_refresh;
    PreparedReport m_prepared;
    QString m_error;
    BandRef m_band;
    int m_object = -1;
    bool m_hasSelection = false;
    bool m_modified = false;
    QPlainTextEdit *m_textEditor = nullptr;
};

} // namespace rpt
