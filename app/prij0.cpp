#include "app/prij0.h"

#include "app/receiptprint.h"

#include "common/helpers.h"
#include "common/vocabulary.h"
#include "masterdata/stredi.h"
#include "platform/gridview.h"
#include "platform/guard.h"
#include "platform/searchdialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kYearComponent = QStringLiteral("suiComboBox1");
const QString kItemIndex = QStringLiteral("ItemIndex");
} // namespace

TForm1::TForm1(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_db(QStringLiteral("prijem")), m_journal(m_db),
      m_formState(PathInFolder(programFolder, kSettingsFile), QStringLiteral("TForm1")) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Příjem"));
    createMenu();
    createLayout();
    resize(1033, 686 + menuBar()->sizeHint().height());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // the form-state storage restores the year before the start-up sequence runs
    const int year = m_formState.readInt(kYearComponent, kItemIndex, 0);
    if (year >= 0 && year < suiComboBox1->count())
        suiComboBox1->setCurrentIndex(year);
    else
        suiComboBox1->setCurrentIndex(-1);
    m_appliedYear = suiComboBox1->currentText();
    updateMenuState();
}

TForm1::~TForm1() = default;

bool TForm1::guard(const std::function<void()> &handler) {
    return guarded(this, &m_db, handler);
}

void TForm1::createMenu() {
    auto action = [this](QMenu *menu, const QString &name, const QString &caption, QKeySequence key = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    QMenu *hlavni = menuBar()->addMenu(QStringLiteral("Hlavní nabídka"));
    hlavni->setObjectName(QStringLiteral("Hlavninabidka1"));
    Novydoklad1 = action(hlavni, QStringLiteral("Novydoklad1"), QStringLiteral("Nový doklad"),
                         QKeySequence(Qt::CTRL | Qt::Key_N));
    Opravitdoklad1 = action(hlavni, QStringLiteral("Opravitdoklad1"), QStringLiteral("Opravit doklad"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    Tiskdokladu1 = action(hlavni, QStringLiteral("Tiskdokladu1"), QStringLiteral("Tisk dokladu"),
                          QKeySequence(Qt::CTRL | Qt::Key_T));

    QMenu *sestavy = menuBar()->addMenu(QStringLiteral("Sestavy"));
    sestavy->setObjectName(QStringLiteral("Sestavy1"));
    Sklad1 = action(sestavy, QStringLiteral("Sklad1"), QStringLiteral("Sklad"));
    Prijemky1 = action(sestavy, QStringLiteral("Prijemky1"), QStringLiteral("Příjemky"));
    Inventuraterminal1 =
        action(sestavy, QStringLiteral("Inventuraterminal1"), QStringLiteral("Inventura, terminál"));

    Centrum1 = menuBar()->addMenu(QStringLiteral("Centrum"));
    Centrum1->setObjectName(QStringLiteral("Centrum1"));
    Stredisko1 = action(Centrum1, QStringLiteral("Stredisko1"), QStringLiteral("Středisko"));

    QMenu *servis = menuBar()->addMenu(QStringLiteral("Servis"));
    servis->setObjectName(QStringLiteral("Servis1"));
    Seznam1 = action(servis, QStringLiteral("Seznam1"), QStringLiteral("Seznam"));
    Adresar1 = action(servis, QStringLiteral("Adresar1"), QStringLiteral("Adresář"));
    Strediska1 = action(servis, QStringLiteral("Strediska1"), QStringLiteral("Střediska"));
    Zakaznickekarty1 = action(servis, QStringLiteral("Zakaznickekarty1"), QStringLiteral("Zákaznické karty"));
    servis->addSeparator()->setObjectName(QStringLiteral("N2"));
    Dokumentace1 = action(servis, QStringLiteral("Dokumentace1"), QStringLiteral("Dokumentace"));
    N3 = servis->addSeparator();
    N3->setObjectName(QStringLiteral("N3"));
    Kontrolanoveverze1 =
        action(servis, QStringLiteral("Kontrolanoveverze1"), QStringLiteral("Kontrola nové verze"));

    QMenu *konec = menuBar()->addMenu(QStringLiteral("Konec"));
    konec->setObjectName(QStringLiteral("Konec1"));
    Opravdu1 = action(konec, QStringLiteral("Opravdu1"), QStringLiteral("Opravdu"));

    m_items = {{Opens::Sklad, Sklad1},
               {Opens::Prijemky, Prijemky1},
               {Opens::Inventura, Inventuraterminal1},
               {Opens::Seznam, Seznam1},
               {Opens::Adresar, Adresar1},
               {Opens::Strediska, Strediska1},
               {Opens::Zakarty, Zakaznickekarty1},
               {Opens::Dokumentace, Dokumentace1},
               {Opens::Verze, Kontrolanoveverze1}};
    for (const auto &[item, a] : m_items) {
        connect(a, &QAction::triggered, this, [this, item = item] {
            if (auto it = m_openers.find(item); it != m_openers.end()) guard(it->second);
        });
    }
    connect(Novydoklad1, &QAction::triggered, this, [this] { guard([this] { Novydoklad1Click(); }); });
    connect(Opravitdoklad1, &QAction::triggered, this, [this] { guard([this] { Opravitdoklad1Click(); }); });
    connect(Tiskdokladu1, &QAction::triggered, this, [this] { guard([this] { Tiskdokladu1Click(); }); });
    connect(Stredisko1, &QAction::triggered, this, [this] { guard([this] { Stredisko1Click(); }); });
    connect(Opravdu1, &QAction::triggered, this, &QWidget::close);
    Centrum1->menuAction()->setEnabled(false);
}

void TForm1::createLayout() {
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel2"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *splitter = m_splitter = new QSplitter(Qt::Vertical, central);
    splitter->setObjectName(QStringLiteral("LMDSplitPanel1"));
    DBGrid1 = new QTableView(splitter);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Doklady"));
    configureGrid(DBGrid1, &m_journal.headers());

    auto *linesPanel = new QGroupBox(QStringLiteral("Řádky dokladu"), splitter);
    linesPanel->setObjectName(QStringLiteral("Panel3"));
    auto *linesLayout = new QVBoxLayout(linesPanel);
    linesLayout->setContentsMargins(2, 2, 2, 2);
    DBGrid2 = new QTableView(linesPanel);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setAccessibleName(QStringLiteral("Řádky dokladu"));
    configureGrid(DBGrid2, &m_journal.lines());
    linesLayout->addWidget(DBGrid2);
    splitter->addWidget(DBGrid1);
    splitter->addWidget(linesPanel);
    splitter->setStretchFactor(0, 28);
    splitter->setStretchFactor(1, 72);
    layout->addWidget(splitter, 1);

    // status panel: year, centre, the two filter groups
    auto *panel = new QFrame(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 3, 6, 3);
    auto *rokLabel = new QLabel(QStringLiteral("Rok"), panel);
    rokLabel->setObjectName(QStringLiteral("Label1"));
    suiComboBox1 = new QComboBox(panel);
    suiComboBox1->setObjectName(kYearComponent);
    suiComboBox1->setEditable(true);
    suiComboBox1->setInsertPolicy(QComboBox::NoInsert);
    suiComboBox1->addItems(Journal::yearItems());
    suiComboBox1->setMinimumWidth(70);
    suiComboBox1->setAccessibleName(QStringLiteral("Rok"));
    rokLabel->setBuddy(suiComboBox1);
    auto *strLabel = new QLabel(QStringLiteral("Středisko"), panel);
    strLabel->setObjectName(QStringLiteral("Label2"));
    LabelStredisko = new QLabel(panel);
    LabelStredisko->setObjectName(QStringLiteral("LabelStredisko"));
    LabelStredisko->setAccessibleName(QStringLiteral("Středisko"));
    QFont bold = LabelStredisko->font();
    bold.setBold(true);
    LabelStredisko->setFont(bold);
    LabelStredisko->setMinimumWidth(60);

    auto button = [panel](const QString &name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, panel);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAccessibleDescription(hint);
        b->setFocusPolicy(Qt::TabFocus);
        b->setMinimumWidth(44);
        return b;
    };
    ButtonDL =
        button(QStringLiteral("ButtonDL"), QStringLiteral("NEz"), QStringLiteral("Pouze nezaúčtované"));
    ButtonFA = button(QStringLiteral("ButtonFA"), QStringLiteral("ZAú"), QStringLiteral("Pouze zaúčtované"));
    ButtonVse = button(QStringLiteral("ButtonVse"), QStringLiteral("Vše"), QStringLiteral("Bez filtru"));
    ButtonVpVse = button(QStringLiteral("ButtonVpVse"), QStringLiteral("Vše"), QStringLiteral("Bez filtru"));
    ButtonVpFA =
        button(QStringLiteral("ButtonVpFA"), QStringLiteral("FA"), QStringLiteral("Pouze příjem z FA"));
    ButtonVpVP =
        button(QStringLiteral("ButtonVpVP"), QStringLiteral("VP"), QStringLiteral("Pouze příjem Vnitro"));
    // the design's state, matching the start-up filters
    ButtonDL->setEnabled(false);
    ButtonVpVse->setEnabled(false);

    row->addWidget(rokLabel);
    row->addWidget(suiComboBox1);
    row->addSpacing(16);
    row->addWidget(strLabel);
    row->addWidget(LabelStredisko);
    row->addSpacing(16);
    row->addWidget(ButtonDL);
    row->addWidget(ButtonFA);
    row->addWidget(ButtonVse);
    row->addSpacing(16);
    row->addWidget(ButtonVpVse);
    row->addWidget(ButtonVpFA);
    row->addWidget(ButtonVpVP);
    row->addStretch(1);
    layout->addWidget(panel);
    setCentralWidget(central);

    connect(ButtonDL, &QPushButton::clicked, this, [this] { guard([this] { ButtonDLClick(); }); });
    connect(ButtonFA, &QPushButton::clicked, this, [this] { guard([this] { ButtonFAClick(); }); });
    connect(ButtonVse, &QPushButton::clicked, this, [this] { guard([this] { ButtonVseClick(); }); });
    connect(ButtonVpVse, &QPushButton::clicked, this, [this] { guard([this] { ButtonVpVseClick(); }); });
    connect(ButtonVpFA, &QPushButton::clicked, this, [this] { guard([this] { ButtonVpFAClick(); }); });
    connect(ButtonVpVP, &QPushButton::clicked, this, [this] { guard([this] { ButtonVpVPClick(); }); });
    connect(suiComboBox1, &QComboBox::activated, this, [this] { guard([this] { suiComboBox1Change(); }); });
    connect(suiComboBox1->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (suiComboBox1->currentText() != m_appliedYear) guard([this] { suiComboBox1Change(); });
    });

    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_syncing || !current.isValid() || current.row() == m_journal.current()) return;
                guard([this, row = current.row()] { m_journal.setCurrent(row); });
            });
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { guard([this, column] { DBGrid1TitleClick(column); }); });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (Opravitdoklad1->isEnabled()) guard([this] { Opravitdoklad1Click(); });
    });
}

bool TForm1::centreSwitchEnabled() const {
    return Centrum1->menuAction()->isEnabled();
}

void TForm1::setReceiptEditor(ReceiptEditorContract *editor) {
    m_editor = editor;
    updateMenuState();
}

void TForm1::setOpener(Opens item, std::function<void()> opener) {
    if (opener)
        m_openers[item] = std::move(opener);
    else
        m_openers.erase(item);
    updateMenuState();
}

void TForm1::updateMenuState() {
    Novydoklad1->setEnabled(m_editor != nullptr);
    Opravitdoklad1->setEnabled(m_editor != nullptr);
    for (const auto &[item, a] : m_items)
        a->setEnabled(m_openers.count(item) > 0);
    Seznam1->setEnabled(m_openers.count(Opens::Seznam) > 0 && m_catalogueAllowed);
}

void TForm1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!m_started) {
        m_started = true;
        // the journal takes 28 % of the height, the lines the rest
        const int h = m_splitter->height();
        m_splitter->setSizes({h * 28 / 100, h - h * 28 / 100});
        FormShow();
    }
}

void TForm1::closeEvent(QCloseEvent *event) {
    m_formState.writeInt(kYearComponent, kItemIndex, suiComboBox1->currentIndex());
    m_formState.save();
    QMainWindow::closeEvent(event);
}

void TForm1::FormShow() {
    guard([this] {
        m_db.close();
        const LogOnConfig cfg = LogOnConfig::read(PathInFolder(m_programFolder, kConfigFile));
        CisloPC = cfg.CisloPC;
        Stredisko = cfg.Stredisko;
        prepocitatStav = cfg.prepocitatStav;
        typprijemky = cfg.typprijemky;
        hlavniStredisko = cfg.hlavniStredisko;
        Centrum1->menuAction()->setEnabled(cfg.centreSwitchAllowed());
        if (!hlavniStredisko.isEmpty())
            m_catalogueAllowed = Journal::catalogueAllowed(hlavniStredisko, Stredisko);
        updateMenuState();
        if (cfg.versionCheckAtStart() && m_openers.count(Opens::Verze) &&
            !AlreadyDoneToday(QStringLiteral("prijem"), m_programFolder))
            m_openers[Opens::Verze]();
        if (cfg.versionCheckHidden()) {
            Kontrolanoveverze1->setVisible(false);
            N3->setVisible(false);
        }
        LabelStredisko->setText(Stredisko);
        m_db.open(cfg.connection());
        setPostingFilter(QStringLiteral("DL"));
        setSourceFilter(QStringLiteral("VSE"));
        UdelejSQL();
        DBGrid1->setFocus();
    });
}

void TForm1::UdelejSQL() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_journal.stredisko = Stredisko;
    m_journal.yearIndex = suiComboBox1->findText(suiComboBox1->currentText(), Qt::MatchFixedString);
    if (m_journal.yearIndex < 0 && suiComboBox1->currentIndex() >= 0 &&
        suiComboBox1->itemText(suiComboBox1->currentIndex()) == suiComboBox1->currentText())
        m_journal.yearIndex = suiComboBox1->currentIndex();
    m_journal.yearText = suiComboBox1->currentText();
    m_appliedYear = m_journal.yearText;
    try {
        m_journal.UdelejSQL();
    } catch (...) {
        syncGrid();
        QApplication::restoreOverrideCursor();
        throw;
    }
    syncGrid();
    QApplication::restoreOverrideCursor();
}

void TForm1::syncGrid() {
    m_syncing = true;
    const int row = m_journal.current();
    if (row >= 0) {
        const QModelIndex idx = m_journal.headers().index(row, std::max(0, DBGrid1->currentIndex().column()));
        DBGrid1->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        DBGrid1->scrollTo(idx);
    }
    m_syncing = false;
}

void TForm1::setPostingFilter(const QString &value) {
    m_journal.postingFilter = value;
    ButtonDL->setEnabled(value != QLatin1String("DL"));
    ButtonFA->setEnabled(value != QLatin1String("FA"));
    ButtonVse->setEnabled(value != QLatin1String("VSE"));
}

void TForm1::setSourceFilter(const QString &value) {
    m_journal.sourceFilter = value;
    ButtonVpVse->setEnabled(value != QLatin1String("VSE"));
    ButtonVpFA->setEnabled(value != QLatin1String("FA"));
    ButtonVpVP->setEnabled(value != QLatin1String("VP"));
}

void TForm1::ButtonDLClick() {
    setPostingFilter(QStringLiteral("DL"));
    UdelejSQL();
}
void TForm1::ButtonFAClick() {
    setPostingFilter(QStringLiteral("FA"));
    UdelejSQL();
}
void TForm1::ButtonVseClick() {
    setPostingFilter(QStringLiteral("VSE"));
    UdelejSQL();
}
void TForm1::ButtonVpVseClick() {
    setSourceFilter(QStringLiteral("VSE"));
    UdelejSQL();
}
void TForm1::ButtonVpFAClick() {
    setSourceFilter(QStringLiteral("FA"));
    UdelejSQL();
}
void TForm1::ButtonVpVPClick() {
    setSourceFilter(QStringLiteral("VP"));
    UdelejSQL();
}

void TForm1::suiComboBox1Change() {
    UdelejSQL();
}

void TForm1::afterEditor(qint64 number) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    m_journal.refreshAndLocate(number);
    syncGrid();
}

void TForm1::Novydoklad1Click() {
    if (!m_editor) return;
    m_editor->editMode = QStringLiteral("N");
    m_editor->documentNumber = 0;
    m_editor->showModal();
    afterEditor(m_editor->documentNumber);
}

void TForm1::Tiskdokladu1Click() {
    const QVariant number = m_journal.headers().value(m_journal.current(), col::CISLODOKLA);
    printReceipt(this, m_db, m_report, m_programFolder, typprijemky,
                 number.isNull() ? QString() : number.toString());
}

void TForm1::Opravitdoklad1Click() {
    if (!m_editor) return;
    const std::optional<qint64> number = m_journal.currentNumber();
    if (!number) return; // nothing under the cursor
    if (m_journal.currentIsPosted()) {
        dotaz.ask(this, QStringLiteral("Doklad nelze opravit. Je již zaúčtován."), {QStringLiteral("OK")},
                  MsgIcon::Stop);
        return;
    }
    m_editor->editMode = QStringLiteral("O");
    m_editor->documentNumber = *number;
    m_editor->showModal();
    afterEditor(m_editor->documentNumber);
}

void TForm1::DBGrid1TitleClick(int column) {
    const QList<ColumnSpec> &columns = m_journal.headers().columns();
    if (column < 0 || column >= columns.size()) return;
    const QString field = columns.at(column).field;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_journal.suppressLines = true;
    m_journal.sortBy(field);
    DBGrid1->horizontalHeader()->setSortIndicatorShown(true);
    DBGrid1->horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
    m_journal.ZQuery1AfterScroll(); // closes the lines while sorted and searched
    syncGrid();
    QApplication::restoreOverrideCursor();
    SearchDialog::run(m_journal.headers(), field, m_journal.current(), true, this, [this](int row) {
        m_journal.setCurrent(row);
        syncGrid();
    });
    m_journal.suppressLines = false;
    m_journal.ZQuery1AfterScroll();
}

void TForm1::Stredisko1Click() {
    const QStringList codes = m_journal.centreCodes();
    TFvybstredi dialog(this);
    dialog.setCodes(codes, Stredisko);
    dialog.exec();
    Stredisko = dialog.choice();
    LabelStredisko->setText(Stredisko);
    UdelejSQL();
    if (!hlavniStredisko.isEmpty()) {
        m_catalogueAllowed = Journal::catalogueAllowed(hlavniStredisko, Stredisko);
        updateMenuState();
    }
}
