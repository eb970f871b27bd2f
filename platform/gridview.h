#pragma once
// Read-only grid over a RecordModel: the model's column widths, whole-row selection, one row.

class QTableView;
class RecordModel;

void configureGrid(QTableView *grid, RecordModel *model);
