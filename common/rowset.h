#pragma once
// A query's result held in memory, and the table model the grids show it through. The model
// sorts in the program (Czech collation for text) and keeps its sort across re-openings.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <vector>

class QSqlQuery;

struct RowSet {
    QStringList fields;
    QStringList tables;     // table of each field where the server names one (joins)
    std::vector<int> types; // QMetaType ids
    std::vector<std::vector<QVariant>> rows;

    static RowSet fromQuery(QSqlQuery &q);
    int fieldIndex(const QString &name) const; // without regard to case; -1 when absent
    // "table.FIELD" picks the field of that table, a plain name the first field of that name.
    int qualifiedFieldIndex(const QString &name) const;
    int rowCount() const { return int(rows.size()); }
    QVariant value(int row, const QString &field) const;
};

struct ColumnSpec {
    QString field;
    QString caption; // empty: the field name
    int width = -1;  // pixels; -1: the grid's default
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment alignment = {}; // empty: numbers right, the rest left
    QString pattern;              // display pattern of numbers
};

class RecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordModel(QObject *parent = nullptr);

    // Columns the grid shows; without any, every field of the result is shown.
    void setColumns(const QList<ColumnSpec> &columns);
    const QList<ColumnSpec> &columns() const { return m_columns; }
    int columnOf(const QString &field) const;

    // Opens the model on a result; the current sort is applied.
    void setRowSet(RowSet rows);
    // Closed: no result at all.
    void close();
    bool isOpen() const { return m_open; }
    const RowSet &rowSet() const { return m_rows; }

    // Sorts ascending by a field; stays in force for later results until changed.
    void sortByField(const QString &field);
    const QString &sortField() const { return m_sortField; }

    QVariant value(int row, const QString &field) const;
    // Position of a result row in the sorted order, and back.
    int rowOfSource(int source) const;
    int sourceOfRow(int row) const { return row >= 0 && row < rowCount() ? sourceRow(row) : -1; }
    QString displayText(int row, int column) const;
    // Row whose field equals value (exact), or -1.
    int locate(const QString &field, const QVariant &value) const;
    // Row from `from` on whose shown text equals text or, with partial, contains it
    // (without regard to case); -1 when none.
    int find(const QString &field, const QString &text, bool partial, int from = 0) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void applySort();
    int sourceRow(int row) const { return m_order[size_t(row)]; }
    int fieldOfColumn(int column) const;

    QList<ColumnSpec> m_columns;
    std::vector<int> m_columnFields; // column -> field index in m_rows
    RowSet m_rows;
    std::vector<int> m_order; // shown row -> row of m_rows
    QString m_sortField;
    bool m_open = false;
};
