#pragma once
// The movement history of one item in one centre: receipts (P), delivery notes (V) and till
// receipts (U) gathered into the workstation's scratch table, totals per kind, and the list
// filtered by kinds and a starting date.

#include "common/database.h"
#include "common/rowset.h"
#include "common/sqltext.h"

#include <QDate>
#include <QMap>

class ItemHistory {
public:
    ItemHistory(Db &db, const QString &workstationNumber, const QString &itemCode, const QString &centreCode);

    QString table() const;
    // Builds the scratch table and reads the totals (the whole history, whatever the filters).
    void build();
    // "0" for a kind without rows.
    QString total(QChar kind) const { return m_totals.value(kind, QStringLiteral("0")); }
    SqlText filterStatement(bool receipts, bool deliveries, bool tills, bool fromDate,
                            const QDate &date) const;
    // Opens the list with the statement, after writing it to a.txt in the working directory.
    void open(const SqlText &statement);
    RecordModel &list() { return m_list; }
    void drop();

private:
    Db &m_db;
    QString m_ws, m_item, m_centre;
    QMap<QChar, QString> m_totals;
    RecordModel m_list;
};
