// The receipt editor driven by keys, as an operator with a scanner uses it, against the
// database: whole receipts entered and saved, corrections, messages and where the focus goes.
#include "app/prij0.h"
#include "app/receiptprint.h"
#include "common/vocabulary.h"
#include "receipt/nabadre.h"
#include "receipt/prij1.h"
#include "testdb.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using testdb::Receipt;

namespace {
QWidget *focused() {
    return QApplication::focusWidget();
}
void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(focused(), k, m);
}
void type(const QString &text) {
    testdb::typeText(focused(), text);
}

// Runs the test body inside the modal dialog once it is up; it is closed afterwards.
void whenEditorShown(QDialog *dialog, std::function<void()> body) {
    // a dialog destroyed meanwhile must not be mistaken for a new one at the same address
    QPointer<QDialog> target(dialog);
    testdb::whenModal([target](QDialog *d) { return target && d == target; }, [body](QDialog *) { body(); });
}
} // namespace

class TestEditor : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("fixture")};
    QList<MessageRequest> messages;
    std::function<int(const MessageRequest &)> answer;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> w;
    std::unique_ptr<TFprijem> ed;

    void item(const QString &jkpov, const QString &ean, int fofr, int dph = 21, double zustatek = 5,
              double nczust = 52.5) {
        db.exec(QStringLiteral("insert into seznam (id, STREDISKO, JKPOV, NAZEV, MJ, EAN, FOFRCISLO, "
                               "AKTIVNI, DPH, POVAHA, PNC, PC, "
                               "PCSD, ZUSTATEK, nczust) values (0, '777', '%1', 'Zboží %1', 'ks', '%2', %3, "
                               "'A', %4, 'K', 10.5, 14, "
                               "16.94, %5, %6)")
                    .arg(jkpov, ean)
                    .arg(fofr)
                    .arg(dph)
                    .arg(zustatek)
                    .arg(nczust));
    }

    // Ctrl+P, a code, Enter, quantity, Enter, [price], Ctrl+Enter
    void enterLine(const QString &code, const QString &quantity, const QString &price = {}) {
        key(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(focused(), ed->Edit1);
        type(code);
        key(Qt::Key_Return);
        QCOMPARE(focused(), ed->DBEdit5);
        if (!quantity.isEmpty()) {
            ed->DBEdit5->selectAll();
            type(quantity);
        }
        key(Qt::Key_Return);
        if (!price.isEmpty()) {
            QCOMPARE(focused(), ed->DBEdit6);
            ed->DBEdit6->selectAll();
            type(price);
        }
        key(Qt::Key_Return, Qt::ControlModifier);
    }

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        Messages::setResponder([this](const MessageRequest &r) {
            messages << r;
            return answer ? answer(r) : 1;
        });
    }

    void init() {
        messages.clear();
        answer = {};
        testdb::clean(db);
        item(QStringLiteral("MLEKO1"), QStringLiteral("8594001234561"), 1);
        item(QStringLiteral("CHLEB2"), QStringLiteral("8590000000017"), 2, 10);
        item(QStringLiteral("VODA03"), QStringLiteral("40000002"), 3, 15);
        db.exec(
            QStringLiteral("insert into adresar (id, ICO, NAZEVPODNI, SIDLO, ULICECISLO, PSC, POSTA) values "
                           "(0, '12345678', 'Mlékárna', 'Zlín', 'Dlouhá 1', '760 01', 'Zlín'), "
                           "(0, '87654321', 'Pekárna O''Brien', 'Brno', 'Husova 2', '602 00', 'Brno 2'), "
                           "(0, '55555555', 'Ávéčko', 'Aš', 'Krátká 3', '352 01', 'Aš')"));
        w = std::make_unique<TForm1>(
            testdb::makeProgramFolder(dir, testdb::serverIni() + QStringList{QStringLiteral("CisloPC=09")}));
        ed = std::make_unique<TFprijem>(w.get());
        w->setReceiptEditor(ed.get());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(w->Novydoklad1->isEnabled() && w->Opravitdoklad1->isEnabled());
    }

    void cleanup() {
        for (const MessageRequest &m : std::as_const(messages))
            qDebug() << "message:" << m.text;
        ed.reset();
        w.reset();
    }

    void headerAndLinesByKeys() {
        whenEditorShown(ed.get(), [this] {
            QCOMPARE(ed->windowTitle(), QStringLiteral("Příjem zboží"));
            QCOMPARE(focused(), ed->DBDateEdit1);
            QCOMPARE(ed->DBDateEdit1->date(), QDate::currentDate());
            QCOMPARE(ed->EditSoucetV->text(), QStringLiteral("0,00"));
            key(Qt::Key_Return);
            QCOMPARE(focused(), ed->DBEdit1);
            type(QStringLiteral("12345678"));
            key(Qt::Key_Return);
            QCOMPARE(focused(), ed->DBEdit3);
            type(QStringLiteral("Brno"));
            key(Qt::Key_Tab);
            type(QStringLiteral("Husova 5"));
            key(Qt::Key_Return);
            QCOMPARE(focused(), ed->DBEdit8);
            type(QStringLiteral("FA'7\\8"));
            key(Qt::Key_Return);

            enterLine(QStringLiteral("1"), QStringLiteral("3")); // quick number, price proposed
            QVERIFY(!ed->lineMode());
            QCOMPARE(ed->EditSoucetV->text(), QStringLiteral("31,50"));
            enterLine(QStringLiteral("8590000000017"), QStringLiteral("2,5"),
                      QStringLiteral("12,345")); // EAN, rounded price
            QCOMPARE(ed->EditSoucetS->text(), QStringLiteral("30,88"));
            enterLine(QStringLiteral("~~40000002"), QString()); // the marker: quantity 1
            QCOMPARE(ed->EditSoucetN->text(), QStringLiteral("10,50"));
            QVERIFY(messages.isEmpty());
            // the Czech digit row becomes 2345678901: no such item
            key(Qt::Key_P, Qt::ControlModifier);
            type(QStringLiteral("ěščřžýáíé+"));
            key(Qt::Key_Return);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("Položka nenalezena."));
            QCOMPARE(ed->Edit1->text(), QStringLiteral("2345678901"));
            QCOMPARE(focused(), ed->Edit1);
            QTest::mouseClick(ed->suitempButton5, Qt::LeftButton);
            QCOMPARE(ed->document()->lineCount(), 3);
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        const RowSet h = db.select(QStringLiteral("select ICO, SIDLO, ULICECISLO, CIDODODAV from prijem"));
        QCOMPARE(h.rowCount(), 1);
        QCOMPARE(h.rows[0][0].toString(), QStringLiteral("12345678"));
        // leaving the supplier's document number repeated the IČO check: the address book's address
        QCOMPARE(h.rows[0][1].toString(), QStringLiteral("Zlín"));
        QCOMPARE(h.rows[0][2].toString(), QStringLiteral("Dlouhá 1"));
        QCOMPARE(h.rows[0][3].toString(), QStringLiteral("FA'7\\8"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prirad")).toInt(), 3);
    }

    void enteredReceiptIsSaved() {
        qint64 saved = 0;
        whenEditorShown(ed.get(), [this, &saved] {
            ed->DBEdit1->setFocus();
            type(QStringLiteral("12345678"));
            key(Qt::Key_Tab);
            enterLine(QStringLiteral("1"), QStringLiteral("3"));
            enterLine(QStringLiteral("8590000000017"), QStringLiteral("2,5"), QStringLiteral("12,345"));
            enterLine(QStringLiteral("3~~40000002"), QString());
            QCOMPARE(ed->DBGrid1->model()->rowCount(), 3);
            QCOMPARE(ed->DBGrid1->model()->index(1, 5).data().toString(), QStringLiteral("30,88"));
            QCOMPARE(ed->DBGrid1->model()->headerData(5, Qt::Horizontal).toString(),
                     QStringLiteral("Celkem řádek"));
            // Uložit twice in a row: one save
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
            saved = ed->documentNumber;
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(messages.isEmpty());
        const qint64 expected =
            (QString::number(QDate::currentDate().year() - 1800) + QStringLiteral("777")).toLongLong() *
                10000 +
            1;
        QCOMPARE(saved, expected);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 1);
        const RowSet h = db.select(QStringLiteral("select * from prijem"));
        QCOMPARE(h.value(0, col::CISLODOKLA).toLongLong(), expected);
        QCOMPARE(h.value(0, col::ICO).toString(), QStringLiteral("12345678"));
        QCOMPARE(h.value(0, col::DATUM).toDate(), QDate::currentDate());
        const RowSet l = db.select(QStringLiteral("select JKPOV, MNOZ, NC, CENAR, ZUSTATEK, DPH, EAN, "
                                                  "POLOZKA, STREDISKO from prirad order by JKPOV"));
        QCOMPARE(l.rowCount(), 3);
        QCOMPARE(l.value(0, col::JKPOV).toString(), QStringLiteral("CHLEB2"));
        QCOMPARE(l.value(0, col::NC).toDouble(), 12.35);
        QCOMPARE(l.value(0, col::CENAR).toDouble(), 30.88);
        QCOMPARE(l.value(0, col::ZUSTATEK).toDouble(), 2.5);
        QCOMPARE(l.value(1, col::MNOZ).toDouble(), 3.0);
        QCOMPARE(l.value(2, col::JKPOV).toString(), QStringLiteral("VODA03"));
        QCOMPARE(l.value(2, col::MNOZ).toDouble(), 3.0); // from the prefix before the marker
        QVERIFY(l.value(2, col::POLOZKA).toString().startsWith(QStringLiteral("09")));
        QCOMPARE(l.value(2, col::POLOZKA).toString().size(), 17);
        // the journal stands on the new receipt with its lines
        QCOMPARE(w->journal().currentNumber().value(), expected);
        QCOMPARE(w->DBGrid2->model()->rowCount(), 3);
        QCOMPARE(db.select(QStringLiteral("show tables like 'tmp09%'")).rowCount(), 0);
    }

    void thirtyLinesListedAndPrintable() {
        whenEditorShown(ed.get(), [this] {
            for (int i = 1; i <= 30; ++i)
                enterLine(i % 2 ? QStringLiteral("2") : QStringLiteral("8594001234561"), QString::number(i));
            QCOMPARE(ed->document()->lineCount(), 30);
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(messages.isEmpty());
        QCOMPARE(w->DBGrid2->model()->rowCount(), 30);
        QCOMPARE(db.scalar(QStringLiteral("select sum(MNOZ) from prirad")).toDouble(), 465.0);
        const QString number = QString::number(w->journal().currentNumber().value());
        QCOMPARE(db.select(receiptPrintStatement(number)).rowCount(), 30);
    }

    void marginInRed() {
        whenEditorShown(ed.get(), [this] {
            enterLine(QStringLiteral("1"), QStringLiteral("1"),
                      QStringLiteral("20")); // PC 14 below the price
            key(Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(ed->EditMarze->text(), QStringLiteral("-6,00"));
            QCOMPARE(ed->EditProcento->text(), QStringLiteral("-30,0"));
            QCOMPARE(ed->EditMarze->palette().color(QPalette::Text), QColor(Qt::red));
            ed->DBEdit6->setFocus();
            ed->DBEdit6->selectAll();
            type(QStringLiteral("7"));
            key(Qt::Key_Return);
            QCOMPARE(ed->EditMarze->text(), QStringLiteral("7,00"));
            QCOMPARE(ed->EditProcento->text(), QStringLiteral("100,0"));
            QVERIFY(ed->EditMarze->palette().color(QPalette::Text) != QColor(Qt::red));
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    }

    void icoCheck() {
        whenEditorShown(ed.get(), [this] {
            ed->DBEdit1->setFocus();
            type(QStringLiteral("12345678 ")); // a trailing space: not found
            key(Qt::Key_Tab);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("IČO nenalezeno."));
            QCOMPARE(focused(), ed->DBEdit1);
            QCOMPARE(ed->DBEdit2->text(), QString());
            key(Qt::Key_Backspace);
            key(Qt::Key_Tab);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(ed->DBEdit2->text(), QStringLiteral("Mlékárna"));
            QCOMPARE(ed->DBEdit3->text(), QStringLiteral("Zlín"));
            QCOMPARE(ed->DBEdit4->text(), QStringLiteral("Dlouhá 1"));
            // an address added meanwhile is not known to this receipt
            db.exec(
                QStringLiteral("insert into adresar (id, ICO, NAZEVPODNI) values (0, '11111111', 'Nový')"));
            ed->DBEdit1->setFocus();
            ed->DBEdit1->selectAll();
            type(QStringLiteral("11111111"));
            key(Qt::Key_Tab);
            QCOMPARE(messages.size(), 2);
            QCOMPARE(focused(), ed->DBEdit1);
            ed->DBEdit1->selectAll();
            type(QStringLiteral("12345678"));
            ed->DBEdit8->setFocus(Qt::TabFocusReason);
            QCOMPARE(messages.size(), 2);
            // leaving the supplier's document number checks the IČO again
            ed->DBEdit1->setText(QStringLiteral("99999999"));
            type(QStringLiteral("FA1"));
            key(Qt::Key_Tab);
            QCOMPARE(messages.size(), 3);
            QCOMPARE(focused(), ed->DBEdit1);
            // towards the header's "Zpět": no message
            QTest::mouseClick(ed->suitempButton10, Qt::LeftButton);
            QCOMPARE(messages.size(), 3);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
    }

    void addressPicker() {
        TFnabadre picker(w.get());
        ed->setAddressPicker(&picker);
        whenEditorShown(ed.get(), [this, &picker] {
            QVERIFY(ed->suitempButton8->isEnabled());
            // "Zpět" in the picker leaves the header as it was
            whenEditorShown(&picker, [&picker] {
                QCOMPARE(picker.windowTitle(), QStringLiteral("Adresář"));
                QCOMPARE(picker.pos().x(), QGuiApplication::primaryScreen()->availableGeometry().left());
                QCOMPARE(picker.list().rowCount(), 3);
                QTest::mouseClick(picker.suitempButton2, Qt::LeftButton);
            });
            QTest::keyClick(ed.get(), Qt::Key_F3);
            QCOMPARE(ed->DBEdit1->text(), QString());
            QVERIFY(ed->headerKeys().isActive());
            // F3, move to O'Brien, Enter
            whenEditorShown(&picker, [&picker] {
                QVERIFY(picker.keys().isActive());
                const int row = picker.list().locate(col::ICO, QStringLiteral("87654321"));
                picker.DBGrid1->setCurrentIndex(picker.list().index(row, 0));
                QTest::keyClick(picker.DBGrid1, Qt::Key_Return);
            });
            QTest::keyClick(ed.get(), Qt::Key_F3);
            QVERIFY(!picker.keys().isActive());
            QCOMPARE(ed->DBEdit1->text(), QStringLiteral("87654321"));
            QCOMPARE(ed->DBEdit2->text(), QStringLiteral("Pekárna O'Brien"));
            QCOMPARE(ed->focusWidget(), ed->DBEdit1);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    }

    void addressPickerSortStays() {
        TFnabadre picker(w.get());
        ed->setAddressPicker(&picker);
        whenEditorShown(ed.get(), [this, &picker] {
            whenEditorShown(&picker, [&picker] {
                QTimer::singleShot(0, [] {
                    QTRY_VERIFY(QApplication::activeModalWidget() &&
                                QApplication::activeModalWidget()->objectName() ==
                                    QLatin1String("SearchDialog"));
                    QApplication::activeModalWidget()->close();
                });
                picker.suitempDBGrid1TitleClick(picker.list().columnOf(col::SIDLO));
                QCOMPARE(picker.list().value(0, col::SIDLO).toString(), QStringLiteral("Aš"));
                const QRect cell = picker.DBGrid1->visualRect(picker.list().index(1, 1));
                QTest::mouseClick(picker.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(picker.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            });
            QTest::mouseClick(ed->suitempButton8, Qt::LeftButton);
            QCOMPARE(ed->DBEdit1->text(), QStringLiteral("87654321")); // Brno comes after Aš
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(picker.list().sortField(), col::SIDLO);
        whenEditorShown(ed.get(), [&picker] {
            QCOMPARE(picker.list().value(0, col::SIDLO).toString(),
                     QStringLiteral("Aš")); // new list, same sort
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    }

    void messagesAndFocus() {
        whenEditorShown(ed.get(), [this] {
            key(Qt::Key_P, Qt::ControlModifier);
            type(QStringLiteral("9999"));
            key(Qt::Key_Return);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("Položka nenalezena."));
            QCOMPARE(messages[0].caption, QStringLiteral("Prodejna příjem"));
            QCOMPARE(messages[0].icon, MsgIcon::Stop);
            QCOMPARE(focused(), ed->Edit1);
            ed->Edit1->clear();
            type(QStringLiteral("1"));
            key(Qt::Key_Return);
            QCOMPARE(focused(), ed->DBEdit5);
            type(QStringLiteral("-6"));
            key(Qt::Key_Return);
            QCOMPARE(messages.size(), 2);
            QCOMPARE(messages[1].text, QStringLiteral("Nelze. Na skladě pouze 5 ks"));
            QCOMPARE(focused(), ed->DBEdit5);
            // Ctrl+Enter does not write a refused return
            key(Qt::Key_Return, Qt::ControlModifier);
            QVERIFY(ed->lineMode());
            QCOMPARE(ed->document()->lineCount(), 0);
            ed->DBEdit5->selectAll();
            type(QStringLiteral("abc"));
            key(Qt::Key_Return);
            QCOMPARE(messages.last().text, QStringLiteral("„abc“ není číslo."));
            QCOMPARE(focused(), ed->DBEdit5);
            ed->DBEdit5->selectAll();
            type(QStringLiteral("0"));
            key(Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(messages.last().text, QStringLiteral("Není vyplněno množství."));
            QCOMPARE(focused(), ed->DBEdit5);
            // leaving towards "Zpět" rounds and checks nothing
            ed->DBEdit5->selectAll();
            type(QStringLiteral("-60"));
            const int before = int(messages.size());
            QTest::mouseClick(ed->suitempButton5, Qt::LeftButton);
            QCOMPARE(int(messages.size()), before);
            QVERIFY(!ed->lineMode());
            QVERIFY(!ed->PanelRadek->isVisible());
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 0);
    }

    void hotKeysFollowTheMode() {
        whenEditorShown(ed.get(), [this] {
            QVERIFY(ed->headerKeys().isActive());
            QVERIFY(!ed->lineKeys().isActive());
            key(Qt::Key_P, Qt::ControlModifier);
            QVERIFY(ed->lineMode());
            QVERIFY(!ed->headerKeys().isActive());
            QVERIFY(ed->lineKeys().isActive());
            key(Qt::Key_P, Qt::ControlModifier); // not a line-mode key
            QCOMPARE(ed->Edit1->text(), QString());
            QTest::mouseClick(ed->suitempButton5, Qt::LeftButton);
            QVERIFY(ed->headerKeys().isActive());
            QVERIFY(!ed->lineKeys().isActive());
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!ed->headerKeys().isActive());
        QVERIFY(!ed->lineKeys().isActive());
    }

    void correctionAndDeletion() {
        testdb::insertReceipt(
            db, {2147770001, QStringLiteral("777"), QDate(2014, 5, 6), QStringLiteral("12345678")});
        testdb::insertLine(db, 2147770001, QStringLiteral("MLEKO1"), 1, 10);
        testdb::insertLine(db, 2147770001, QStringLiteral("CHLEB2"), 2, 10);
        testdb::insertLine(db, 2147770001, QStringLiteral("VODA03"), 3, 10);
        db.exec(QStringLiteral("update prirad set POLOZKA = concat('09', id), DPH = 21"));
        db.exec(QStringLiteral("update prirad set ZUSTATEK = 1 where JKPOV = 'VODA03'")); // issued from
        const int keptId = db.scalar(QStringLiteral("select id from prirad where JKPOV = 'MLEKO1'")).toInt();
        QTest::mouseClick(w->ButtonVse, Qt::LeftButton);
        answer = [](const MessageRequest &r) {
            return r.text == QLatin1String("Opravdu smazat řádek?") ? 1 : 1;
        };
        whenEditorShown(ed.get(), [this] {
            QCOMPARE(ed->DBGrid1->model()->rowCount(), 3);
            QCOMPARE(ed->EditSoucetV->text(), QStringLiteral("60,00"));
            // the issued line can be neither corrected nor deleted
            ed->DBGrid1->setCurrentIndex(ed->DBGrid1->model()->index(2, 0));
            key(Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(messages.last().text, QStringLiteral("Nelze opravit. Z karty se již vydávalo."));
            QVERIFY(!ed->lineMode());
            QTest::mouseClick(ed->suiButton1, Qt::LeftButton);
            QCOMPARE(messages.last().text, QStringLiteral("Nelze smazat. Z karty se již vydávalo."));
            // delete CHLEB2
            ed->DBGrid1->setCurrentIndex(ed->DBGrid1->model()->index(1, 0));
            QTest::mouseClick(ed->suiButton1, Qt::LeftButton);
            QCOMPARE(messages.last().text, QStringLiteral("Opravdu smazat řádek?"));
            QCOMPARE(messages.last().buttons, (QStringList{QStringLiteral("Smazat"), QStringLiteral("Ne")}));
            QCOMPARE(messages.last().icon, MsgIcon::Question);
            QCOMPARE(ed->DBGrid1->model()->rowCount(), 2);
            QCOMPARE(ed->EditSoucetV->text(), QStringLiteral("40,00"));
            // correct MLEKO1: the quantity field has the focus
            ed->DBGrid1->setCurrentIndex(ed->DBGrid1->model()->index(0, 0));
            key(Qt::Key_O, Qt::ControlModifier);
            QVERIFY(ed->lineMode());
            QCOMPARE(focused(), ed->DBEdit5);
            QCOMPARE(ed->EditPC->text(), QStringLiteral("14,00"));
            type(QStringLiteral("4"));
            key(Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(ed->EditSoucetV->text(), QStringLiteral("70,00"));
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
        });
        w->DBGrid1->setCurrentIndex(w->DBGrid1->model()->index(0, 0));
        QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
        const RowSet l =
            db.select(QStringLiteral("select id, JKPOV, MNOZ, CISLODOKLA from prirad order by JKPOV"));
        QCOMPARE(l.rowCount(), 2);
        QCOMPARE(l.rows[0][0].toInt(), keptId);
        QCOMPARE(l.rows[0][2].toDouble(), 4.0);
        QCOMPARE(l.rows[1][1].toString(), QStringLiteral("VODA03"));
        QCOMPARE(l.rows[1][3].toLongLong(), 2147770001LL);
        QCOMPARE(w->journal().currentNumber().value(), 2147770001LL);
    }

    void refusedSaveKeepsTheEditorOpen() {
        db.exec(QStringLiteral("insert into prodej (uzavreneuo) values ('%1')")
                    .arg(QDate::currentDate().toString(QStringLiteral("yyyyMM"))));
        whenEditorShown(ed.get(), [this] {
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("Datum DPH je v již uzavřeném ÚO!"));
            QCOMPARE(messages[0].buttons, QStringList{QStringLiteral("Zpět")});
            QCOMPARE(focused(), ed->DBDateEdit1);
            QVERIFY(ed->isVisible());
            QVERIFY(ed->suitempButton9->isEnabled());
            ed->DBDateEdit1->setDate(QDate::currentDate().addMonths(1));
            QTest::mouseClick(ed->suitempButton9, Qt::LeftButton);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from prijem")).toInt(), 1);
    }

    void scannerBurst() {
        whenEditorShown(ed.get(), [this] {
            key(Qt::Key_P, Qt::ControlModifier);
            // the whole scan, Enter and the next keys arrive in the window's queue at once
            QWindow *window = ed->windowHandle();
            auto post = [window](Qt::Key k, const QString &text) {
                QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier, text));
                QCoreApplication::postEvent(window,
                                            new QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier, text));
            };
            for (QChar c : QStringLiteral("8594001234561"))
                post(Qt::Key(c.unicode()), QString(c));
            post(Qt::Key_Return, QStringLiteral("\r"));
            post(Qt::Key_7, QStringLiteral("7"));
            QTRY_COMPARE(ed->DBEdit5->text(), QStringLiteral("7"));
            QCOMPARE(ed->Edit1->text(), QStringLiteral("8594001234561"));
            QCOMPARE(ed->DBEditJKP->text(), QStringLiteral("MLEKO1"));
            QCOMPARE(focused(), ed->DBEdit5);
        });
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
