#pragma once
// The throwaway database of the test run (started by scripts/test.sh) and small fixtures.

#include "common/database.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <optional>

class QWidget;

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

// Types text key by key, Czech letters included.
void typeText(QWidget *w, const QString &text);
} // namespace testdb
