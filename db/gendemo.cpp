// Demo data for the shared database: centres, suppliers, catalogues with EAN codes, receipts
// over several years with their stock cards, till sales, delivery notes, a closed period and
// terminal counts. Writes SQL (UTF-8) to standard output; stock figures are consistent: cards
// are never issued below zero and the catalogue's stock columns come from seznam_stav().
//
//   prijem_gendemo [--large] [--seed N]
//   --large: 100,000 receipts with about 1,000,000 lines in centre 777 (for the benchmarks)

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

namespace {

QTextStream out(stdout);
std::mt19937 rng(20261211);

int rnd(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}
double rnd01() {
    return std::uniform_real_distribution<double>(0, 1)(rng);
}
template <class T> const T &pick(const std::vector<T> &v) {
    return v[size_t(rnd(0, int(v.size()) - 1))];
}

QString q(const QString &s) {
    QString r = s;
    r.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    r.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}
QString num(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}
QString dt(const QDateTime &d) {
    return q(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}
QString dd(const QDate &d) {
    return q(d.toString(QStringLiteral("yyyy-MM-dd")));
}
double round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

// Multi-row INSERT statements of at most 1000 rows.
class Inserter {
public:
    Inserter(const QString &table, const QString &columns)
        : m_head(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns +
                 QStringLiteral(") VALUES\n")) {}
    ~Inserter() { flush(); }
    void add(const QStringList &values) {
        m_rows << QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
        if (m_rows.size() >= 1000) flush();
    }
    void flush() {
        if (m_rows.isEmpty()) return;
        out << m_head << m_rows.join(QStringLiteral(",\n")) << ";\n";
        m_rows.clear();
    }

private:
    QString m_head;
    QStringList m_rows;
};

QString ean13(const QString &twelve) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - '0') * (i % 2 ? 3 : 1);
    return twelve + QString::number((10 - sum % 10) % 10);
}

QString ico8(int base) {
    // company number with its modulo-11 check digit
    QString seven = QStringLiteral("%1").arg(base % 10000000, 7, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += (seven.at(i).unicode() - '0') * (8 - i);
    const int c = (11 - sum % 11) % 10;
    return seven + QString::number(c);
}

struct Town {
    QString name, psc;
};
const std::vector<Town> towns = {
    {QStringLiteral("Praha 4"), QStringLiteral("140 00")},
    {QStringLiteral("Brno"), QStringLiteral("602 00")},
    {QStringLiteral("Ostrava"), QStringLiteral("702 00")},
    {QStringLiteral("Plzeň"), QStringLiteral("301 00")},
    {QStringLiteral("Olomouc"), QStringLiteral("779 00")},
    {QStringLiteral("Liberec"), QStringLiteral("460 01")},
    {QStringLiteral("České Budějovice"), QStringLiteral("370 01")},
    {QStringLiteral("Hradec Králové"), QStringLiteral("500 02")},
    {QStringLiteral("Ústí nad Labem"), QStringLiteral("400 01")},
    {QStringLiteral("Pardubice"), QStringLiteral("530 02")},
    {QStringLiteral("Zlín"), QStringLiteral("760 01")},
    {QStringLiteral("Jihlava"), QStringLiteral("586 01")},
    {QStringLiteral("Třebíč"), QStringLiteral("674 01")},
    {QStringLiteral("Kroměříž"), QStringLiteral("767 01")},
    {QStringLiteral("Přerov"), QStringLiteral("750 02")},
    {QStringLiteral("Písek"), QStringLiteral("397 01")},
    {QStringLiteral("Šumperk"), QStringLiteral("787 01")},
    {QStringLiteral("Žďár nad Sázavou"), QStringLiteral("591 01")},
    {QStringLiteral("Mladá Boleslav"), QStringLiteral("293 01")},
    {QStringLiteral("Čáslav"), QStringLiteral("286 01")},
};
const std::vector<QString> streets = {
    QStringLiteral("Náměstí Míru"), QStringLiteral("Husova"),    QStringLiteral("Palackého"),
    QStringLiteral("Žižkova"),      QStringLiteral("Nádražní"),  QStringLiteral("Komenského"),
    QStringLiteral("Tyršova"),      QStringLiteral("Jiráskova"), QStringLiteral("Masarykova"),
    QStringLiteral("Průmyslová"),   QStringLiteral("Škroupova"), QStringLiteral("Řeznická"),
    QStringLiteral("U Přehrady"),   QStringLiteral("Křižíkova"), QStringLiteral("Čechova"),
    QStringLiteral("Smetanova"),
};
const std::vector<QString> surnames = {
    QStringLiteral("Novák"),     QStringLiteral("Dvořák"),   QStringLiteral("Černý"),
    QStringLiteral("Procházka"), QStringLiteral("Kučera"),   QStringLiteral("Veselý"),
    QStringLiteral("Horák"),     QStringLiteral("Němec"),    QStringLiteral("Pokorný"),
    QStringLiteral("Marek"),     QStringLiteral("Růžička"),  QStringLiteral("Beneš"),
    QStringLiteral("Fiala"),     QStringLiteral("Sedláček"), QStringLiteral("Doležal"),
    QStringLiteral("Zeman"),     QStringLiteral("Kolář"),    QStringLiteral("Navrátil"),
    QStringLiteral("Čermák"),    QStringLiteral("Vaněk"),    QStringLiteral("Šťastný"),
    QStringLiteral("Křížek"),    QStringLiteral("Žáček"),    QStringLiteral("Hájek"),
};
const std::vector<QString> trades = {
    QStringLiteral("Pekárna"),    QStringLiteral("Mlékárna"),    QStringLiteral("Velkoobchod"),
    QStringLiteral("Drogerie"),   QStringLiteral("Železářství"), QStringLiteral("Zelenina"),
    QStringLiteral("Řeznictví"),  QStringLiteral("Nápoje"),      QStringLiteral("Papírnictví"),
    QStringLiteral("Stavebniny"), QStringLiteral("Textil"),      QStringLiteral("Elektro"),
};
const std::vector<QString> forms = {QStringLiteral("s.r.o."), QStringLiteral("a.s."),
                                    QStringLiteral("spol. s r.o."), QStringLiteral("v.o.s.")};

struct Product {
    QString name, mj;
    char povaha;
    double price;
};
const std::vector<Product> products = {
    {QStringLiteral("Mléko polotučné"), QStringLiteral("ks"), 'K', 17.9},
    {QStringLiteral("Chléb kmínový"), QStringLiteral("ks"), 'K', 32.5},
    {QStringLiteral("Rohlík tukový"), QStringLiteral("ks"), 'K', 2.1},
    {QStringLiteral("Máslo čerstvé"), QStringLiteral("ks"), 'K', 45.0},
    {QStringLiteral("Sýr eidam 30%"), QStringLiteral("kg"), 'V', 129.0},
    {QStringLiteral("Šunka dušená"), QStringLiteral("kg"), 'V', 189.0},
    {QStringLiteral("Jablka červená"), QStringLiteral("kg"), 'V', 28.0},
    {QStringLiteral("Brambory žluté"), QStringLiteral("kg"), 'V', 14.5},
    {QStringLiteral("Káva zrnková"), QStringLiteral("ks"), 'K', 159.0},
    {QStringLiteral("Čaj černý"), QStringLiteral("bal"), 'K', 39.9},
    {QStringLiteral("Minerální voda"), QStringLiteral("ks"), 'K', 11.9},
    {QStringLiteral("Pivo ležák"), QStringLiteral("ks"), 'K', 19.5},
    {QStringLiteral("Šroub vrut"), QStringLiteral("bal"), 'K', 49.0},
    {QStringLiteral("Hřebík stavební"), QStringLiteral("kg"), 'V', 65.0},
    {QStringLiteral("Žárovka LED"), QStringLiteral("ks"), 'K', 89.0},
    {QStringLiteral("Prací prášek"), QStringLiteral("ks"), 'K', 229.0},
    {QStringLiteral("Toaletní papír"), QStringLiteral("bal"), 'K', 79.0},
    {QStringLiteral("Sešit linkovaný"), QStringLiteral("ks"), 'K', 18.0},
    {QStringLiteral("Tužka č. 2"), QStringLiteral("ks"), 'K', 6.5},
    {QStringLiteral("Cement šedý"), QStringLiteral("ks"), 'K', 145.0},
    {QStringLiteral("Čokoláda hořká"), QStringLiteral("ks"), 'K', 34.9},
    {QStringLiteral("Těstoviny vřetena"), QStringLiteral("ks"), 'K', 24.9},
    {QStringLiteral("Rýže dlouhozrnná"), QStringLiteral("ks"), 'K', 32.0},
    {QStringLiteral("Olej řepkový"), QStringLiteral("l"), 'K', 49.9},
    {QStringLiteral("Cukr krupice"), QStringLiteral("kg"), 'K', 21.9},
    {QStringLiteral("Mouka hladká"), QStringLiteral("kg"), 'K', 16.9},
    {QStringLiteral("Vejce čerstvá"), QStringLiteral("bal"), 'K', 54.0},
    {QStringLiteral("Jogurt bílý"), QStringLiteral("ks"), 'K', 12.9},
    {QStringLiteral("Kuře celé"), QStringLiteral("kg"), 'V', 79.0},
    {QStringLiteral("Ořechy vlašské"), QStringLiteral("kg"), 'V', 299.0},
    {QStringLiteral("Montáž regálu"), QStringLiteral("hod"), 'P', 350.0},
    {QStringLiteral("Doprava zboží"), QStringLiteral("km"), 'P', 18.0},
};
const std::vector<QString> variants = {
    QStringLiteral("Český"),    QStringLiteral("Bio"),       QStringLiteral("Extra"),
    QStringLiteral("Klasik"),   QStringLiteral("Rodinné"),   QStringLiteral("Šumava"),
    QStringLiteral("Hanácké"),  QStringLiteral("Moravské"),  QStringLiteral("Žďárské"),
    QStringLiteral("Řemeslné"), QStringLiteral("Domácí"),    QStringLiteral("Úsporné"),
    QStringLiteral("Dárkové"),  QStringLiteral("Jihočeské"), QStringLiteral("Krkonošské"),
    QStringLiteral("Lesní"),
};
const std::vector<QString> sizes = {QStringLiteral("100 g"), QStringLiteral("250 g"), QStringLiteral("500 g"),
                                    QStringLiteral("1 kg"),  QStringLiteral("0,5 l"), QStringLiteral("1 l"),
                                    QStringLiteral("1,5 l"), QStringLiteral("2 kg")};

struct Item {
    QString jkpov, nazev, mj, ean, skupina;
    char povaha;
    double nc, pc, pnc;
    int dph, fofr;
    bool active;
};

struct Card {
    int id;
    double zustatek;
};

struct Centre {
    QString code;
    int receipts;
    int linesMin, linesMax;
};

} // namespace

int main(int argc, char **argv) {
    bool large = false;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--large"))
            large = true;
        else if (a == QLatin1String("--seed") && i + 1 < argc)
            rng.seed(unsigned(QString::fromLocal8Bit(argv[++i]).toUInt()));
    }
    out.setEncoding(QStringConverter::Utf8);
    out << "SET NAMES utf8mb4;\nSET SESSION "
           "sql_mode='STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION';\n"
           "SET autocommit=0;\nSET unique_checks=0;\nSET foreign_key_checks=0;\n";

    const std::vector<Centre> centres = {
        {QStringLiteral("777"), large ? 100000 : 420, large ? 6 : 3, large ? 14 : 14},
        {QStringLiteral("101"), large ? 300 : 120, 3, 12},
        {QStringLiteral("205"), large ? 300 : 90, 3, 10},
    };
    const QDate today = QDate::currentDate();
    const QDate first(2012, 1, 2);

    // centres with their firm data
    {
        Inserter ins(
            QStringLiteral("strediska"),
            QStringLiteral(
                "id,STREDISKO,ICO,FIRMA,ADR2,ADR3,ADR4,RU1,RU2,RU3,RU4,RU5,RU6,DIC,BANKA,UCET,OBRE"));
        const QStringList firms = {QStringLiteral("Prodejna Pod Lípou s.r.o."),
                                   QStringLiteral("Smíšené zboží Dvořák a syn"),
                                   QStringLiteral("Řemeslná dílna Čermák s.r.o.")};
        for (size_t i = 0; i < centres.size(); ++i) {
            const Town &t = towns[i * 3];
            const QString ico = ico8(2734561 + int(i) * 11117);
            ins.add({QStringLiteral("0"), q(centres[i].code), q(ico), q(firms[int(i)]),
                     q(streets[i * 2] + QStringLiteral(" ") + QString::number(12 + int(i) * 7)),
                     q(t.psc + QStringLiteral(" ") + t.name), q(QStringLiteral("Česká republika")),
                     q(firms[int(i)]), q(QStringLiteral("Děkujeme za nákup")),
                     q(QStringLiteral("Otevřeno Po–Pá 7–18 h")), q(QStringLiteral("IČO ") + ico),
                     q(QString()), q(QString()), q(QStringLiteral("CZ") + ico),
                     q(QStringLiteral("Komerční banka, a.s.")),
                     q(QStringLiteral("1%1/0100").arg(2345678 + int(i) * 1111)),
                     q(QStringLiteral("C %1 vedená u Krajského soudu v Brně").arg(4567 + int(i)))});
        }
    }

    // suppliers
    struct Supplier {
        QString ico, name, town, street, psc;
    };
    std::vector<Supplier> suppliers;
    {
        Inserter ins(
            QStringLiteral("adresar"),
            QStringLiteral("id,ICO,NAZEVPODNI,SIDLO,ULICECISLO,PSC,POSTA,TELEFON,KOD_PLATCE,EMAILOBJ,SLEVA"));
        for (int i = 0; i < 50; ++i) {
            const Town &t = towns[size_t(i) % towns.size()];
            Supplier s{ico8(4500000 + i * 7919),
                       trades[size_t(i) % trades.size()] + QStringLiteral(" ") +
                           surnames[size_t(i * 7) % surnames.size()] + QStringLiteral(" ") +
                           forms[size_t(i) % forms.size()],
                       t.name,
                       streets[size_t(i * 5) % streets.size()] + QStringLiteral(" ") +
                           QString::number(rnd(1, 180)),
                       t.psc};
            if (i == 7)
                s.name = QStringLiteral("Pekárna O'Brien & Šťastný s.r.o."); // an apostrophe in real data
            suppliers.push_back(s);
            ins.add(
                {QStringLiteral("0"), q(s.ico), q(s.name), q(s.town), q(s.street), q(s.psc), q(s.town),
                 q(QStringLiteral("+420 %1 %2 %3").arg(rnd(500, 799)).arg(rnd(100, 999)).arg(rnd(100, 999))),
                 q(QStringLiteral("CZ") + s.ico), q(QStringLiteral("objednavky%1@dodavatel.cz").arg(i + 1)),
                 num(i % 5 == 0 ? 5 : 0, 2)});
        }
    }

    // catalogue: the same items in every centre
    std::vector<Item> items;
    const int itemCount = 2000;
    {
        std::map<QString, bool> used;
        for (int i = 0; i < itemCount; ++i) {
            const Product &p = products[size_t(i) % products.size()];
            QString name;
            do {
                name = p.name + QStringLiteral(" ") + pick(variants);
                if (p.povaha != 'P') name += QStringLiteral(" ") + pick(sizes);
                if (used.count(name)) name += QStringLiteral(" ") + QString::number(rnd(2, 99));
            } while (used.count(name) || name.size() > 40);
            used[name] = true;
            Item it;
            it.jkpov = QStringLiteral("%1").arg(10000 + i * 3, 6, 10, QLatin1Char('0'));
            it.nazev = name;
            it.mj = p.mj;
            it.povaha = p.povaha;
            it.ean = p.povaha == 'P'
                         ? QString()
                         : ean13(QStringLiteral("859%1").arg(100000000 + i * 37, 9, 10, QLatin1Char('0')));
            it.skupina = QStringLiteral("S%1").arg(int(i % products.size()) + 1, 2, 10, QLatin1Char('0'));
            it.nc = round2(p.price * (0.6 + rnd01() * 0.8));
            it.dph = p.povaha == 'P' ? 21 : (i % 3 == 0 ? 15 : (i % 7 == 0 ? 10 : 21));
            it.pc = round2(it.nc * 1.3);
            it.pnc = it.nc;
            it.fofr = i < 300 ? i + 1 : 0;
            it.active = i % 23 != 5;
            items.push_back(it);
        }
    }

    int prijemRows = 0;
    int cardId = 0;
    long long receiptCounter = 0;
    long long saleCounter = 0;

    Inserter insPrijem(QStringLiteral("prijem"),
                       QStringLiteral("CISLODOKLA,STREDISKO,DATUM,CIDODODAV,ICO,NAZEVPODNI,SIDLO,ULICECISLO,"
                                      "PSC,POSTA,VNITRO,MESIC,ROK,DATUMZAUCT"));
    Inserter insPrirad(
        QStringLiteral("prirad"),
        QStringLiteral("id,CISLODOKLA,STREDISKO,JKPOV,NAZEV,MJ,MNOZ,NC,CENAR,POLOZKA,ZUSTATEK,EAN,DPH,KDY"));
    Inserter insUct(QStringLiteral("uctenky"),
                    QStringLiteral("cisuctenky,STREDISKO,DATUM,JKPOV,NAZEV,MNOZ,NC"));
    Inserter insUctN(QStringLiteral("uctenkynakl"),
                     QStringLiteral("CISLODOKLA,STREDISKO,DATUM,JKPOV,NAZEV,MJ,MNOZ,NC,CENAR,VOCASEK"));
    Inserter insDl(QStringLiteral("dl"), QStringLiteral("CISLODOKLA,STREDISKO,DATUM,NAZEVPODNI"));
    Inserter insDlr(QStringLiteral("dlrad"),
                    QStringLiteral("CISLODOKLA,STREDISKO,JKPOV,NAZEV,MJ,MNOZ,NC,CENAR,VOCASEK"));

    // prirad rows are written at the end, when their remaining quantity is known
    struct Line {
        int id;
        qint64 cislo;
        QString centre;
        int item;
        double mnoz, nc, cenar;
        QString polozka;
        QDateTime kdy;
    };
    std::vector<Line> lines;
    std::vector<double> remaining; // by card id - 1

    for (const Centre &c : centres) {
        std::vector<std::vector<Card>> cards(items.size());
        std::vector<double> stock(items.size(), 0.0);
        // receipt dates spread from 2012 to today, in order
        const qint64 span = first.daysTo(today);
        std::vector<QDate> dates;
        dates.reserve(size_t(c.receipts));
        for (int i = 0; i < c.receipts; ++i)
            dates.push_back(first.addDays(qint64(double(span) * (double(i) + rnd01()) / c.receipts)));
        std::map<int, int> seqByYear;
        int dlSeq = 0;

        auto issue = [&](int item, double qty) {
            // takes qty off the item's cards, oldest first
            stock[size_t(item)] -= qty;
            for (Card &card : cards[size_t(item)]) {
                if (qty <= 1e-9) break;
                if (card.zustatek <= 0) continue;
                const double take = std::min(card.zustatek, qty);
                card.zustatek = std::round((card.zustatek - take) * 10000.0) / 10000.0;
                remaining[size_t(card.id - 1)] = card.zustatek;
                qty -= take;
            }
        };

        for (int r = 0; r < c.receipts; ++r) {
            const QDate d = dates[size_t(r)];
            const int year = d.year();
            const qint64 base = QStringLiteral("%1%2").arg(year - 1800).arg(c.code).toLongLong() * 10000;
            const qint64 cislo = base + (++seqByYear[year]);
            const bool internal = rnd01() < 0.1;
            const bool isReturn = !internal && rnd01() < 0.03;
            const Supplier &s = pick(suppliers);
            const QDateTime kdy(d, QTime(rnd(7, 17), rnd(0, 59), rnd(0, 59)));
            // posting: old receipts are posted a few days later, recent ones wait
            QString zauct = QStringLiteral("NULL");
            const qint64 age = d.daysTo(today);
            if (age > 60 && rnd01() < 0.92)
                zauct = dt(QDateTime(d.addDays(rnd(3, 25)), QTime(rnd(8, 15), rnd(0, 59), 0)));
            if (r % 97 == 13) zauct = dt(QDateTime(QDate(2001, 3, 15), QTime(10, 0)));
            if (r % 89 == 44) zauct = dt(QDateTime(QDate(2005, 1, 1), QTime(0, 0)));
            const QString ico = internal ? QString::number(rnd(1, 99)) : (r % 211 == 17 ? QString() : s.ico);
            const QString name = internal ? QStringLiteral("Převodka ze střediska %1").arg(ico) : s.name;
            insPrijem.add({QString::number(cislo), q(c.code), dd(d),
                           q(internal ? QStringLiteral("VP%1").arg(r)
                                      : QStringLiteral("FA%1").arg(receiptCounter + 240001)),
                           q(ico), q(name), q(internal ? QString() : s.town),
                           q(internal ? QString() : s.street), q(internal ? QString() : s.psc),
                           q(internal ? QString() : s.town),
                           ico.size() < 4 ? QStringLiteral("1") : QStringLiteral("0"),
                           QString::number(d.month()), QString::number(year), zauct});
            ++prijemRows;
            ++receiptCounter;
            const int n = rnd(c.linesMin, c.linesMax);
            std::map<int, bool> usedItems;
            for (int l = 0; l < n; ++l) {
                int item = rnd(0, itemCount - 1);
                if (usedItems.count(item)) continue;
                const Item &it = items[size_t(item)];
                double qty;
                if (isReturn) {
                    if (it.povaha == 'P' || stock[size_t(item)] < 1) continue;
                    qty = -std::min(stock[size_t(item)], double(rnd(1, 3)));
                } else {
                    qty =
                        it.povaha == 'V' ? std::round(rnd01() * 20000.0 + 500) / 1000.0 : double(rnd(1, 48));
                }
                usedItems[item] = true;
                const double nc = round2(it.nc * (0.95 + rnd01() * 0.1));
                items[size_t(item)].pnc = nc;
                ++cardId;
                const QString polozka = QStringLiteral("00") +
                                        kdy.addSecs(l).toString(QStringLiteral("yyMMddHHmmss")) +
                                        QStringLiteral("%1").arg(l, 3, 10, QLatin1Char('0'));
                lines.push_back(
                    {cardId, cislo, c.code, item, qty, nc, round2(qty * nc), polozka, kdy.addSecs(l)});
                remaining.push_back(qty);
                cards[size_t(item)].push_back({cardId, qty});
                stock[size_t(item)] += qty;
            }

            // till sales and delivery notes until the next receipt
            const QDate next = r + 1 < c.receipts ? dates[size_t(r) + 1] : today;
            const int sales = large ? (r % 20 == 0 ? 2 : 0) : rnd(2, 8);
            for (int sIdx = 0; sIdx < sales; ++sIdx) {
                const int item = rnd(0, itemCount - 1);
                const Item &it = items[size_t(item)];
                if (it.povaha == 'P' || stock[size_t(item)] <= 0) continue;
                const double qty = std::min(stock[size_t(item)],
                                            it.povaha == 'V' ? std::round(rnd01() * 3000.0 + 100) / 1000.0
                                                             : double(rnd(1, 6)));
                const QDate sd = d.daysTo(next) > 0 ? d.addDays(rnd(0, int(d.daysTo(next)))) : d;
                const QDateTime st(sd, QTime(rnd(8, 18), rnd(0, 59), rnd(0, 59)));
                const double cost = items[size_t(item)].pnc;
                if (rnd01() < 0.85) {
                    ++saleCounter;
                    const qint64 cis =
                        QStringLiteral("%1%2").arg(sd.year() - 1800).arg(c.code).toLongLong() * 100000 +
                        saleCounter % 100000;
                    insUct.add({QString::number(cis), q(c.code), dt(st), q(it.jkpov), q(it.nazev),
                                num(qty, 4), num(it.pc, 2)});
                    insUctN.add({QString::number(cis), q(c.code), dt(st), q(it.jkpov), q(it.nazev), q(it.mj),
                                 num(qty, 4), num(cost, 2), num(round2(qty * cost), 2),
                                 num(round2(qty * cost * 0.01), 2)});
                } else {
                    const qint64 dlc =
                        QStringLiteral("%1%2").arg(sd.year() - 1800).arg(c.code).toLongLong() * 10000 +
                        (++dlSeq % 10000) + 5000;
                    insDl.add({QString::number(dlc + qint64(c.code.toInt()) * 0), q(c.code), dd(sd),
                               q(pick(suppliers).name)});
                    insDlr.add({QString::number(dlc), q(c.code), q(it.jkpov), q(it.nazev), q(it.mj),
                                num(qty, 4), num(cost, 2), num(round2(qty * cost), 2), num(0, 2)});
                }
                issue(item, qty);
            }
        }

        // terminal counts of a stock-taking in progress (centre 777 only)
        if (c.code == QLatin1String("777")) {
            Inserter ins(QStringLiteral("sklinv"),
                         QStringLiteral("STREDISKO,JKPOV,SKUPINA,DATUMCAS,STAVINV,MJ,NAZEV,POVAHA,zustatekpc,"
                                        "prodej,rozdil,DATUM,CAS"));
            const QDateTime counted(today.addDays(-3), QTime(18, 30));
            for (int i = 0; i < 150; ++i) {
                const Item &it = items[size_t(i * 13 % itemCount)];
                if (it.povaha == 'P') continue;
                const double st = std::max(0.0, stock[size_t(i * 13 % itemCount)] + (i % 9 == 0 ? -1 : 0));
                ins.add({q(c.code), q(it.jkpov), q(it.skupina), dt(counted.addSecs(i * 17)), num(st, 4),
                         q(it.mj), q(it.nazev), q(QString(QLatin1Char(it.povaha))), num(0, 4), num(0, 4),
                         num(0, 4), QStringLiteral("NULL"), q(QString())});
            }
        }
    }

    for (const Line &l : lines) {
        const Item &it = items[size_t(l.item)];
        insPrirad.add({QString::number(l.id), QString::number(l.cislo), q(l.centre), q(it.jkpov), q(it.nazev),
                       q(it.mj), num(l.mnoz, 4), num(l.nc, 2), num(l.cenar, 2), q(l.polozka),
                       num(remaining[size_t(l.id - 1)], 4), q(it.ean), QString::number(it.dph), dt(l.kdy)});
    }
    insPrijem.flush();
    insPrirad.flush();
    insUct.flush();
    insUctN.flush();
    insDl.flush();
    insDlr.flush();

    {
        Inserter ins(
            QStringLiteral("seznam"),
            QStringLiteral("id,STREDISKO,JKPOV,NAZEV,MJ,EAN,POVAHA,PC,DPH,PCSD,MNOZ,AKTIVNI,SKUPINA,ZKRATKA,"
                           "POPIS,POPIS2,FOFRCISLO,KATALOG,UCET1,UCET4,SLEVAPROC,SLEVAKC,NC,PNC"));
        Inserter insEan(QStringLiteral("seznamean"), QStringLiteral("id,STREDISKO,JKPOV,EAN"));
        for (const Centre &c : centres) {
            for (int i = 0; i < itemCount; ++i) {
                const Item &it = items[size_t(i)];
                ins.add({QStringLiteral("0"),
                         q(c.code),
                         q(it.jkpov),
                         q(it.nazev),
                         q(it.mj),
                         q(it.ean),
                         q(QString(QLatin1Char(it.povaha))),
                         num(it.pc, 2),
                         QString::number(it.dph),
                         num(round2(it.pc * (1 + it.dph / 100.0)), 2),
                         num(1, 4),
                         q(it.active ? QStringLiteral("A") : QStringLiteral("N")),
                         q(it.skupina),
                         q(it.nazev.left(20)),
                         q(QStringLiteral("Dodávka %1").arg(it.skupina)),
                         q(QString()),
                         QString::number(it.fofr),
                         q(QStringLiteral("K-%1").arg(it.jkpov)),
                         q(QStringLiteral("504 %1").arg(it.skupina)),
                         q(QStringLiteral("131")),
                         num(0, 2),
                         num(0, 2),
                         num(it.nc, 2),
                         num(it.pnc, 2)});
                if (i % 7 == 3 && !it.ean.isEmpty())
                    insEan.add(
                        {QStringLiteral("0"), q(c.code), q(it.jkpov),
                         q(ean13(QStringLiteral("400%1").arg(200000000 + i * 53, 9, 10, QLatin1Char('0'))))});
                if (i % 50 == 9 && !it.ean.isEmpty())
                    insEan.add({QStringLiteral("0"), q(c.code), q(it.jkpov),
                                q(QStringLiteral("859%1").arg(
                                    10000 + i, 5, 10, QLatin1Char('0')))}); // a short EAN-8 style alias
            }
        }
    }

    out << "INSERT INTO prodej (uzavreneuo) VALUES ("
        << q(today.addMonths(-3).toString(QStringLiteral("yyyyMM"))) << ");\n";
    out << "COMMIT;\nSET autocommit=1;\ncall seznam_stav();\n";
    out.flush();
    fprintf(stderr, "prijem: %d, prirad: %zu\n", prijemRows, lines.size());
    return 0;
}
