#pragma once
// "Historie zboží": the movement history of one item, with totals per kind, filters and print.

#include "receipt/history.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
namespace rpt {
class Report;
}

class TFhisto : public QDialog {
    Q_OBJECT
public:
    TFhisto(QWidget *owner, Db &db, rpt::Report &report, const QString &programFolder);
    ~TFhisto() override;

    QString workstationNumber, itemCode, centreCode;
    QLabel *Label1, *Label2;                            // item code, item name
    QCheckBox *CheckPrijem, *CheckVydej, *CheckUctenky; // the "Doklady" group
    QLabel *LabelPrijem, *LabelVydej, *LabelUctenky;    // totals
    QCheckBox *CheckOdData;
    QDateEdit *DateOd;
    QTableView *DBGrid1;
    QPushButton *suiButton1, *suiButton2; // Tisk, Zpět

    void FormShow();
    void suiCheckGroup1Click();
    void suiButton1Click();
    ItemHistory *history() { return m_history.get(); }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    Db &m_db;
    rpt::Report &m_report;
    QString m_programFolder;
    std::unique_ptr<ItemHistory> m_history;
    bool m_building = false;
};
