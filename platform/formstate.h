#pragma once
// Window settings that outlive a run: one section per window class in prijem.ini, one key per
// stored property named component name + "_" + property name.

#include "common/inifile.h"

#include <QList>
#include <QPair>
#include <QString>

class FormState {
public:
    FormState(const QString &iniPath, const QString &section);

    int readInt(const QString &component, const QString &property, int def) const;
    QString read(const QString &component, const QString &property, const QString &def = {}) const;
    void writeInt(const QString &component, const QString &property, int value);
    void write(const QString &component, const QString &property, const QString &value);
    // Writes the file again, keeping every other section; false when it cannot be written.
    bool save();

private:
    static QString key(const QString &component, const QString &property) {
        return component + QLatin1Char('_') + property;
    }
    QString m_path;
    QString m_section;
    IniFile m_ini;
    QList<QPair<QString, QString>> m_written; // key, value
};
