#include "platform/searchdialog.h"

#include "common/rowset.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

SearchDialog::SearchDialog(const RecordModel &model, const QString &field, int startRow, QWidget *parent)
    : QDialog(parent), m_model(model), m_field(field), m_startRow(startRow), m_row(startRow) {
    setObjectName(QStringLiteral("SearchDialog"));
    setWindowTitle(QStringLiteral("Hledat"));
    const int column = model.columnOf(field);
    const QString caption =
        column >= 0 ? model.headerData(column, Qt::Horizontal).toString().trimmed() : field;

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("EditHledat"));
    m_partial = new QCheckBox(QStringLiteral("hledat i části"), this);
    m_partial->setObjectName(QStringLiteral("CheckCasti"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStav"));

    auto *form = new QFormLayout;
    auto *label = new QLabel(caption + QLatin1Char(':'), this);
    label->setBuddy(m_edit);
    form->addRow(label, m_edit);
    m_edit->setAccessibleName(caption);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(true);
    QPushButton *next = buttons->addButton(QStringLiteral("Další"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("ButtonDalsi"));
    next->setAutoDefault(false);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonZrusit"));
    cancel->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_partial);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_edit, &QLineEdit::textEdited, this, [this] { search(0); });
    connect(m_partial, &QCheckBox::toggled, this, [this] { search(0); });
    connect(next, &QPushButton::clicked, this, [this] { search(m_row + 1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] {
        m_row = m_startRow;
        emit rowFound(m_startRow);
    });
}

void SearchDialog::setPartial(bool partial) {
    m_partial->setChecked(partial);
}
bool SearchDialog::partial() const {
    return m_partial->isChecked();
}

void SearchDialog::search(int from) {
    const QString text = m_edit->text();
    if (text.isEmpty()) {
        m_status->clear();
        return;
    }
    const int row = m_model.find(m_field, text, partial(), from);
    if (row < 0) {
        m_status->setText(QStringLiteral("Nenalezeno."));
        return;
    }
    m_status->clear();
    m_row = row;
    emit rowFound(row);
}

int SearchDialog::run(const RecordModel &model, const QString &field, int startRow, bool partial,
                      QWidget *parent, const std::function<void(int)> &moved) {
    SearchDialog dlg(model, field, startRow, parent);
    dlg.setPartial(partial);
    if (moved) connect(&dlg, &SearchDialog::rowFound, &dlg, moved);
    dlg.exec();
    return dlg.foundRow();
}

int SearchDialog::inGrid(QTableView *grid, const RecordModel &model, const QString &field, const QPoint &at) {
    SearchDialog dlg(model, field, grid->currentIndex().row(), grid->window());
    dlg.setPartial(true);
    dlg.move(at);
    connect(&dlg, &SearchDialog::rowFound, grid, [grid, &model](int row) {
        grid->setCurrentIndex(model.index(row, 0));
        grid->scrollTo(model.index(row, 0));
    });
    dlg.exec();
    return dlg.foundRow();
}
