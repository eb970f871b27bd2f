// Receipt entry with a large catalogue (100,000 items in centre 900, 10,000 EAN aliases):
// (a) leaving "Vstup" with an EAN until the line is filled and the focus is on "Množství";
// (b) 200 lines typed the way a scanner types them; (c) saving a receipt of 500 lines against
// the mariadb client running the same statements. Run through scripts/bench.sh.
#include "app/prij0.h"
#include "common/sqltext.h"
#include "receipt/prij1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {
const QString kCentre = QStringLiteral("900");

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString ean(int i) {
    const QString twelve = QStringLiteral("869%1").arg(i, 9, 10, QLatin1Char('0'));
    int sum = 0;
    for (int k = 0; k < 12; ++k)
        sum += twelve.at(k).digitValue() * (k % 2 ? 3 : 1);
    return twelve + QString::number((10 - sum % 10) % 10);
}

void prepareCatalogue(Db &db) {
    if (db.scalar(QStringLiteral("select count(*) from seznam where STREDISKO = '900'")).toInt() >= 100000)
        return;
    printf("creating 100,000 items and 10,000 EAN aliases in centre 900...\n");
    fflush(stdout);
    db.exec(QStringLiteral("delete from seznam where STREDISKO = '900'"));
    db.exec(QStringLiteral("delete from seznamean where STREDISKO = '900'"));
    for (int chunk = 0; chunk < 100; ++chunk) {
        QStringList rows, aliases;
        for (int i = chunk * 1000; i < (chunk + 1) * 1000; ++i) {
            rows << QStringLiteral(
                        "(0,'900','%1','Zboží číslo %2','ks','%3','K',10,21,12.1,1,'A',%4,9.5,5,50)")
                        .arg(QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')))
                        .arg(i)
                        .arg(ean(i))
                        .arg(i < 9999 ? i + 1 : 0);
            if (i % 10 == 0)
                aliases << QStringLiteral("(0,'900','%1','%2')")
                               .arg(QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')), ean(500000 + i));
        }
        db.exec(
            QStringLiteral("insert into seznam "
                           "(id,STREDISKO,JKPOV,NAZEV,MJ,EAN,POVAHA,PC,DPH,PCSD,MNOZ,AKTIVNI,FOFRCISLO,PNC,"
                           "ZUSTATEK,nczust) values ") +
            rows.join(QLatin1Char(',')));
        db.exec(QStringLiteral("insert into seznamean (id,STREDISKO,JKPOV,EAN) values ") +
                aliases.join(QLatin1Char(',')));
    }
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int port = qEnvironmentVariableIntValue("PRIJEM_BENCH_PORT");
    if (!port) {
        fprintf(stderr, "PRIJEM_BENCH_PORT není nastaven (spusťte scripts/bench.sh)\n");
        return 2;
    }
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("prodej.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write(
        QStringLiteral(
            "[LogON]\r\nIP=127.0.0.1\r\nSQLport=%1\r\nStredisko=900\r\nCisloPC=99\r\ntestovatVerzi=N\r\n")
            .arg(port)
            .toLatin1());
    ini.close();

    TForm1 main(dir.path() + QLatin1Char('/'));
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) return 1;
    prepareCatalogue(main.connection());
    TFprijem editor(&main);

    std::vector<double> lookups;
    double scanMs = 0;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // the editor's preparation lets events through: wait until it is really up
        if (!(editor.isVisible() && QApplication::activeModalWidget() == &editor &&
              QApplication::focusWidget()))
            return;
        poll.stop();
        // (a) lookups by EAN, half main EANs, half aliases
        for (int i = 0; i < 400; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
            editor.Edit1->setText(i % 2 ? ean(i * 211 % 100000) : ean(500000 + (i * 370 % 10000) / 10 * 10));
            QElapsedTimer t;
            t.start();
            QTest::keyClick(editor.Edit1, Qt::Key_Return);
            const double ms = double(t.nsecsElapsed()) / 1e6;
            if (QApplication::focusWidget() != editor.DBEdit5 || editor.DBEditJKP->text().isEmpty()) {
                fprintf(stderr, "lookup %d failed\n", i);
                break;
            }
            lookups.push_back(ms);
            editor.suitempButton5->click();
        }
        // (b) 200 lines typed as a scanner types them
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
            QTest::keyClicks(editor.Edit1, ean(i * 397 % 100000));
            QTest::keyClick(editor.Edit1, Qt::Key_Return);
            QTest::keyClicks(editor.DBEdit5, QStringLiteral("2"));
            QTest::keyClick(editor.DBEdit5, Qt::Key_Return, Qt::ControlModifier);
        }
        scanMs = double(t.nsecsElapsed()) / 1e6;
        if (editor.document()->lineCount() != 200)
            fprintf(stderr, "only %d lines entered\n", editor.document()->lineCount());
        editor.reject();
    });
    poll.start();
    editor.editMode = QStringLiteral("N");
    editor.documentNumber = 0;
    editor.showModal();
    printf("(a) EAN lookup to the focus on Množství (100,000 items, 10,000 aliases): median %.2f ms, worst "
           "%.2f ms over %zu "
           "(target median <= 5)\n",
           median(lookups), lookups.empty() ? 0 : *std::max_element(lookups.begin(), lookups.end()),
           lookups.size());
    printf("(b) 200 lines by scanner input, end to end: %.0f ms (%.1f ms a line)\n", scanMs, scanMs / 200);

    // (c) saving 500 lines, against the client with the same statements
    Db &db = main.connection();
    std::vector<double> saves, clients;
    for (int run = 0; run < 3; ++run) {
        ReceiptDocument doc(db, QStringLiteral("99"), kCentre);
        doc.PripravNovy(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        doc.nactiCiselniky();
        QStringList rows;
        for (int i = 0; i < 500; ++i)
            rows << QStringLiteral("(0,0,'900','B%1','Zboží','ks',2,9.5,19,'99%2',2,'%3',21,NOW())")
                        .arg(i * 7, 6, 10, QLatin1Char('0'))
                        .arg(i, 15, 10, QLatin1Char('0'))
                        .arg(ean(i * 7));
        db.exec(
            QStringLiteral(
                "insert into %1 "
                "(id,CISLODOKLA,STREDISKO,JKPOV,NAZEV,MJ,MNOZ,NC,CENAR,POLOZKA,ZUSTATEK,EAN,DPH,KDY) values ")
                .arg(doc.linesTable()) +
            rows.join(QLatin1Char(',')));
        doc.reloadLines();
        const QString log = dir.filePath(QStringLiteral("save%1.log").arg(run));
        StatementLog::setFile(log);
        QElapsedTimer t;
        t.start();
        qint64 number = 0;
        doc.save(QStringLiteral("N"), number);
        saves.push_back(double(t.nsecsElapsed()) / 1e6);
        StatementLog::setFile({});
        // the same statements through the client, after removing what the save wrote
        db.exec(QStringLiteral("delete from prirad where cislodokla = %1").arg(number));
        db.exec(QStringLiteral("delete from prijem where cislodokla = %1").arg(number));
        QFile f(log);
        f.open(QIODevice::ReadOnly);
        QStringList statements;
        for (const QString &entry :
             QString::fromUtf8(f.readAll()).split(QStringLiteral("\n;\n"), Qt::SkipEmptyParts)) {
            const qsizetype nl = entry.indexOf(QLatin1Char('\n'));
            statements << entry.mid(nl + 1);
        }
        QProcess client;
        client.setStandardOutputFile(QProcess::nullDevice());
        t.restart();
        client.start(QStringLiteral("mariadb"),
                     {QStringLiteral("--no-defaults"), QStringLiteral("--protocol=TCP"),
                      QStringLiteral("-h127.0.0.1"), QStringLiteral("-P%1").arg(port),
                      QStringLiteral("-uroot"), QStringLiteral("--compress"),
                      QStringLiteral("--default-character-set=utf8mb4"), QStringLiteral("prodej")});
        client.write(statements.join(QStringLiteral(";\n")).toUtf8() + ";\n");
        client.closeWriteChannel();
        client.waitForFinished(-1);
        clients.push_back(double(t.nsecsElapsed()) / 1e6);
        db.exec(QStringLiteral("delete from prirad where cislodokla = %1").arg(number));
        db.exec(QStringLiteral("delete from prijem where cislodokla = %1").arg(number));
        doc.FormClose();
    }
    printf("(c) save of 500 lines: median %.0f ms; mariadb client, same statements: median %.0f ms; ratio "
           "%.2f (target <= 3)\n",
           median(saves), median(clients), median(saves) / median(clients));
    return 0;
}
