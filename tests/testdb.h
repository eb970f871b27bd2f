#pragma once
// The throwaway database of the test run (started by scripts/test.sh) and small fixtures.

#include "common/database.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <optional>

class QWidget;
class QDialog;

namespace testdb {
ConnectionSettings settings();
// Empties every table and drops the scratch tables.
void clean(Db &db);

struct Receipt {
    qint64 cislo;
    QString stredisko = QStringLiteral("777");
    QDate datum = QDate(2014, 5, 6);
    QString ico = QStringLiteral("12345678");
    QString nazev = QStringLiteral("Dodavatel");
    std::optional<QDateTime> zauct;
};
void insertReceipt(Db &db, const Receipt &r);
void insertLine(Db &db, qint64 cislo, const QString &jkpov, double mnoz, double nc,
                const QString &stredisko = QStringLiteral("777"));
void insertCentre(Db &db, const QString &code);

// A program folder with prodej.ini made of these lines (none: no prodej.ini at all).
QString makeProgramFolder(QTemporaryDir &dir, const QStringList &iniLines, bool withIni = true);
// prodej.ini lines that point at the test server.
QStringList serverIni();

// Runs body on the first modal dialog that `matches`, once it is active and has a focus widget.
// The check is polled, so it also works while the dialog's own preparation processes events;
// the dialog is closed afterwards whatever body did, and the poll gives up after 10 s.
void whenModal(std::function<bool(QDialog *)> matches, std::function<void(QDialog *)> body);

// Types text key by key, Czech letters included.
void typeText(QWidget *w, const QString &text);
} // namespace testdb
