#pragma once
// One receipt being entered or corrected: its scratch tables, the item lookup of line entry,
// the quantity, price and stock rules, the totals by VAT rate and the save with its checks and
// numbering. The editor window drives it; tests drive it directly against the database.

#include "common/database.h"
#include "common/rowset.h"

#include <QDateTime>
#include <QHash>
#include <functional>
#include <optional>

// Where the editor puts the focus after a refused step.
enum class Focus { None, Entry, Quantity, Price, Date, Grid, Ico };

// A refusal: the message for the editor's message box and where the focus goes afterwards.
struct Refusal {
    QString text;
    Focus focus = Focus::None;
    QStringList buttons{QStringLiteral("OK")};
};

// One line as the line panel edits it (the columns of prirad).
struct ReceiptLine {
    int id = 0;
    qint64 cislodokla = 0;
    QString stredisko, jkpov, nazev, mj, ean, polozka;
    double mnoz = 0, nc = 0, cenar = 0, zustatek = 0;
    int dph = 0;
    QDateTime kdy;
    bool isNew = true; // added, not yet written
};

// What the entry field found.
struct ItemLookup {
    QString mapped;                 // the field's text after keyboard-row mapping
    std::optional<Refusal> refused; // "Položka nenalezena."
    std::optional<double> quantity; // from a prefix before the "°°" marker
    double pc = 0, pcsd = 0;        // sale prices for the display fields
};

struct Totals {
    double s0 = 0, sS = 0, sN = 0, sV = 0;
    static QString text(double v); // "1 234,50"
};

class ReceiptDocument {
public:
    ReceiptDocument(Db &db, const QString &cisloPC, const QString &stredisko);

    const QString &cisloPC() const { return m_ws; }
    const QString &stredisko() const { return m_stredisko; }
    QString headerTable() const;
    QString linesTable() const;

    // Preparing: empty scratch tables and a new header row, or a copy of receipt `number`.
    void PripravNovy(const QDateTime &now = QDateTime::currentDateTime());
    void PripravOprava(qint64 number);
    // The address list and the quick-number list used by the lookups; progress gets the busy
    // window's text before each step.
    void nactiCiselniky(const std::function<void(const QString &)> &progress = {});

    // Header row (columns of prijem). Changes stay in memory until postHeader().
    QVariant header(const QString &column) const;
    void setHeader(const QString &column, const QVariant &value);
    void postHeader();

    // Leaving "IČO" or "Čís.dokladu dodavatele": the supplier of this IČO (exact, whole value)
    // in the address list read when the receipt was prepared; its name and address go into the
    // header. Refused with "IČO nenalezeno." otherwise.
    std::optional<Refusal> checkIco(const QString &ico);

    // Lines as the grid shows them, read from the scratch table.
    RecordModel &lines() { return m_lines; }
    void reloadLines();
    int lineCount() const { return m_lines.rowCount(); }
    ReceiptLine line(int row) const;

    // "Přidat": a new line with centre, number and stock-card key.
    ReceiptLine newLine(const QDateTime &now = QDateTime::currentDateTime());
    // Already issued from: refused for correction and deletion.
    static bool issuedFrom(const ReceiptLine &l) { return l.zustatek != l.mnoz; }
    std::optional<Refusal> canCorrect(const ReceiptLine &l) const;
    std::optional<Refusal> canDelete(const ReceiptLine &l) const;
    void deleteLine(const ReceiptLine &l);
    // Sale prices of the line's item for "Opravit" (false when the item is gone).
    bool salePrices(const QString &jkpov, double &pc, double &pcsd);

    // Leaving "Vstup": fills the line from the catalogue or refuses.
    ItemLookup lookup(const QString &entryText, ReceiptLine &l);
    // Leaving "Množství" or "NC": rounding always; with checks, the stock rules of returns and
    // the line total.
    void roundLine(ReceiptLine &l) const;
    std::optional<Refusal> processQuantity(ReceiptLine &l);
    // "Zapsat": the checks, then ZUSTATEK, KDY and the row in the scratch table.
    std::optional<Refusal> writeLine(ReceiptLine &l, const QDateTime &now = QDateTime::currentDateTime());

    Totals SoucetD() const;

    // "Uložit": the checks in their order, the number for a new receipt and the script in one
    // transaction. A refusal leaves everything as it was; a database error is thrown after the
    // transaction was rolled back, with the scratch tables intact for another try.
    std::optional<Refusal> save(const QString &editMode, qint64 &documentNumber);
    // Number for a new receipt dated `datum` (also used by tests).
    qint64 nextNumber(const QDate &datum);
    static std::optional<qint64> numberBase(const QDate &datum, const QString &stredisko);

    // Drops the scratch tables.
    void FormClose();

    const QHash<QString, QString> &quickNumbers() const { return m_quick; }
    const RowSet &addresses() const { return m_addresses; }

private:
    void readHeader();
    QString lineKeyCondition(const ReceiptLine &l) const;

    Db &m_db;
    QString m_ws;
    QString m_stredisko;
    RowSet m_header;
    RecordModel m_lines;
    QHash<QString, QString> m_quick; // quick number (as a number) -> item code
    RowSet m_addresses;
    QString m_lastPolozka;
};

QString polozkaKey(const QString &cisloPC, const QDateTime &t);
