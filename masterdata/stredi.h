#pragma once
// Centre choice: one editable drop-down box of the centre codes and "OK".

#include <QDialog>

class QComboBox;

class TFvybstredi : public QDialog {
    Q_OBJECT
public:
    explicit TFvybstredi(QWidget *owner);
    QComboBox *ComboBox1;

    void setCodes(const QStringList &codes, const QString &current);
    // The box's text, picked or typed.
    QString choice() const;
};
