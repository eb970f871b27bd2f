#pragma once
// "Příjem zboží": the receipt editor. Header fields, the line grid with its buttons and the line
// panel; the rules and statements live in ReceiptDocument.

#include "app/prij0.h"
#include "platform/hotkeys.h"
#include "receipt/receiptdoc.h"

#include <QDialog>

class QDateEdit;
class TFnabadre;
class TFnabcen;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

class TFprijem : public QDialog, public ReceiptEditorContract {
    Q_OBJECT
public:
    explicit TFprijem(TForm1 *main);
    ~TFprijem() override;

    // The journal's contract: editMode and documentNumber are set, then the editor is shown.
    void showModal() override;

    ReceiptDocument *document() { return m_doc.get(); }
    // The address picker, created once at start; enables "Nabídka   F3" of the header.
    void setAddressPicker(TFnabadre *picker);
    // The item picker, created once at start; enables "Nabídka   F3" of the line panel.
    void setItemPicker(TFnabcen *picker);
    bool lineMode() const { return m_lineMode; }
    HotKeys &headerKeys() { return m_headerKeys; }
    HotKeys &lineKeys() { return m_lineKeys; }

    // Header
    QDateEdit *DBDateEdit1;
    QLineEdit *DBEdit1, *DBEdit2, *DBEdit3, *DBEdit4,
        *DBEdit8;                                  // IČO, Název, Sídlo, ulice, Čís.dokladu dodavatele
    QPushButton *suitempButton8;                   // Nabídka   F3 (addresses)
    QPushButton *suitempButton9, *suitempButton10; // Uložit, Zpět
    QLineEdit *EditSoucet0, *EditSoucetS, *EditSoucetN, *EditSoucetV;
    // Lines
    QTableView *DBGrid1;
    QPushButton *suitempButton2, *suitempButtonOpravit, *suiButton1; // Přidat, Opravit, Smazat řádek
    // Line panel
    QWidget *PanelRadek;
    QLineEdit *Edit1; // Vstup
    QLineEdit *DBEditJKP, *DBEditNazev, *DBEditMJ, *DBEdit5, *DBEdit6, *DBEdit7, *DBEditEAN, *DBEditDPH;
    QLineEdit *EditPC, *EditMarze, *EditProcento, *EditPCsD;
    QPushButton *suitempButton3, *Button4, *suitempButton5, *suiButton2, *suiButton3;

    // Handlers
    void FormShow();
    void SoucetD();
    void suitempButton2Click();       // Přidat
    void suitempButtonOpravitClick(); // Opravit
    void suiButton1Click();           // Smazat řádek
    void Edit1Exit();                 // leaving Vstup
    bool DBEdit5Exit(QWidget *to);    // leaving Množství or NC
    void Button4Click();              // Zapsat
    void suitempButton5Click();       // Zpět of the line panel
    void suitempButton9Click();       // Uložit
    void suitempButton10Click();      // Zpět of the header
    void suitempEditICOExit();        // leaving IČO or Čís.dokladu dodavatele
    void suitempButton8Click();       // Nabídka   F3 of the header
    void suitempButton3Click();       // Nabídka   F3 of the line panel

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int r) override;

private:
    void createLayout();
    void setHeaderMode(bool header);
    void showLine();
    void showPrices();
    bool readNumbers(); // the quantity and price fields into the line; false when not numbers
    void refuse(const Refusal &r);
    void focusOn(Focus f);
    bool guard(const std::function<void()> &handler);
    void readHeaderFields();

    TForm1 *m_main;
    TFnabadre *m_addressPicker = nullptr;
    TFnabcen *m_itemPicker = nullptr;
    std::unique_ptr<ReceiptDocument> m_doc;
    HotKeys m_headerKeys, m_lineKeys;
    Dotaz m_dotaz{QStringLiteral("Prodejna příjem")};
    ReceiptLine m_line;
    bool m_lineMode = false;
    bool m_saving = false;
    bool m_checking = false;
    double m_pc = 0, m_pcsd = 0;
};
