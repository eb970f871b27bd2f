// The item picker and the movement history against the database.
#include "app/prij0.h"
#include "common/vocabulary.h"
#include "platform/report/preview.h"
#include "receipt/histo.h"
#include "receipt/nabcen.h"
#include "receipt/prij1.h"
#include "testdb.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {
// Runs body on the next modal dialog with this object name once it is up; closed afterwards.
void onDialog(const QString &name, std::function<void(QDialog *)> body) {
    testdb::whenModal([name](QDialog *d) { return d->objectName() == name; }, body);
}
} // namespace

class TestHistory : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("fixture")};
    QList<MessageRequest> messages;
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        Messages::setResponder([this](const MessageRequest &r) {
            messages << r;
            return 1;
        });
        QDir::setCurrent(dir.path());
    }

    void init() {
        messages.clear();
        testdb::clean(db);
        for (const QString &c : {QStringLiteral("777"), QStringLiteral("O'B\\")})
            db.exec(
                QStringLiteral(
                    "insert into seznam (id, STREDISKO, JKPOV, NAZEV, MJ, AKTIVNI, PNC, PCSD, STAV) values "
                    "(0, %1, 'MLEKO1', 'Mléko', 'ks', 'A', 10, 20, 99), (0, %1, 'STARE9', 'Staré', 'ks', "
                    "'N', 1, 1, 0), "
                    "(0, %1, 'CHLEB2', 'Chléb', 'ks', 'A', 5, 9, 0)")
                    .arg(quoted(c)));
        testdb::insertReceipt(db, {2147770001, QStringLiteral("777"), QDate(2014, 12, 31),
                                   QStringLiteral("12345678"), QStringLiteral("Mlékárna")});
        testdb::insertReceipt(db, {2157770001, QStringLiteral("777"), QDate(2015, 1, 1),
                                   QStringLiteral("12345678"), QStringLiteral("Mlékárna")});
        testdb::insertReceipt(db, {2157770002, QStringLiteral("777"), QDate(2015, 2, 1),
                                   QStringLiteral("123"), QStringLiteral("Vratka")});
        testdb::insertLine(db, 2147770001, QStringLiteral("MLEKO1"), 10, 10);
        testdb::insertLine(db, 2157770001, QStringLiteral("MLEKO1"), 5, 10);
        testdb::insertLine(db, 2157770002, QStringLiteral("MLEKO1"), -2, 10); // a return
        testdb::insertLine(db, 2157770001, QStringLiteral("MLEKO1"), 100, 10, QStringLiteral("101"));
        db.exec(QStringLiteral(
            "insert into uctenky (cisuctenky, STREDISKO, DATUM, JKPOV, NAZEV, MNOZ, NC) values "
            "(1, '777', '2015-01-01 08:00:00', 'MLEKO1', 'Mléko', 1.5, 20), (2, '777', '2014-12-31 "
            "23:59:00', 'MLEKO1', 'Mléko', 1, 20), "
            "(3, 'O''B\\\\', '2015-01-02', 'MLEKO1', 'Mléko', 7, 20)"));
        db.exec(QStringLiteral("insert into dl (CISLODOKLA, STREDISKO, DATUM, NAZEVPODNI) values "
                               "(2157775001, '777', '2015-03-01', 'Odběratel')"));
        db.exec(QStringLiteral("insert into dlrad (CISLODOKLA, STREDISKO, JKPOV, NAZEV, MNOZ, NC) values "
                               "(2157775001, '777', 'MLEKO1', 'Mléko', 3, 10)"));
    }

    void historyRowsAndTotals_data() {
        QTest::addColumn<bool>("p");
        QTest::addColumn<bool>("v");
        QTest::addColumn<bool>("u");
        QTest::addColumn<bool>("fromDate");
        QTest::addColumn<QStringList>(
            "rows"); // TYP + number; the table keeps dates only, so a sale at 8:00 sorts by its number
        QTest::newRow("all kinds") << true << true << true << false
                                   << QStringList{"U2",          "P2147770001", "U1",
                                                  "P2157770001", "P2157770002", "V2157775001"};
        QTest::newRow("receipts only")
            << true << false << false << false << QStringList{"P2147770001", "P2157770001", "P2157770002"};
        QTest::newRow("nothing ticked") << false << false << false << false << QStringList{};
        QTest::newRow("from 1.1.2015 00:00")
            << true << true << true << true << QStringList{"U1", "P2157770001", "P2157770002", "V2157775001"};
    }
    void historyRowsAndTotals() {
        QFETCH(bool, p);
        QFETCH(bool, v);
        QFETCH(bool, u);
        QFETCH(bool, fromDate);
        QFETCH(QStringList, rows);
        ItemHistory h(db, QStringLiteral("07"), QStringLiteral("MLEKO1"), QStringLiteral("777"));
        h.build();
        QCOMPARE(h.total(QLatin1Char('P')), QStringLiteral("13")); // 10 + 5 - 2: returns with their sign
        QCOMPARE(h.total(QLatin1Char('U')), QStringLiteral("2,5"));
        QCOMPARE(h.total(QLatin1Char('V')), QStringLiteral("3"));
        h.filter(p, v, u, fromDate, QDate(2015, 1, 1));
        // the same rows, in the same order, as the statement gives
        const RowSet direct = db.select(h.filterStatement(p, v, u, fromDate, QDate(2015, 1, 1)));
        QCOMPARE(direct.rowCount(), h.list().rowCount());
        for (int r = 0; r < direct.rowCount(); ++r)
            QCOMPARE(direct.value(r, col::CISLODOKLA), h.list().value(r, col::CISLODOKLA));
        QStringList got;
        for (int r = 0; r < h.list().rowCount(); ++r)
            got << h.list().value(r, QStringLiteral("TYP")).toString() +
                       h.list().value(r, col::CISLODOKLA).toString();
        QCOMPARE(got, rows);
        QFile a(QStringLiteral("a.txt"));
        QVERIFY(a.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromLatin1(a.readAll()).endsWith(QStringLiteral(" ORDER BY DATUM,cislodokla")));
        h.drop();
    }

    void quotedCodesAndNoMovement() {
        ItemHistory h(db, QStringLiteral("07"), QStringLiteral("MLEKO1"), QStringLiteral("O'B\\"));
        h.build();
        QCOMPARE(h.total(QLatin1Char('U')), QStringLiteral("7"));
        QCOMPARE(h.total(QLatin1Char('P')), QStringLiteral("0"));
        ItemHistory none(db, QStringLiteral("07"), QStringLiteral("CH'LEB\\"), QStringLiteral("777"));
        none.build();
        none.filter(true, true, true, false, {});
        QCOMPARE(none.list().rowCount(), 0);
        QCOMPARE(none.total(QLatin1Char('V')), QStringLiteral("0"));
    }

    void historyWindowFiltersAndPrints() {
        QTemporaryDir program;
        QDir().mkpath(program.filePath(QStringLiteral("fr3")));
        QFile::copy(QStringLiteral(PRIJEM_SOURCE_DIR "/fr3/his1.fr3"),
                    program.filePath(QStringLiteral("fr3/his1.fr3")));
        rpt::Report report;
        TFhisto w(nullptr, db, report, program.path() + QLatin1Char('/'));
        w.workstationNumber = QStringLiteral("07");
        w.itemCode = QStringLiteral("MLEKO1");
        w.centreCode = QStringLiteral("777");
        w.Label1->setText(QStringLiteral("MLEKO1"));
        w.Label2->setText(QStringLiteral("Mléko"));
        onDialog(QStringLiteral("TFhisto"), [&](QDialog *) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Historie zboží"));
            QCOMPARE(w.LabelPrijem->text(), QStringLiteral("13"));
            QVERIFY(w.CheckPrijem->isChecked() && w.CheckVydej->isChecked() && w.CheckUctenky->isChecked());
            QCOMPARE(w.DateOd->date(), QDate::currentDate().addDays(-30));
            QCOMPARE(w.DBGrid1->model()->rowCount(), 6);
            QCOMPARE(w.DBGrid1->model()->headerData(5, Qt::Horizontal).toString(),
                     QStringLiteral("      Podnik"));
            for (QCheckBox *c : {w.CheckPrijem, w.CheckVydej, w.CheckUctenky})
                c->click();
            QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
            QCOMPARE(w.LabelUctenky->text(), QStringLiteral("2,5")); // totals stay
            w.CheckUctenky->click();
            w.CheckOdData->click();
            w.DateOd->setDate(QDate(2015, 1, 1));
            QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
            QStringList texts;
            onDialog(QStringLiteral("frxPreview"), [&](QDialog *d) {
                texts = qobject_cast<rpt::ReportPreview *>(d)->prepared().pageTexts(0);
            });
            QTest::mouseClick(w.suiButton1, Qt::LeftButton);
            QVERIFY2(texts.contains(QStringLiteral("MLEKO1")) && texts.contains(QStringLiteral("Mléko")),
                     qPrintable(texts.join(QLatin1Char('|'))));
            QVERIFY(texts.contains(QStringLiteral("13")) && texts.contains(QStringLiteral("2,5")));
            QVERIFY(texts.contains(QStringLiteral("1,5")));
        });
        w.exec();
        QCOMPARE(db.select(QStringLiteral("show tables like 'tmp07histo'")).rowCount(), 0);
        QVERIFY(messages.isEmpty());
    }

    void itemPickerInTheEditor() {
        TForm1 w(
            testdb::makeProgramFolder(dir, testdb::serverIni() + QStringList{QStringLiteral("CisloPC=07")}));
        TFprijem ed(&w);
        TFnabcen picker(&w, w.report(), w.programFolder());
        ed.setItemPicker(&picker);
        w.setReceiptEditor(&ed);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        onDialog(QStringLiteral("TFprijem"), [&](QDialog *) {
            QTest::keyClick(&ed, Qt::Key_P, Qt::ControlModifier);
            QVERIFY(ed.suitempButton3->isEnabled());
            // Esc: the line stays as it was, the focus on the entry field
            onDialog(QStringLiteral("TFnabcen"), [&](QDialog *) {
                QCOMPARE(picker.windowTitle(), QStringLiteral("Zboží"));
                QVERIFY2(picker.isListOpen(), qPrintable(messages.isEmpty() ? QString() : messages[0].text));
                QCOMPARE(picker.list().rowCount(), 2); // the inactive item is not offered
                QCOMPARE(picker.DBGrid1->columnWidth(4), 0);
                QTest::mouseClick(picker.suiCheckBox1, Qt::LeftButton);
                QCOMPARE(picker.DBGrid1->columnWidth(4), 65);
                QTest::keyClick(picker.DBGrid1, Qt::Key_Escape);
            });
            QTest::keyClick(&ed, Qt::Key_F3);
            QCOMPARE(ed.DBEditJKP->text(), QString());
            QCOMPARE(ed.focusWidget(), ed.Edit1);
            // stock recomputed, then the item taken with Enter
            onDialog(QStringLiteral("TFnabcen"), [&](QDialog *) {
                QVERIFY(picker.suiCheckBox1->isChecked()); // kept between showings
                const int row = picker.list().locate(col::JKPOV, QStringLiteral("MLEKO1"));
                picker.DBGrid1->setCurrentIndex(picker.list().index(row, 0));
                QCOMPARE(picker.list().value(row, QStringLiteral("STAV")).toDouble(), 99.0);
                QTest::mouseClick(picker.suiButton1, Qt::LeftButton);
                QCOMPARE(picker.currentCode(), QStringLiteral("MLEKO1"));
                QCOMPARE(picker.list().value(picker.currentRow(), QStringLiteral("STAV")).toDouble(),
                         10.0); // 13 received, 3 delivered
                QTest::keyClick(picker.DBGrid1, Qt::Key_Return);
            });
            QTest::keyClick(&ed, Qt::Key_F3);
            QCOMPARE(ed.Edit1->text(), QStringLiteral("MLEKO1"));
            QCOMPARE(ed.DBEditJKP->text(), QStringLiteral("MLEKO1"));
            QCOMPARE(ed.focusWidget(), ed.DBEdit5);
        });
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QVERIFY2(messages.isEmpty(), messages.isEmpty() ? "" : qPrintable(messages[0].text));
    }

    void missingStockProcedure() {
        TForm1 w(testdb::makeProgramFolder(dir, testdb::serverIni()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TFnabcen picker(&w, w.report(), w.programFolder());
        picker.setList(
            &w.connection(),
            QStringLiteral("select * from seznam where STREDISKO='777' and AKTIVNI=\"A\" order by nazev;"));
        const QString body =
            db.select(QStringLiteral("show create procedure seznam_stav")).rows[0][2].toString();
        db.exec(QStringLiteral("drop procedure seznam_stav"));
        auto restore = qScopeGuard([&] { db.exec(body); });
        onDialog(QStringLiteral("TFnabcen"), [&](QDialog *) {
            QTest::mouseClick(picker.suiButton1, Qt::LeftButton);
            QCOMPARE(messages.size(), 1);
            QVERIFY(messages[0].error);
            QVERIFY2(messages[0].text.contains(QStringLiteral("seznam_stav")), qPrintable(messages[0].text));
            QCOMPARE(picker.list().rowCount(), 2); // still usable
        });
        picker.Tag = 0;
        picker.exec();
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
