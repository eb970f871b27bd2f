#include "app/config.h"

#include "common/inifile.h"

#include <limits>

LogOnConfig LogOnConfig::read(const QString &iniPath) {
    const IniFile ini(iniPath);
    const QString s = QStringLiteral("LogON");
    LogOnConfig c;
    c.IP = ini.value(s, QStringLiteral("IP"), c.IP);
    c.User = ini.value(s, QStringLiteral("User"), c.User);
    c.Password = ini.value(s, QStringLiteral("Password"), c.Password);
    c.SQLport = ini.intValue(s, QStringLiteral("SQLport"), c.SQLport);
    c.CisloPC = ini.value(s, QStringLiteral("CisloPC"), c.CisloPC);
    c.Stredisko = ini.value(s, QStringLiteral("Stredisko"), c.Stredisko);
    c.centrum = ini.value(s, QStringLiteral("centrum"), c.centrum);
    c.prepocitatStav = ini.value(s, QStringLiteral("prepocitatStav"), c.prepocitatStav);
    c.testovatVerzi = ini.value(s, QStringLiteral("testovatVerzi"), c.testovatVerzi);
    const int typ = ini.intValue(s, QStringLiteral("typprijemky"), c.typprijemky);
    if (typ >= std::numeric_limits<qint16>::min() && typ <= std::numeric_limits<qint16>::max())
        c.typprijemky = qint16(typ);
    c.hlavniStredisko = ini.value(s, QStringLiteral("hlavniStredisko"), c.hlavniStredisko);
    return c;
}

ConnectionSettings LogOnConfig::connection() const {
    ConnectionSettings cs;
    cs.host = IP;
    cs.port = SQLport;
    cs.user = User;
    cs.password = Password;
    return cs;
}
