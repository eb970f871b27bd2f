#pragma once
// The workstation's configuration: prodej.ini in the program folder, section LogON.
// Read once at start-up, never written.

#include "common/database.h"

#include <QString>

struct LogOnConfig {
    QString IP = QStringLiteral("localhost");
    QString User = QStringLiteral("root");
    QString Password;
    int SQLport = 3306;
    QString CisloPC = QStringLiteral("00");
    QString Stredisko = QStringLiteral("777");
    QString centrum = QStringLiteral("N");
    QString prepocitatStav = QStringLiteral("N");
    QString testovatVerzi = QStringLiteral("A");
    qint16 typprijemky = 0;
    QString hlavniStredisko;

    // Missing file, section or keys give the defaults.
    static LogOnConfig read(const QString &iniPath);

    bool centreSwitchAllowed() const { return centrum == QLatin1String("A"); }
    bool versionCheckAtStart() const { return testovatVerzi == QLatin1String("A"); }
    bool versionCheckHidden() const { return testovatVerzi == QLatin1String("X"); }
    ConnectionSettings connection() const;
};

inline const QString kConfigFile = QStringLiteral("prodej.ini");
inline const QString kSettingsFile = QStringLiteral("prijem.ini");
