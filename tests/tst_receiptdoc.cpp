// The receipt's rules against the database: lookups, quantities and stock, totals, the save
// with its checks and numbering, two workstations saving at once.
#include "common/helpers.h"
#include "common/vocabulary.h"
#include "receipt/receiptdoc.h"
#include "testdb.h"

#include <QtTest>
#include <atomic>
#include <thread>

using testdb::Receipt;

class TestReceiptDoc : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("doc")};

    void item(const QString &jkpov, const QString &ean, int fofr,
              const QString &aktivni = QStringLiteral("A"), int dph = 21,
              const QString &povaha = QStringLiteral("K"), double zustatek = 5, double nczust = 52.5) {
        db.exec(QStringLiteral("insert into seznam (id, STREDISKO, JKPOV, NAZEV, MJ, EAN, FOFRCISLO, "
                               "AKTIVNI, DPH, POVAHA, PNC, PC, "
                               "PCSD, ZUSTATEK, nczust) values (0, '777', '%1', 'Zboží %1', 'ks', '%2', %3, "
                               "'%4', %5, '%6', 10.5, "
                               "14, 16.94, %7, %8)")
                    .arg(jkpov, ean)
                    .arg(fofr)
                    .arg(aktivni)
                    .arg(dph)
                    .arg(povaha)
                    .arg(zustatek)
                    .arg(nczust));
    }

    ReceiptLine addLine(ReceiptDocument &doc, const QString &code, double mnoz,
                        std::optional<double> nc = {}) {
        ReceiptLine l = doc.newLine();
        const ItemLookup r = doc.lookup(code, l);
        if (r.refused) qFatal("lookup refused");
        l.mnoz = mnoz;
        if (nc) l.nc = *nc;
        doc.roundLine(l);
        if (doc.processQuantity(l) || doc.writeLine(l)) qFatal("line refused");
        return l;
    }

private slots:
    void initTestCase() { db.open(testdb::settings()); }

    void init() {
        testdb::clean(db);
        item(QStringLiteral("A0001"), QStringLiteral("8594001234561"), 1);
        item(QStringLiteral("B0002"), QStringLiteral("8590000000017"), 8, QStringLiteral("N"));
        item(QStringLiteral("C0003"), QStringLiteral("8590000000024"), 0, QStringLiteral("N"));
        db.exec(QStringLiteral(
            "insert into seznamean (id, STREDISKO, JKPOV, EAN) values (0, '777', 'C0003', '4000000000017'), "
            "(0, '101', 'A0001', '4000000000024')"));
        item(QStringLiteral("1234"), QString(), 0);
        item(QStringLiteral("P0001"), QString(), 0, QStringLiteral("A"), 21, QStringLiteral("P"), 0, 0);
        item(QStringLiteral("E0008"), QStringLiteral("40000001"), 0);
        item(QStringLiteral("40000002"), QString(), 9); // quick number 9 stands for an 8-character code
        db.exec(QStringLiteral("update seznam set EAN = '40000002' where JKPOV = 'E0008'"));
        item(QStringLiteral("D0000"), QString(), 0, QStringLiteral("A"), 0);
        item(QStringLiteral("D0010"), QString(), 0, QStringLiteral("A"), 10);
        item(QStringLiteral("D0015"), QString(), 0, QStringLiteral("A"), 15);
        item(QStringLiteral("D0005"), QString(), 0, QStringLiteral("A"), 5);
    }

    void lookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("jkpov");   // empty: "Položka nenalezena."
        QTest::addColumn<double>("quantity"); // 0: none
        QTest::newRow("quick number") << "1"
                                      << "A0001" << 0.0;
        QTest::newRow("quick number as a number") << "001"
                                                  << "A0001" << 0.0;
        QTest::newRow("Czech keyboard row") << "+"
                                            << "A0001" << 0.0;
        QTest::newRow("quick number of an inactive item") << "8"
                                                          << "" << 0.0;
        QTest::newRow("4 characters: quick number only") << "1234"
                                                         << "" << 0.0;
        QTest::newRow("EAN-13") << "8594001234561"
                                << "A0001" << 0.0;
        QTest::newRow("EAN typed on the Czech row") << "8é+ščřěěě+234561"
                                                    << "" << 0.0;
        QTest::newRow("own EAN of an inactive item") << "8590000000017"
                                                     << "" << 0.0;
        QTest::newRow("alias EAN of an inactive item") << "4000000000017"
                                                       << "C0003" << 0.0;
        QTest::newRow("alias EAN of another centre") << "4000000000024"
                                                     << "" << 0.0;
        QTest::newRow("EAN-8") << "40000002"
                               << "E0008" << 0.0;
        QTest::newRow("8 characters are never an item code") << "40000001"
                                                             << "" << 0.0;
        QTest::newRow("quick number to an EAN") << "9"
                                                << "E0008" << 0.0;
        QTest::newRow("item code of an inactive item") << "C0003"
                                                       << "C0003" << 0.0;
        QTest::newRow("unknown code") << "XYZ99"
                                      << "" << 0.0;
        QTest::newRow("marker first") << "~~8594001234561"
                                      << "A0001" << 1.0;
        QTest::newRow("prefix quantity") << "3~~8594001234561"
                                         << "A0001" << 3.0;
        QTest::newRow("prefix with a full stop") << "2.5~~8594001234561"
                                                 << "A0001" << 2.5;
        QTest::newRow("code after the marker cut to 20") << "~~P0001"
                                                         << "P0001" << 1.0;
        QTest::newRow("code of 21 characters") << "ABCDEFGHIJKLMNOPQRSTU"
                                               << "" << 0.0;
        QTest::newRow("scan of 300 characters") << QString(300, QLatin1Char('9')) << "" << 0.0;
        QTest::newRow("quotes and backslashes") << "A0001'\\"
                                                << "" << 0.0;
    }
    void lookup() {
        QFETCH(QString, text);
        QFETCH(QString, jkpov);
        QFETCH(double, quantity);
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy();
        doc.nactiCiselniky();
        ReceiptLine l = doc.newLine();
        const ItemLookup r = doc.lookup(text, l);
        QCOMPARE(r.mapped, MapKeyboardDigits(text));
        if (jkpov.isEmpty()) {
            QVERIFY(r.refused.has_value());
            QCOMPARE(r.refused->text, QStringLiteral("Položka nenalezena."));
            QCOMPARE(r.refused->focus, Focus::Entry);
            QVERIFY(l.jkpov.isEmpty());
        } else {
            QVERIFY(!r.refused.has_value());
            QCOMPARE(l.jkpov, jkpov);
            QCOMPARE(l.nazev, QStringLiteral("Zboží ") + jkpov);
            QCOMPARE(l.nc, 10.5); // the last purchase price
            QCOMPARE(r.pc, 14.0);
            QCOMPARE(l.mnoz, quantity);
        }
    }

    void listsLoadWithTheBusyTexts() {
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy();
        QStringList texts;
        doc.nactiCiselniky([&](const QString &t) { texts << t; });
        QCOMPARE(texts, (QStringList{QStringLiteral("Příjemka - načítám adresář"),
                                     QStringLiteral("Příjemka - načítám seznam 2"),
                                     QStringLiteral("Příjemka - načítám EAN"),
                                     QStringLiteral("Příjemka - načítám FOFR")}));
        QCOMPARE(doc.quickNumbers().value(QStringLiteral("1")), QStringLiteral("A0001"));
        QVERIFY(!doc.quickNumbers().contains(QStringLiteral("8"))); // inactive items have no quick number
        // a new receipt after another one starts from zero
        QCOMPARE(Totals::text(doc.SoucetD().sV), QStringLiteral("0,00"));
        QCOMPARE(doc.header(col::STREDISKO).toString(), QStringLiteral("777"));
    }

    void stockChecksOfReturns_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<double>("mnoz");
        QTest::addColumn<double>("nc");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("positive: no check") << "A0001" << 100.0 << 10.5 << "" << int(Focus::None);
        QTest::newRow("return within stock") << "A0001" << -3.0 << 10.5 << "" << int(Focus::None);
        QTest::newRow("return beyond the quantity")
            << "A0001" << -6.0 << 10.5 << "Nelze. Na skladě pouze 5 ks" << int(Focus::Quantity);
        QTest::newRow("return beyond the value")
            << "A0001" << -5.0 << 20.0 << "Nelze. Suma NC na skladě pouze 52,5 Kč" << int(Focus::Price);
        QTest::newRow("work items are not checked") << "P0001" << -6.0 << 10.0 << "" << int(Focus::None);
    }
    void stockChecksOfReturns() {
        QFETCH(QString, code);
        QFETCH(double, mnoz);
        QFETCH(double, nc);
        QFETCH(QString, message);
        QFETCH(int, focus);
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy();
        doc.nactiCiselniky();
        ReceiptLine l = doc.newLine();
        QVERIFY(!doc.lookup(code, l).refused);
        l.mnoz = mnoz;
        l.nc = nc;
        const auto r = doc.processQuantity(l);
        if (message.isEmpty()) {
            QVERIFY(!r);
            QCOMPARE(l.cenar, RoundDecimals(2, mnoz * nc));
        } else {
            QVERIFY(r);
            QCOMPARE(r->text, message);
            QCOMPARE(int(r->focus), focus);
        }
    }

    void writingALine() {
        ReceiptDocument doc(db, QStringLiteral("05"), QStringLiteral("777"));
        doc.PripravNovy();
        doc.nactiCiselniky();
        ReceiptLine l = doc.newLine(QDateTime(QDate(2015, 1, 28), QTime(14, 30, 15, 123)));
        QCOMPARE(l.polozka, QStringLiteral("05150128143015123"));
        QCOMPARE(doc.newLine(QDateTime(QDate(2015, 1, 28), QTime(14, 30, 15, 123))).polozka,
                 QStringLiteral("05150128143015124")); // never two lines with one key
        QVERIFY(!doc.lookup(QStringLiteral("A0001"), l).refused);
        l.mnoz = 0;
        QCOMPARE(doc.writeLine(l)->text, QStringLiteral("Není vyplněno množství."));
        l.mnoz = 1.23456;
        l.nc = 0.004;
        doc.roundLine(l);
        QCOMPARE(l.mnoz, 1.2346);
        QCOMPARE(l.nc, 0.0);
        QCOMPARE(doc.writeLine(l)->focus, Focus::Price);
        // a return that empties the stock but not its value
        l.mnoz = -5;
        l.nc = 10;
        QVERIFY(!doc.processQuantity(l));
        const auto r = doc.writeLine(l);
        QVERIFY(r);
        QCOMPARE(r->text, QStringLiteral("Nelze provést tento -příjem.\rProveďte pomocí výdej-vnitro"));
        QCOMPARE(r->focus, Focus::Quantity);
        QCOMPARE(doc.lineCount(), 0);
        l.nc = 10.5; // now it empties both
        QVERIFY(!doc.processQuantity(l));
        const QDateTime now(QDate(2026, 12, 11), QTime(9, 0));
        QVERIFY(!doc.writeLine(l, now));
        QCOMPARE(doc.lineCount(), 1);
        const ReceiptLine back = doc.line(0);
        QCOMPARE(back.jkpov, QStringLiteral("A0001"));
        QCOMPARE(back.zustatek, -5.0);
        QCOMPARE(back.cenar, -52.5);
        QCOMPARE(back.kdy, now);
        QCOMPARE(back.stredisko, QStringLiteral("777"));
        QCOMPARE(back.ean, QStringLiteral("8594001234561"));
    }

    void issuedLinesAreLocked() {
        ReceiptLine l;
        l.mnoz = 5;
        l.zustatek = 5;
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        QVERIFY(!doc.canCorrect(l) && !doc.canDelete(l));
        l.zustatek = 4;
        QCOMPARE(doc.canCorrect(l)->text, QStringLiteral("Nelze opravit. Z karty se již vydávalo."));
        QCOMPARE(doc.canDelete(l)->text, QStringLiteral("Nelze smazat. Z karty se již vydávalo."));
    }

    void totalsByRate() {
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy();
        doc.nactiCiselniky();
        addLine(doc, QStringLiteral("D0000"), 2, 1.25);
        addLine(doc, QStringLiteral("D0010"), 1, 1234.5);
        addLine(doc, QStringLiteral("D0015"), 1, 3);
        addLine(doc, QStringLiteral("D0005"), 1, 4);
        const ReceiptLine big = addLine(doc, QStringLiteral("A0001"), 1000, 1000);
        Totals t = doc.SoucetD();
        QCOMPARE(Totals::text(t.s0), QStringLiteral("2,50"));
        QCOMPARE(Totals::text(t.sS), QStringLiteral("1 234,50"));
        QCOMPARE(Totals::text(t.sN), QStringLiteral("7,00"));
        QCOMPARE(Totals::text(t.sV), QStringLiteral("1 000 000,00"));
        ReceiptLine corrected = doc.line(1);
        corrected.mnoz = 2;
        doc.roundLine(corrected);
        QVERIFY(!doc.processQuantity(corrected) && !doc.writeLine(corrected));
        doc.deleteLine(doc.line(4));
        t = doc.SoucetD();
        QCOMPARE(Totals::text(t.sS), QStringLiteral("2 469,00"));
        QCOMPARE(Totals::text(t.sV), QStringLiteral("0,00"));
        QCOMPARE(doc.lineCount(), 4);
        Q_UNUSED(big)
    }

    void numbering_data() {
        QTest::addColumn<QString>("centre");
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QList<qint64>>("existing");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("first of 2015") << "777" << QDate(2015, 3, 1) << QList<qint64>{} << 2157770001LL;
        QTest::newRow("2014 beyond 32 bits")
            << "777" << QDate(2014, 6, 1) << QList<qint64>{2147770004} << 2147770005LL;
        QTest::newRow("continues after a later year")
            << "777" << QDate(2014, 6, 1) << QList<qint64>{2147770004, 2157770002} << 2157770003LL;
        QTest::newRow("other centres do not count")
            << "12" << QDate(2015, 1, 1) << QList<qint64>{2157770009} << 215120001LL;
    }
    void numbering() {
        QFETCH(QString, centre);
        QFETCH(QDate, datum);
        QFETCH(QList<qint64>, existing);
        QFETCH(qint64, expected);
        for (qint64 n : existing)
            testdb::insertReceipt(db, {n, QStringLiteral("777")});
        ReceiptDocument doc(db, QStringLiteral("07"), centre);
        QCOMPARE(doc.nextNumber(datum), expected);
        QVERIFY(!ReceiptDocument::numberBase(datum, QStringLiteral("7A")));
        QVERIFY(!ReceiptDocument::numberBase(datum, QString()));
    }

    void saveChecks_data() {
        QTest::addColumn<QString>("closed");
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QList<double>>("quantities"); // lines of A0001 (negative ones of A0001/P0001)
        QTest::addColumn<QString>("message");          // empty: saved
        QTest::newRow("closed period equal to the month")
            << "201501" << QDate(2015, 1, 31) << QList<double>{1} << "Datum DPH je v již uzavřeném ÚO!";
        QTest::newRow("closed period before the month")
            << "201412" << QDate(2015, 1, 1) << QList<double>{1} << "";
        QTest::newRow("no closed period") << "" << QDate(2015, 1, 1) << QList<double>{1} << "";
        QTest::newRow("plus and minus") << "" << QDate(2015, 1, 1) << QList<double>{1, -1}
                                        << "Na jednom dokladu nemohou být plus i mínus položky!";
        QTest::newRow("zero lines do not count") << "" << QDate(2015, 1, 1) << QList<double>{0, -1, 0} << "";
        QTest::newRow("two negative lines of one item")
            << "" << QDate(2015, 1, 1) << QList<double>{-1, -1} << "JKPOV 'A0001' je zadáno '2'x !";
        QTest::newRow("two positive lines of one item")
            << "" << QDate(2015, 1, 1) << QList<double>{1, 1} << "";
        QTest::newRow("no lines") << "" << QDate(2015, 1, 1) << QList<double>{} << "";
    }
    void saveChecks() {
        QFETCH(QString, closed);
        QFETCH(QDate, datum);
        QFETCH(QList<double>, quantities);
        QFETCH(QString, message);
        if (!closed.isEmpty())
            db.exec(QStringLiteral("insert into prodej (uzavreneuo) values ('%1')").arg(closed));
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy();
        doc.nactiCiselniky();
        doc.setHeader(col::DATUM, datum);
        doc.setHeader(col::ICO, QStringLiteral("O'B\\1"));
        for (double q : quantities) {
            // quantity 0 lines go in directly: the line panel would refuse them
            ReceiptLine l = doc.newLine();
            QVERIFY(!doc.lookup(QStringLiteral("A0001"), l).refused);
            l.mnoz = q;
            l.zustatek = q;
            l.cenar = q * l.nc;
            if (q != 0)
                QVERIFY(!doc.writeLine(l));
            else
                db.exec(QStringLiteral("insert into %1 (id, CISLODOKLA, STREDISKO, JKPOV, MNOZ, NC, POLOZKA) "
                                       "values (0, 0, '777', 'A0001', 0, 1, 'x')")
                            .arg(doc.linesTable()));
        }
        doc.reloadLines();
        qint64 number = 0;
        const auto r = doc.save(QStringLiteral("N"), number);
        if (message.isEmpty()) {
            QVERIFY2(!r, r ? qPrintable(r->text) : "");
            QVERIFY(number > 0);
            QCOMPARE(db.scalar(QStringLiteral("select ICO from prijem where cislodokla = %1").arg(number))
                         .toString(),
                     QStringLiteral("O'B\\1"));
            QCOMPARE(
                db.scalar(QStringLiteral("select count(*) from prirad where cislodokla = %1").arg(number))
                    .toInt(),
                quantities.size());
            QCOMPARE(db.scalar(QStringLiteral("select VNITRO from prijem")).toInt(), 0);
        } else {
            QVERIFY(r);
            QCOMPARE(r->text, message);
            QCOMPARE(r->buttons, QStringList{QStringLiteral("Zpět")});
            QCOMPARE(number, 0LL);
            QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
        }
    }

    void newReceiptIsSavedAsEntered() {
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy(QDateTime(QDate(2014, 5, 6), QTime(10, 11, 12)));
        doc.nactiCiselniky();
        QCOMPARE(doc.header(col::STREDISKO).toString(), QStringLiteral("777"));
        QCOMPARE(doc.header(col::DATUM).toDate(), QDate(2014, 5, 6));
        doc.setHeader(col::ICO, QStringLiteral("77"));
        doc.setHeader(col::CIDODODAV, QStringLiteral("FA-1"));
        addLine(doc, QStringLiteral("A0001"), 2.5, 10.456);
        addLine(doc, QStringLiteral("D0010"), 3);
        qint64 number = 0;
        QVERIFY(!doc.save(QStringLiteral("N"), number));
        QCOMPARE(number, 2147770001LL);
        const RowSet h = db.select(QStringLiteral("select * from prijem"));
        QCOMPARE(h.rowCount(), 1);
        QCOMPARE(h.value(0, col::CISLODOKLA).toLongLong(), 2147770001LL);
        QCOMPARE(h.value(0, col::VNITRO).toInt(), 1); // IČO shorter than 4
        QCOMPARE(h.value(0, col::CIDODODAV).toString(), QStringLiteral("FA-1"));
        QVERIFY(h.value(0, col::DATUMZAUCT).isNull());
        const RowSet l = db.select(QStringLiteral("select * from prirad order by JKPOV"));
        QCOMPARE(l.rowCount(), 2);
        QCOMPARE(l.value(0, col::CISLODOKLA).toLongLong(), 2147770001LL);
        QCOMPARE(l.value(0, col::NC).toDouble(), 10.46);
        QCOMPARE(l.value(0, col::CENAR).toDouble(), 26.15);
        QCOMPARE(l.value(0, col::ZUSTATEK).toDouble(), 2.5);
        QVERIFY(l.value(0, col::id).toInt() > 0);
        QVERIFY(l.value(0, col::id) != l.value(1, col::id));
        doc.FormClose();
        QCOMPARE(db.select(QStringLiteral("show tables like 'tmp07%'")).rowCount(), 0);
    }

    void correctionKeepsNumberAndIds() {
        testdb::insertReceipt(db, {2147770001, QStringLiteral("777"), QDate(2014, 5, 6)});
        testdb::insertLine(db, 2147770001, QStringLiteral("A0001"), 1, 10);
        testdb::insertLine(db, 2147770001, QStringLiteral("D0010"), 2, 10);
        testdb::insertLine(db, 2147770001, QStringLiteral("D0015"), 3, 10);
        db.exec(QStringLiteral("update prirad set POLOZKA = concat('07', id)"));
        const RowSet before = db.select(QStringLiteral("select id, JKPOV from prirad order by id"));
        // a scratch table left behind by an earlier run is replaced
        db.exec(QStringLiteral("create table tmp07prirad (x int)"));
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravOprava(2147770001);
        doc.nactiCiselniky();
        QCOMPARE(doc.lineCount(), 3);
        doc.deleteLine(doc.line(1)); // D0010
        ReceiptLine l = doc.line(0);
        l.mnoz = 4;
        doc.roundLine(l);
        QVERIFY(!doc.processQuantity(l) && !doc.writeLine(l));
        addLine(doc, QStringLiteral("D0000"), 1, 1);
        qint64 number = 2147770001;
        QVERIFY(!doc.save(QStringLiteral("O"), number));
        QCOMPARE(number, 2147770001LL);
        const RowSet after =
            db.select(QStringLiteral("select id, JKPOV, MNOZ, CISLODOKLA from prirad order by id"));
        QCOMPARE(after.rowCount(), 3);
        QCOMPARE(after.rows[0][0], before.rows[0][0]); // A0001 kept its id
        QCOMPARE(after.rows[0][2].toDouble(), 4.0);
        QCOMPARE(after.rows[1][0], before.rows[2][0]); // D0015 kept its id
        QCOMPARE(after.rows[2][1].toString(), QStringLiteral("D0000"));
        QVERIFY(after.rows[2][0].toInt() > before.rows[2][0].toInt());
        QCOMPARE(after.rows[2][3].toLongLong(), 2147770001LL);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 1);
    }

    void centreWithoutDigits() {
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("O'B"));
        doc.PripravNovy();
        qint64 number = 0;
        const auto r = doc.save(QStringLiteral("N"), number);
        QVERIFY(r);
        QCOMPARE(r->text, QStringLiteral("Středisko „O'B“ nemá číselný kód, doklad nelze očíslovat."));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
    }

    void failedSaveIsRolledBackAndCanBeRetried() {
        ReceiptDocument doc(db, QStringLiteral("07"), QStringLiteral("777"));
        doc.PripravNovy(QDateTime(QDate(2015, 2, 3), QTime(8, 0)));
        doc.nactiCiselniky();
        addLine(doc, QStringLiteral("A0001"), 1);
        db.exec(QStringLiteral("rename table prirad to prirad_x"));
        qint64 number = 0;
        try {
            doc.save(QStringLiteral("N"), number);
            db.exec(QStringLiteral("rename table prirad_x to prirad"));
            QFAIL("the save should have failed");
        } catch (const DbError &e) {
            db.exec(QStringLiteral("rename table prirad_x to prirad"));
            QVERIFY2(e.text().contains(QStringLiteral("prirad")), qPrintable(e.text()));
        }
        QCOMPARE(number, 0LL);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0); // nothing half-saved
        QCOMPARE(doc.lineCount(), 1);
        QVERIFY(!doc.save(QStringLiteral("N"), number));
        QCOMPARE(number, 2157770001LL);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prirad")).toInt(), 1);
    }

    void twoWorkstationsSaveAtOnce() {
        constexpr int perStation = 15;
        std::atomic<int> failures{0};
        auto station = [&](const QString &ws) {
            try {
                Db own(QStringLiteral("stanice") + ws);
                own.open(testdb::settings());
                ReceiptDocument doc(own, ws, QStringLiteral("777"));
                for (int i = 0; i < perStation; ++i) {
                    doc.PripravNovy(QDateTime(QDate(2015, 4, 1), QTime(9, 0)));
                    own.exec(QStringLiteral("insert into %1 (id, CISLODOKLA, STREDISKO, JKPOV, MNOZ, NC, "
                                            "CENAR, POLOZKA, ZUSTATEK) "
                                            "values (0, 0, '777', 'A0001', 1, 1, 1, '%2', 1)")
                                 .arg(doc.linesTable(), ws + QString::number(i)));
                    doc.reloadLines();
                    qint64 number = 0;
                    if (doc.save(QStringLiteral("N"), number) || number == 0) ++failures;
                }
                doc.FormClose();
            } catch (const DbError &) {
                ++failures;
            }
        };
        std::thread a(station, QStringLiteral("01"));
        std::thread b(station, QStringLiteral("02"));
        a.join();
        b.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 2 * perStation);
        QCOMPARE(db.scalar(QStringLiteral("select count(distinct cislodokla) from prijem")).toInt(),
                 2 * perStation);
        QCOMPARE(db.scalar(QStringLiteral("select min(cislodokla) from prijem")).toLongLong(), 2157770001LL);
        QCOMPARE(db.scalar(QStringLiteral("select max(cislodokla) from prijem")).toLongLong(),
                 2157770000LL + 2 * perStation);
        // every receipt has its own line
        QCOMPARE(db.scalar(QStringLiteral("select count(distinct cislodokla) from prirad")).toInt(),
                 2 * perStation);
    }
};

QTEST_GUILESS_MAIN(TestReceiptDoc)
#include "tst_receiptdoc.moc"
