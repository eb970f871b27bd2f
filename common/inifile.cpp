#include "common/inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

IniFile::IniFile(const QString &path) : m_path(path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    m_exists = true;
    QStringDecoder decode("windows-1250");
    const QString text = decode(f.readAll());
    Section *current = nullptr;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            m_sections.push_back({t.mid(1, t.size() - 2).trimmed(), {}, {}});
            current = &m_sections.back();
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (current && eq > 0 && !t.startsWith(QLatin1Char(';'))) {
            QString value = t.mid(eq + 1).trimmed();
            if (value.size() >= 2 &&
                ((value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) ||
                 (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))))
                value = value.mid(1, value.size() - 2);
            current->entries.push_back({t.left(eq).trimmed(), value});
        } else if (current) {
            if (!t.isEmpty()) current->trailing << line;
        } else if (!t.isEmpty()) {
            m_leading << line;
        }
    }
}

const IniFile::Entry *IniFile::find(const QString &section, const QString &key) const {
    for (const Section &s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (const Entry &e : s.entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return &e;
    }
    return nullptr;
}

bool IniFile::contains(const QString &section, const QString &key) const {
    return find(section, key) != nullptr;
}

QString IniFile::value(const QString &section, const QString &key, const QString &def) const {
    const Entry *e = find(section, key);
    return e ? e->value : def;
}

int IniFile::intValue(const QString &section, const QString &key, int def) const {
    const Entry *e = find(section, key);
    if (!e) return def;
    bool ok = false;
    const int v = e->value.toInt(&ok, 10);
    return ok ? v : def;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value) {
    for (Section &s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (Entry &e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
                e.value = value;
                return;
            }
        }
        s.entries.push_back({key, value});
        return;
    }
    m_sections.push_back({section, {{key, value}}, {}});
}

void IniFile::setIntValue(const QString &section, const QString &key, int value) {
    setValue(section, key, QString::number(value));
}

bool IniFile::save() const {
    QString text;
    for (const QString &l : m_leading)
        text += l + QStringLiteral("\r\n");
    for (const Section &s : m_sections) {
        text += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const Entry &e : s.entries)
            text += e.key + QLatin1Char('=') + e.value + QStringLiteral("\r\n");
        for (const QString &l : s.trailing)
            text += l + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    QStringEncoder encode("windows-1250");
    const QByteArray bytes = encode(text);
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(bytes);
    return f.commit();
}
