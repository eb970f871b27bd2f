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
    // Shows the rows of the filter. The statement is written to a.txt in the working directory;
    // the scratch table is read once per build and the filter applied to those rows in the
    // program, which gives the statement's rows in its order without another round trip.
    void filter(bool receipts, bool deliveries, bool tills, bool fromDate, const QDate &date);
    RecordModel &list() { return m_list; }
    void drop();

private:
    Db &m_db;
    QString m_ws, m_item, m_centre;
    QMap<QChar, QString> m_totals;
    RowSet m_all; // every movement, ordered by date and number
    bool m_loaded = false;
    RecordModel m_list;
};
