#pragma once
// The main window "Příjem": the journal of the receipts of the current centre, its filters,
// the menu that opens every other window, the configuration and the one connection.

#include "app/config.h"
#include "app/journal.h"
#include "common/database.h"
#include "platform/formstate.h"
#include "platform/messagebox.h"
#include "platform/report/engine.h"

#include <QMainWindow>
#include <functional>
#include <map>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTableView;
class QGroupBox;

// What the journal needs of the receipt editor: it sets editMode ("N" new, "O" correction) and
// documentNumber before showing it, and reads documentNumber back afterwards.
class ReceiptEditorContract {
public:
    virtual ~ReceiptEditorContract() = default;
    QString editMode;
    qint64 documentNumber = 0;
    virtual void showModal() = 0;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Windows opened from the menu. Their items stay disabled until an opener is registered.
    enum class Opens {
        Tisk,
        Sklad,
        Prijemky,
        Inventura,
        Seznam,
        Adresar,
        Strediska,
        Zakarty,
        Dokumentace,
        Verze
    };

    explicit TForm1(const QString &programFolder, QWidget *parent = nullptr);
    ~TForm1() override;

    // Configuration values and the connection, for the other windows.
    QString CisloPC;
    QString Stredisko;
    QString prepocitatStav;
    qint16 typprijemky = 0;
    QString hlavniStredisko;
    Db &connection() { return m_db; }
    Journal &journal() { return m_journal; }
    rpt::Report &report() { return m_report; }
    const QString &programFolder() const { return m_programFolder; }
    bool centreSwitchEnabled() const;
    Dotaz dotaz{QStringLiteral("Prodejna příjem")};

    void setReceiptEditor(ReceiptEditorContract *editor);
    void setOpener(Opens item, std::function<void()> opener);

    // Start-up sequence: configuration, connection, journal. Runs when first shown.
    void FormShow();
    void UdelejSQL();

    // Handlers, each entered through the error guard.
    void Novydoklad1Click();
    void Tiskdokladu1Click();
    void Opravitdoklad1Click();
    void DBGrid1TitleClick(int column);
    void Stredisko1Click();
    void ButtonDLClick();
    void ButtonFAClick();
    void ButtonVseClick();
    void ButtonVpVseClick();
    void ButtonVpFAClick();
    void ButtonVpVPClick();
    void suiComboBox1Change();

    // Widgets by their component names.
    QTableView *DBGrid1;
    QTableView *DBGrid2;
    QComboBox *suiComboBox1;
    QLabel *LabelStredisko;
    QPushButton *ButtonDL, *ButtonFA, *ButtonVse, *ButtonVpVse, *ButtonVpFA, *ButtonVpVP;
    QAction *Novydoklad1, *Opravitdoklad1, *Tiskdokladu1;
    QAction *Sklad1, *Prijemky1, *Inventuraterminal1;
    QMenu *Centrum1;
    QAction *Stredisko1;
    QAction *Seznam1, *Adresar1, *Strediska1, *Zakaznickekarty1, *Dokumentace1, *N3, *Kontrolanoveverze1;
    QAction *Opravdu1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    void createLayout();
    void setPostingFilter(const QString &value);
    void setSourceFilter(const QString &value);
    void syncGrid();
    void updateMenuState();
    void afterEditor(qint64 number);
    bool guard(const std::function<void()> &handler);

    QString m_programFolder;
    QSplitter *m_splitter = nullptr;
    Db m_db;
    Journal m_journal;
    FormState m_formState;
    rpt::Report m_report;
    ReceiptEditorContract *m_editor = nullptr;
    std::map<Opens, std::function<void()>> m_openers;
    std::map<Opens, QAction *> m_items;
    bool m_started = false;
    bool m_syncing = false;
    bool m_catalogueAllowed = true;
    QString m_appliedYear;
};
