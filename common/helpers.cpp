#include "common/helpers.h"

#include "common/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cmath>

QString MapKeyboardDigits(const QString &text) {
    static const struct {
        char16_t from;
        char16_t to;
    } table[] = {
        {u'!', u'1'}, {u'+', u'1'}, {u'@', u'2'}, {u'ě', u'2'}, {u'#', u'3'}, {u'š', u'3'}, {u'$', u'4'},
        {u'č', u'4'}, {u'%', u'5'}, {u'ř', u'5'}, {u'^', u'6'}, {u'ž', u'6'}, {u'&', u'7'}, {u'ý', u'7'},
        {u'*', u'8'}, {u'á', u'8'}, {u'(', u'9'}, {u'í', u'9'}, {u')', u'0'}, {u'é', u'0'}, {u'~', u'°'},
    };
    QString out = text.left(255);
    for (QChar &ch : out) {
        for (const auto &m : table) {
            if (ch.unicode() == m.from) {
                ch = QChar(m.to);
                break;
            }
        }
    }
    return out;
}

double RoundHalfAwayFromZero(double x) {
    const long double s = x < 0 ? -1.0L : 1.0L;
    const long double sum = static_cast<long double>(x) + s * 0.5L;
    return static_cast<double>(truncl(sum));
}

double RoundDecimals(qint16 n, double x) {
    long double p = 1.0L;
    for (int i = 0; i < std::abs(static_cast<int>(n)); ++i)
        p *= 10.0L;
    if (n < 0) p = 1.0L / p;
    // the product is held as a double on purpose: the result follows the binary value
    volatile double product = static_cast<double>(static_cast<long double>(x) * p);
    const double whole = RoundHalfAwayFromZero(product);
    return static_cast<double>(static_cast<long double>(whole) / p);
}

QString DateToSqlText(const QDate &d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

bool AlreadyDoneToday(const QString &name, const QString &folder, const QDate &today) {
    const QString path = PathInFolder(folder, name + QStringLiteral(".ini"));
    const QString todayText = today.toString(QStringLiteral("yyyyMMdd"));
    IniFile ini(path);
    const QString stored = ini.value(QStringLiteral("Dnes"), QStringLiteral("Datum"),
                                     today.addDays(-999).toString(QStringLiteral("yyyyMMdd")));
    ini.setValue(QStringLiteral("Dnes"), QStringLiteral("Datum"), todayText);
    ini.save(); // a file that cannot be written only means the flag is not kept
    return stored == todayText;
}

QString NthToken(const QString &text, QChar d, int n) {
    if (n < 0) return {};
    int field = 0;
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text.at(i) == d) {
            if (field == n) return text.mid(start, i - start);
            ++field;
            start = i + 1;
        }
    }
    return {};
}

QString LeftChars(const QString &text, int n) {
    return n <= 0 ? QString() : text.left(n);
}

QString ReplaceChar(const QString &text, QChar c, const QString &r) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        if (ch == c)
            out += r;
        else
            out += ch;
    }
    return out;
}

QString ReplaceText(const QString &text, const QString &s, const QString &r) {
    if (s.isEmpty()) return text;
    QString out = text;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = out.indexOf(s, from, Qt::CaseInsensitive);
        if (at < 0) break;
        out.replace(at, s.size(), r);
        from = at + r.size();
    }
    return out;
}

QString ProgramFolder() {
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty()) dir = QDir::currentPath();
    return QDir::toNativeSeparators(dir + QLatin1Char('/'));
}

QString PathInFolder(const QString &folder, const QString &relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    QString base = QDir::fromNativeSeparators(folder);
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
    return QDir::toNativeSeparators(base + rel);
}

bool ShellOpen(const QString &file) {
    const QUrl url(file);
    const bool isAddress = url.isValid() && url.scheme().size() > 1;
    if (!isAddress && !QFileInfo::exists(file)) return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {file});
}

bool RunProgram(const QString &commandLine, bool hidden, bool wait) {
    Q_UNUSED(hidden) // no console windows to hide on this platform
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty()) return false;
    QString program = args.takeFirst();
    if (!QFileInfo(program).isAbsolute()) {
        const QString local = PathInFolder(ProgramFolder(), program);
        if (QFileInfo(local).isExecutable())
            program = local;
        else if (const QString found = QStandardPaths::findExecutable(program); !found.isEmpty())
            program = found;
        else
            return false;
    }
    if (!wait) return QProcess::startDetached(program, args);
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, args);
    if (!p.waitForStarted(-1)) return false;
    p.waitForFinished(-1);
    return true;
}
