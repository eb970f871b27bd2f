#pragma once
// SQL text: the one quoting function, the line-by-line statement builder and the script splitter.
// Every value that goes into statement text passes through quoted() or sqlNumber().

#include <QString>
#include <QStringList>

// A text literal in single quotes: inner quotes doubled, backslashes and NULs escaped, so the
// server reads back exactly the value (the session runs without NO_BACKSLASH_ESCAPES).
QString quoted(const QString &value);
// A number as SQL text: decimal point, no grouping.
QString sqlNumber(double value);
QString sqlNumber(qint64 value);

// A statement assembled from fragments, one per line; sent joined by line breaks.
class SqlText {
public:
    SqlText() = default;
    SqlText(std::initializer_list<QString> lines) : m_lines(lines) {}
    SqlText &add(const QString &line) {
        m_lines << line;
        return *this;
    }
    SqlText &operator<<(const QString &line) { return add(line); }
    void clear() { m_lines.clear(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList &lines() const { return m_lines; }
    QString text() const { return m_lines.join(QLatin1Char('\n')); }
    operator QString() const { return text(); }

private:
    QStringList m_lines;
};

// Splits a ";"-separated script into statements. Semicolons inside quoted literals, quoted
// names and comments do not split. Empty statements are dropped; the ";" is not kept.
QStringList splitScript(const QString &script);
