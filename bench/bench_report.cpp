// A 10,000-row report with a page header, two levels of groups with sums and a per-page
// column footer, rendered to PDF: wall time and peak memory of the whole process.
#include "platform/report/engine.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace rpt;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = argc > 1 ? atoi(argv[1]) : 10000;

    RowSet rows;
    rows.fields = {QStringLiteral("SKUPINA"), QStringLiteral("JKPOV"), QStringLiteral("NAZEV"),
                   QStringLiteral("MNOZ"),    QStringLiteral("NC"),    QStringLiteral("CENAR"),
                   QStringLiteral("DATUM")};
    rows.tables = QStringList(7, QStringLiteral("prirad"));
    rows.types = {QMetaType::QString, QMetaType::QString, QMetaType::QString, QMetaType::Double,
                  QMetaType::Double,  QMetaType::Double,  QMetaType::QDate};
    for (int i = 0; i < n; ++i) {
        const double q = 1 + i % 17, nc = 10.5 + i % 101;
        rows.rows.push_back({QStringLiteral("Skupina %1").arg(i / 250), QStringLiteral("%1").arg(10000 + i),
                             QStringLiteral("Zboží č. %1 – žluťoučký kůň").arg(i), q, nc, q * nc,
                             QDate(2014, 1, 1).addDays(i % 365)});
    }
    const QByteArray xml = R"(<report>
  <page width="210" height="297" left="10" top="10" right="10" bottom="10"/>
  <pageHeader height="14">
    <text x="0" y="0" w="120" h="6" font="Tahoma" size="11" bold="true">Přehled příjmu zboží</text>
    <text x="150" y="0" w="40" h="6" align="right">Strana [Page#] z [TotalPages#]</text>
    <text x="0" y="7" w="25" h="6" bold="true">JKP</text><text x="25" y="7" w="85" h="6" bold="true">Název</text>
    <text x="110" y="7" w="25" h="6" bold="true" align="right">Množství</text>
    <text x="135" y="7" w="25" h="6" bold="true" align="right">NC</text>
    <text x="160" y="7" w="30" h="6" bold="true" align="right">Celkem</text>
    <line x1="0" y1="13.5" x2="190" y2="13.5" width="0.3"/>
  </pageHeader>
  <group condition="SKUPINA">
    <header height="7"><text x="0" y="0" w="120" h="7" bold="true">[SKUPINA] ([COUNT(JKPOV)] položek)</text></header>
    <group condition="DATUM">
      <footer height="5"><text x="110" y="0" w="80" h="5" italic="true" align="right" format="### ###.00">den [DATUM]: [SUM(CENAR)]</text></footer>
    </group>
    <footer height="7" keepTogether="true"><text x="100" y="0" w="90" h="7" bold="true" align="right" format="### ###.00">Celkem [SKUPINA]: [SUM(CENAR)]</text></footer>
  </group>
  <data height="5">
    <text x="0" y="0" w="25" h="5">[JKPOV]</text><text x="25" y="0" w="85" h="5">[NAZEV]</text>
    <text x="110" y="0" w="25" h="5" align="right" format="### ###.####">[MNOZ]</text>
    <text x="135" y="0" w="25" h="5" align="right" format="### ###.00">[NC]</text>
    <text x="160" y="0" w="30" h="5" align="right" format="### ###.00">[CENAR]</text>
  </data>
  <columnFooter height="7"><line x1="0" y1="0.5" x2="190" y2="0.5"/><text x="100" y="1" w="90" h="6" align="right" format="### ###.00">Součet strany [SUM(CENAR)]</text></columnFooter>
  <summary height="8"><text x="100" y="1" w="90" h="6" bold="true" align="right" format="### ###.00">Celkem [SUM(CENAR)]</text></summary>
</report>)";
    QTemporaryDir dir;
    QElapsedTimer t;
    t.start();
    Report report;
    report.setTemplate(parseTemplate(xml, QStringLiteral("bench.fr3")));
    report.setData(&rows);
    const PreparedReport prepared = report.prepare();
    const qint64 prepareMs = t.elapsed();
    exportPdf(prepared, dir.filePath(QStringLiteral("bench.pdf")), QStringLiteral("bench"));
    const qint64 totalMs = t.elapsed();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    printf("report of %d rows, %d pages: layout %lld ms, layout + PDF %lld ms (target <= 1000), peak memory "
           "%.1f MB (target <= 60)\n",
           n, prepared.pageCount(), prepareMs, totalMs, usage.ru_maxrss / 1024.0);
    return 0;
}
