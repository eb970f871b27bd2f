#include "common/sqltext.h"

#include <QLocale>

QString quoted(const QString &value) {
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('\'');
    for (QChar ch : value) {
        switch (ch.unicode()) {
        case u'\'':
            out += QStringLiteral("''");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\0':
            out += QStringLiteral("\\0");
            break;
        default:
            out += ch;
        }
    }
    out += QLatin1Char('\'');
    return out;
}

QString sqlNumber(double value) {
    return QLocale::c().toString(value, 'g', 17);
}
QString sqlNumber(qint64 value) {
    return QString::number(value);
}

QStringList splitScript(const QString &script) {
    QStringList out;
    QString current;
    QChar quote; // the open literal's delimiter, or null outside a literal
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = script.at(i);
        if (!quote.isNull()) {
            current += ch;
            if (ch == QLatin1Char('\\') && quote != QLatin1Char('`') && i + 1 < n) {
                current += script.at(++i);
            } else if (ch == quote) {
                if (i + 1 < n && script.at(i + 1) == quote)
                    current += script.at(++i); // doubled delimiter stays inside
                else
                    quote = QChar();
            }
            continue;
        }
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"') || ch == QLatin1Char('`')) {
            quote = ch;
            current += ch;
        } else if (ch == QLatin1Char('-') && i + 2 < n && script.at(i + 1) == QLatin1Char('-') &&
                   script.at(i + 2).isSpace()) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (ch == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += QLatin1Char(' ');
        } else if (ch == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty()) out << current.trimmed();
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.trimmed().isEmpty()) out << current.trimmed();
    return out;
}
