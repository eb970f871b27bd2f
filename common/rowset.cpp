#include "common/rowset.h"

#include "common/numfmt.h"

#include <QCollator>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <numeric>

RowSet RowSet::fromQuery(QSqlQuery &q) {
    RowSet rs;
    const QSqlRecord rec = q.record();
    const int n = rec.count();
    for (int i = 0; i < n; ++i) {
        rs.fields << rec.fieldName(i);
        rs.tables << rec.field(i).tableName();
        rs.types.push_back(rec.field(i).metaType().id());
    }
    if (q.size() > 0) rs.rows.reserve(size_t(q.size()));
    while (q.next()) {
        std::vector<QVariant> row;
        row.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            row.push_back(q.value(i));
        rs.rows.push_back(std::move(row));
    }
    return rs;
}

int RowSet::fieldIndex(const QString &name) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int RowSet::qualifiedFieldIndex(const QString &name) const {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0) return fieldIndex(name);
    const QString table = name.left(dot);
    const QString field = name.mid(dot + 1);
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).compare(field, Qt::CaseInsensitive) == 0 &&
            tables.value(i).compare(table, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant RowSet::value(int row, const QString &field) const {
    const int f = fieldIndex(field);
    if (f < 0 || row < 0 || row >= rowCount()) return {};
    return rows[size_t(row)][size_t(f)];
}

RecordModel::RecordModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordModel::setColumns(const QList<ColumnSpec> &columns) {
    beginResetModel();
    m_columns = columns;
    m_columnFields.clear();
    for (const ColumnSpec &c : m_columns)
        m_columnFields.push_back(m_rows.fieldIndex(c.field));
    endResetModel();
}

int RecordModel::columnOf(const QString &field) const {
    if (m_columns.isEmpty()) return m_rows.fieldIndex(field);
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int RecordModel::fieldOfColumn(int column) const {
    if (m_columns.isEmpty()) return column;
    return column >= 0 && size_t(column) < m_columnFields.size() ? m_columnFields[size_t(column)] : -1;
}

void RecordModel::setRowSet(RowSet rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_open = true;
    m_columnFields.clear();
    for (const ColumnSpec &c : m_columns)
        m_columnFields.push_back(m_rows.fieldIndex(c.field));
    applySort();
    endResetModel();
}

void RecordModel::close() {
    beginResetModel();
    m_rows.rows.clear();
    m_order.clear();
    m_open = false;
    endResetModel();
}

void RecordModel::sortByField(const QString &field) {
    beginResetModel();
    m_sortField = field;
    applySort();
    endResetModel();
}

void RecordModel::applySort() {
    m_order.resize(m_rows.rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    const int f = m_rows.fieldIndex(m_sortField);
    if (f < 0) return;
    const auto &rows = m_rows.rows;
    const int type = m_rows.types[size_t(f)];
    auto isNull = [&](int r) { return rows[size_t(r)][size_t(f)].isNull(); };
    const bool textual = type == QMetaType::QString || type == QMetaType::QByteArray;
    if (textual) {
        // Collate each distinct text once, then sort the rows by its rank.
        QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        QHash<QString, int> index;
        std::vector<QString> distinct;
        std::vector<int> rowValue(rows.size());
        for (size_t r = 0; r < rows.size(); ++r) {
            const QString text = rows[r][size_t(f)].toString();
            auto it = index.constFind(text);
            if (it == index.cend()) {
                it = index.insert(text, int(distinct.size()));
                distinct.push_back(text);
            }
            rowValue[r] = *it;
        }
        std::vector<QCollatorSortKey> keys;
        keys.reserve(distinct.size());
        for (const QString &text : distinct)
            keys.push_back(collator.sortKey(text));
        std::vector<int> byText(distinct.size());
        std::iota(byText.begin(), byText.end(), 0);
        std::sort(byText.begin(), byText.end(),
                  [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
        std::vector<int> rank(distinct.size());
        for (size_t i = 0; i < byText.size(); ++i)
            rank[size_t(byText[i])] = int(i);
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            const bool na = isNull(a), nb = isNull(b);
            if (na || nb) return na && !nb;
            return rank[size_t(rowValue[size_t(a)])] < rank[size_t(rowValue[size_t(b)])];
        });
    } else if (type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime) {
        std::vector<qint64> keys;
        keys.reserve(rows.size());
        for (const auto &row : rows) {
            const QVariant &v = row[size_t(f)];
            keys.push_back(type == QMetaType::QDate   ? v.toDate().toJulianDay()
                           : type == QMetaType::QTime ? v.toTime().msecsSinceStartOfDay()
                                                      : v.toDateTime().toMSecsSinceEpoch());
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            const bool na = isNull(a), nb = isNull(b);
            if (na || nb) return na && !nb;
            return keys[size_t(a)] < keys[size_t(b)];
        });
    } else {
        std::vector<double> keys;
        keys.reserve(rows.size());
        for (const auto &row : rows)
            keys.push_back(row[size_t(f)].toDouble());
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            const bool na = isNull(a), nb = isNull(b);
            if (na || nb) return na && !nb;
            return keys[size_t(a)] < keys[size_t(b)];
        });
    }
}

QVariant RecordModel::value(int row, const QString &field) const {
    if (row < 0 || row >= rowCount()) return {};
    return m_rows.value(sourceRow(row), field);
}

int RecordModel::rowOfSource(int source) const {
    const auto it = std::find(m_order.begin(), m_order.end(), source);
    return it == m_order.end() ? -1 : int(it - m_order.begin());
}

QString RecordModel::displayText(int row, int column) const {
    const int f = fieldOfColumn(column);
    if (row < 0 || row >= rowCount() || f < 0) return {};
    const QString pattern = m_columns.isEmpty() ? QString() : m_columns.at(column).pattern;
    return displayValue(m_rows.rows[size_t(sourceRow(row))][size_t(f)], pattern);
}

int RecordModel::locate(const QString &field, const QVariant &value) const {
    const int f = m_rows.fieldIndex(field);
    if (f < 0) return -1;
    for (int r = 0; r < rowCount(); ++r) {
        const QVariant &v = m_rows.rows[size_t(sourceRow(r))][size_t(f)];
        if (!v.isNull() && v.toString() == value.toString()) return r;
    }
    return -1;
}

int RecordModel::find(const QString &field, const QString &text, bool partial, int from) const {
    const int column = columnOf(field);
    if (column < 0 || text.isEmpty()) return -1;
    for (int r = std::max(0, from); r < rowCount(); ++r) {
        const QString shown = displayText(r, column);
        if (partial ? shown.contains(text, Qt::CaseInsensitive)
                    : shown.compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

int RecordModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_order.size());
}

int RecordModel::columnCount(const QModelIndex &parent) const {
    if (parent.isValid()) return 0;
    return m_columns.isEmpty() ? int(m_rows.fields.size()) : int(m_columns.size());
}

QVariant RecordModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return displayText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        if (!m_columns.isEmpty() && m_columns.at(index.column()).alignment != Qt::Alignment())
            return QVariant::fromValue(m_columns.at(index.column()).alignment);
        const int f = fieldOfColumn(index.column());
        const int type = f >= 0 ? m_rows.types[size_t(f)] : QMetaType::QString;
        const bool numeric = type == QMetaType::Double || type == QMetaType::Int ||
                             type == QMetaType::LongLong || type == QMetaType::UInt ||
                             type == QMetaType::ULongLong || type == QMetaType::Short ||
                             type == QMetaType::UShort || type == QMetaType::Float ||
                             type == QMetaType::Char || type == QMetaType::SChar || type == QMetaType::UChar;
        return QVariant::fromValue(numeric ? Qt::AlignRight | Qt::AlignVCenter
                                           : Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) {
        if (m_columns.isEmpty()) return m_rows.fields.value(section);
        const ColumnSpec &c = m_columns.at(section);
        return c.caption.isEmpty() ? c.field : c.caption;
    }
    if (role == Qt::TextAlignmentRole && !m_columns.isEmpty())
        return QVariant::fromValue(m_columns.at(section).titleAlignment);
    return {};
}
