#include "testdb.h"

#include "common/sqltext.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QStringEncoder>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

namespace testdb {
ConnectionSettings settings() {
    const QString port = qEnvironmentVariable("PRIJEM_TEST_PORT");
    if (port.isEmpty()) qFatal("PRIJEM_TEST_PORT is not set: run the tests through scripts/test.sh");
    ConnectionSettings s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = port.toInt();
    s.user = QStringLiteral("root");
    return s;
}

void clean(Db &db) {
    const RowSet tables = db.select(QStringLiteral("show tables"));
    for (const auto &row : tables.rows) {
        const QString name = row[0].toString();
        if (name.startsWith(QLatin1String("tmp")))
            db.exec(QStringLiteral("DROP TABLE IF EXISTS `%1`").arg(name));
        else
            db.exec(QStringLiteral("TRUNCATE TABLE `%1`").arg(name));
    }
}

void insertReceipt(Db &db, const Receipt &r) {
    db.exec(
        QStringLiteral(
            "INSERT INTO prijem (CISLODOKLA, STREDISKO, DATUM, ICO, NAZEVPODNI, VNITRO, MESIC, ROK, "
            "DATUMZAUCT) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9)")
            .arg(r.cislo)
            .arg(quoted(r.stredisko), quoted(r.datum.toString(Qt::ISODate)), quoted(r.ico), quoted(r.nazev))
            .arg(r.ico.size() < 4 ? 1 : 0)
            .arg(r.datum.month())
            .arg(r.datum.year())
            .arg(r.zauct ? quoted(r.zauct->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                         : QStringLiteral("NULL")));
}

void insertLine(Db &db, qint64 cislo, const QString &jkpov, double mnoz, double nc,
                const QString &stredisko) {
    db.exec(
        QStringLiteral("INSERT INTO prirad (id, CISLODOKLA, STREDISKO, JKPOV, NAZEV, MJ, MNOZ, NC, CENAR, "
                       "ZUSTATEK, KDY) VALUES (0, %1, %2, %3, %4, 'ks', %5, %6, %7, %5, NOW())")
            .arg(cislo)
            .arg(quoted(stredisko), quoted(jkpov), quoted(QStringLiteral("Zboží ") + jkpov))
            .arg(sqlNumber(mnoz), sqlNumber(nc), sqlNumber(mnoz * nc)));
}

void insertCentre(Db &db, const QString &code) {
    db.exec(QStringLiteral("INSERT INTO strediska (id, STREDISKO, FIRMA) VALUES (0, %1, 'Firma')")
                .arg(quoted(code)));
}

QString makeProgramFolder(QTemporaryDir &dir, const QStringList &iniLines, bool withIni) {
    if (withIni) {
        QFile f(dir.filePath(QStringLiteral("prodej.ini")));
        f.open(QIODevice::WriteOnly);
        QStringEncoder enc("windows-1250");
        f.write(enc(QStringLiteral("[LogON]\r\n") + iniLines.join(QStringLiteral("\r\n")) +
                    QStringLiteral("\r\n")));
    }
    return dir.path() + QLatin1Char('/');
}

QStringList serverIni() {
    const ConnectionSettings s = settings();
    return {QStringLiteral("IP=") + s.host, QStringLiteral("SQLport=%1").arg(s.port),
            QStringLiteral("User=root"), QStringLiteral("Password=")};
}
} // namespace testdb

void testdb::typeText(QWidget *w, const QString &text) {
    for (QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClicks(w, QString(ch));
            continue;
        }
        const QChar upper = ch.toUpper();
        const Qt::Key key = upper.unicode() < 256 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, w, key, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(ch), Qt::NoModifier);
    }
}

void testdb::whenModal(std::function<bool(QDialog *)> matches, std::function<void(QDialog *)> body) {
    auto *timer = new QTimer;
    timer->setInterval(20);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [matches, body, timer, ticks] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const bool up = d && matches(d) && d->isActiveWindow() && QApplication::focusWidget();
        if (!up && ++*ticks <= 500) return;
        timer->stop();
        timer->deleteLater();
        if (!up) return;
        QPointer<QDialog> guard(d);
        auto close = qScopeGuard([guard] {
            if (guard && guard->isVisible()) guard->reject();
        });
        body(d);
    });
    timer->start();
}
