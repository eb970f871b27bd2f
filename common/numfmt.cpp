#include "common/numfmt.h"

#include <QLocale>
#include <cmath>

QString formatPattern(double value, const QString &pattern) {
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? pattern : pattern.left(dot);
    const QString frac = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int maxDecimals = int(frac.count(QLatin1Char('#')) + frac.count(QLatin1Char('0')));
    int minDecimals = 0;
    for (QChar c : frac) {
        if (c == QLatin1Char('0'))
            ++minDecimals;
        else
            break;
    }
    const bool grouping = whole.trimmed().contains(QLatin1Char(' '));
    const int minWhole = std::max<int>(1, int(whole.count(QLatin1Char('0'))));

    QString digits = QString::number(std::fabs(value), 'f', maxDecimals);
    QString intPart = digits;
    QString fracPart;
    if (const qsizetype d = digits.indexOf(QLatin1Char('.')); d >= 0) {
        intPart = digits.left(d);
        fracPart = digits.mid(d + 1);
    }
    while (fracPart.size() > minDecimals && fracPart.endsWith(QLatin1Char('0')))
        fracPart.chop(1);
    while (intPart.size() < minWhole)
        intPart.prepend(QLatin1Char('0'));
    if (grouping) {
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, QLatin1Char(' '));
    }
    QString out = intPart;
    if (!fracPart.isEmpty()) out += QLatin1Char(',') + fracPart;
    const bool isZero =
        (intPart.count(QLatin1Char('0')) + intPart.count(QLatin1Char(' '))) == intPart.size() &&
        fracPart.count(QLatin1Char('0')) == fracPart.size();
    if (value < 0 && !isZero) out.prepend(QLatin1Char('-'));
    return out;
}

QString formatDate(const QDate &d) {
    return d.isValid() ? d.toString(QStringLiteral("d.M.yyyy")) : QString();
}

QString formatDateTime(const QDateTime &dt) {
    if (!dt.isValid()) return {};
    if (dt.time() == QTime(0, 0)) return formatDate(dt.date());
    return dt.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
}

QString displayValue(const QVariant &v, const QString &pattern) {
    if (v.isNull() || !v.isValid()) return {};
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return formatDate(v.toDate());
    case QMetaType::QDateTime:
        return formatDateTime(v.toDateTime());
    case QMetaType::Double:
    case QMetaType::Float:
        if (!pattern.isEmpty()) return formatPattern(v.toDouble(), pattern);
        return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        if (!pattern.isEmpty()) return formatPattern(v.toDouble(), pattern);
        return v.toString();
    default:
        return v.toString();
    }
}
