#include "app/journal.h"

#include "common/vocabulary.h"

#include <QDateTime>

Journal::Journal(Db &db) : m_db(db) {
    m_headers.setColumns(journalColumns());
    m_lines.setColumns(lineColumns());
}

const QStringList &Journal::yearItems() {
    static const QStringList items{QStringLiteral("Vše"), QStringLiteral("2015"), QStringLiteral("2014"),
                                   QStringLiteral("2013"), QStringLiteral("2012")};
    return items;
}

QList<ColumnSpec> Journal::journalColumns() {
    return {
        {col::CISLODOKLA, QStringLiteral("Číslo dokladu"), 100},
        {col::STREDISKO, QStringLiteral("Středisko"), 50},
        {col::DATUM, QStringLiteral("Datum"), 60},
        {col::CIDODODAV, QStringLiteral("Č.dokl.dodav."), 60},
        {col::ICO, QStringLiteral("IČO"), 55},
        {col::NAZEVPODNI, QStringLiteral("Název podniku"), 180},
        {col::SIDLO, QStringLiteral("Sídlo"), 180},
        {col::ULICECISLO, QStringLiteral("Ulice"), 180},
        {col::PSC, QStringLiteral("PSČ"), 50},
        {col::POSTA, QStringLiteral("Pošta"), 150},
        {col::VNITRO, QStringLiteral("Vnitro doklad"), 75},
        {col::MESIC, QStringLiteral("Měsíc"), 45},
        {col::ROK, QStringLiteral("Rok"), 40},
        {col::DATUMZAUCT, QStringLiteral("Zaúčtováno"), 110},
    };
}

QList<ColumnSpec> Journal::lineColumns() {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {col::JKPOV, QStringLiteral("JKP"), 100},
        {col::NAZEV, QStringLiteral("   Název"), 250},
        {col::MNOZ, QStringLiteral("Množství"), 60, right, {}, fmt::quantity},
        {col::MJ, col::MJ, 25, Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignHCenter | Qt::AlignVCenter},
        {col::NC, col::NC, 80, right, {}, fmt::money},
        {col::CENAR, QStringLiteral("Celkem"), 90, right, {}, fmt::money},
    };
}

SqlText Journal::journalStatement() const {
    SqlText sql;
    sql << QStringLiteral("select * from prijem");
    sql << QStringLiteral(" where stredisko = ") + quoted(stredisko);
    // A year picked from the list, or typed in as a four-digit year.
    const bool typedYear = yearIndex < 0 && yearText.size() == 4 &&
                           std::all_of(yearText.begin(), yearText.end(), [](QChar c) { return c.isDigit(); });
    if (yearIndex > 0 || typedYear) sql << QStringLiteral(" AND year(datum) = ") + quoted(yearText);
    if (postingFilter == QLatin1String("DL"))
        sql << QStringLiteral(" AND (DATE(datumzauct) < \"2002-11-11\" or datumzauct is null)");
    if (postingFilter == QLatin1String("FA")) sql << QStringLiteral(" AND DATE(datumzauct) > \"2011-11-11\"");
    if (sourceFilter == QLatin1String("VP")) sql << QStringLiteral(" AND LENGTH(ICO) < 4");
    if (sourceFilter == QLatin1String("FA")) sql << QStringLiteral(" AND LENGTH(ICO) > 3");
    sql << QStringLiteral(" order by cislodokla");
    return sql;
}

void Journal::open(const QString &statement) {
    m_headers.close();
    m_lines.close();
    m_current = -1;
    m_lastStatement = statement;
    m_headers.setRowSet(m_db.select(statement));
    if (m_headers.rowCount() > 0) setCurrent(0);
}

void Journal::UdelejSQL() {
    open(journalStatement());
}

void Journal::refresh() {
    open(m_lastStatement.isEmpty() ? journalStatement().text() : m_lastStatement);
}

void Journal::refreshAndLocate(qint64 number) {
    refresh();
    const int row = m_headers.locate(col::CISLODOKLA, number);
    if (row >= 0) m_current = row;
    ZQuery1AfterScroll();
}

void Journal::setCurrent(int row) {
    if (row < 0 || row >= m_headers.rowCount()) return;
    m_current = row;
    ZQuery1AfterScroll();
}

SqlText Journal::linesStatement() const {
    const QVariant number = m_headers.value(m_current, col::CISLODOKLA);
    return SqlText{QStringLiteral("select * from prirad"),
                   QStringLiteral(" where cislodokla = ") +
                       quoted(number.isNull() ? QString() : number.toString())};
}

void Journal::ZQuery1AfterScroll() {
    m_lines.close();
    if (suppressLines || !m_headers.isOpen()) return;
    m_lines.setRowSet(m_db.select(linesStatement()));
}

void Journal::sortBy(const QString &field) {
    const int source = m_headers.sourceOfRow(m_current);
    m_headers.sortByField(field);
    if (source >= 0) m_current = m_headers.rowOfSource(source);
}

std::optional<qint64> Journal::currentNumber() const {
    const QVariant v = m_headers.value(m_current, col::CISLODOKLA);
    if (v.isNull()) return std::nullopt;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

bool Journal::isPostedForCorrection(const QVariant &datumzauct) {
    // a missing posting time counts as the zero date 30.12.1899
    const QDateTime dt =
        datumzauct.isNull() ? QDateTime(QDate(1899, 12, 30), QTime(0, 0)) : datumzauct.toDateTime();
    return dt.toString(QStringLiteral("yyyyMMdd")) > QLatin1String("19991111");
}

bool Journal::currentIsPosted() const {
    return isPostedForCorrection(m_headers.value(m_current, col::DATUMZAUCT));
}

QStringList Journal::centreCodes() {
    const RowSet rs = m_db.select(
        SqlText{QStringLiteral("select stredisko from strediska"), QStringLiteral(" order by stredisko")});
    QStringList codes;
    for (const auto &row : rs.rows)
        codes << row[0].toString();
    return codes;
}

bool Journal::catalogueAllowed(const QString &hlavniStredisko, const QString &stredisko) {
    return hlavniStredisko.isEmpty() || hlavniStredisko == stredisko;
}
