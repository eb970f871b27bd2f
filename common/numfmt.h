#pragma once
// Display of numbers and dates the Czech way: decimal comma, a space between thousands.

#include <QDateTime>
#include <QString>
#include <QVariant>

// Pattern of "#" and "0" digit places: a space in the whole part groups thousands, "." is the
// decimal separator (shown as a comma), "0" places are always shown, "#" places only when
// significant. Examples: "### ###.####" gives 1 234,5; "### ### ##0.00" gives 0,50.
QString formatPattern(double value, const QString &pattern);

// d.M.yyyy; a date-time also shows H:mm:ss unless it is midnight.
QString formatDate(const QDate &d);
QString formatDateTime(const QDateTime &dt);

// A database value as a grid shows it (pattern for numbers, Czech dates).
QString displayValue(const QVariant &v, const QString &pattern = {});
