#include "receipt/receiptdoc.h"

#include "common/helpers.h"
#include "common/numfmt.h"
#include "common/sqltext.h"
#include "common/vocabulary.h"

namespace {
QString sqlValue(const QVariant &v) {
    if (!v.isValid() || v.isNull()) return QStringLiteral("NULL");
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return quoted(v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    case QMetaType::QDateTime:
        return quoted(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlNumber(v.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlNumber(v.toLongLong());
    default:
        return quoted(v.toString());
    }
}

// A text in single quotes as the messages show it.
QString shownQuoted(const QString &s) {
    return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// The shortest plain decimal form with a decimal comma: 12.5 shows as 12,5.
QString plainNumber(double v) {
    return QString::number(v, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

const QString kActive = QStringLiteral(" and AKTIVNI=\"A\"");
} // namespace

QString Totals::text(double v) {
    return formatPattern(v, fmt::money);
}

QString polozkaKey(const QString &cisloPC, const QDateTime &t) {
    return cisloPC + t.toString(QStringLiteral("yyMMddHHmmsszzz"));
}

ReceiptDocument::ReceiptDocument(Db &db, const QString &cisloPC, const QString &stredisko)
    : m_db(db), m_ws(cisloPC), m_stredisko(stredisko) {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_lines.setColumns({
        {col::JKPOV, QStringLiteral("JKP"), 100},
        {col::NAZEV, QStringLiteral("Název"), 250},
        {col::MNOZ, QStringLiteral("Množství"), 60, right, right, fmt::quantity},
        {col::MJ, col::MJ, 30, Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignHCenter | Qt::AlignVCenter},
        {col::NC, col::NC, 80, right, right, fmt::money},
        {col::CENAR, QStringLiteral("Celkem řádek"), 90, right, right, fmt::money},
        {col::DPH, col::DPH, 30, right, right},
    });
}

QString ReceiptDocument::headerTable() const {
    return scratchTable(m_ws, QStringLiteral("prijem"));
}
QString ReceiptDocument::linesTable() const {
    return scratchTable(m_ws, QStringLiteral("prirad"));
}

void ReceiptDocument::PripravNovy(const QDateTime &now) {
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + headerTable());
    m_db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + headerTable() +
              QStringLiteral(" ENGINE=MyISAM (select * from prijem LIMIT 0,0)"));
    // the new header row: this centre, today (the date part is what the column keeps)
    m_db.exec(QStringLiteral("INSERT INTO ") + headerTable() +
              QStringLiteral(" SET CISLODOKLA = 0, STREDISKO = ") + quoted(m_stredisko) +
              QStringLiteral(", DATUM = ") + sqlValue(now.date()));
    readHeader();
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + linesTable());
    m_db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + linesTable() +
              QStringLiteral(" ENGINE=MyISAM (select * from prirad LIMIT 0,0)"));
    reloadLines();
}

void ReceiptDocument::PripravOprava(qint64 number) {
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + headerTable());
    m_db.exec(SqlText{QStringLiteral("CREATE TABLE IF NOT EXISTS ") + headerTable() +
                          QStringLiteral(" ENGINE=MyISAM"),
                      QStringLiteral("(select * from prijem WHERE cislodokla = ") + sqlNumber(number) +
                          QStringLiteral(")")});
    readHeader();
    m_db.exec(QStringLiteral("DROP TABLE IF EXISTS ") + linesTable());
    m_db.exec(SqlText{QStringLiteral("CREATE TABLE IF NOT EXISTS ") + linesTable() +
                          QStringLiteral(" ENGINE=MyISAM"),
                      QStringLiteral("(select * from prirad WHERE cislodokla = ") + sqlNumber(number) +
                          QStringLiteral(")")});
    reloadLines();
}

void ReceiptDocument::nactiCiselniky(const std::function<void(const QString &)> &progress) {
    auto step = [&](const char *text) {
        if (progress) progress(QString::fromUtf8(text));
    };
    step("Příjemka - načítám adresář");
    m_addresses = m_db.select(QStringLiteral("select * from adresar order by ico"));
    step("Příjemka - načítám seznam 2");
    step("Příjemka - načítám EAN");
    step("Příjemka - načítám FOFR");
    const RowSet quick = m_db.select(SqlText{QStringLiteral("select FOFRCISLO,JKPOV from seznam"),
                                             QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                             QStringLiteral(" and FOFRCISLO>0"), kActive,
                                             QStringLiteral(" order by FOFRCISLO;")});
    m_quick.clear();
    for (const auto &row : quick.rows) {
        const QString key = QString::number(row[0].toLongLong());
        if (!m_quick.contains(key)) // the first in the list wins
            m_quick.insert(key, row[1].toString());
    }
}

void ReceiptDocument::readHeader() {
    m_header = m_db.select(QStringLiteral("select * from ") + headerTable());
}

QVariant ReceiptDocument::header(const QString &column) const {
    return m_header.value(0, column);
}

void ReceiptDocument::setHeader(const QString &column, const QVariant &value) {
    const int f = m_header.fieldIndex(column);
    if (f >= 0 && !m_header.rows.empty()) m_header.rows[0][size_t(f)] = value;
}

void ReceiptDocument::postHeader() {
    QStringList sets;
    for (const QString &c : {col::STREDISKO, col::DATUM, col::CIDODODAV, col::ICO, col::NAZEVPODNI,
                             col::SIDLO, col::ULICECISLO, col::PSC, col::POSTA, col::VNITRO}) {
        const QVariant v = header(c);
        sets << c + QStringLiteral(" = ") +
                    (v.isNull() && c != col::DATUM ? QStringLiteral("''") : sqlValue(v));
    }
    m_db.exec(QStringLiteral("UPDATE ") + headerTable() + QStringLiteral(" SET ") +
              sets.join(QStringLiteral(", ")));
}

std::optional<Refusal> ReceiptDocument::checkIco(const QString &ico) {
    const int f = m_addresses.fieldIndex(col::ICO);
    for (int r = 0; f >= 0 && r < m_addresses.rowCount(); ++r) {
        if (m_addresses.rows[size_t(r)][size_t(f)].toString() != ico) continue;
        for (const QString &c : {col::NAZEVPODNI, col::SIDLO, col::ULICECISLO, col::PSC, col::POSTA})
            setHeader(c, m_addresses.value(r, c).toString());
        return std::nullopt;
    }
    return Refusal{QStringLiteral("IČO nenalezeno."), Focus::Ico};
}

void ReceiptDocument::reloadLines() {
    m_lines.setRowSet(m_db.select(QStringLiteral("select * from ") + linesTable()));
}

ReceiptLine ReceiptDocument::line(int row) const {
    ReceiptLine l;
    if (row < 0 || row >= m_lines.rowCount()) return l;
    auto v = [&](const QString &c) { return m_lines.value(row, c); };
    l.id = v(col::id).toInt();
    l.cislodokla = v(col::CISLODOKLA).toLongLong();
    l.stredisko = v(col::STREDISKO).toString();
    l.jkpov = v(col::JKPOV).toString();
    l.nazev = v(col::NAZEV).toString();
    l.mj = v(col::MJ).toString();
    l.ean = v(col::EAN).toString();
    l.polozka = v(col::POLOZKA).toString();
    l.mnoz = v(col::MNOZ).toDouble();
    l.nc = v(col::NC).toDouble();
    l.cenar = v(col::CENAR).toDouble();
    l.zustatek = v(col::ZUSTATEK).toDouble();
    l.dph = v(col::DPH).toInt();
    l.kdy = v(col::KDY).toDateTime();
    l.isNew = false;
    return l;
}

ReceiptLine ReceiptDocument::newLine(const QDateTime &now) {
    ReceiptLine l;
    l.stredisko = m_stredisko;
    l.cislodokla = header(col::CISLODOKLA).toLongLong();
    QString key = polozkaKey(m_ws, now);
    // two lines added within one millisecond still get their own keys
    for (QDateTime t = now; key <= m_lastPolozka && key.size() == m_lastPolozka.size();) {
        t = t.addMSecs(1);
        key = polozkaKey(m_ws, t);
    }
    m_lastPolozka = key;
    l.polozka = key;
    return l;
}

std::optional<Refusal> ReceiptDocument::canCorrect(const ReceiptLine &l) const {
    if (issuedFrom(l)) return Refusal{QStringLiteral("Nelze opravit. Z karty se již vydávalo."), Focus::Grid};
    return std::nullopt;
}

std::optional<Refusal> ReceiptDocument::canDelete(const ReceiptLine &l) const {
    if (issuedFrom(l)) return Refusal{QStringLiteral("Nelze smazat. Z karty se již vydávalo."), Focus::Grid};
    return std::nullopt;
}

QString ReceiptDocument::lineKeyCondition(const ReceiptLine &l) const {
    return QStringLiteral(" WHERE id = ") + QString::number(l.id) + QStringLiteral(" AND POLOZKA = ") +
           quoted(l.polozka) + QStringLiteral(" LIMIT 1");
}

void ReceiptDocument::deleteLine(const ReceiptLine &l) {
    m_db.exec(QStringLiteral("DELETE FROM ") + linesTable() + lineKeyCondition(l));
    reloadLines();
}

bool ReceiptDocument::salePrices(const QString &jkpov, double &pc, double &pcsd) {
    const RowSet rs = m_db.select(SqlText{QStringLiteral("select pc,pcsd from seznam"),
                                          QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                          QStringLiteral(" and JKPOV=") + quoted(jkpov)});
    if (rs.rowCount() == 0) return false;
    pc = rs.rows[0][0].toDouble();
    pcsd = rs.rows[0][1].toDouble();
    return true;
}

ItemLookup ReceiptDocument::lookup(const QString &entryText, ReceiptLine &l) {
    ItemLookup r;
    const Refusal notFound{QStringLiteral("Položka nenalezena."), Focus::Entry};
    r.mapped = MapKeyboardDigits(entryText);
    QString code = r.mapped;
    const QString marker = QStringLiteral("°°");
    if (const qsizetype at = r.mapped.indexOf(marker); at >= 0) {
        code = r.mapped.mid(at + 2).left(20);
        // the text before the marker is the quantity ("1" when the marker stands first)
        QString prefix = at == 0 ? QStringLiteral("1") : r.mapped.left(at);
        prefix.replace(QLatin1Char('.'), QLatin1Char(','));
        bool ok = false;
        const double q = QLocale(QLocale::Czech).toDouble(prefix.trimmed(), &ok);
        if (ok && q != 0) r.quantity = q;
    }
    if (code.size() >= 1 && code.size() <= 4) {
        bool ok = false;
        const qlonglong n = code.toLongLong(&ok);
        const QString item = ok ? m_quick.value(QString::number(n)) : QString();
        if (item.isEmpty()) {
            r.refused = notFound;
            return r;
        }
        code = item;
    }
    if (code.size() == 8 || code.size() == 13) {
        const RowSet ean =
            m_db.select(SqlText{QStringLiteral("select EAN,JKPOV from seznamean"),
                                QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                QStringLiteral(" and EAN=") + quoted(code), QStringLiteral("UNION "),
                                QStringLiteral("select EAN,JKPOV from seznam"),
                                QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                QStringLiteral(" and EAN=") + quoted(code), kActive});
        if (ean.rowCount() == 0) {
            r.refused = notFound;
            return r;
        }
        code = ean.rows[0][1].toString();
    }
    const RowSet item = m_db.select(SqlText{QStringLiteral("select * from seznam"),
                                            QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                            QStringLiteral(" and JKPOV=") + quoted(code)});
    if (item.rowCount() == 0) {
        r.refused = notFound;
        return r;
    }
    l.jkpov = item.value(0, col::JKPOV).toString();
    l.nazev = item.value(0, col::NAZEV).toString();
    l.mj = item.value(0, col::MJ).toString();
    l.ean = item.value(0, col::EAN).toString();
    l.dph = item.value(0, col::DPH).toInt();
    l.nc = item.value(0, QStringLiteral("PNC")).toDouble();
    r.pc = item.value(0, QStringLiteral("PC")).toDouble();
    r.pcsd = item.value(0, QStringLiteral("PCSD")).toDouble();
    if (r.quantity) l.mnoz = *r.quantity;
    return r;
}

void ReceiptDocument::roundLine(ReceiptLine &l) const {
    l.mnoz = RoundDecimals(4, l.mnoz);
    l.nc = RoundDecimals(2, l.nc);
}

std::optional<Refusal> ReceiptDocument::processQuantity(ReceiptLine &l) {
    if (l.mnoz < 0) {
        const RowSet s = m_db.select(SqlText{QStringLiteral("select povaha,zustatek,mj,nczust from seznam"),
                                             QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                             QStringLiteral(" and JKPOV=") + quoted(l.jkpov)});
        if (s.rowCount() > 0 && s.rows[0][0].toString() != QLatin1String("P")) {
            const double zustatek = s.rows[0][1].toDouble();
            const double nczust = s.rows[0][3].toDouble();
            // compared on the rounded values: stored sums carry binary noise
            if (RoundDecimals(4, zustatek + l.mnoz) < 0)
                return Refusal{QStringLiteral("Nelze. Na skladě pouze ") + plainNumber(zustatek) +
                                   QLatin1Char(' ') + s.rows[0][2].toString(),
                               Focus::Quantity};
            l.cenar = RoundDecimals(2, l.nc * l.mnoz);
            if (RoundDecimals(2, nczust + l.cenar) < 0)
                return Refusal{QStringLiteral("Nelze. Suma NC na skladě pouze ") + plainNumber(nczust) +
                                   QStringLiteral(" Kč"),
                               Focus::Price};
        }
    }
    l.cenar = RoundDecimals(2, l.nc * l.mnoz);
    return std::nullopt;
}

std::optional<Refusal> ReceiptDocument::writeLine(ReceiptLine &l, const QDateTime &now) {
    if (l.mnoz == 0) return Refusal{QStringLiteral("Není vyplněno množství."), Focus::Quantity};
    if (l.nc == 0) return Refusal{QStringLiteral("Není vyplněna NC."), Focus::Price};
    if (l.mnoz < 0) {
        const RowSet s = m_db.select(SqlText{QStringLiteral("select povaha,zustatek,mj,nczust from seznam"),
                                             QStringLiteral(" where STREDISKO=") + quoted(m_stredisko),
                                             QStringLiteral(" and JKPOV=") + quoted(l.jkpov)});
        if (s.rowCount() > 0 && RoundDecimals(4, s.rows[0][1].toDouble() + l.mnoz) == 0 &&
            RoundDecimals(2, s.rows[0][3].toDouble() + l.cenar) != 0)
            return Refusal{QStringLiteral("Nelze provést tento -příjem.\rProveďte pomocí výdej-vnitro"),
                           Focus::Quantity};
    }
    l.zustatek = l.mnoz;
    l.kdy = now;
    const QString values =
        QStringLiteral("CISLODOKLA = %1, STREDISKO = %2, JKPOV = %3, NAZEV = %4, MJ = %5, MNOZ = %6, "
                       "NC = %7, CENAR = %8, POLOZKA = %9, ZUSTATEK = %10, EAN = %11, DPH = %12, KDY = %13")
            .arg(sqlNumber(l.cislodokla), quoted(l.stredisko), quoted(l.jkpov), quoted(l.nazev), quoted(l.mj),
                 sqlNumber(l.mnoz), sqlNumber(l.nc), sqlNumber(l.cenar), quoted(l.polozka))
            .arg(sqlNumber(l.zustatek), quoted(l.ean), QString::number(l.dph), sqlValue(l.kdy));
    if (l.isNew)
        m_db.exec(QStringLiteral("INSERT INTO ") + linesTable() + QStringLiteral(" SET id = 0, ") + values);
    else
        m_db.exec(QStringLiteral("UPDATE ") + linesTable() + QStringLiteral(" SET ") + values +
                  lineKeyCondition(l));
    l.isNew = false;
    reloadLines();
    return std::nullopt;
}

Totals ReceiptDocument::SoucetD() const {
    Totals t;
    for (int r = 0; r < m_lines.rowCount(); ++r) {
        const double cenar = m_lines.value(r, col::CENAR).toDouble();
        const int dph = m_lines.value(r, col::DPH).toInt();
        if (dph == 0)
            t.s0 += cenar;
        else if (dph == 10)
            t.sS += cenar;
        else if (dph >= 17)
            t.sV += cenar;
        else
            t.sN += cenar;
    }
    return t;
}

std::optional<qint64> ReceiptDocument::numberBase(const QDate &datum, const QString &stredisko) {
    if (stredisko.isEmpty() || !std::all_of(stredisko.begin(), stredisko.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return std::nullopt;
    bool ok = false;
    const qint64 prefix = (QString::number(datum.year() - 1800) + stredisko).toLongLong(&ok);
    if (!ok || prefix > std::numeric_limits<qint64>::max() / 10000 - 1) return std::nullopt;
    return prefix * 10000;
}

qint64 ReceiptDocument::nextNumber(const QDate &datum) {
    const qint64 base = numberBase(datum, m_stredisko).value_or(0);
    const QVariant highest =
        m_db.scalar(SqlText{QStringLiteral("select cislodokla from prijem"),
                            QStringLiteral(" where stredisko = ") + quoted(m_stredisko) +
                                QStringLiteral(" and cislodokla > ") + sqlNumber(base),
                            QStringLiteral(" order by cislodokla DESC"), QStringLiteral(" LIMIT 1")});
    return highest.isValid() ? highest.toLongLong() + 1 : base + 1;
}

std::optional<Refusal> ReceiptDocument::save(const QString &editMode, qint64 &documentNumber) {
    setHeader(col::VNITRO, header(col::ICO).toString().size() < 4 ? 1 : 0);
    postHeader();
    const QDate datum = header(col::DATUM).toDate();
    const QVariant closed = m_db.scalar(QStringLiteral("select uzavreneuo from prodej"));
    const QString closedText = closed.isValid() ? closed.toString() : QString();
    if (!(closedText < datum.toString(QStringLiteral("yyyyMM"))))
        return Refusal{
            QStringLiteral("Datum DPH je v již uzavřeném ÚO!"), Focus::Date, {QStringLiteral("Zpět")}};
    int sign = 0;
    for (int r = 0; r < m_lines.rowCount(); ++r) {
        const double q = m_lines.value(r, col::MNOZ).toDouble();
        if ((q > 0 && sign < 0) || (q < 0 && sign > 0))
            return Refusal{QStringLiteral("Na jednom dokladu nemohou být plus i mínus položky!"),
                           Focus::None,
                           {QStringLiteral("Zpět")}};
        if (q > 0)
            sign = 1;
        else if (q < 0)
            sign = -1;
    }
    const RowSet twice =
        m_db.select(SqlText{QStringLiteral("select jkpov,count(*) as pocet from ") + linesTable(),
                            QStringLiteral(" where mnoz<0 group by jkpov;")});
    for (const auto &row : twice.rows)
        if (row[1].toLongLong() > 1)
            return Refusal{QStringLiteral("JKPOV ") + shownQuoted(row[0].toString()) +
                               QStringLiteral(" je zadáno ") + shownQuoted(row[1].toString()) +
                               QStringLiteral("x !"),
                           Focus::None,
                           {QStringLiteral("Zpět")}};

    const QString inserts = QStringLiteral("insert into prijem select * from ") + headerTable() +
                            QStringLiteral(";\ninsert into prirad select * from ") + linesTable() +
                            QStringLiteral(";\nCOMMIT;");
    if (editMode != QLatin1String("N")) {
        m_db.runScript(QStringLiteral("START TRANSACTION;\nDELETE from prijem WHERE cislodokla = ") +
                       sqlNumber(documentNumber) +
                       QStringLiteral(";\nDELETE from prirad WHERE cislodokla = ") +
                       sqlNumber(documentNumber) + QStringLiteral(";\n") + inserts);
        return std::nullopt;
    }
    if (!numberBase(datum, m_stredisko))
        return Refusal{
            QStringLiteral("Středisko „%1“ nemá číselný kód, doklad nelze očíslovat.").arg(m_stredisko),
            Focus::None,
            {QStringLiteral("Zpět")}};
    // Workstations of one centre take numbers one after another: the number is read and the
    // rows inserted while this centre's lock is held.
    const QString lock = quoted(QStringLiteral("prijem.cislodokla.") + m_stredisko);
    if (m_db.scalar(QStringLiteral("SELECT GET_LOCK(") + lock + QStringLiteral(", 30)")).toInt() != 1)
        throw DbError(QStringLiteral(
            "Číslo dokladu nelze přidělit: jiná stanice ukládá déle než 30 s. Zkuste to znovu."));
    struct Release {
        Db &db;
        QString lock;
        ~Release() {
            try {
                db.exec(QStringLiteral("SELECT RELEASE_LOCK(") + lock + QStringLiteral(")"));
            } catch (...) {
                // a lost connection releases the lock on the server
            }
        }
    } release{m_db, lock};
    const qint64 number = nextNumber(datum);
    m_db.runScript(QStringLiteral("START TRANSACTION;\nUPDATE ") + headerTable() +
                   QStringLiteral(" SET cislodokla = ") + sqlNumber(number) + QStringLiteral(";\nUPDATE ") +
                   linesTable() + QStringLiteral(" SET cislodokla = ") + sqlNumber(number) +
                   QStringLiteral(";\n") + inserts);
    documentNumber = number;
    return std::nullopt;
}

void ReceiptDocument::FormClose() {
    m_db.runScript(QStringLiteral("START TRANSACTION;\nDROP TABLE IF EXISTS ") + headerTable() +
                   QStringLiteral(";\nDROP TABLE IF EXISTS ") + linesTable() +
                   QStringLiteral(";\nDROP TABLE IF EXISTS ") + scratchTable(m_ws, QStringLiteral("nc")) +
                   QStringLiteral(";\nCOMMIT;"));
}
