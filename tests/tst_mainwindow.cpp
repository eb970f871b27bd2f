#include "app/prij0.h"
#include "common/inifile.h"
#include "common/vocabulary.h"
#include "testdb.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QtTest>

using testdb::Receipt;

namespace {
QDateTime at(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(10, 0));
}

class FakeEditor : public ReceiptEditorContract {
public:
    int shown = 0;
    QString seenMode;
    qint64 seenNumber = -1;
    std::function<void(FakeEditor &)> onShow;
    void showModal() override {
        ++shown;
        seenMode = editMode;
        seenNumber = documentNumber;
        if (onShow) onShow(*this);
    }
};

void onModal(std::function<void(QWidget *)> fn) {
    QTimer::singleShot(0, [fn] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        fn(QApplication::activeModalWidget());
    });
}

QList<qint64> shownNumbers(TForm1 &w) {
    QList<qint64> out;
    auto *m = w.DBGrid1->model();
    const int c = w.journal().headers().columnOf(col::CISLODOKLA);
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString().toLongLong();
    return out;
}

void clickTitle(QTableView *grid, int column) {
    QHeaderView *h = grid->horizontalHeader();
    const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("fixture")};
    QList<MessageRequest> messages;
    QTemporaryDir dir;

    QString folder(const QStringList &extra = {}) {
        return testdb::makeProgramFolder(dir, testdb::serverIni() + extra);
    }

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        Messages::setResponder([this](const MessageRequest &r) {
            messages << r;
            return 1;
        });
    }

    void init() {
        messages.clear();
        QFile::remove(dir.filePath(QStringLiteral("prijem.ini")));
        testdb::clean(db);
        testdb::insertReceipt(db, {2127770001, QStringLiteral("777"), QDate(2012, 2, 1),
                                   QStringLiteral("12345678"), QStringLiteral("Žabka s.r.o.")});
        testdb::insertReceipt(db,
                              {2147770001, QStringLiteral("777"), QDate(2014, 3, 1),
                               QStringLiteral("12345678"), QStringLiteral("Hrách s.r.o."), at(2012, 5, 3)});
        testdb::insertReceipt(db, {2147770002, QStringLiteral("777"), QDate(2014, 6, 1),
                                   QStringLiteral("123"), QStringLiteral("Cibule"), at(2005, 1, 1)});
        testdb::insertReceipt(db, {2147770003, QStringLiteral("777"), QDate(2014, 8, 1),
                                   QStringLiteral("87654321"), QStringLiteral("Čočka a syn")});
        testdb::insertReceipt(
            db, {2147770004, QStringLiteral("777"), QDate(2014, 9, 1), QString(), QStringLiteral("Bez IČO")});
        testdb::insertReceipt(db, {2151000001, QStringLiteral("100"), QDate(2015, 1, 5),
                                   QStringLiteral("12345678"), QStringLiteral("Hlavní")});
        testdb::insertLine(db, 2127770001, QStringLiteral("A1"), 1234.5, 10);
        testdb::insertLine(db, 2147770003, QStringLiteral("C1"), 2, 3.3);
        testdb::insertLine(db, 2147770003, QStringLiteral("C2"), 1, 1);
        for (const QString &c : {QStringLiteral("777"), QStringLiteral("100"), QStringLiteral("11")})
            testdb::insertCentre(db, c);
    }

    void startUpShowsUnpostedReceiptsOfTheCentre() {
        TForm1 w(folder({QStringLiteral("CisloPC=07"), QStringLiteral("typprijemky=1")}));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(messages.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Příjem"));
        const QList<int> panes = w.findChild<QSplitter *>()->sizes();
        QVERIFY2(qAbs(panes[0] * 100 / (panes[0] + panes[1]) - 28) <= 1,
                 qPrintable(QString::number(panes[0])));
        QVERIFY(w.DBGrid1->hasFocus());
        QCOMPARE(w.CisloPC, QStringLiteral("07"));
        QCOMPARE(w.typprijemky, qint16(1));
        QCOMPARE(w.LabelStredisko->text(), QStringLiteral("777"));
        QVERIFY(w.LabelStredisko->font().bold());
        QCOMPARE(shownNumbers(w), (QList<qint64>{2127770001, 2147770003, 2147770004}));
        QVERIFY(!w.ButtonDL->isEnabled());
        QVERIFY(w.ButtonFA->isEnabled() && w.ButtonVse->isEnabled());
        QVERIFY(!w.ButtonVpVse->isEnabled());
        QVERIFY(w.ButtonVpFA->isEnabled() && w.ButtonVpVP->isEnabled());
        QCOMPARE(w.ButtonDL->toolTip(), QStringLiteral("Pouze nezaúčtované"));
        QCOMPARE(w.ButtonVpVP->toolTip(), QStringLiteral("Pouze příjem Vnitro"));
        QCOMPARE(w.suiComboBox1->currentText(), QStringLiteral("Vše"));
        QVERIFY(!w.centreSwitchEnabled());

        // journal columns: captions and widths
        const QList<std::pair<QString, int>> columns{
            {QStringLiteral("Číslo dokladu"), -1}, {QStringLiteral("Středisko"), 50},
            {QStringLiteral("Datum"), 60},         {QStringLiteral("Č.dokl.dodav."), 60},
            {QStringLiteral("IČO"), 55},           {QStringLiteral("Název podniku"), 180},
            {QStringLiteral("Sídlo"), 180},        {QStringLiteral("Ulice"), 180},
            {QStringLiteral("PSČ"), -1},           {QStringLiteral("Pošta"), 150},
            {QStringLiteral("Vnitro doklad"), -1}, {QStringLiteral("Měsíc"), -1},
            {QStringLiteral("Rok"), -1},           {QStringLiteral("Zaúčtováno"), 110}};
        QCOMPARE(w.DBGrid1->model()->columnCount(), columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            QCOMPARE(w.DBGrid1->model()->headerData(i, Qt::Horizontal).toString(), columns[i].first);
            if (columns[i].second > 0) QCOMPARE(w.DBGrid1->columnWidth(i), columns[i].second);
        }
        QCOMPARE(w.DBGrid1->model()->index(0, 2).data().toString(), QStringLiteral("1.2.2012"));
        // lines of the first receipt, Czech number formats
        auto *lines = w.DBGrid2->model();
        QCOMPARE(lines->rowCount(), 1);
        QCOMPARE(lines->headerData(1, Qt::Horizontal).toString(), QStringLiteral("   Název"));
        QCOMPARE(lines->headerData(3, Qt::Horizontal).toString(), QStringLiteral("MJ"));
        QCOMPARE(lines->index(0, 2).data().toString(), QStringLiteral("1 234,5"));
        QCOMPARE(lines->index(0, 4).data().toString(), QStringLiteral("10,00"));
        QCOMPARE(lines->index(0, 5).data().toString(), QStringLiteral("12 345,00"));
        QCOMPARE(w.DBGrid2->columnWidth(1), 250);
        QCOMPARE(lines->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignRight,
                 Qt::AlignRight);

        // cursor moves: the lines follow
        QTest::keyClick(w.DBGrid1, Qt::Key_Down);
        QCOMPARE(w.journal().currentNumber().value(), 2147770003LL);
        QCOMPARE(lines->rowCount(), 2);
        QTest::keyClick(w.DBGrid1, Qt::Key_Down);
        QCOMPARE(lines->rowCount(), 0);
    }

    void menuIsComplete() {
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList menus;
        for (QAction *a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus,
                 (QStringList{QStringLiteral("Hlavní nabídka"), QStringLiteral("Sestavy"),
                              QStringLiteral("Centrum"), QStringLiteral("Servis"), QStringLiteral("Konec")}));
        QCOMPARE(w.Novydoklad1->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(w.Opravitdoklad1->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(w.Tiskdokladu1->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
        QCOMPARE(w.Inventuraterminal1->text(), QStringLiteral("Inventura, terminál"));
        QCOMPARE(w.Zakaznickekarty1->text(), QStringLiteral("Zákaznické karty"));
        QCOMPARE(w.Kontrolanoveverze1->text(), QStringLiteral("Kontrola nové verze"));
        QVERIFY(w.N3->isSeparator());
        QVERIFY(w.Tiskdokladu1->isEnabled());
        // windows that do not exist yet: present and disabled
        for (QAction *a :
             {w.Novydoklad1, w.Opravitdoklad1, w.Sklad1, w.Prijemky1, w.Inventuraterminal1, w.Seznam1,
              w.Adresar1, w.Strediska1, w.Zakaznickekarty1, w.Dokumentace1, w.Kontrolanoveverze1})
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(w.Opravdu1->isEnabled());
        QVERIFY(w.Kontrolanoveverze1->isVisible());
        // a registered window enables its item and opens from it
        int opened = 0;
        w.setOpener(TForm1::Opens::Adresar, [&] { ++opened; });
        QVERIFY(w.Adresar1->isEnabled());
        w.Adresar1->trigger();
        QCOMPARE(opened, 1);
        // Konec -> Opravdu closes the window
        w.Opravdu1->trigger();
        QVERIFY(!w.isVisible());
    }

    void versionItemHidden_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("visible");
        QTest::newRow("X") << "X" << false;
        QTest::newRow("lower x") << "x" << true;
        QTest::newRow("lower a") << "a" << true;
    }
    void versionItemHidden() {
        QFETCH(QString, value);
        QFETCH(bool, visible);
        int checks = 0;
        TForm1 w(folder({QStringLiteral("testovatVerzi=") + value}));
        w.setOpener(TForm1::Opens::Verze, [&] { ++checks; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Kontrolanoveverze1->isVisible(), visible);
        QCOMPARE(w.N3->isVisible(), visible);
        QCOMPARE(checks, 0); // only "A" checks at start
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("prijem.ini"))) ||
                !IniFile(dir.filePath(QStringLiteral("prijem.ini")))
                     .contains(QStringLiteral("Dnes"), QStringLiteral("Datum")));
    }

    void versionCheckOnceADay() {
        int checks = 0;
        for (int run = 0; run < 2; ++run) {
            TForm1 w(folder({QStringLiteral("testovatVerzi=A")}));
            w.setOpener(TForm1::Opens::Verze, [&] { ++checks; });
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
        }
        QCOMPARE(checks, 1);
    }

    void filterButtons() {
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.ButtonFA, Qt::LeftButton);
        QCOMPARE(shownNumbers(w), QList<qint64>{2147770001});
        QVERIFY(!w.ButtonFA->isEnabled() && w.ButtonDL->isEnabled() && w.ButtonVse->isEnabled());
        QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
        QCOMPARE(shownNumbers(w).size(), 5);
        QTest::mouseClick(w.ButtonVpVP, Qt::LeftButton);
        QCOMPARE(shownNumbers(w), (QList<qint64>{2147770002, 2147770004}));
        QVERIFY(!w.ButtonVpVP->isEnabled() && w.ButtonVpFA->isEnabled() && w.ButtonVpVse->isEnabled());
        QTest::mouseClick(w.ButtonVpFA, Qt::LeftButton);
        QCOMPARE(shownNumbers(w), (QList<qint64>{2127770001, 2147770001, 2147770003}));
        QTest::mouseClick(w.ButtonDL, Qt::LeftButton);
        QCOMPARE(shownNumbers(w), (QList<qint64>{2127770001, 2147770003}));
        QVERIFY(messages.isEmpty());
    }

    void yearListIsRememberedAndTypedYearsWork() {
        {
            TForm1 w(folder());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
            w.suiComboBox1->setFocus();
            QTest::keyClick(w.suiComboBox1, Qt::Key_Down); // 2015
            QCOMPARE(w.suiComboBox1->currentText(), QStringLiteral("2015"));
            QCOMPARE(shownNumbers(w), QList<qint64>{});
            QVERIFY(!w.journal().lines().isOpen());
            QTest::keyClick(w.suiComboBox1, Qt::Key_Down); // 2014
            QCOMPARE(shownNumbers(w), (QList<qint64>{2147770001, 2147770002, 2147770003, 2147770004}));
            w.close();
        }
        QCOMPARE(IniFile(dir.filePath(QStringLiteral("prijem.ini")))
                     .value(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_ItemIndex")),
                 QStringLiteral("2"));
        QVERIFY(!IniFile(dir.filePath(QStringLiteral("prodej.ini")))
                     .contains(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_ItemIndex")));
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.suiComboBox1->currentText(), QStringLiteral("2014"));
        QCOMPARE(shownNumbers(w), (QList<qint64>{2147770003, 2147770004})); // NEz again after a restart
        // a year typed in, one of the list and one that is not
        auto type = [&](const QString &year) {
            w.suiComboBox1->lineEdit()->selectAll();
            QTest::keyClicks(w.suiComboBox1->lineEdit(), year);
            QTest::keyClick(w.suiComboBox1->lineEdit(), Qt::Key_Return);
        };
        type(QStringLiteral("2016"));
        QCOMPARE(w.suiComboBox1->currentText(), QStringLiteral("2016"));
        QCOMPARE(shownNumbers(w), QList<qint64>{});
        type(QStringLiteral("2012"));
        QCOMPARE(shownNumbers(w), QList<qint64>{2127770001});
        // back to all years
        w.suiComboBox1->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(w.suiComboBox1, Qt::Key_Up);
        QCOMPARE(w.suiComboBox1->currentText(), QStringLiteral("Vše"));
        QCOMPARE(shownNumbers(w), (QList<qint64>{2127770001, 2147770003, 2147770004}));
    }

    void titleClickSortsAndSearches() {
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
        const int nameColumn = w.journal().headers().columnOf(col::NAZEVPODNI);
        QString dialogTitle;
        bool linesHiddenWhileSearching = false;
        onModal([&](QWidget *dlg) {
            dialogTitle = dlg->windowTitle();
            linesHiddenWhileSearching = w.DBGrid2->model()->rowCount() == 0;
            testdb::typeText(dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat")),
                             QStringLiteral("čočka"));
            QTest::keyClick(dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat")), Qt::Key_Return);
        });
        clickTitle(w.DBGrid1, nameColumn);
        QCOMPARE(dialogTitle, QStringLiteral("Hledat"));
        QVERIFY(linesHiddenWhileSearching);
        QStringList names;
        for (int r = 0; r < w.DBGrid1->model()->rowCount(); ++r)
            names << w.DBGrid1->model()->index(r, nameColumn).data().toString();
        QCOMPARE(names, (QStringList{QStringLiteral("Bez IČO"), QStringLiteral("Cibule"),
                                     QStringLiteral("Čočka a syn"), QStringLiteral("Hrách s.r.o."),
                                     QStringLiteral("Žabka s.r.o.")}));
        // the search moved the cursor; the lines follow
        QCOMPARE(w.DBGrid1->currentIndex().row(), 2);
        QCOMPARE(w.journal().currentNumber().value(), 2147770003LL);
        QCOMPARE(w.DBGrid2->model()->rowCount(), 2);
        // the sort survives a filter change
        QTest::mouseClick(w.ButtonDL, Qt::LeftButton);
        names.clear();
        for (int r = 0; r < w.DBGrid1->model()->rowCount(); ++r)
            names << w.DBGrid1->model()->index(r, nameColumn).data().toString();
        QCOMPARE(names, (QStringList{QStringLiteral("Bez IČO"), QStringLiteral("Čočka a syn"),
                                     QStringLiteral("Žabka s.r.o.")}));
        QCOMPARE(w.DBGrid1->currentIndex().row(), 0);
        QCOMPARE(w.DBGrid2->model()->rowCount(), 0);
    }

    void centreSwitchAndCatalogueRule() {
        TForm1 w(folder({QStringLiteral("centrum=A"), QStringLiteral("Stredisko=200"),
                         QStringLiteral("hlavniStredisko=100")}));
        w.setOpener(TForm1::Opens::Seznam, [] {});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.centreSwitchEnabled());
        QVERIFY(!w.Seznam1->isEnabled());
        QCOMPARE(shownNumbers(w), QList<qint64>{});
        QStringList offered;
        QString title;
        auto choose = [&](const QString &code) {
            onModal([&, code](QWidget *dlg) {
                title = dlg->windowTitle();
                auto *box = dlg->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
                offered.clear();
                for (int i = 0; i < box->count(); ++i)
                    offered << box->itemText(i);
                box->lineEdit()->selectAll();
                QTest::keyClicks(box->lineEdit(), code);
                dlg->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            });
            w.Stredisko1->trigger();
        };
        choose(QStringLiteral("100"));
        QCOMPARE(title, QStringLiteral("Vyber číslo střediska"));
        QCOMPARE(offered, (QStringList{QStringLiteral("100"), QStringLiteral("11"), QStringLiteral("777")}));
        QCOMPARE(w.Stredisko, QStringLiteral("100"));
        QCOMPARE(w.LabelStredisko->text(), QStringLiteral("100"));
        QVERIFY(w.Seznam1->isEnabled());
        QCOMPARE(shownNumbers(w), QList<qint64>{2151000001});
        choose(QStringLiteral("200"));
        QVERIFY(!w.Seznam1->isEnabled());
        choose(QStringLiteral("neexistuje"));
        QCOMPARE(w.LabelStredisko->text(), QStringLiteral("neexistuje"));
        QCOMPARE(shownNumbers(w), QList<qint64>{});
        QVERIFY(messages.isEmpty());
    }

    void centreSwitchDisabled() {
        TForm1 w(folder({QStringLiteral("centrum=a")}));
        w.setOpener(TForm1::Opens::Seznam, [] {});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.centreSwitchEnabled());
        QVERIFY(w.Seznam1->isEnabled()); // no main centre: the catalogue stays available
    }

    void quotedCentreCode() {
        testdb::insertReceipt(db, {2150000009, QStringLiteral("O'B\\"), QDate(2015, 1, 5)});
        TForm1 w(folder({QStringLiteral("Stredisko=O'B\\")}));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(messages.isEmpty());
        QCOMPARE(shownNumbers(w), QList<qint64>{2150000009});
    }

    void correctionAndNewReceiptWithTheEditor() {
        FakeEditor editor;
        TForm1 w(folder());
        w.setReceiptEditor(&editor);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.Novydoklad1->isEnabled() && w.Opravitdoklad1->isEnabled());
        QTest::mouseClick(w.ButtonVse, Qt::LeftButton);

        // posted (2012) and posted before 2011 (2005): refused
        for (qint64 n : {2147770001LL, 2147770002LL}) {
            messages.clear();
            w.DBGrid1->setCurrentIndex(
                w.DBGrid1->model()->index(w.journal().headers().locate(col::CISLODOKLA, n), 0));
            QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].caption, QStringLiteral("Prodejna příjem"));
            QCOMPARE(messages[0].text, QStringLiteral("Doklad nelze opravit. Je již zaúčtován."));
            QCOMPARE(messages[0].buttons, QStringList{QStringLiteral("OK")});
            QCOMPARE(messages[0].icon, MsgIcon::Stop);
            QCOMPARE(editor.shown, 0);
        }
        messages.clear();

        // an unposted one opens in correction mode; a double click does the same
        const int row = w.journal().headers().locate(col::CISLODOKLA, 2147770003LL);
        const QRect cell = w.DBGrid1->visualRect(w.DBGrid1->model()->index(row, 1));
        QTest::mouseClick(w.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(w.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(editor.shown, 1);
        QCOMPARE(editor.seenMode, QStringLiteral("O"));
        QCOMPARE(editor.seenNumber, 2147770003LL);
        QCOMPARE(w.journal().currentNumber().value(), 2147770003LL);

        // a new receipt: the journal stands on it with its lines afterwards
        editor.onShow = [this](FakeEditor &e) {
            testdb::insertReceipt(db, {2267770001, QStringLiteral("777"), QDate(2026, 12, 11)});
            testdb::insertLine(db, 2267770001, QStringLiteral("N1"), 3, 4);
            e.documentNumber = 2267770001;
        };
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(editor.shown, 2);
        QCOMPARE(editor.seenMode, QStringLiteral("N"));
        QCOMPARE(editor.seenNumber, 0LL);
        QCOMPARE(w.journal().currentNumber().value(), 2267770001LL);
        QCOMPARE(w.DBGrid1->currentIndex().row(), w.journal().current());
        QCOMPARE(w.DBGrid2->model()->rowCount(), 1);
        QVERIFY(messages.isEmpty());

        // "Zpět" in the editor: number stays 0, the journal refreshes and keeps to the first row
        editor.onShow = {};
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.journal().current(), 0);
    }

    void correctionOnEmptyJournalDoesNothing() {
        FakeEditor editor;
        TForm1 w(folder({QStringLiteral("Stredisko=prazdne")}));
        w.setReceiptEditor(&editor);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
        w.Opravitdoklad1->trigger();
        QCOMPARE(editor.shown, 0);
        QVERIFY(messages.isEmpty());
    }

    void failedConnection_data() {
        QTest::addColumn<QStringList>("ini");
        QTest::addColumn<QString>("text");
        const QString port = QStringLiteral("SQLport=%1").arg(testdb::settings().port);
        QTest::newRow("nothing listens")
            << QStringList{QStringLiteral("IP=127.0.0.1"), QStringLiteral("SQLport=1")}
            << QStringLiteral("Can't connect");
        QTest::newRow("wrong password")
            << QStringList{QStringLiteral("IP=127.0.0.1"), port, QStringLiteral("User=root"),
                           QStringLiteral("Password=spatne")}
            << QStringLiteral("Access denied");
    }
    void failedConnection() {
        QFETCH(QStringList, ini);
        QFETCH(QString, text);
        TForm1 w(testdb::makeProgramFolder(dir, ini));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].error);
        QVERIFY2(messages[0].text.contains(text), qPrintable(messages[0].text));
        QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
        QVERIFY(!w.journal().headers().isOpen());
        QCOMPARE(w.LabelStredisko->text(), QStringLiteral("777"));
        // the menu stays usable; actions that need the database report the same error
        QTest::mouseClick(w.ButtonFA, Qt::LeftButton);
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages[1].error);
        w.Opravdu1->trigger();
        QVERIFY(!w.isVisible());
    }

    void noConfigurationFile() {
        QTemporaryDir empty;
        TForm1 w(testdb::makeProgramFolder(empty, {}, false));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.CisloPC, QStringLiteral("00"));
        QCOMPARE(w.Stredisko, QStringLiteral("777"));
        QCOMPARE(w.LabelStredisko->text(), QStringLiteral("777"));
        QVERIFY(!w.centreSwitchEnabled());
        QVERIFY(w.Kontrolanoveverze1->isVisible());
        QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("prodej.ini")))); // never written
        // localhost:3306 with root: either a server answers or the error box said why
        QVERIFY(w.journal().headers().isOpen() || (messages.size() == 1 && messages[0].error));
    }

    void failingStatementReachesTheErrorBox() {
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        db.exec(QStringLiteral("rename table prijem to prijem_stara"));
        auto back = qScopeGuard([&] { db.exec(QStringLiteral("rename table prijem_stara to prijem")); });
        QTest::mouseClick(w.ButtonFA, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].error);
        QVERIFY2(messages[0].text.contains(QStringLiteral("prodej.prijem")), qPrintable(messages[0].text));
        QVERIFY(!w.journal().headers().isOpen());
        QCOMPARE(w.DBGrid2->model()->rowCount(), 0);
        QVERIFY(!QApplication::overrideCursor());
        back.dismiss();
        db.exec(QStringLiteral("rename table prijem_stara to prijem"));
        QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
        QCOMPARE(shownNumbers(w).size(), 5);
    }

    void fieldsCarryNamesForAssistiveTechnology() {
        TForm1 w(folder());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.suiComboBox1->accessibleName(), QStringLiteral("Rok"));
        QCOMPARE(w.DBGrid1->objectName(), QStringLiteral("DBGrid1"));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("ButtonVpFA")), w.ButtonVpFA);
        QVERIFY(!w.DBGrid1->accessibleName().isEmpty());
        QVERIFY(!w.DBGrid2->accessibleName().isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
