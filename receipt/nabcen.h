#pragma once
// "Zboží": the item picker. The caller sets Tag to 0 (or -1: recompute stock first);
// "Převzít" (Enter, double click) sets it to 1 and the list stands on the chosen item.

#include "common/database.h"
#include "common/rowset.h"
#include "platform/hotkeys.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableView;
namespace rpt {
class Report;
}

class TFnabcen : public QDialog {
    Q_OBJECT
public:
    TFnabcen(QWidget *owner, rpt::Report &report, const QString &programFolder);

    int Tag = 0;
    QString workstationNumber;
    QTableView *DBGrid1;
    QPushButton *suitempButton1, *suitempButton2, *suiButton1,
        *suiButton2;         // Převzít, Zpět, Přepočítat stav, Historie
    QCheckBox *suiCheckBox1; // zobrazit NC

    // The list's statement and connection, set by the receipt editor; the list opens on the
    // next showing and stays open with its current row until closeList().
    void setList(Db *db, const QString &statement);
    void closeList();
    bool isListOpen() const { return m_list.isOpen(); }
    RecordModel &list() { return m_list; }
    int currentRow() const;
    QString currentCode() const;
    HotKeys &keys() { return m_keys; }

    void suitempButton1Click();
    void suiCheckBox1Click();
    void suiButton1Click(); // stock
    void suiButton2Click(); // history
    void suitempDBGrid1TitleClick(int column);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void openList();

    Db *m_db = nullptr;
    QString m_statement;
    RecordModel m_list;
    HotKeys m_keys;
    rpt::Report &m_report;
    QString m_programFolder;
};
