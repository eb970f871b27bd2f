#include "receipt/nabadre.h"

#include "common/vocabulary.h"
#include "platform/gridview.h"
#include "platform/searchdialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

TFnabadre::TFnabadre(QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("TFnabadre"));
    setWindowTitle(QStringLiteral("Adresář"));
    m_list.setColumns({
        {col::ICO, QStringLiteral("IČO"), 65},
        {col::NAZEVPODNI, QStringLiteral("Název podniku"), 180},
        {col::SIDLO, QStringLiteral("Sídlo"), 180},
        {col::ULICECISLO, QStringLiteral("Ulice , číslo"), 180},
        {col::PSC, QStringLiteral("PSČ"), 50},
        {col::POSTA, QStringLiteral("Pošta"), 150},
    });
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Adresy"));
    configureGrid(DBGrid1, &m_list);
    suitempButton1 = new QPushButton(QStringLiteral("Převzít"), this);
    suitempButton1->setObjectName(QStringLiteral("suitempButton1"));
    suitempButton2 = new QPushButton(QStringLiteral("Zpět"), this);
    suitempButton2->setObjectName(QStringLiteral("suitempButton2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(suitempButton1);
    buttons->addWidget(suitempButton2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
    resize(556, 605);

    m_keys.add(QKeyCombination(Qt::Key_Return), [this] { suitempButton1Click(); });
    m_keys.add(QKeyCombination(Qt::Key_F3),
               [this] { suitempDBGrid1TitleClick(m_list.columnOf(col::NAZEVPODNI)); });
    connect(suitempButton1, &QPushButton::clicked, this, &TFnabadre::suitempButton1Click);
    connect(suitempButton2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, &TFnabadre::suitempButton1Click);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFnabadre::suitempDBGrid1TitleClick);
}

void TFnabadre::setList(RowSet rows) {
    m_list.setRowSet(std::move(rows));
    if (m_list.rowCount() > 0) DBGrid1->setCurrentIndex(m_list.index(0, 0));
}

int TFnabadre::currentRow() const {
    return DBGrid1->currentIndex().row();
}

void TFnabadre::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // at the left edge of the screen, 100 pixels from the top
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().left(), screen->availableGeometry().top() + 100);
    m_keys.setActive(true);
    DBGrid1->setFocus();
}

void TFnabadre::done(int r) {
    m_keys.setActive(false);
    QDialog::done(r);
}

void TFnabadre::suitempButton1Click() {
    Tag = 1;
    accept();
}

void TFnabadre::suitempDBGrid1TitleClick(int column) {
    if (column < 0 || column >= m_list.columns().size()) return;
    m_keys.setActive(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString field = m_list.columns().at(column).field;
    const int source = m_list.sourceOfRow(currentRow());
    m_list.sortByField(field);
    if (source >= 0) DBGrid1->setCurrentIndex(m_list.index(m_list.rowOfSource(source), 0));
    QApplication::restoreOverrideCursor();
    SearchDialog::inGrid(DBGrid1, m_list, field, QPoint(600, 200));
    m_keys.setActive(true);
}
