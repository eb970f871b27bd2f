#include "common/database.h"
#include "common/sqltext.h"
#include "platform/guard.h"
#include "platform/messagebox.h"
#include "testdb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDatabase : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("test")};

private slots:
    void initTestCase() { db.open(testdb::settings()); }
    void init() { testdb::clean(db); }

    void quotedValuesRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien");
        QTest::newRow("backslashes") << QStringLiteral("C:\\new\\");
        QTest::newRow("trailing backslash") << QStringLiteral("konec\\");
        QTest::newRow("backslash quote") << QStringLiteral("a\\'b");
        QTest::newRow("double quotes") << QStringLiteral("\"Pekárna\"");
        QTest::newRow("injection") << QStringLiteral("x'); DROP TABLE prijem; --");
        QTest::newRow("semicolon") << QStringLiteral("a;b");
        QTest::newRow("czech") << QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy");
        QTest::newRow("percent underscore") << QStringLiteral("50%_sleva");
    }
    void quotedValuesRoundTrip() {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("sql.log"));
        StatementLog::setFile(log);
        db.exec(QStringLiteral("INSERT INTO adresar SET id = 0, ICO = '1', NAZEVPODNI = ") + quoted(value));
        const RowSet rs =
            db.select(QStringLiteral("select NAZEVPODNI from adresar where NAZEVPODNI = ") + quoted(value));
        StatementLog::setFile({});
        QCOMPARE(rs.rowCount(), 1);
        QCOMPARE(rs.rows[0][0].toString(), value);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from prijem")).isValid()); // still there
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(text.count(QStringLiteral("\n;\n")), 2); // exactly the two statements were sent
        QVERIFY(!text.contains(QStringLiteral("CHYBA")));
    }

    void splitScript_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("plain") << QStringLiteral("START TRANSACTION;\nDELETE from x;\nCOMMIT;")
                               << QStringList{QStringLiteral("START TRANSACTION"),
                                              QStringLiteral("DELETE from x"), QStringLiteral("COMMIT")};
        QTest::newRow("semicolon in literal")
            << QStringLiteral("insert into t set a='x;y';select 1")
            << QStringList{QStringLiteral("insert into t set a='x;y'"), QStringLiteral("select 1")};
        QTest::newRow("doubled quote")
            << QStringLiteral("select 'O''B;r';select 2")
            << QStringList{QStringLiteral("select 'O''B;r'"), QStringLiteral("select 2")};
        QTest::newRow("escaped quote")
            << QStringLiteral("select 'a\\';b';select 3")
            << QStringList{QStringLiteral("select 'a\\';b'"), QStringLiteral("select 3")};
        QTest::newRow("double-quoted")
            << QStringLiteral("select \"a;b\"") << QStringList{QStringLiteral("select \"a;b\"")};
        QTest::newRow("comment") << QStringLiteral("select 1; -- a; b\nselect 2;")
                                 << QStringList{QStringLiteral("select 1"), QStringLiteral("select 2")};
        QTest::newRow("empty statements")
            << QStringLiteral(";;select 1;;") << QStringList{QStringLiteral("select 1")};
    }
    void splitScript() {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QCOMPARE(::splitScript(script), statements);
    }

    void scriptFailingHalfWayIsRolledBack() {
        const QString script = QStringLiteral(
            "START TRANSACTION;\n"
            "insert into prijem (CISLODOKLA, STREDISKO, NAZEVPODNI) values (1, '777', 'a;b');\n"
            "insert into neni_tabulka values (1);\n"
            "insert into prijem (CISLODOKLA, STREDISKO) values (2, '777');\n"
            "COMMIT;");
        try {
            db.runScript(script);
            QFAIL("the script should have failed");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("neni_tabulka")), qPrintable(e.text()));
            QCOMPARE(e.code(), 1146);
        }
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
        // the connection is usable and not inside a transaction any more
        db.exec(QStringLiteral("insert into prijem (CISLODOKLA, STREDISKO) values (3, '777')"));
        Db other(QStringLiteral("other"));
        other.open(testdb::settings());
        QCOMPARE(other.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 1);
    }

    void scriptCommits() {
        db.runScript(QStringLiteral(
            "START TRANSACTION;insert into prijem (CISLODOKLA, STREDISKO) values (5, 'a;b');COMMIT;"));
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.scalar(QStringLiteral("select STREDISKO from prijem where CISLODOKLA = 5")).toString(),
                 QStringLiteral("a;b"));
    }

    void sessionIgnoresServerGlobalMode() {
        Db admin(QStringLiteral("admin"));
        admin.open(testdb::settings());
        const QString saved = admin.scalar(QStringLiteral("select @@GLOBAL.sql_mode")).toString();
        admin.exec(
            QStringLiteral("SET GLOBAL sql_mode = 'ANSI_QUOTES,ONLY_FULL_GROUP_BY,NO_AUTO_VALUE_ON_ZERO,"
                           "NO_BACKSLASH_ESCAPES,STRICT_ALL_TABLES'"));
        auto restore =
            qScopeGuard([&] { admin.exec(QStringLiteral("SET GLOBAL sql_mode = ") + quoted(saved)); });
        Db fresh(QStringLiteral("fresh"));
        fresh.open(testdb::settings());
        QCOMPARE(fresh.scalar(QStringLiteral("select \"A\"")).toString(), QStringLiteral("A"));
        fresh.exec(QStringLiteral("insert into adresar (id, ICO, NAZEVPODNI) values (0, '1', ") +
                   quoted(QStringLiteral("C:\\new\\")) + QStringLiteral(")"));
        fresh.exec(QStringLiteral("insert into adresar (id, ICO, NAZEVPODNI) values (0, '1', 'b')"));
        const RowSet ids = fresh.select(QStringLiteral("select id, NAZEVPODNI from adresar order by id"));
        QCOMPARE(ids.rowCount(), 2);
        QVERIFY(ids.rows[0][0].toInt() > 0); // id 0 means "give me the next one"
        QVERIFY(ids.rows[1][0].toInt() > ids.rows[0][0].toInt());
        QCOMPARE(ids.rows[0][1].toString(), QStringLiteral("C:\\new\\"));
        // a loose GROUP BY as the reports write them
        fresh.select(QStringLiteral("select ICO, NAZEVPODNI, count(*) from adresar group by ICO"));
    }

    void connectionErrorsCarryServerText() {
        Db bad(QStringLiteral("bad"));
        ConnectionSettings s = testdb::settings();
        s.password = QStringLiteral("spatne");
        s.user = QStringLiteral("nikdo");
        try {
            bad.open(s);
            QFAIL("login should fail");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("Access denied")), qPrintable(e.text()));
        }
        s = testdb::settings();
        s.port = 1; // nothing listens there
        try {
            bad.open(s);
            QFAIL("connect should fail");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("connect"), Qt::CaseInsensitive), qPrintable(e.text()));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, bad.exec(QStringLiteral("select 1")));
    }

    void lostConnectionIsReopenedForTheNextStatement() {
        Db lost(QStringLiteral("lost"));
        lost.open(testdb::settings());
        lost.exec(QStringLiteral("START TRANSACTION"));
        QVERIFY(lost.inTransaction());
        const qint64 id = lost.scalar(QStringLiteral("select connection_id()")).toLongLong();
        db.exec(QStringLiteral("KILL CONNECTION %1").arg(id));
        try {
            lost.exec(QStringLiteral("insert into prijem (CISLODOKLA, STREDISKO) values (7, '777')"));
            QFAIL("the statement on a killed connection should fail");
        } catch (const DbError &e) {
            QVERIFY2(e.code() == 2006 || e.code() == 2013, qPrintable(e.text()));
        }
        QVERIFY(!lost.inTransaction());
        QCOMPARE(lost.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
        QVERIFY(lost.scalar(QStringLiteral("select connection_id()")).toLongLong() != id);
        QVERIFY(!lost.scalar(QStringLiteral("select @@SESSION.sql_mode"))
                     .toString()
                     .contains(QStringLiteral("ONLY_FULL_GROUP_BY")));
        QCOMPARE(lost.scalar(QStringLiteral("select @@SESSION.sql_mode")).toString(),
                 QStringLiteral("STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION"));
        // a closed connection is not reopened behind the caller's back
        lost.close();
        QVERIFY_THROWS_EXCEPTION(DbError, lost.exec(QStringLiteral("select 1")));
    }

    void guardRollsBackAnOpenTransaction() {
        QStringList shown;
        Messages::setResponder([&](const MessageRequest &r) {
            shown << r.text;
            return 1;
        });
        bool rest = false;
        QVERIFY(!guarded(nullptr, &db, [&] {
            db.exec(QStringLiteral("START TRANSACTION"));
            db.exec(QStringLiteral("insert into prijem (CISLODOKLA, STREDISKO) values (11, '777')"));
            db.exec(
                QStringLiteral("insert into prijem (CISLODOKLA, STREDISKO) values (11, '777')")); // duplicate
            rest = true;
        }));
        Messages::setResponder({});
        QVERIFY(!rest);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("Duplicate entry")), qPrintable(shown[0]));
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
    }

    void statementLog() {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("sql.log"));
        StatementLog::setFile(log);
        db.exec(QStringLiteral("select 1\n from dual"));
        QVERIFY_THROWS_EXCEPTION(DbError, db.exec(QStringLiteral("select * from neni")));
        StatementLog::setFile({});
        db.exec(QStringLiteral("select 2")); // not logged any more
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList entries =
            QString::fromUtf8(f.readAll()).split(QStringLiteral("\n;\n"), Qt::SkipEmptyParts);
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0].contains(QStringLiteral("| OK\nselect 1\n from dual")));
        QVERIFY(QRegularExpression(
                    QStringLiteral(
                        "^-- \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\| \\d+\\.\\d{3} ms \\| "))
                    .match(entries[0])
                    .hasMatch());
        QVERIFY(entries[1].contains(QStringLiteral("CHYBA: ")));
        QVERIFY(entries[1].contains(QStringLiteral("neni")));
    }

    void stockProcedure() {
        // item A: two cards, one partly issued; delivered 2, sold 3; item B without movement
        db.exec(QStringLiteral(
            "insert into seznam (id, STREDISKO, JKPOV, STAV, ZUSTATEK, nczust) values "
            "(0, '777', 'A', 99, 99, 99), (0, '777', 'B', 5, 5, 5), (0, '101', 'A', 1, 1, 1)"));
        db.exec(QStringLiteral(
            "insert into prirad (id, CISLODOKLA, STREDISKO, JKPOV, MNOZ, NC, ZUSTATEK) values "
            "(0, 1, '777', 'A', 10, 1.25, 5), (0, 2, '777', 'A', 3, 2, 3), (0, 3, '101', 'A', 7, 1, 7)"));
        db.exec(QStringLiteral(
            "insert into dlrad (CISLODOKLA, STREDISKO, JKPOV, MNOZ) values (9, '777', 'A', 2)"));
        db.exec(QStringLiteral(
            "insert into uctenkynakl (CISLODOKLA, STREDISKO, JKPOV, MNOZ) values (8, '777', 'A', 3)"));
        db.exec(QStringLiteral("call seznam_stav()"));
        db.exec(QStringLiteral("call seznam_stav()")); // repeatedly callable
        const RowSet rs = db.select(QStringLiteral(
            "select STREDISKO, JKPOV, STAV, ZUSTATEK, nczust from seznam order by STREDISKO desc, JKPOV"));
        QCOMPARE(rs.rowCount(), 3);
        QCOMPARE(rs.rows[0][2].toDouble(), 8.0);   // 13 received - 2 delivered - 3 sold
        QCOMPARE(rs.rows[0][3].toDouble(), 8.0);   // 5 + 3 left on the cards
        QCOMPARE(rs.rows[0][4].toDouble(), 12.25); // 5 * 1.25 + 3 * 2
        QCOMPARE(rs.rows[1][2].toDouble(), 0.0);
        QCOMPARE(rs.rows[1][3].toDouble(), 0.0);
        QCOMPARE(rs.rows[1][4].toDouble(), 0.0);
        QCOMPARE(rs.rows[2][2].toDouble(), 7.0); // centres kept apart
    }

    void cp1250OnlyTextIsRefusedNotMangled() {
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.exec(QStringLiteral("insert into adresar (id, NAZEVPODNI) values (0, ") +
                                         quoted(QStringLiteral("Москва")) + QStringLiteral(")")));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from adresar")).toInt(), 0);
    }
};

QTEST_MAIN(TestDatabase)
#include "tst_database.moc"
