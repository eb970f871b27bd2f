#pragma once
// The receipt journal of the main window: the statement of the receipts of the current centre
// with its year and filter conditions, the lines of the receipt under the cursor, sorting,
// the refusal to correct a posted receipt and the centre list.

#include "common/database.h"
#include "common/rowset.h"
#include "common/sqltext.h"

#include <optional>

class Journal {
public:
    explicit Journal(Db &db);

    RecordModel &headers() { return m_headers; }
    RecordModel &lines() { return m_lines; }
    const RecordModel &headers() const { return m_headers; }
    const RecordModel &lines() const { return m_lines; }

    // Filters and the centre; set by the window before UdelejSQL.
    QString stredisko = QStringLiteral("777");
    QString postingFilter = QStringLiteral("DL"); // "DL", "FA", "VSE"
    QString sourceFilter = QStringLiteral("VSE"); // "FA", "VP", "VSE"
    int yearIndex = 0;                            // index in the year list; -1 when typed
    QString yearText = QStringLiteral("Vše");     // text of the year list
    bool suppressLines = false;

    static const QStringList &yearItems();

    // The journal statement as the current filters give it.
    SqlText journalStatement() const;
    // Rebuilds and reopens the journal; the cursor goes to the first row and its lines are
    // loaded. On a database error the journal stays closed and the error is thrown.
    void UdelejSQL();
    // Reopens the journal with its last statement.
    void refresh();
    // Refreshes and moves to the receipt with this number (no move when it is not listed).
    void refreshAndLocate(qint64 number);

    int current() const { return m_current; }
    // Moves the cursor; the lines follow.
    void setCurrent(int row);
    // Reloads the lines of the receipt under the cursor (closed while suppressLines is set).
    void ZQuery1AfterScroll();
    SqlText linesStatement() const;

    // Sorts by a field in the program; the cursor stays on its receipt.
    void sortBy(const QString &field);

    // Number of the receipt under the cursor; empty on an empty journal.
    std::optional<qint64> currentNumber() const;
    // The receipt under the cursor was posted and must not be corrected.
    bool currentIsPosted() const;
    static bool isPostedForCorrection(const QVariant &datumzauct);

    // Centre codes for the centre choice, in ascending text order.
    QStringList centreCodes();
    // Main-centre rule of the catalogue: with a main centre configured, only it may maintain it.
    static bool catalogueAllowed(const QString &hlavniStredisko, const QString &stredisko);

    static QList<ColumnSpec> journalColumns();
    static QList<ColumnSpec> lineColumns();

private:
    void open(const QString &statement);

    Db &m_db;
    RecordModel m_headers;
    RecordModel m_lines;
    QString m_lastStatement;
    int m_current = -1;
};
