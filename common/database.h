#pragma once
// The one connection to the shared database. Every statement goes through exec/select/
// runScript; a failure becomes a DbError carrying the server's text.

#include "common/rowset.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    DbError(const QString &text, int code = 0, const QString &statement = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_code(code), m_statement(statement) {}
    // What the server (or the client library) said.
    const QString &text() const { return m_text; }
    int code() const { return m_code; }
    const QString &statement() const { return m_statement; }

private:
    QString m_text;
    int m_code;
    QString m_statement;
};

struct ConnectionSettings {
    QString host = QStringLiteral("localhost");
    int port = 3306;
    QString user = QStringLiteral("root");
    QString password;
    QString database = QStringLiteral("prodej");
    bool compress = true;
    int connectTimeoutSeconds = 10;
};

class Db {
public:
    explicit Db(const QString &connectionName = QStringLiteral("prijem"));
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    // Opens the connection and prepares the session (sql_mode). Throws DbError.
    // When the connection is later lost (server restarted, connection killed), the statement
    // that found out fails with the server's text and the next one connects again first.
    void open(const ConnectionSettings &settings);
    void close();
    bool isOpen() const;

    // Sends one statement. Throws DbError.
    void exec(const QString &sql);
    // Sends one statement and returns its whole result. Throws DbError.
    RowSet select(const QString &sql);
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString &sql);
    // Runs a ";"-separated script statement by statement, stopping at the first error; a
    // transaction the script opened is rolled back before the error is thrown.
    void runScript(const QString &script);

    bool inTransaction() const { return m_inTransaction; }
    // Rolls back an open transaction; never throws.
    void rollback() noexcept;

    QSqlDatabase handle() const;
    const QString &connectionName() const { return m_name; }

    // Session settings sent after every connect, so the statements mean what they say
    // whatever the server's global mode is.
    static QStringList sessionSetup();

private:
    QSqlQuery run(const QString &sql);
    void track(const QString &sql);

    QString m_name;
    bool m_inTransaction = false;
    std::optional<ConnectionSettings> m_settings; // what to connect to again, set by open()
};

// Appends every statement with its duration and error to the file named by PRIJEM_SQL_LOG.
namespace StatementLog {
bool enabled();
void record(const QString &sql, qint64 nanoseconds, const QString &error);
// For tests: log to this file (empty switches logging off).
void setFile(const QString &path);
} // namespace StatementLog
