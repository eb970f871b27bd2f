#pragma once
// "Hledat": searches one column of a list by whole value or by a part of it and moves the list
// to the row found. The list follows while the user types; "OK" keeps the row, "Zrušit" goes
// back to where the list stood.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QLabel;
class QTableView;
class RecordModel;

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(const RecordModel &model, const QString &field, int startRow, QWidget *parent = nullptr);

    void setPartial(bool partial);
    bool partial() const;
    int foundRow() const { return m_row; }

    // Shows the dialog modally; returns the row the user accepted, or startRow when cancelled.
    static int run(const RecordModel &model, const QString &field, int startRow, bool partial,
                   QWidget *parent, const std::function<void(int)> &moved = {});
    // The pickers' search: substring mode, the dialog at screen position `at`, the grid's current
    // row following every row found.
    static int inGrid(QTableView *grid, const RecordModel &model, const QString &field, const QPoint &at);

signals:
    // The list should stand on this row now.
    void rowFound(int row);

private:
    void search(int from);

    const RecordModel &m_model;
    QString m_field;
    int m_startRow;
    int m_row;
    QLineEdit *m_edit;
    QCheckBox *m_partial;
    QLabel *m_status;
};
