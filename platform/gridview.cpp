#include "platform/gridview.h"

#include "common/rowset.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
// Cells drawn like a classic data grid: two pixels of margin, text clipped rather than elided,
// so the column widths given in pixels show whole dates and numbers.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QRect r = opt.rect.adjusted(2, 0, -2, 0);
        painter->save();
        painter->setClipRect(opt.rect);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->setPen(
            opt.palette.color(opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                              selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(opt.font);
        painter->drawText(r, int(opt.displayAlignment) | Qt::TextSingleLine, text);
        painter->restore();
    }
};
} // namespace

void configureGrid(QTableView *grid, RecordModel *model) {
    grid->setModel(model);
    grid->setItemDelegate(new CellDelegate(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSortingEnabled(false);
    grid->setWordWrap(false);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setStretchLastSection(false);
    const auto &columns = model->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).width > 0) grid->setColumnWidth(i, columns.at(i).width);
}
