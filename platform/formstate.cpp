#include "platform/formstate.h"

FormState::FormState(const QString &iniPath, const QString &section)
    : m_path(iniPath), m_section(section), m_ini(iniPath) {}

int FormState::readInt(const QString &component, const QString &property, int def) const {
    return m_ini.intValue(m_section, key(component, property), def);
}

QString FormState::read(const QString &component, const QString &property, const QString &def) const {
    return m_ini.value(m_section, key(component, property), def);
}

void FormState::writeInt(const QString &component, const QString &property, int value) {
    write(component, property, QString::number(value));
}

void FormState::write(const QString &component, const QString &property, const QString &value) {
    m_ini.setValue(m_section, key(component, property), value);
    m_written.append({key(component, property), value});
}

bool FormState::save() {
    // Other writers (the once-a-day flag) may have changed other sections since we read the
    // file: start from what is on disk now and put our keys over it.
    IniFile fresh(m_path);
    for (const auto &[k, v] : m_written)
        fresh.setValue(m_section, k, v);
    return fresh.save();
}
