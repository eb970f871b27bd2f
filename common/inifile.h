#pragma once
// Windows-style INI file in the cp1250 code page. Sections and keys are matched without regard
// to case; values are trimmed. Saving keeps the other sections and keys as they were.

#include <QString>
#include <QStringList>
#include <vector>

class IniFile {
public:
    explicit IniFile(const QString &path);

    bool exists() const { return m_exists; }
    QString path() const { return m_path; }
    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &def = {}) const;
    // An integer that is not a whole number gives def.
    int intValue(const QString &section, const QString &key, int def) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void setIntValue(const QString &section, const QString &key, int value);
    // Writes the file (cp1250); false when it cannot be written.
    bool save() const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QStringList trailing; // comments and blank lines kept as they were
    };
    const Entry *find(const QString &section, const QString &key) const;

    QString m_path;
    bool m_exists = false;
    QStringList m_leading;
    std::vector<Section> m_sections;
};
