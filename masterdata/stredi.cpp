#include "masterdata/stredi.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFvybstredi::TFvybstredi(QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("TFvybstredi"));
    setWindowTitle(QStringLiteral("Vyber číslo střediska"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumWidth(120);
    ComboBox1->setAccessibleName(QStringLiteral("Středisko"));
    auto *label = new QLabel(QStringLiteral("Středisko"), this);
    label->setBuddy(ComboBox1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ComboBox1, 1);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TFvybstredi::setCodes(const QStringList &codes, const QString &current) {
    ComboBox1->clear();
    ComboBox1->addItems(codes);
    const int index = ComboBox1->findText(current, Qt::MatchExactly);
    ComboBox1->setCurrentIndex(index);
    ComboBox1->setEditText(current);
}

QString TFvybstredi::choice() const {
    return ComboBox1->currentText();
}
