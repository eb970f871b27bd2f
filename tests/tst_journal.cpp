#include "app/journal.h"
#include "common/vocabulary.h"
#include "testdb.h"

#include <QtTest>

using testdb::Receipt;

namespace {
QDateTime at(int y, int m, int d, int h = 10) {
    return QDateTime(QDate(y, m, d), QTime(h, 0));
}

QList<qint64> numbers(const Journal &j) {
    QList<qint64> out;
    for (int r = 0; r < j.headers().rowCount(); ++r)
        out << j.headers().value(r, col::CISLODOKLA).toLongLong();
    return out;
}
} // namespace

class TestJournal : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("test")};

    void fixture() {
        testdb::clean(db);
        // number, date, IČO, posting time
        testdb::insertReceipt(db, {2127770001, QStringLiteral("777"), QDate(2012, 2, 1),
                                   QStringLiteral("12345678"), QStringLiteral("Chmel a.s.")});
        testdb::insertReceipt(db,
                              {2147770001, QStringLiteral("777"), QDate(2014, 3, 1),
                               QStringLiteral("12345678"), QStringLiteral("Hrách s.r.o."), at(2012, 5, 3)});
        testdb::insertReceipt(db, {2147770002, QStringLiteral("777"), QDate(2014, 6, 1),
                                   QStringLiteral("87654321"), QStringLiteral("Cibule v.o.s."),
                                   at(2005, 1, 1, 0)});
        testdb::insertReceipt(db, {2137770001, QStringLiteral("777"), QDate(2013, 7, 1),
                                   QStringLiteral("11111111"), QStringLiteral("Čočka"), at(2001, 1, 1)});
        testdb::insertReceipt(
            db, {2147770003, QStringLiteral("777"), QDate(2014, 8, 1), QString(), QStringLiteral("Bez IČO")});
        testdb::insertReceipt(db, {2147770004, QStringLiteral("777"), QDate(2014, 9, 1),
                                   QStringLiteral("123"), QStringLiteral("Vnitro 123")});
        testdb::insertReceipt(db, {2147770005, QStringLiteral("777"), QDate(2014, 10, 1),
                                   QStringLiteral("1234"), QStringLiteral("Krátké IČO")});
        testdb::insertReceipt(db, {2157770001, QStringLiteral("777"), QDate(2015, 1, 5),
                                   QStringLiteral("12345678"), QStringLiteral("Hraniční den"),
                                   at(2011, 11, 11, 23)});
        testdb::insertReceipt(db, {2151010001, QStringLiteral("101"), QDate(2015, 1, 5),
                                   QStringLiteral("12345678"), QStringLiteral("Jiné středisko")});
        testdb::insertReceipt(db, {2150001001, QStringLiteral("O'B\\"), QDate(2015, 2, 5),
                                   QStringLiteral("12345678"), QStringLiteral("Uvozovky")});
        testdb::insertLine(db, 2127770001, QStringLiteral("A1"), 2, 10);
        testdb::insertLine(db, 2127770001, QStringLiteral("A2"), 1.5, 3.3);
        testdb::insertLine(db, 2147770003, QStringLiteral("B1"), 7, 1);
    }

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        fixture();
    }

    void filters_data() {
        QTest::addColumn<QString>("posting");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("yearIndex");
        QTest::addColumn<QString>("yearText");
        QTest::addColumn<QList<qint64>>("expected");
        const QString all = QStringLiteral("Vše");
        QTest::newRow("start-up: unposted, all sources")
            << "DL"
            << "VSE" << 0 << all << QList<qint64>{2127770001, 2137770001, 2147770003, 2147770004, 2147770005};
        QTest::newRow("posted after 2011-11-11") << "FA"
                                                 << "VSE" << 0 << all << QList<qint64>{2147770001};
        QTest::newRow("everything") << "VSE"
                                    << "VSE" << 0 << all
                                    << QList<qint64>{2127770001, 2137770001, 2147770001, 2147770002,
                                                     2147770003, 2147770004, 2147770005, 2157770001};
        QTest::newRow("internal: IČO up to 3 characters, empty included")
            << "VSE"
            << "VP" << 0 << all << QList<qint64>{2147770003, 2147770004};
        QTest::newRow("from invoices: 4 characters and more")
            << "VSE"
            << "FA" << 0 << all
            << QList<qint64>{2127770001, 2137770001, 2147770001, 2147770002, 2147770005, 2157770001};
        QTest::newRow("2014 from the list")
            << "VSE"
            << "VSE" << 1 + 1 << QStringLiteral("2014")
            << QList<qint64>{2147770001, 2147770002, 2147770003, 2147770004, 2147770005};
        QTest::newRow("2014 unposted internal")
            << "DL"
            << "VP" << 2 << QStringLiteral("2014") << QList<qint64>{2147770003, 2147770004};
        QTest::newRow("year typed in") << "VSE"
                                       << "VSE" << -1 << QStringLiteral("2012") << QList<qint64>{2127770001};
        QTest::newRow("typed text that is no year")
            << "VSE"
            << "FA" << -1 << QStringLiteral("20")
            << QList<qint64>{2127770001, 2137770001, 2147770001, 2147770002, 2147770005, 2157770001};
        QTest::newRow("last item of the list")
            << "VSE"
            << "VSE" << 4 << QStringLiteral("2012") << QList<qint64>{2127770001};
    }
    void filters() {
        QFETCH(QString, posting);
        QFETCH(QString, source);
        QFETCH(int, yearIndex);
        QFETCH(QString, yearText);
        QFETCH(QList<qint64>, expected);
        Journal j(db);
        j.stredisko = QStringLiteral("777");
        j.postingFilter = posting;
        j.sourceFilter = source;
        j.yearIndex = yearIndex;
        j.yearText = yearText;
        j.UdelejSQL();
        QCOMPARE(numbers(j), expected);
    }

    void statementText() {
        Journal j(db);
        j.stredisko = QStringLiteral("O'B\\");
        j.yearIndex = 2;
        j.yearText = QStringLiteral("2014");
        QCOMPARE(j.journalStatement().text(),
                 QStringLiteral("select * from prijem\n"
                                " where stredisko = 'O''B\\\\'\n"
                                " AND year(datum) = '2014'\n"
                                " AND (DATE(datumzauct) < \"2002-11-11\" or datumzauct is null)\n"
                                " order by cislodokla"));
        j.yearIndex = 0;
        j.postingFilter = QStringLiteral("VSE");
        j.UdelejSQL();
        QCOMPARE(numbers(j), QList<qint64>{2150001001});
    }

    void linesFollowTheCursor() {
        Journal j(db);
        j.UdelejSQL();
        QCOMPARE(j.current(), 0);
        QCOMPARE(j.lines().rowCount(), 2);
        QCOMPARE(j.lines().value(0, col::JKPOV).toString(), QStringLiteral("A1"));
        QCOMPARE(j.lines().displayText(1, j.lines().columnOf(col::MNOZ)), QStringLiteral("1,5"));
        QCOMPARE(j.lines().displayText(1, j.lines().columnOf(col::NC)), QStringLiteral("3,30"));
        QCOMPARE(j.lines().displayText(1, j.lines().columnOf(col::CENAR)), QStringLiteral("4,95"));
        j.setCurrent(2); // 2147770003
        QCOMPARE(j.lines().rowCount(), 1);
        QCOMPARE(j.lines().value(0, col::JKPOV).toString(), QStringLiteral("B1"));
        j.setCurrent(1); // no lines
        QVERIFY(j.lines().isOpen());
        QCOMPARE(j.lines().rowCount(), 0);
        QCOMPARE(j.linesStatement().text(),
                 QStringLiteral("select * from prirad\n where cislodokla = '2137770001'"));
        j.suppressLines = true;
        j.setCurrent(0);
        QVERIFY(!j.lines().isOpen());
    }

    void emptyJournal() {
        Journal j(db);
        j.stredisko = QStringLiteral("neni");
        j.UdelejSQL();
        QVERIFY(j.headers().isOpen());
        QCOMPARE(j.headers().rowCount(), 0);
        QVERIFY(!j.lines().isOpen());
        QVERIFY(!j.currentNumber().has_value());
        QCOMPARE(j.linesStatement().text(), QStringLiteral("select * from prirad\n where cislodokla = ''"));
    }

    void sortSurvivesReopening() {
        Journal j(db);
        j.postingFilter = QStringLiteral("VSE");
        j.UdelejSQL();
        j.setCurrent(j.headers().locate(col::CISLODOKLA, 2147770004LL));
        j.sortBy(col::NAZEVPODNI);
        // the cursor stays on its receipt
        QCOMPARE(j.currentNumber().value(), 2147770004LL);
        auto names = [&] {
            QStringList out;
            for (int r = 0; r < j.headers().rowCount(); ++r)
                out << j.headers().value(r, col::NAZEVPODNI).toString();
            return out;
        };
        // Czech order: C, Č, H, Ch ("ch" is one letter, after "h")
        QCOMPARE(names(), (QStringList{QStringLiteral("Bez IČO"), QStringLiteral("Cibule v.o.s."),
                                       QStringLiteral("Čočka"), QStringLiteral("Hrách s.r.o."),
                                       QStringLiteral("Hraniční den"), QStringLiteral("Chmel a.s."),
                                       QStringLiteral("Krátké IČO"), QStringLiteral("Vnitro 123")}));
        j.sourceFilter = QStringLiteral("FA");
        j.UdelejSQL();
        QCOMPARE(names(), (QStringList{QStringLiteral("Cibule v.o.s."), QStringLiteral("Čočka"),
                                       QStringLiteral("Hrách s.r.o."), QStringLiteral("Hraniční den"),
                                       QStringLiteral("Chmel a.s."), QStringLiteral("Krátké IČO")}));
        QCOMPARE(j.current(), 0);
        QCOMPARE(j.currentNumber().value(), 2147770002LL);
        j.sortBy(col::DATUM);
        QCOMPARE(j.currentNumber().value(), 2147770002LL);
        QCOMPARE(j.headers().value(0, col::CISLODOKLA).toLongLong(), 2127770001LL);
        j.sortBy(col::DATUMZAUCT); // NULL first
        QCOMPARE(j.headers().value(0, col::CISLODOKLA).toLongLong(), 2127770001LL);
        QCOMPARE(j.headers().value(5, col::CISLODOKLA).toLongLong(), 2147770001LL);
    }

    void refreshAndLocate() {
        Journal j(db);
        j.postingFilter = QStringLiteral("VSE");
        j.UdelejSQL();
        testdb::insertReceipt(db, {2147770009, QStringLiteral("777"), QDate(2014, 12, 1)});
        j.refreshAndLocate(2147770009);
        QCOMPARE(j.currentNumber().value(), 2147770009LL);
        QVERIFY(j.lines().isOpen());
        j.setCurrent(2);
        j.refreshAndLocate(99); // not listed: the cursor stays on the first row
        QCOMPARE(j.current(), 0);
        db.exec(QStringLiteral("delete from prijem where CISLODOKLA = 2147770009"));
    }

    void postedForCorrection_data() {
        QTest::addColumn<QVariant>("zauct");
        QTest::addColumn<bool>("posted");
        QTest::newRow("null") << QVariant() << false;
        QTest::newRow("2012-05-03") << QVariant(at(2012, 5, 3)) << true;
        QTest::newRow("2005-01-01") << QVariant(at(2005, 1, 1)) << true;
        QTest::newRow("1999-11-11 evening") << QVariant(at(1999, 11, 11, 23)) << false;
        QTest::newRow("1999-11-12") << QVariant(at(1999, 11, 12, 0)) << true;
        QTest::newRow("1998") << QVariant(at(1998, 1, 1)) << false;
    }
    void postedForCorrection() {
        QFETCH(QVariant, zauct);
        QFETCH(bool, posted);
        QCOMPARE(Journal::isPostedForCorrection(zauct), posted);
    }

    void centreCodesInTextOrder() {
        db.exec(QStringLiteral("truncate strediska"));
        for (const QString &c :
             {QStringLiteral("7"), QStringLiteral("11"), QStringLiteral("777"), QStringLiteral("O'B")})
            testdb::insertCentre(db, c);
        Journal j(db);
        QCOMPARE(j.centreCodes(), (QStringList{QStringLiteral("11"), QStringLiteral("7"),
                                               QStringLiteral("777"), QStringLiteral("O'B")}));
    }

    void catalogueRule_data() {
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("no main centre") << ""
                                        << "200" << true;
        QTest::newRow("main centre") << "100"
                                     << "100" << true;
        QTest::newRow("other centre") << "100"
                                      << "200" << false;
    }
    void catalogueRule() {
        QFETCH(QString, main);
        QFETCH(QString, current);
        QFETCH(bool, allowed);
        QCOMPARE(Journal::catalogueAllowed(main, current), allowed);
    }

    void failingStatementLeavesJournalClosed() {
        Journal j(db);
        j.UdelejSQL();
        db.exec(QStringLiteral("rename table prijem to prijem_x"));
        auto back = qScopeGuard([&] { db.exec(QStringLiteral("rename table prijem_x to prijem")); });
        QVERIFY_THROWS_EXCEPTION(DbError, j.UdelejSQL());
        QVERIFY(!j.headers().isOpen());
        QVERIFY(!j.lines().isOpen());
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
