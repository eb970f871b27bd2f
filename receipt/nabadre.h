#pragma once
// "Adresář": the address picker. Whoever shows it sets Tag to 0 first; "Převzít" (Enter,
// double click) sets it to 1. Afterwards the list stands on the chosen address. The list's sort
// stays for later showings.

#include "common/rowset.h"
#include "platform/hotkeys.h"

#include <QDialog>

class QPushButton;
class QTableView;

class TFnabadre : public QDialog {
    Q_OBJECT
public:
    explicit TFnabadre(QWidget *owner);

    int Tag = 0; // result indicator
    QTableView *DBGrid1;
    QPushButton *suitempButton1, *suitempButton2; // Převzít, Zpět

    // The address list, opened by the caller ("select * from adresar order by ico").
    void setList(RowSet rows);
    RecordModel &list() { return m_list; }
    int currentRow() const;
    HotKeys &keys() { return m_keys; }

    void suitempButton1Click();
    void suitempDBGrid1TitleClick(int column);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    RecordModel m_list;
    HotKeys m_keys;
};
