#include "platform/gridview.h"

#include "common/rowset.h"

#include <QHeaderView>
#include <QTableView>

void configureGrid(QTableView *grid, RecordModel *model) {
    grid->setModel(model);
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
        if (columns.at(i).width > 0)
            grid->setColumnWidth(i, columns.at(i).width);
}
