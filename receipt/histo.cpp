#include "receipt/histo.h"

#include "common/helpers.h"
#include "platform/gridview.h"
#include "platform/guard.h"
#include "platform/report/output.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

TFhisto::TFhisto(QWidget *owner, Db &db, rpt::Report &report, const QString &programFolder)
    : QDialog(owner), m_db(db), m_report(report), m_programFolder(programFolder) {
    setObjectName(QStringLiteral("TFhisto"));
    setWindowTitle(QStringLiteral("Historie zboží"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2->setFont(bold);

    auto *group = new QGroupBox(QStringLiteral("Doklady"), this);
    group->setObjectName(QStringLiteral("suiCheckGroup1"));
    auto *g = new QGridLayout(group);
    auto kind = [&](const QString &name, const QString &caption, int row, QLabel *&total) {
        auto *c = new QCheckBox(caption, group);
        c->setObjectName(name);
        total = new QLabel(QStringLiteral("0"), group);
        total->setObjectName(QStringLiteral("Label") + name.mid(5));
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        total->setMinimumWidth(80);
        g->addWidget(c, row, 0);
        g->addWidget(total, row, 1);
        connect(c, &QCheckBox::clicked, this,
                [this] { guarded(this, &m_db, [this] { suiCheckGroup1Click(); }); });
        return c;
    };
    CheckPrijem = kind(QStringLiteral("CheckPrijem"), QStringLiteral("příjem"), 0, LabelPrijem);
    CheckVydej = kind(QStringLiteral("CheckVydej"), QStringLiteral("výdej, fakturace"), 1, LabelVydej);
    CheckUctenky = kind(QStringLiteral("CheckUctenky"), QStringLiteral("účtenky"), 2, LabelUctenky);
    CheckOdData = new QCheckBox(QStringLiteral("od data"), this);
    CheckOdData->setObjectName(QStringLiteral("CheckOdData"));
    DateOd = new QDateEdit(this);
    DateOd->setObjectName(QStringLiteral("DateOd"));
    DateOd->setAccessibleName(QStringLiteral("od data"));
    DateOd->setCalendarPopup(true);
    DateOd->setDisplayFormat(QStringLiteral("d.M.yyyy"));
    connect(CheckOdData, &QCheckBox::clicked, this,
            [this] { guarded(this, &m_db, [this] { suiCheckGroup1Click(); }); });
    connect(DateOd, &QDateEdit::dateChanged, this, [this] {
        if (!m_building) guarded(this, &m_db, [this] { suiCheckGroup1Click(); });
    });

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Pohyby"));
    suiButton1 = new QPushButton(QStringLiteral("Tisk"), this);
    suiButton1->setObjectName(QStringLiteral("suiButton1"));
    suiButton2 = new QPushButton(QStringLiteral("Zpět"), this);
    suiButton2->setObjectName(QStringLiteral("suiButton2"));
    connect(suiButton1, &QPushButton::clicked, this,
            [this] { guarded(this, &m_db, [this] { suiButton1Click(); }); });
    connect(suiButton2, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QGridLayout;
    top->addWidget(Label1, 0, 0);
    top->addWidget(Label2, 1, 0, 1, 2);
    top->addWidget(group, 2, 0, 2, 1);
    top->addWidget(CheckOdData, 2, 1);
    top->addWidget(DateOd, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(suiButton1);
    buttons->addWidget(suiButton2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
    setFixedSize(544, 703);
}

TFhisto::~TFhisto() = default;

void TFhisto::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_history) guarded(this, &m_db, [this] { FormShow(); });
}

void TFhisto::FormShow() {
    m_history = std::make_unique<ItemHistory>(m_db, workstationNumber, itemCode, centreCode);
    configureGrid(DBGrid1, &m_history->list());
    m_history->build();
    LabelPrijem->setText(m_history->total(QLatin1Char('P')));
    LabelVydej->setText(m_history->total(QLatin1Char('V')));
    LabelUctenky->setText(m_history->total(QLatin1Char('U')));
    CheckPrijem->setChecked(true);
    CheckVydej->setChecked(true);
    CheckUctenky->setChecked(true);
    m_building = true;
    DateOd->setDate(QDate::currentDate().addDays(-30));
    m_building = false;
    suiCheckGroup1Click();
}

void TFhisto::suiCheckGroup1Click() {
    if (!m_history) return;
    m_history->filter(CheckPrijem->isChecked(), CheckVydej->isChecked(), CheckUctenky->isChecked(),
                      CheckOdData->isChecked(), DateOd->date());
}

void TFhisto::suiButton1Click() {
    if (!m_history) return;
    rpt::OutputRequest request;
    request.templatePath = PathInFolder(m_programFolder, QStringLiteral("\\fr3\\his1.fr3"));
    request.data = &m_history->list().rowSet();
    request.variables = {{QStringLiteral("tex1"), Label1->text()},
                         {QStringLiteral("tex2"), Label2->text()},
                         {QStringLiteral("sumP"), LabelPrijem->text()},
                         {QStringLiteral("sumV"), LabelVydej->text()},
                         {QStringLiteral("sumU"), LabelUctenky->text()}};
    request.preview.title = QStringLiteral("Historie ") + itemCode;
    rpt::runReportOutput(this, m_report, request);
}

void TFhisto::done(int r) {
    if (m_history) guarded(this, &m_db, [this] { m_history->drop(); });
    QDialog::done(r);
}
