#pragma once
// Names of the shared database: tables, the columns the program names in code, scratch tables.

#include <QString>

namespace tbl {
inline const QString prijem = QStringLiteral("prijem");
inline const QString prirad = QStringLiteral("prirad");
inline const QString seznam = QStringLiteral("seznam");
inline const QString seznamean = QStringLiteral("seznamean");
inline const QString strediska = QStringLiteral("strediska");
inline const QString adresar = QStringLiteral("adresar");
inline const QString zakarty = QStringLiteral("zakarty");
inline const QString sklinv = QStringLiteral("sklinv");
inline const QString sklinvarch = QStringLiteral("sklinvarch");
inline const QString prodej = QStringLiteral("prodej");
inline const QString uctenky = QStringLiteral("uctenky");
inline const QString uctenkynakl = QStringLiteral("uctenkynakl");
inline const QString dl = QStringLiteral("dl");
inline const QString dlrad = QStringLiteral("dlrad");
} // namespace tbl

namespace col {
inline const QString CISLODOKLA = QStringLiteral("CISLODOKLA");
inline const QString STREDISKO = QStringLiteral("STREDISKO");
inline const QString DATUM = QStringLiteral("DATUM");
inline const QString CIDODODAV = QStringLiteral("CIDODODAV");
inline const QString ICO = QStringLiteral("ICO");
inline const QString NAZEVPODNI = QStringLiteral("NAZEVPODNI");
inline const QString SIDLO = QStringLiteral("SIDLO");
inline const QString ULICECISLO = QStringLiteral("ULICECISLO");
inline const QString PSC = QStringLiteral("PSC");
inline const QString POSTA = QStringLiteral("POSTA");
inline const QString VNITRO = QStringLiteral("VNITRO");
inline const QString MESIC = QStringLiteral("MESIC");
inline const QString ROK = QStringLiteral("ROK");
inline const QString DATUMZAUCT = QStringLiteral("DATUMZAUCT");
inline const QString id = QStringLiteral("id");
inline const QString JKPOV = QStringLiteral("JKPOV");
inline const QString NAZEV = QStringLiteral("NAZEV");
inline const QString MJ = QStringLiteral("MJ");
inline const QString MNOZ = QStringLiteral("MNOZ");
inline const QString NC = QStringLiteral("NC");
inline const QString CENAR = QStringLiteral("CENAR");
inline const QString POLOZKA = QStringLiteral("POLOZKA");
inline const QString ZUSTATEK = QStringLiteral("ZUSTATEK");
inline const QString EAN = QStringLiteral("EAN");
inline const QString DPH = QStringLiteral("DPH");
inline const QString KDY = QStringLiteral("KDY");
} // namespace col

// Display patterns of numeric columns.
namespace fmt {
inline const QString quantity = QStringLiteral("### ###.####");
inline const QString money = QStringLiteral("### ### ##0.00");
} // namespace fmt

// Work in progress of one workstation: "tmp" + workstation number + suffix.
inline QString scratchTable(const QString &workstation, const QString &suffix) {
    return QStringLiteral("tmp") + workstation + suffix;
}
