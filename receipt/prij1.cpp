#include "receipt/prij1.h"

#include "receipt/nabadre.h"
#include "receipt/nabcen.h"

#include "app/ppracuji.h"
#include "common/helpers.h"
#include "common/numfmt.h"
#include "common/sqltext.h"
#include "common/vocabulary.h"
#include "platform/enterastab.h"
#include "platform/gridview.h"
#include "platform/guard.h"

#include <QApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QLineEdit *field(QWidget *parent, const QString &name, const QString &accessible, bool readOnly = false) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setReadOnly(readOnly);
    if (readOnly) e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true); // Enter presses the button that has the focus
    return b;
}

// Numbers typed the Czech way (decimal comma; a full stop is accepted too, spaces ignored).
std::optional<double> parseNumber(QString text) {
    text.remove(QLatin1Char(' '));
    text.remove(QChar(0x00A0));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    if (text.isEmpty()) return 0.0;
    bool ok = false;
    const double v = QLocale(QLocale::Czech).toDouble(text, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QString plain(double v) {
    return QString::number(v, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}
} // namespace

TFprijem::TFprijem(TForm1 *main) : QDialog(main), m_main(main) {
    setObjectName(QStringLiteral("TFprijem"));
    setWindowTitle(QStringLiteral("Příjem zboží"));
    createLayout();
    setFixedSize(901, 539);
    new EnterAsTab(this);

    m_headerKeys.add(QKeyCombination(Qt::CTRL, Qt::Key_P), [this] { suitempButton2->click(); });
    m_headerKeys.add(QKeyCombination(Qt::CTRL, Qt::Key_O), [this] { suitempButtonOpravit->click(); });
    m_headerKeys.add(QKeyCombination(Qt::Key_F3), [this] { suitempButton8->click(); });
    m_lineKeys.add(QKeyCombination(Qt::CTRL, Qt::Key_Return), [this] {
        // the fields' checks run as the focus leaves them; Zapsat only when it got the focus
        Button4->setFocus(Qt::OtherFocusReason);
        if (Button4->hasFocus() && m_lineMode) Button4->click();
    });
    m_lineKeys.add(QKeyCombination(Qt::Key_F3), [this] { suitempButton3->click(); });

    connect(suitempButton2, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButton2Click(); }); });
    connect(suitempButtonOpravit, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButtonOpravitClick(); }); });
    connect(suiButton1, &QPushButton::clicked, this, [this] { guard([this] { suiButton1Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { guard([this] { Button4Click(); }); });
    connect(suitempButton5, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButton5Click(); }); });
    connect(suitempButton9, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButton9Click(); }); });
    connect(suitempButton8, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButton8Click(); }); });
    connect(suitempButton3, &QPushButton::clicked, this,
            [this] { guard([this] { suitempButton3Click(); }); });
    connect(suitempButton10, &QPushButton::clicked, this, [this] { suitempButton10Click(); });
    connect(DBGrid1, &QTableView::doubleClicked, this,
            [this] { guard([this] { suitempButtonOpravitClick(); }); });
    for (QWidget *w :
         {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(DBEdit5), static_cast<QWidget *>(DBEdit6),
          static_cast<QWidget *>(DBEdit1), static_cast<QWidget *>(DBEdit3), static_cast<QWidget *>(DBEdit4),
          static_cast<QWidget *>(DBEdit8), static_cast<QWidget *>(DBDateEdit1)})
        w->installEventFilter(this);
}

TFprijem::~TFprijem() {
    m_headerKeys.setActive(false);
    m_lineKeys.setActive(false);
}

bool TFprijem::guard(const std::function<void()> &handler) {
    return guarded(this, &m_main->connection(), handler);
}

void TFprijem::createLayout() {
    // header panel
    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("Panel1"));
    auto *hg = new QGridLayout(header);
    hg->setContentsMargins(6, 6, 6, 2);
    auto label = [&](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, header);
        l->setBuddy(buddy);
        return l;
    };
    DBDateEdit1 = new QDateEdit(header);
    DBDateEdit1->setObjectName(QStringLiteral("DBDateEdit1"));
    DBDateEdit1->setCalendarPopup(true);
    DBDateEdit1->setDisplayFormat(QStringLiteral("d.M.yyyy"));
    DBDateEdit1->setAccessibleName(QStringLiteral("Datum"));
    DBEdit1 = field(header, QStringLiteral("DBEdit1"), QStringLiteral("IČO"));
    DBEdit1->setMaxLength(10);
    suitempButton8 = button(header, QStringLiteral("suitempButton8"), QStringLiteral("Nabídka   F3"));
    suitempButton8->setEnabled(false); // until the address picker is given
    DBEdit2 = field(header, QStringLiteral("DBEdit2"), QStringLiteral("Název"), true);
    DBEdit3 = field(header, QStringLiteral("DBEdit3"), QStringLiteral("Sídlo"));
    DBEdit4 = field(header, QStringLiteral("DBEdit4"), QStringLiteral("Ulice"));
    DBEdit8 = field(header, QStringLiteral("DBEdit8"), QStringLiteral("Čís.dokladu dodavatele"));
    DBEdit8->setMaxLength(10);
    suitempButton9 = button(header, QStringLiteral("suitempButton9"), QStringLiteral("Uložit"));
    suitempButton10 = button(header, QStringLiteral("suitempButton10"), QStringLiteral("Zpět"));
    hg->addWidget(label(QStringLiteral("Datum"), DBDateEdit1), 0, 0);
    hg->addWidget(DBDateEdit1, 0, 1);
    hg->addWidget(label(QStringLiteral("IČO"), DBEdit1), 1, 0);
    hg->addWidget(DBEdit1, 1, 1);
    hg->addWidget(suitempButton8, 1, 2);
    hg->addWidget(label(QStringLiteral("Název"), DBEdit2), 2, 0);
    hg->addWidget(DBEdit2, 2, 1, 1, 3);
    hg->addWidget(label(QStringLiteral("Sídlo"), DBEdit3), 3, 0);
    hg->addWidget(DBEdit3, 3, 1, 1, 3);
    hg->addWidget(DBEdit4, 4, 1, 1, 3);
    hg->addWidget(label(QStringLiteral("Čís.dokladu dodavatele"), DBEdit8), 5, 0);
    hg->addWidget(DBEdit8, 5, 1);
    auto total = [&](const QString &name, const QString &caption, int row) {
        QLineEdit *e = field(header, name, caption, true);
        e->setAlignment(Qt::AlignRight);
        e->setText(QStringLiteral("0,00"));
        e->setMaximumWidth(110);
        hg->addWidget(label(caption, e), row, 5);
        hg->addWidget(e, row, 6);
        return e;
    };
    EditSoucet0 = total(QStringLiteral("EditSoucet0"), QStringLiteral("Součet 0"), 0);
    EditSoucetS = total(QStringLiteral("EditSoucetS"), QStringLiteral("Součet S"), 1);
    EditSoucetN = total(QStringLiteral("EditSoucetN"), QStringLiteral("Součet N"), 2);
    EditSoucetV = total(QStringLiteral("EditSoucetV"), QStringLiteral("Součet V"), 3);
    hg->addWidget(suitempButton9, 4, 6);
    hg->addWidget(suitempButton10, 5, 6);
    hg->setColumnStretch(3, 1);
    hg->setColumnMinimumWidth(4, 20);

    // lines
    auto *middle = new QWidget(this);
    auto *mh = new QHBoxLayout(middle);
    mh->setContentsMargins(6, 0, 6, 0);
    DBGrid1 = new QTableView(middle);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Řádky dokladu"));
    auto *buttons = new QVBoxLayout;
    suitempButton2 = button(middle, QStringLiteral("suitempButton2"), QStringLiteral("Přidat    ^P"));
    suitempButtonOpravit =
        button(middle, QStringLiteral("suitempButtonOpravit"), QStringLiteral("Opravit   ^O"));
    suiButton1 = button(middle, QStringLiteral("suiButton1"), QStringLiteral("Smazat řádek"));
    buttons->addWidget(suitempButton2);
    buttons->addWidget(suitempButtonOpravit);
    buttons->addWidget(suiButton1);
    buttons->addStretch(1);
    mh->addWidget(DBGrid1, 1);
    mh->addLayout(buttons);

    // line panel
    PanelRadek = new QWidget(this);
    PanelRadek->setObjectName(QStringLiteral("PanelRadek"));
    auto *lg = new QGridLayout(PanelRadek);
    lg->setContentsMargins(6, 2, 6, 6);
    Edit1 = field(PanelRadek, QStringLiteral("Edit1"), QStringLiteral("Vstup"));
    DBEditJKP = field(PanelRadek, QStringLiteral("DBEditJKP"), QStringLiteral("JKP"), true);
    DBEditNazev = field(PanelRadek, QStringLiteral("DBEditNazev"), QStringLiteral("Název"), true);
    DBEditMJ = field(PanelRadek, QStringLiteral("DBEditMJ"), QStringLiteral("MJ"), true);
    DBEditMJ->setMaximumWidth(40);
    DBEdit5 = field(PanelRadek, QStringLiteral("DBEdit5"), QStringLiteral("Množství"));
    DBEdit5->setAlignment(Qt::AlignRight);
    DBEdit6 = field(PanelRadek, QStringLiteral("DBEdit6"), QStringLiteral("NC"));
    DBEdit6->setAlignment(Qt::AlignRight);
    DBEdit7 = field(PanelRadek, QStringLiteral("DBEdit7"), QStringLiteral("Celkem"), true);
    DBEdit7->setAlignment(Qt::AlignRight);
    DBEditEAN = field(PanelRadek, QStringLiteral("DBEditEAN"), QStringLiteral("EAN"), true);
    DBEditDPH = field(PanelRadek, QStringLiteral("DBEditDPH"), QStringLiteral("DPH"), true);
    EditPC = field(PanelRadek, QStringLiteral("EditPC"), QStringLiteral("PC"), true);
    EditMarze = field(PanelRadek, QStringLiteral("EditMarze"), QStringLiteral("Marže"), true);
    EditProcento = field(PanelRadek, QStringLiteral("EditProcento"), QStringLiteral("%"), true);
    EditPCsD = field(PanelRadek, QStringLiteral("EditPCsD"), QStringLiteral("PCsD"), true);
    for (QLineEdit *e : {EditPC, EditMarze, EditPCsD})
        e->setText(QStringLiteral("0,00"));
    EditProcento->setText(QStringLiteral("0,0"));
    suitempButton3 = button(PanelRadek, QStringLiteral("suitempButton3"), QStringLiteral("Nabídka   F3"));
    suitempButton3->setEnabled(false); // until the item picker is given
    Button4 = button(PanelRadek, QStringLiteral("Button4"), QStringLiteral("Zapsat  ^Enter"));
    suitempButton5 = button(PanelRadek, QStringLiteral("suitempButton5"), QStringLiteral("Zpět"));
    suiButton2 = button(PanelRadek, QStringLiteral("suiButton2"), QStringLiteral("Založení karty"));
    suiButton2->setToolTip(QStringLiteral("Založí kartu v seznamu"));
    suiButton2->setEnabled(false); // the catalogue window comes later
    suiButton3 = button(PanelRadek, QStringLiteral("suiButton3"), QStringLiteral("OpK"));
    suiButton3->setToolTip(QStringLiteral("Oprava karty"));
    suiButton3->setEnabled(false);
    auto plabel = [&](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, PanelRadek);
        l->setBuddy(buddy);
        return l;
    };
    lg->addWidget(plabel(QStringLiteral("Vstup"), Edit1), 0, 0);
    lg->addWidget(Edit1, 0, 1, 1, 2);
    lg->addWidget(plabel(QStringLiteral("JKP"), DBEditJKP), 0, 3);
    lg->addWidget(DBEditJKP, 0, 4);
    lg->addWidget(plabel(QStringLiteral("Název"), DBEditNazev), 1, 0);
    lg->addWidget(DBEditNazev, 1, 1, 1, 4);
    lg->addWidget(plabel(QStringLiteral("Množství"), DBEdit5), 2, 0);
    lg->addWidget(DBEdit5, 2, 1);
    lg->addWidget(DBEditMJ, 2, 2);
    lg->addWidget(plabel(QStringLiteral("NC"), DBEdit6), 2, 3);
    lg->addWidget(DBEdit6, 2, 4);
    lg->addWidget(plabel(QStringLiteral("Celkem"), DBEdit7), 3, 3);
    lg->addWidget(DBEdit7, 3, 4);
    lg->addWidget(plabel(QStringLiteral("EAN"), DBEditEAN), 3, 0);
    lg->addWidget(DBEditEAN, 3, 1, 1, 2);
    lg->addWidget(plabel(QStringLiteral("DPH"), DBEditDPH), 4, 0);
    lg->addWidget(DBEditDPH, 4, 1);
    lg->addWidget(plabel(QStringLiteral("PC"), EditPC), 0, 5);
    lg->addWidget(EditPC, 0, 6);
    lg->addWidget(EditMarze, 0, 7);
    lg->addWidget(plabel(QStringLiteral("%"), EditProcento), 1, 5);
    lg->addWidget(EditProcento, 1, 6);
    lg->addWidget(plabel(QStringLiteral("PCsD"), EditPCsD), 2, 5);
    lg->addWidget(EditPCsD, 2, 6);
    lg->addWidget(suitempButton3, 3, 5);
    lg->addWidget(Button4, 3, 6);
    lg->addWidget(suitempButton5, 3, 7);
    lg->addWidget(suiButton2, 4, 5);
    lg->addWidget(suiButton3, 4, 6);
    PanelRadek->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);
    layout->addWidget(middle, 1);
    layout->addWidget(PanelRadek);

    // tab order: the header in its order, then the line panel in its order
    setTabOrder(DBDateEdit1, DBEdit1);
    setTabOrder(DBEdit1, DBEdit3);
    setTabOrder(DBEdit3, DBEdit4);
    setTabOrder(DBEdit4, DBEdit8);
    setTabOrder(Edit1, DBEdit5);
    setTabOrder(DBEdit5, DBEdit6);
    setTabOrder(DBEdit6, Button4);
    setTabOrder(Button4, suitempButton5);
}

void TFprijem::setHeaderMode(bool header) {
    m_lineKeys.setActive(!header);
    m_headerKeys.setActive(header);
}

void TFprijem::showModal() {
    m_doc = std::make_unique<ReceiptDocument>(m_main->connection(), m_main->CisloPC, m_main->Stredisko);
    DBGrid1->setModel(nullptr);
    configureGrid(DBGrid1, &m_doc->lines());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (!guard([this] { FormShow(); })) {
        done(QDialog::Rejected);
        return;
    }
    exec();
}

void TFprijem::FormShow() {
    PanelRadek->hide();
    m_lineMode = false;
    suitempButton9->setEnabled(true);
    setHeaderMode(true);
    // "Založení karty" and "OpK" follow the main-centre rule once the catalogue window exists;
    // until then they stay disabled
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (editMode == QLatin1String("O"))
        m_doc->PripravOprava(documentNumber);
    else
        m_doc->PripravNovy();
    DBDateEdit1->setDate(m_doc->header(col::DATUM).toDate());
    DBEdit1->setText(m_doc->header(col::ICO).toString());
    DBEdit2->setText(m_doc->header(col::NAZEVPODNI).toString());
    DBEdit3->setText(m_doc->header(col::SIDLO).toString());
    DBEdit4->setText(m_doc->header(col::ULICECISLO).toString());
    DBEdit8->setText(m_doc->header(col::CIDODODAV).toString());
    SoucetD();
    {
        BusyScope busy(this, QStringLiteral("Příjemka - načítám číselníky"));
        m_doc->nactiCiselniky([&busy](const QString &text) { busy.setText(text); });
        if (m_addressPicker) m_addressPicker->setList(m_doc->addresses());
        if (m_itemPicker) {
            // the picker opens its list when it is first shown
            m_itemPicker->closeList();
            m_itemPicker->setList(&m_main->connection(),
                                  SqlText{QStringLiteral("select * from seznam"),
                                          QStringLiteral(" where STREDISKO=") + quoted(m_main->Stredisko),
                                          QStringLiteral(" and AKTIVNI=\"A\""),
                                          QStringLiteral(" order by nazev;")});
        }
    }
    DBDateEdit1->setFocus();
}

void TFprijem::readHeaderFields() {
    m_doc->setHeader(col::DATUM, DBDateEdit1->date());
    m_doc->setHeader(col::ICO, DBEdit1->text());
    m_doc->setHeader(col::SIDLO, DBEdit3->text());
    m_doc->setHeader(col::ULICECISLO, DBEdit4->text());
    m_doc->setHeader(col::CIDODODAV, DBEdit8->text());
}

void TFprijem::setAddressPicker(TFnabadre *picker) {
    m_addressPicker = picker;
    suitempButton8->setEnabled(picker != nullptr);
}

void TFprijem::setItemPicker(TFnabcen *picker) {
    m_itemPicker = picker;
    suitempButton3->setEnabled(picker != nullptr);
}

void TFprijem::suitempButton3Click() {
    if (!m_itemPicker || !m_lineMode) return;
    m_lineKeys.setActive(false);
    struct On {
        TFprijem *w;
        ~On() {
            if (w->m_lineMode) w->m_lineKeys.setActive(true);
        }
    } on{this};
    m_itemPicker->workstationNumber = m_main->CisloPC;
    m_itemPicker->Tag = m_main->prepocitatStav == QLatin1String("A") ? -1 : 0;
    m_itemPicker->exec();
    if (m_itemPicker->Tag > 0 && !m_itemPicker->currentCode().isEmpty()) {
        // as if typed: leaving the entry field runs the lookup
        Edit1->setText(m_itemPicker->currentCode());
        Edit1->setFocus();
        // the window may not be active again yet, so the lookup is run here, not by a focus change
        m_checking = true;
        Edit1Exit();
        m_checking = false;
    } else {
        Edit1->setFocus();
    }
}

void TFprijem::suitempEditICOExit() {
    if (const auto r = m_doc->checkIco(DBEdit1->text())) {
        refuse(*r);
        return;
    }
    DBEdit2->setText(m_doc->header(col::NAZEVPODNI).toString());
    DBEdit3->setText(m_doc->header(col::SIDLO).toString());
    DBEdit4->setText(m_doc->header(col::ULICECISLO).toString());
}

void TFprijem::suitempButton8Click() {
    if (!m_addressPicker || m_lineMode) return;
    m_headerKeys.setActive(false);
    struct On {
        TFprijem *w;
        ~On() { w->m_headerKeys.setActive(true); }
    } on{this};
    m_addressPicker->Tag = 0;
    m_addressPicker->exec();
    if (m_addressPicker->Tag > 0 && m_addressPicker->currentRow() >= 0) {
        const RecordModel &list = m_addressPicker->list();
        const int row = m_addressPicker->currentRow();
        readHeaderFields();
        for (const QString &c :
             {col::ICO, col::NAZEVPODNI, col::SIDLO, col::ULICECISLO, col::PSC, col::POSTA})
            m_doc->setHeader(c, list.value(row, c).toString());
        DBEdit1->setText(m_doc->header(col::ICO).toString());
        DBEdit2->setText(m_doc->header(col::NAZEVPODNI).toString());
        DBEdit3->setText(m_doc->header(col::SIDLO).toString());
        DBEdit4->setText(m_doc->header(col::ULICECISLO).toString());
        DBEdit1->setFocus();
    }
}

void TFprijem::SoucetD() {
    const int current = DBGrid1->currentIndex().row();
    const QVariant id = m_doc->lines().value(current, col::id);
    const QVariant key = m_doc->lines().value(current, col::POLOZKA);
    const Totals t = m_doc->SoucetD();
    EditSoucet0->setText(Totals::text(t.s0));
    EditSoucetS->setText(Totals::text(t.sS));
    EditSoucetN->setText(Totals::text(t.sN));
    EditSoucetV->setText(Totals::text(t.sV));
    // back on the line that was current
    int row = m_doc->lines().rowCount() > 0 ? 0 : -1;
    for (int r = 0; r < m_doc->lines().rowCount(); ++r)
        if (m_doc->lines().value(r, col::id) == id && m_doc->lines().value(r, col::POLOZKA) == key) row = r;
    if (row >= 0) DBGrid1->setCurrentIndex(m_doc->lines().index(row, 0));
    DBGrid1->setFocus();
}

void TFprijem::showLine() {
    DBEditJKP->setText(m_line.jkpov);
    DBEditNazev->setText(m_line.nazev);
    DBEditMJ->setText(m_line.mj);
    DBEdit5->setText(m_line.mnoz == 0 && m_line.isNew && m_line.jkpov.isEmpty() ? QString()
                                                                                : plain(m_line.mnoz));
    DBEdit6->setText(formatPattern(m_line.nc, fmt::money));
    DBEdit7->setText(formatPattern(m_line.cenar, fmt::money));
    DBEditEAN->setText(m_line.ean);
    DBEditDPH->setText(m_line.jkpov.isEmpty() ? QString() : QString::number(m_line.dph));
}

void TFprijem::showPrices() {
    const double margin = m_pc - m_line.nc;
    const double percent = m_line.nc != 0 ? margin * 100 / m_line.nc : 0;
    EditPC->setText(formatPattern(m_pc, fmt::money));
    EditPCsD->setText(formatPattern(m_pcsd, fmt::money));
    EditMarze->setText(formatPattern(margin, fmt::money));
    EditProcento->setText(formatPattern(percent, QStringLiteral("0.0")));
    for (QLineEdit *e : {EditMarze, EditProcento}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Text, (e == EditMarze ? margin : percent) < 0 ? QColor(Qt::red)
                                                                           : palette().color(QPalette::Text));
        e->setPalette(p);
    }
}

bool TFprijem::readNumbers() {
    const auto q = parseNumber(DBEdit5->text());
    if (!q) {
        refuse({QStringLiteral("„%1“ není číslo.").arg(DBEdit5->text()), Focus::Quantity});
        return false;
    }
    const auto nc = parseNumber(DBEdit6->text());
    if (!nc) {
        refuse({QStringLiteral("„%1“ není číslo.").arg(DBEdit6->text()), Focus::Price});
        return false;
    }
    m_line.mnoz = *q;
    m_line.nc = *nc;
    return true;
}

void TFprijem::focusOn(Focus f) {
    switch (f) {
    case Focus::Entry:
        Edit1->setFocus();
        Edit1->selectAll();
        break;
    case Focus::Quantity:
        DBEdit5->setFocus();
        DBEdit5->selectAll();
        break;
    case Focus::Price:
        DBEdit6->setFocus();
        DBEdit6->selectAll();
        break;
    case Focus::Date:
        DBDateEdit1->setFocus();
        break;
    case Focus::Grid:
        DBGrid1->setFocus();
        break;
    case Focus::Ico:
        DBEdit1->setFocus();
        DBEdit1->selectAll();
        break;
    case Focus::None:
        break;
    }
}

void TFprijem::refuse(const Refusal &r) {
    m_dotaz.ask(this, r.text, r.buttons, MsgIcon::Stop);
    focusOn(r.focus);
}

bool TFprijem::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::FocusOut || m_checking) return QDialog::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent *>(event)->reason();
    QWidget *to = QApplication::focusWidget();
    // only moves within this window count; a message box or another window taking over does not
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !to ||
        to->window() != this)
        return QDialog::eventFilter(watched, event);
    m_checking = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{m_checking};
    if (watched == Edit1 && m_lineMode) {
        if (to != suitempButton3 && to != suitempButton5 && to != suitempButton10)
            guard([this] { Edit1Exit(); });
    } else if ((watched == DBEdit5 || watched == DBEdit6) && m_lineMode) {
        guard([this, to] { DBEdit5Exit(to); });
    } else if (watched == DBEdit1 || watched == DBEdit3 || watched == DBEdit4 || watched == DBEdit8 ||
               watched == DBDateEdit1) {
        readHeaderFields();
        if ((watched == DBEdit1 || watched == DBEdit8) && to != suitempButton8 && to != suitempButton10)
            guard([this] { suitempEditICOExit(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TFprijem::suitempButton2Click() {
    m_headerKeys.setActive(false);
    PanelRadek->show();
    m_lineMode = true;
    m_line = m_doc->newLine();
    m_pc = m_pcsd = 0;
    showLine();
    showPrices();
    DBEdit5->clear();
    Edit1->clear();
    Edit1->setFocus();
    m_lineKeys.setActive(true);
}

void TFprijem::suitempButtonOpravitClick() {
    if (m_lineMode) return;
    if (m_doc->lineCount() == 0) {
        suitempButton2Click();
        return;
    }
    const ReceiptLine l = m_doc->line(std::max(0, DBGrid1->currentIndex().row()));
    if (const auto r = m_doc->canCorrect(l)) {
        refuse(*r);
        return;
    }
    m_headerKeys.setActive(false);
    m_line = l;
    m_doc->salePrices(l.jkpov, m_pc, m_pcsd);
    PanelRadek->show();
    m_lineMode = true;
    Edit1->clear();
    showLine();
    showPrices();
    DBEdit5->setFocus();
    DBEdit5->selectAll();
    m_lineKeys.setActive(true);
}

void TFprijem::suiButton1Click() {
    m_headerKeys.setActive(false);
    struct On {
        TFprijem *w;
        ~On() {
            if (!w->m_lineMode) w->m_headerKeys.setActive(true);
        }
    } on{this};
    if (m_doc->lineCount() == 0 || m_lineMode) return;
    const ReceiptLine l = m_doc->line(std::max(0, DBGrid1->currentIndex().row()));
    if (const auto r = m_doc->canDelete(l)) {
        refuse(*r);
        return;
    }
    if (m_dotaz.ask(this, QStringLiteral("Opravdu smazat řádek?"),
                    {QStringLiteral("Smazat"), QStringLiteral("Ne")}, MsgIcon::Question) == 1) {
        m_doc->deleteLine(l);
        SoucetD();
    }
}

void TFprijem::Edit1Exit() {
    if (Edit1->text().isEmpty()) return;
    ReceiptLine found = m_line;
    const ItemLookup r = m_doc->lookup(Edit1->text(), found);
    Edit1->setText(r.mapped);
    if (r.refused) {
        refuse(*r.refused);
        return;
    }
    m_line = found;
    m_pc = r.pc;
    m_pcsd = r.pcsd;
    showLine();
    if (r.quantity) DBEdit5->setText(plain(*r.quantity));
    showPrices();
    DBEdit5->setFocus();
    DBEdit5->selectAll();
}

bool TFprijem::DBEdit5Exit(QWidget *to) {
    if (!readNumbers()) return false;
    m_doc->roundLine(m_line);
    DBEdit5->setText(plain(m_line.mnoz));
    DBEdit6->setText(formatPattern(m_line.nc, fmt::money));
    if (to == suitempButton3 || to == suitempButton5 || to == suitempButton10) return true;
    showPrices();
    if (const auto r = m_doc->processQuantity(m_line)) {
        refuse(*r);
        return false;
    }
    DBEdit7->setText(formatPattern(m_line.cenar, fmt::money));
    return true;
}

void TFprijem::Button4Click() {
    if (!m_lineMode) return;
    if (!readNumbers()) return;
    m_doc->roundLine(m_line);
    if (m_line.jkpov.isEmpty()) {
        refuse({QStringLiteral("Položka nenalezena."), Focus::Entry});
        return;
    }
    // the stock checks again: a click may come right after a refused field
    if (const auto r = m_doc->processQuantity(m_line)) {
        refuse(*r);
        return;
    }
    if (const auto r = m_doc->writeLine(m_line)) {
        refuse(*r);
        return;
    }
    suitempButton5Click();
}

void TFprijem::suitempButton5Click() {
    m_lineKeys.setActive(false);
    PanelRadek->hide();
    m_lineMode = false;
    SoucetD();
    m_headerKeys.setActive(true);
}

void TFprijem::suitempButton9Click() {
    if (m_saving || !suitempButton9->isEnabled() || !isVisible()) return;
    m_saving = true;
    suitempButton9->setEnabled(false);
    struct Again {
        TFprijem *w;
        ~Again() {
            w->m_saving = false;
            w->suitempButton9->setEnabled(true);
        }
    } again{this};
    readHeaderFields();
    if (const auto r = m_doc->save(editMode, documentNumber)) {
        refuse(*r);
        return;
    }
    suitempButton10Click();
}

void TFprijem::suitempButton10Click() {
    suitempButton9->setEnabled(true);
    accept();
}

void TFprijem::done(int r) {
    // FormClose: keys off, scratch tables dropped, whatever closed the window
    m_headerKeys.setActive(false);
    m_lineKeys.setActive(false);
    m_lineMode = false;
    if (m_itemPicker) m_itemPicker->closeList(); // the picker's list lives as long as the receipt
    if (m_doc) guard([this] { m_doc->FormClose(); });
    QDialog::done(r);
}
