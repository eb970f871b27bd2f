// Journal speed with the large demo data (100,000 receipts of centre 777, about 1,000,000
// lines): start-up to the first painted journal, a column-title sort over all receipts, and
// cursor moves with the lines reloaded, against the mariadb client's time for the journal
// statement. Run through scripts/bench.sh.
#include "app/prij0.h"
#include "common/helpers.h"
#include "common/vocabulary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Waits for the first paint of the journal grid showing rows.
class FirstPaint : public QObject {
public:
    FirstPaint(QTableView *grid) : m_grid(grid) { grid->viewport()->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint && m_grid->model()->rowCount() > 0) painted = true;
        return false;
    }

private:
    QTableView *m_grid;
};

double clientMs(int port, const QString &statement) {
    QElapsedTimer t;
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    t.start();
    p.start(QStringLiteral("mariadb"),
            {QStringLiteral("--no-defaults"), QStringLiteral("--protocol=TCP"), QStringLiteral("-h127.0.0.1"),
             QStringLiteral("-P%1").arg(port), QStringLiteral("-uroot"), QStringLiteral("--compress"),
             QStringLiteral("--default-character-set=utf8mb4"), QStringLiteral("prodej"),
             QStringLiteral("-e"), statement});
    p.waitForFinished(-1);
    return double(t.nsecsElapsed()) / 1e6;
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
    ini.write(QStringLiteral("[LogON]\r\nIP=127.0.0.1\r\nSQLport=%1\r\nStredisko=777\r\ntestovatVerzi=N\r\n")
                  .arg(port)
                  .toLatin1());
    ini.close();

    // (a) start-up to the first paint of the journal, against the client's time
    std::vector<double> startups, clients;
    int rows = 0;
    QString statement;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        auto *w = new TForm1(dir.path() + QLatin1Char('/'));
        FirstPaint probe(w->DBGrid1);
        w->show();
        while (!probe.painted && t.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        startups.push_back(double(t.nsecsElapsed()) / 1e6);
        rows = w->journal().headers().rowCount();
        statement = w->journal().journalStatement().text();
        delete w;
        clients.push_back(clientMs(port, statement));
    }
    printf("(a) start-up to first painted journal (%d rows): median %.0f ms; mariadb client, same statement: "
           "median %.0f ms; ratio %.2f (target <= 1.5)\n",
           rows, median(startups), median(clients), median(startups) / median(clients));

    TForm1 w(dir.path() + QLatin1Char('/'));
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
    QApplication::processEvents();
    const int all = w.journal().headers().rowCount();

    // (b) a column-title sort over every receipt, repainted
    std::vector<double> sorts;
    for (const QString &field : {col::NAZEVPODNI, col::DATUM, col::SIDLO, col::CISLODOKLA, col::ICO}) {
        QElapsedTimer t;
        t.start();
        w.journal().suppressLines = true;
        w.journal().sortBy(field);
        w.DBGrid1->viewport()->repaint();
        sorts.push_back(double(t.nsecsElapsed()) / 1e6);
        w.journal().suppressLines = false;
    }
    printf("(b) title-click sort of %d receipts: median %.0f ms, worst %.0f ms (target <= 300)\n", all,
           median(sorts), *std::max_element(sorts.begin(), sorts.end()));

    // (c) cursor moves with the lines reloaded each time
    w.DBGrid1->setFocus();
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(all / 2, 0));
    std::vector<double> moves;
    for (int i = 0; i < 1000; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(w.DBGrid1, i % 400 < 200 ? Qt::Key_Down : Qt::Key_Up);
        w.DBGrid2->viewport()->repaint();
        moves.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    printf("(c) 1000 cursor moves with lines: median %.2f ms, worst %.2f ms (target median <= 2)\n",
           median(moves), *std::max_element(moves.begin(), moves.end()));
    return 0;
}
