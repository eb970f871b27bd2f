#include "receipt/nabcen.h"

#include "common/vocabulary.h"
#include "platform/gridview.h"
#include "platform/guard.h"
#include "platform/searchdialog.h"
#include "receipt/histo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

TFnabcen::TFnabcen(QWidget *owner, rpt::Report &report, const QString &programFolder)
    : QDialog(owner), m_report(report), m_programFolder(programFolder) {
    setObjectName(QStringLiteral("TFnabcen"));
    setWindowTitle(QStringLiteral("Zboží"));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_list.setColumns({
        {col::JKPOV, QStringLiteral("JKP"), 90},
        {col::NAZEV, QStringLiteral("Název"), 250},
        {col::MJ, col::MJ, 25, Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignHCenter | Qt::AlignVCenter},
        {QStringLiteral("PCSD"), QStringLiteral("Prodejní cena"), 70, right, right, fmt::money},
        {QStringLiteral("PNC"), QStringLiteral("Nákup.cena"), 65, right, right, fmt::money},
        {QStringLiteral("STAV"), QStringLiteral("Stav"), 65, right, right, fmt::quantity},
    });
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Zboží"));
    configureGrid(DBGrid1, &m_list);
    auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    suitempButton1 = button(QStringLiteral("suitempButton1"), QStringLiteral("Převzít"));
    suitempButton2 = button(QStringLiteral("suitempButton2"), QStringLiteral("Zpět"));
    suiButton1 = button(QStringLiteral("suiButton1"), QStringLiteral("Přepočítat\n stav"));
    suiButton1->setAccessibleName(QStringLiteral("Přepočítat stav"));
    suiButton2 = button(QStringLiteral("suiButton2"), QStringLiteral("Historie"));
    suiCheckBox1 = new QCheckBox(QStringLiteral("zobrazit NC"), this);
    suiCheckBox1->setObjectName(QStringLiteral("suiCheckBox1"));
    auto *row = new QHBoxLayout;
    row->addWidget(suitempButton1);
    row->addWidget(suitempButton2);
    row->addWidget(suiButton1);
    row->addWidget(suiButton2);
    row->addWidget(suiCheckBox1);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(row);
    resize(606, 647);

    m_keys.add(QKeyCombination(Qt::Key_Return), [this] { suitempButton1Click(); });
    m_keys.add(QKeyCombination(Qt::Key_Escape), [this] { reject(); });
    m_keys.add(QKeyCombination(Qt::Key_F3),
               [this] { suitempDBGrid1TitleClick(m_list.columnOf(col::NAZEV)); });
    connect(suitempButton1, &QPushButton::clicked, this, &TFnabcen::suitempButton1Click);
    connect(suitempButton2, &QPushButton::clicked, this, &QDialog::reject);
    connect(suiButton1, &QPushButton::clicked, this,
            [this] { guarded(this, m_db, [this] { suiButton1Click(); }); });
    connect(suiButton2, &QPushButton::clicked, this,
            [this] { guarded(this, m_db, [this] { suiButton2Click(); }); });
    connect(suiCheckBox1, &QCheckBox::clicked, this, &TFnabcen::suiCheckBox1Click);
    connect(DBGrid1, &QTableView::doubleClicked, this, &TFnabcen::suitempButton1Click);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFnabcen::suitempDBGrid1TitleClick);
}

void TFnabcen::setList(Db *db, const QString &statement) {
    m_db = db;
    m_statement = statement;
}

void TFnabcen::closeList() {
    m_list.close();
}

void TFnabcen::openList() {
    if (!m_db) return;
    const QString code = currentCode();
    m_list.setRowSet(m_db->select(m_statement));
    int row = code.isEmpty() ? 0 : m_list.locate(col::JKPOV, code);
    if (row < 0) row = 0;
    if (m_list.rowCount() > 0) DBGrid1->setCurrentIndex(m_list.index(row, 0));
}

int TFnabcen::currentRow() const {
    return DBGrid1->currentIndex().row();
}
QString TFnabcen::currentCode() const {
    return m_list.value(currentRow(), col::JKPOV).toString();
}

void TFnabcen::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().left(), screen->availableGeometry().top() + 100);
    m_keys.setActive(true);
    suiCheckBox1Click();
    if (!m_list.isOpen()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        guarded(this, m_db, [this] { openList(); });
        QApplication::restoreOverrideCursor();
    }
    DBGrid1->setFocus();
    if (Tag == -1) suiButton1->click();
}

void TFnabcen::done(int r) {
    m_keys.setActive(false);
    QDialog::done(r);
}

void TFnabcen::suitempButton1Click() {
    Tag = 1;
    accept();
}

void TFnabcen::suiCheckBox1Click() {
    DBGrid1->setColumnWidth(m_list.columnOf(QStringLiteral("PNC")), suiCheckBox1->isChecked() ? 65 : 0);
}

void TFnabcen::suiButton1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    m_db->exec(QStringLiteral("call seznam_stav()")); // never prepared
    openList();
}

void TFnabcen::suiButton2Click() {
    if (currentRow() < 0 || !m_db) return;
    m_keys.setActive(false);
    TFhisto history(this, *m_db, m_report, m_programFolder);
    history.workstationNumber = workstationNumber;
    history.itemCode = currentCode();
    history.centreCode = m_list.value(currentRow(), col::STREDISKO).toString();
    history.Label1->setText(history.itemCode);
    history.Label2->setText(m_list.value(currentRow(), col::NAZEV).toString());
    history.exec();
    m_keys.setActive(true);
}

void TFnabcen::suitempDBGrid1TitleClick(int column) {
    if (column < 0 || column >= m_list.columns().size()) return;
    m_keys.setActive(false);
    SearchDialog::inGrid(DBGrid1, m_list, m_list.columns().at(column).field, QPoint(600, 200));
    m_keys.setActive(true);
}
