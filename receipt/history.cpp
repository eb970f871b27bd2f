#include "receipt/history.h"

#include "common/helpers.h"
#include "common/vocabulary.h"

#include <QFile>
#include <QStringEncoder>

ItemHistory::ItemHistory(Db &db, const QString &workstationNumber, const QString &itemCode,
                         const QString &centreCode)
    : m_db(db), m_ws(workstationNumber), m_item(itemCode), m_centre(centreCode) {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_list.setColumns({
        {col::CISLODOKLA, QStringLiteral("Číslo dokladu"), 85},
        {QStringLiteral("TYP"), QStringLiteral("TYP"), 25, Qt::AlignHCenter | Qt::AlignVCenter,
         Qt::AlignHCenter | Qt::AlignVCenter},
        {col::DATUM, QStringLiteral("Datum"), 90, right, right},
        {col::MNOZ, QStringLiteral("Množství"), 70, right, right, fmt::quantity},
        {col::NC, col::NC, 80, right, right, fmt::money},
        {col::NAZEVPODNI, QStringLiteral("      Podnik"), 150},
    });
}

QString ItemHistory::table() const {
    return scratchTable(m_ws, QStringLiteral("histo"));
}

void ItemHistory::build() {
    m_loaded = false;
    const QString i = quoted(m_item), c = quoted(m_centre);
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + table());
    m_db.exec(SqlText{QStringLiteral("CREATE TABLE ") + table(),
                      QStringLiteral("select r.CISLODOKLA,\"P\" as "
                                     "TYP,h.DATUM,r.MNOZ,r.NC,r.ZUSTATEK,r.STREDISKO,h.NAZEVPODNI,r.NAZEV "
                                     "from prirad r, prijem h"),
                      QStringLiteral(" where (h.CISLODOKLA=r.CISLODOKLA) and r.JKPOV=") + i +
                          QStringLiteral(" and r.stredisko=") + c});
    m_db.exec(
        SqlText{QStringLiteral("insert into ") + table(),
                QStringLiteral("select cisuctenky,\"U\",DATUM,MNOZ,NC,0,STREDISKO,\"\",nazev from uctenky"),
                QStringLiteral(" where JKPOV=") + i + QStringLiteral(" and stredisko=") + c});
    m_db.exec(
        SqlText{QStringLiteral("insert into ") + table(),
                QStringLiteral(
                    "select r.CISLODOKLA,\"V\" as TYP,h.DATUM,r.MNOZ,r.NC,0,r.STREDISKO,h.NAZEVPODNI,r.nazev "
                    "from dlrad r, dl h"),
                QStringLiteral(" where (h.CISLODOKLA=r.CISLODOKLA) and r.JKPOV=") + i +
                    QStringLiteral(" and r.stredisko=") + c});
    m_totals.clear();
    const RowSet sums = m_db.select(SqlText{QStringLiteral("select typ,sum(mnoz) as summa from ") + table(),
                                            QStringLiteral(" group by typ")});
    for (const auto &row : sums.rows) {
        const QString kind = row[0].toString();
        if (!kind.isEmpty())
            m_totals.insert(kind.at(0), QString::number(RoundDecimals(4, row[1].toDouble()), 'g', 15)
                                            .replace(QLatin1Char('.'), QLatin1Char(',')));
    }
}

SqlText ItemHistory::filterStatement(bool receipts, bool deliveries, bool tills, bool fromDate,
                                     const QDate &date) const {
    SqlText sql;
    sql << QStringLiteral("select * from ") + table();
    QString condition = QStringLiteral(" where (TYP=\"X\"");
    if (receipts) condition += QStringLiteral(" OR TYP=\"P\"");
    if (deliveries) condition += QStringLiteral(" OR TYP=\"V\"");
    if (tills) condition += QStringLiteral(" OR TYP=\"U\"");
    sql << condition + QStringLiteral(")");
    if (fromDate) sql << QStringLiteral(" and datum>=") + quoted(DateToSqlText(date));
    sql << QStringLiteral(" ORDER BY DATUM,cislodokla");
    return sql;
}

void ItemHistory::filter(bool receipts, bool deliveries, bool tills, bool fromDate, const QDate &date) {
    const SqlText statement = filterStatement(receipts, deliveries, tills, fromDate, date);
    QFile a(QStringLiteral("a.txt"));
    if (a.open(QIODevice::WriteOnly | QIODevice::Truncate))
        a.write(QStringEncoder("windows-1250")(statement.text()));
    if (!m_loaded) {
        m_all = m_db.select(filterStatement(true, true, true, false, {}));
        m_loaded = true;
    }
    RowSet shown;
    shown.fields = m_all.fields;
    shown.tables = m_all.tables;
    shown.types = m_all.types;
    const int typ = m_all.fieldIndex(QStringLiteral("TYP"));
    const int datum = m_all.fieldIndex(col::DATUM);
    for (const auto &row : m_all.rows) {
        const QString kind = row[size_t(typ)].toString();
        const bool wanted = (receipts && kind == QLatin1String("P")) ||
                            (deliveries && kind == QLatin1String("V")) ||
                            (tills && kind == QLatin1String("U"));
        if (!wanted) continue;
        if (fromDate && (row[size_t(datum)].isNull() || row[size_t(datum)].toDate() < date)) continue;
        shown.rows.push_back(row);
    }
    m_list.setRowSet(std::move(shown));
}

void ItemHistory::drop() {
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + table());
}
