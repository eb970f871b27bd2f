#include "app/ppracuji.h"
#include "common/database.h"
#include "common/numfmt.h"
#include "common/rowset.h"
#include "platform/a11y.h"
#include "platform/enterastab.h"
#include "platform/guard.h"
#include "platform/hotkeys.h"
#include "platform/messagebox.h"
#include "platform/searchdialog.h"
#include "testdb.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
RecordModel *namesModel(QObject *parent) {
    auto *m = new RecordModel(parent);
    RowSet rs;
    rs.fields = {QStringLiteral("NAZEV"), QStringLiteral("MNOZ")};
    rs.types = {QMetaType::QString, QMetaType::Double};
    for (const auto &[n, q] : std::vector<std::pair<QString, double>>{{QStringLiteral("Mléko"), 1},
                                                                      {QStringLiteral("Chléb kmínový"), 2},
                                                                      {QStringLiteral("Rohlík"), 3},
                                                                      {QStringLiteral("Chléb"), 4},
                                                                      {QStringLiteral("Máslo"), 1234.5}})
        rs.rows.push_back({n, q});
    m->setColumns({{QStringLiteral("NAZEV"), QStringLiteral("Název")},
                   {QStringLiteral("MNOZ"),
                    QStringLiteral("Množství"),
                    60,
                    Qt::AlignRight,
                    {},
                    QStringLiteral("### ###.####")}});
    m->setRowSet(rs);
    return m;
}

// Runs fn on the next modal dialog as soon as it is shown.
void onModal(std::function<void(QWidget *)> fn) {
    QTimer::singleShot(0, [fn] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        fn(QApplication::activeModalWidget());
    });
}
} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Messages::setResponder({}); }

    void formatPattern_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QString qty = QStringLiteral("### ###.####");
        const QString money = QStringLiteral("### ### ##0.00");
        QTest::newRow("qty grouping") << 1234.5 << qty << QStringLiteral("1 234,5");
        QTest::newRow("qty millions") << 1234567.0 << qty << QStringLiteral("1 234 567");
        QTest::newRow("qty 4 decimals") << 0.12345 << qty << QStringLiteral("0,1235");
        QTest::newRow("qty whole") << 12.0 << qty << QStringLiteral("12");
        QTest::newRow("qty negative") << -1.5 << qty << QStringLiteral("-1,5");
        QTest::newRow("qty zero") << 0.0 << qty << QStringLiteral("0");
        QTest::newRow("money") << 1234567.891 << money << QStringLiteral("1 234 567,89");
        QTest::newRow("money small") << 0.5 << money << QStringLiteral("0,50");
        QTest::newRow("money negative") << -12.0 << money << QStringLiteral("-12,00");
        QTest::newRow("negative rounding to zero") << -0.001 << money << QStringLiteral("0,00");
        QTest::newRow("report pattern")
            << 1500.0 << QStringLiteral("### ###.00") << QStringLiteral("1 500,00");
    }
    void formatPattern() {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(::formatPattern(value, pattern), text);
    }

    void dates() {
        QCOMPARE(displayValue(QDate(2014, 3, 7)), QStringLiteral("7.3.2014"));
        QCOMPARE(displayValue(QDateTime(QDate(2012, 5, 3), QTime(8, 5, 9))),
                 QStringLiteral("3.5.2012 8:05:09"));
        QCOMPARE(displayValue(QDateTime(QDate(2012, 5, 3), QTime(0, 0))), QStringLiteral("3.5.2012"));
        QCOMPARE(displayValue(QVariant()), QString());
    }

    void hotKeysAreApplicationWide() {
        QWidget w;
        auto *edit = new QLineEdit(&w);
        auto *other = new QLineEdit(&w);
        new QVBoxLayout(&w);
        w.layout()->addWidget(edit);
        w.layout()->addWidget(other);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        int pressed = 0;
        HotKeys keys;
        keys.add(QKeyCombination(Qt::CTRL, Qt::Key_P), [&] { ++pressed; });
        keys.add(QKeyCombination(Qt::CTRL, Qt::Key_Return), [&] { pressed += 10; });
        QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(pressed, 0); // off
        keys.setActive(true);
        QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(other, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(other, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(pressed, 12);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_P); // other keys pass
        QCOMPARE(edit->text(), QStringLiteral("p"));
        keys.setActive(false);
        QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(pressed, 12);
    }

    void enterActsAsTab() {
        QWidget w;
        auto *layout = new QVBoxLayout(&w);
        auto *a = new QLineEdit(&w);
        auto *b = new QLineEdit(&w);
        auto *button = new QPushButton(QStringLiteral("OK"), &w);
        layout->addWidget(a);
        layout->addWidget(b);
        layout->addWidget(button);
        new EnterAsTab(&w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(button->hasFocus());
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(button->hasFocus()); // a button keeps Enter
    }

    void busyWindow() {
        QWidget owner;
        owner.show();
        const QString longText =
            QStringLiteral("Příjemka - načítám číselníky dodavatelů, zboží a EAN kódů všech středisek");
        QPointer<Tpracuji> window;
        {
            BusyScope busy(&owner, QStringLiteral("Příjemka - načítám číselníky"));
            window = busy.window();
            QVERIFY(window->isVisible());
            QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
            QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(window->Label1->text(), QStringLiteral("Příjemka - načítám číselníky"));
            QVERIFY(window->JvWaitingGradient1->isRunning());
            const int start = window->JvWaitingGradient1->position();
            QTRY_VERIFY(window->JvWaitingGradient1->position() != start);
            const int oneLine = window->Label1->fontMetrics().height();
            busy.setText(longText);
            QVERIFY(window->Label1->wordWrap());
            QVERIFY(window->Label1->heightForWidth(window->Label1->width()) >= 2 * oneLine); // wraps, not cut
            QVERIFY(window->Label1->width() <= window->width());
        }
        QVERIFY(window.isNull());
    }

    void busyWindowClosesOnError() {
        QWidget owner;
        QPointer<Tpracuji> window;
        QStringList errors;
        Messages::setResponder([&](const MessageRequest &r) {
            errors << r.text;
            return 1;
        });
        const bool ok = guarded(&owner, nullptr, [&] {
            BusyScope busy(&owner, QStringLiteral("Pracuji"));
            window = busy.window();
            QVERIFY(window->isVisible());
            throw DbError(QStringLiteral("Lost connection to server during query"));
        });
        QVERIFY(!ok);
        QVERIFY(window.isNull());
        QCOMPARE(errors, QStringList{QStringLiteral("Lost connection to server during query")});
    }

    void dotazWithResponder() {
        MessageRequest seen;
        Messages::setResponder([&](const MessageRequest &r) {
            seen = r;
            return 2;
        });
        Dotaz dotaz(QStringLiteral("Prodejna příjem"));
        QCOMPARE(dotaz.ask(nullptr, QStringLiteral("Smazat řádek?"),
                           {QStringLiteral("Ano"), QStringLiteral("Ne")}, MsgIcon::Question),
                 2);
        QCOMPARE(seen.caption, QStringLiteral("Prodejna příjem"));
        QCOMPARE(seen.text, QStringLiteral("Smazat řádek?"));
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("Ano"), QStringLiteral("Ne")}));
        QCOMPARE(seen.icon, MsgIcon::Question);
        QVERIFY(!seen.error);
    }

    void dotazReal() {
        Dotaz dotaz(QStringLiteral("Prodejna příjem"));
        QString caption;
        onModal([&](QWidget *box) {
            caption = box->windowTitle();
            auto *second = box->findChild<QPushButton *>(QStringLiteral("Button2"));
            QVERIFY(second);
            QCOMPARE(second->text(), QStringLiteral("Ne"));
            second->click();
        });
        QCOMPARE(dotaz.ask(nullptr, QStringLiteral("Opravdu?"),
                           {QStringLiteral("Ano"), QStringLiteral("Ne"), QStringLiteral("Zpět")},
                           MsgIcon::Warning),
                 2);
        QCOMPARE(caption, QStringLiteral("Prodejna příjem"));
    }

    void guardShowsServerTextAndSkipsTheRest() {
        QList<MessageRequest> seen;
        Messages::setResponder([&](const MessageRequest &r) {
            seen << r;
            return 1;
        });
        bool rest = false;
        QVERIFY(!guarded(nullptr, nullptr, [&] {
            throw DbError(QStringLiteral("Table 'prodej.neni' doesn't exist"), 1146);
            rest = true;
        }));
        QVERIFY(!rest);
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen[0].error);
        QCOMPARE(seen[0].text, QStringLiteral("Table 'prodej.neni' doesn't exist"));
        QCOMPARE(seen[0].icon, MsgIcon::Stop);
        QVERIFY(guarded(nullptr, nullptr, [] {}));
        QCOMPARE(seen.size(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void searchDialogMovesTheList() {
        QObject owner;
        RecordModel *m = namesModel(&owner);
        QList<int> moves;
        onModal([](QWidget *dlg) {
            auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat"));
            QVERIFY(edit);
            QVERIFY(dlg->findChild<QCheckBox *>(QStringLiteral("CheckCasti"))->isChecked());
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Hledat"));
            testdb::typeText(edit, QStringLiteral("chléb"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        const int row =
            SearchDialog::run(*m, QStringLiteral("NAZEV"), 4, true, nullptr, [&](int r) { moves << r; });
        QCOMPARE(row, 1); // "Chléb kmínový" is the first that contains "chléb"
        QVERIFY(moves.contains(1));

        onModal([](QWidget *dlg) {
            auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat"));
            dlg->findChild<QCheckBox *>(QStringLiteral("CheckCasti"))->setChecked(false);
            testdb::typeText(edit, QStringLiteral("chléb"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(SearchDialog::run(*m, QStringLiteral("NAZEV"), 0, true, nullptr), 3); // whole value

        onModal([](QWidget *dlg) {
            QTest::keyClicks(dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat")),
                             QStringLiteral("1 234"));
            dlg->findChild<QPushButton *>(QStringLiteral("ButtonZrusit"))->click();
        });
        moves.clear();
        QCOMPARE(SearchDialog::run(*m, QStringLiteral("MNOZ"), 2, true, nullptr, [&](int r) { moves << r; }),
                 2);
        // found as shown ("1 234,5"), then back where it stood on cancel
        QVERIFY(moves.size() >= 2);
        QCOMPARE(moves.at(moves.size() - 2), 4);
        QCOMPARE(moves.last(), 2);

        onModal([](QWidget *dlg) {
            auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("EditHledat"));
            QTest::keyClicks(edit, QStringLiteral("l"));
            dlg->findChild<QPushButton *>(QStringLiteral("ButtonDalsi"))->click();
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(SearchDialog::run(*m, QStringLiteral("NAZEV"), 0, true, nullptr),
                 1); // next match after Mléko
    }

    void accessibilityIds() {
        qputenv("PRIJEM_A11Y_IDS", "1");
        installAccessibilityIds(*qApp);
        QWidget w;
        auto *edit = new QLineEdit(&w);
        edit->setObjectName(QStringLiteral("suiEdit1"));
        w.setObjectName(QStringLiteral("TFprijem"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(edit->accessibleDescription(), QStringLiteral("suiEdit1"));
        QCOMPARE(w.accessibleDescription(), QStringLiteral("TFprijem"));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
