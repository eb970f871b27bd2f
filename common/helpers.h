#pragma once
// Small free functions shared by the windows: keyboard-row digits, rounding, date text,
// the once-a-day flag, text helpers and starting other programs.

#include <QDate>
#include <QDateTime>
#include <QString>

// Scanned or typed codes: the shifted US digit row and the Czech digit row become digits,
// "~" becomes the degree sign. The text is cut to 255 characters first.
QString MapKeyboardDigits(const QString &text);

// Whole part of x + sign(x)/2, the sum held in extended precision.
double RoundHalfAwayFromZero(double x);

// x rounded to n decimals, halves away from zero, following the binary value of x * 10^n.
double RoundDecimals(qint16 n, double x);

// "yyyy-mm-dd"
QString DateToSqlText(const QDate &d);
inline QString DateToSqlText(const QDateTime &d) {
    return DateToSqlText(d.date());
}

// True when the flag `name` was already raised today; raises it. The flag lives in
// section [Dnes], key Datum, of folder + name + ".ini".
bool AlreadyDoneToday(const QString &name, const QString &folder, const QDate &today = QDate::currentDate());

// Field n (from 0) of text split at d; empty beyond the last field.
QString NthToken(const QString &text, QChar d, int n);
QString LeftChars(const QString &text, int n);
QString ReplaceChar(const QString &text, QChar c, const QString &r);
// Case-insensitive replacement; the search resumes after each inserted r.
QString ReplaceText(const QString &text, const QString &s, const QString &r);

// Folder of the running program, with a trailing separator.
QString ProgramFolder();
// A path below a folder, given as "\fr3\pri1.fr3" or "fr3/pri1.fr3".
QString PathInFolder(const QString &folder, const QString &relative);

// Opens a file or address in the desktop's associated program.
bool ShellOpen(const QString &file);
// Starts a command line; the program's own folder is searched first. With wait, returns after
// the process ended.
bool RunProgram(const QString &commandLine, bool hidden, bool wait);
