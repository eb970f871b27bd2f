#include "common/database.h"

#include "common/sqltext.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>

namespace {
struct LogState {
    bool initialised = false;
    std::unique_ptr<QFile> file;
};
LogState &logState() {
    static LogState s;
    if (!s.initialised) {
        s.initialised = true;
        const QString path = qEnvironmentVariable("PRIJEM_SQL_LOG");
        if (!path.isEmpty()) {
            s.file = std::make_unique<QFile>(path);
            if (!s.file->open(QIODevice::Append | QIODevice::Text)) s.file.reset();
        }
    }
    return s;
}

QString errorText(const QSqlError &e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.driverText();
    if (t.isEmpty()) t = e.text();
    return t.trimmed();
}

int errorCode(const QSqlError &e) {
    return e.nativeErrorCode().toInt();
}
} // namespace

namespace StatementLog {
bool enabled() {
    return logState().file != nullptr;
}

void setFile(const QString &path) {
    LogState &s = logState();
    s.file.reset();
    if (!path.isEmpty()) {
        s.file = std::make_unique<QFile>(path);
        if (!s.file->open(QIODevice::Append | QIODevice::Text)) s.file.reset();
    }
}

void record(const QString &sql, qint64 nanoseconds, const QString &error) {
    LogState &s = logState();
    if (!s.file) return;
    QString entry = QStringLiteral("-- %1 | %2 ms | %3\n")
                        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")))
                        .arg(QString::number(double(nanoseconds) / 1e6, 'f', 3))
                        .arg(error.isEmpty() ? QStringLiteral("OK") : QStringLiteral("CHYBA: ") + error);
    entry += sql;
    entry += QStringLiteral("\n;\n");
    s.file->write(entry.toUtf8());
    s.file->flush();
}
} // namespace StatementLog

Db::Db(const QString &connectionName) : m_name(connectionName) {}

Db::~Db() {
    close();
    QSqlDatabase::removeDatabase(m_name);
}

QStringList Db::sessionSetup() {
    return {QStringLiteral("SET SESSION sql_mode = "
                           "'STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION'")};
}

void Db::open(const ConnectionSettings &settings) {
    close();
    m_settings = settings;
    QSqlDatabase db = QSqlDatabase::contains(m_name)
                          ? QSqlDatabase::database(m_name, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
    if (!db.isValid()) throw DbError(QStringLiteral("Databázový ovladač QMYSQL není k dispozici."));
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setDatabaseName(settings.database);
    QStringList options;
    if (settings.compress) options << QStringLiteral("CLIENT_COMPRESS=1");
    options << QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(settings.connectTimeoutSeconds);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    QElapsedTimer t;
    t.start();
    const bool ok = db.open();
    const QString what = QStringLiteral("-- connect %1@%2:%3/%4")
                             .arg(settings.user, settings.host)
                             .arg(settings.port)
                             .arg(settings.database);
    if (!ok) {
        const QSqlError e = db.lastError();
        StatementLog::record(what, t.nsecsElapsed(), errorText(e));
        throw DbError(errorText(e), errorCode(e));
    }
    StatementLog::record(what, t.nsecsElapsed(), {});
    m_inTransaction = false;
    for (const QString &s : sessionSetup())
        exec(s);
}

void Db::close() {
    m_settings.reset();
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) db.close();
    }
    m_inTransaction = false;
}

bool Db::isOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Db::handle() const {
    return QSqlDatabase::database(m_name, false);
}

void Db::track(const QString &sql) {
    const QString head = sql.trimmed().left(20).toUpper();
    if (head.startsWith(QLatin1String("START TRANSACTION")) || head.startsWith(QLatin1String("BEGIN")))
        m_inTransaction = true;
    else if (head.startsWith(QLatin1String("COMMIT")) || head.startsWith(QLatin1String("ROLLBACK")))
        m_inTransaction = false;
}

QSqlQuery Db::run(const QString &sql) {
    if (!isOpen() && m_settings)
        open(ConnectionSettings(*m_settings)); // connect again after a lost or failed connection
    if (!isOpen()) {
        StatementLog::record(sql, 0, QStringLiteral("not connected"));
        throw DbError(QStringLiteral("Není spojení s databází."), 0, sql);
    }
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    QElapsedTimer t;
    t.start();
    const bool ok = q.exec(sql);
    const qint64 ns = t.nsecsElapsed();
    if (!ok) {
        const QSqlError e = q.lastError();
        StatementLog::record(sql, ns, errorText(e));
        const int code = errorCode(e);
        if (code == 2006 || code == 2013) {
            // the server has gone: what the session had (transaction, temporary tables) is lost
            const std::optional<ConnectionSettings> settings = m_settings;
            q = QSqlQuery();
            handle().close();
            m_inTransaction = false;
            m_settings = settings;
        }
        throw DbError(errorText(e), code, sql);
    }
    StatementLog::record(sql, ns, {});
    track(sql);
    return q;
}

void Db::exec(const QString &sql) {
    run(sql);
}

RowSet Db::select(const QString &sql) {
    QSqlQuery q = run(sql);
    return RowSet::fromQuery(q);
}

QVariant Db::scalar(const QString &sql) {
    QSqlQuery q = run(sql);
    if (q.next()) return q.value(0);
    return {};
}

void Db::runScript(const QString &script) {
    for (const QString &statement : splitScript(script)) {
        try {
            exec(statement);
        } catch (const DbError &) {
            rollback();
            throw;
        }
    }
}

void Db::rollback() noexcept {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    try {
        exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
        // the connection is gone; the server rolls back on its own
    }
    m_inTransaction = false;
}
