// The demo data generator: loads into the test server and must give consistent stock figures.
#include "common/database.h"
#include "testdb.h"

#include <QProcess>
#include <QtTest>

class TestDemoData : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("test")};

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        testdb::clean(db);
        QProcess gen;
        QProcess client;
        gen.setStandardOutputProcess(&client);
        client.start(QStringLiteral("mariadb"),
                     {QStringLiteral("--no-defaults"), QStringLiteral("--protocol=TCP"),
                      QStringLiteral("-h127.0.0.1"), QStringLiteral("-P%1").arg(testdb::settings().port),
                      QStringLiteral("-uroot"), QStringLiteral("--default-character-set=utf8mb4"),
                      QStringLiteral("prodej")});
        gen.start(QStringLiteral(PRIJEM_GENDEMO), QStringList{});
        QVERIFY(gen.waitForFinished(120000));
        QCOMPARE(gen.exitCode(), 0);
        client.closeWriteChannel();
        QVERIFY(client.waitForFinished(120000));
        QVERIFY2(client.exitCode() == 0, client.readAllStandardError().constData());
    }

    void sizes() {
        QCOMPARE(
            db.scalar(QStringLiteral("select count(*) from strediska where stredisko in ('777','101','205')"))
                .toInt(),
            3);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from adresar")).toInt(), 50);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from seznam where stredisko = '777'")).toInt(),
                 2000);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from prijem")).toInt() >= 300);
        QVERIFY(db.scalar(QStringLiteral("select count(distinct year(datum)) from prijem")).toInt() >= 10);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from seznamean")).toInt() > 100);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from uctenkynakl")).toInt() > 100);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from dlrad")).toInt() > 10);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from sklinv")).toInt() > 10);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prodej")).toInt(), 1);
    }

    void variety() {
        QCOMPARE(db.scalar(QStringLiteral("select count(distinct povaha) from seznam")).toInt(), 3);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from seznam where aktivni <> 'A'")).toInt() > 0);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from seznam where fofrcislo > 0")).toInt() > 0);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from prijem where length(ico) < 4")).toInt() > 0);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from prijem where datumzauct is null")).toInt() >
                0);
        QVERIFY(
            db.scalar(QStringLiteral("select count(*) from prijem where datumzauct > '2011-11-12'")).toInt() >
            0);
        QVERIFY(db.scalar(QStringLiteral("select count(*) from prirad where mnoz < 0")).toInt() > 0);
        QVERIFY(db
                    .scalar(QStringLiteral(
                        "select count(*) from adresar where nazevpodni like '%ř%' or nazevpodni like '%č%'"))
                    .toInt() > 0);
    }

    void validEans() {
        const RowSet rs = db.select(QStringLiteral("select ean from seznam where length(ean) = 13"));
        QVERIFY(rs.rowCount() > 1000);
        for (const auto &row : rs.rows) {
            const QString e = row[0].toString();
            int sum = 0;
            for (int i = 0; i < 12; ++i)
                sum += e.at(i).digitValue() * (i % 2 ? 3 : 1);
            QCOMPARE(e.at(12).digitValue(), (10 - sum % 10) % 10);
        }
    }

    void consistentStock() {
        // no card issued below zero or beyond what it received
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prirad where mnoz > 0 and (zustatek < "
                                          "-0.00001 or zustatek > mnoz + 0.00001)"))
                     .toInt(),
                 0);
        // every receipt holds only positive or only negative lines
        QCOMPARE(db.scalar(QStringLiteral(
                               "select count(*) from (select cislodokla from prirad group by cislodokla "
                               "having min(mnoz) < 0 and max(mnoz) > 0) x"))
                     .toInt(),
                 0);
        // the catalogue's figures are what the procedure computes, and stock equals the cards
        const QString before =
            db.scalar(QStringLiteral(
                          "select concat(sum(stav), '/', sum(zustatek), '/', sum(nczust)) from seznam"))
                .toString();
        db.exec(QStringLiteral("call seznam_stav()"));
        QCOMPARE(db.scalar(QStringLiteral(
                               "select concat(sum(stav), '/', sum(zustatek), '/', sum(nczust)) from seznam"))
                     .toString(),
                 before);
        QCOMPARE(
            db
                .scalar(QStringLiteral(
                    "select count(*) from seznam where abs(stav - zustatek) > 0.0001 or zustatek < -0.0001"))
                .toInt(),
            0);
        // numbers are formed from the year and the centre
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem where floor(cislodokla / 10000) <> "
                                          "concat(year(datum) - 1800, stredisko)"))
                     .toInt(),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
