// Receipt printing: the print query against the database, "Tisk dokladu" with its preview,
// PDF and template editor, bad templates, and the --print-receipt command.
#include "app/prij0.h"
#include "app/receiptprint.h"
#include "common/vocabulary.h"
#include "platform/report/designer.h"
#include "platform/report/output.h"
#include "platform/report/preview.h"
#include "testdb.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

using testdb::Receipt;

namespace {
// Deals with the next modal window, whatever it is; records its object name.
class ModalWatcher : public QObject {
public:
    QStringList seen;
    std::function<void(QWidget *)> action;
    ModalWatcher() {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w || w == m_last) return;
            m_last = w;
            seen << w->objectName();
            if (action)
                action(w);
            else
                w->close();
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

QString pdfText(const QString &pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void copyTemplates(const QString &folder) {
    QDir().mkpath(folder + QStringLiteral("fr3"));
    for (const QString &f : {QStringLiteral("pri1.fr3"), QStringLiteral("pri11.fr3")}) {
        QFile::remove(folder + QStringLiteral("fr3/") + f);
        QFile::copy(QStringLiteral(PRIJEM_SOURCE_DIR "/fr3/") + f, folder + QStringLiteral("fr3/") + f);
        QFile(folder + QStringLiteral("fr3/") + f)
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}
} // namespace

class TestReceiptPrint : public QObject {
    Q_OBJECT
    Db db{QStringLiteral("fixture")};
    QList<MessageRequest> messages;
    QTemporaryDir dir;
    QString folder;

    std::unique_ptr<TForm1> window(const QStringList &extra = {}) {
        folder = testdb::makeProgramFolder(dir, testdb::serverIni() + extra);
        auto w = std::make_unique<TForm1>(folder);
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) qFatal("window not shown");
        return w;
    }

    void selectReceipt(TForm1 &w, qint64 number) {
        QTest::mouseClick(w.ButtonVse, Qt::LeftButton);
        const int row = w.journal().headers().locate(col::CISLODOKLA, number);
        w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(row, 0));
        QCOMPARE(w.journal().currentNumber().value(), number);
    }

private slots:
    void initTestCase() {
        db.open(testdb::settings());
        Messages::setResponder([this](const MessageRequest &r) {
            messages << r;
            return 1;
        });
        QDir::setCurrent(dir.path());
    }

    void init() {
        messages.clear();
        rpt::overrideDesignerSwitch(false);
        testdb::clean(db);
        copyTemplates(dir.path() + QLatin1Char('/'));
        db.exec(QStringLiteral(
            "insert into strediska (id, STREDISKO, ICO, FIRMA, ADR2) values (0, '777', '27345611', "
            "'Prodejna Pod Lípou s.r.o.', 'Náměstí Míru 12')"));
        db.exec(QStringLiteral(
            "insert into seznam (id, STREDISKO, JKPOV, NAZEV, PCSD) values (0, '777', 'A1', 'Mléko', 21.5), "
            "(0, '101', 'A2', 'Jinde', 99)"));
        testdb::insertReceipt(db, {2267770001, QStringLiteral("777"), QDate(2026, 12, 1),
                                   QStringLiteral("12345678"), QStringLiteral("Pekárna O'Brien s.r.o.")});
        testdb::insertLine(db, 2267770001, QStringLiteral("A1"), 1234.5, 10);
        testdb::insertLine(db, 2267770001, QStringLiteral("A2"), 2, 3.25); // not in this centre's catalogue
        testdb::insertReceipt(db, {2267770002, QStringLiteral("777"), QDate(2026, 12, 2)});
    }

    void printQuery() {
        const RowSet lines = db.select(receiptPrintStatement(QStringLiteral("2267770001")));
        QCOMPARE(lines.rowCount(), 2);
        QCOMPARE(lines.value(0, QStringLiteral("pcsd")).toDouble(), 21.5);
        QVERIFY(lines.value(1, QStringLiteral("pcsd")).isNull()); // item gone from the catalogue
        const int firm = lines.qualifiedFieldIndex(QStringLiteral("strediska.ICO"));
        QVERIFY(firm >= 0);
        QCOMPARE(lines.rows[0][size_t(firm)].toString(), QStringLiteral("27345611"));
        QCOMPARE(lines.value(0, QStringLiteral("ICO")).toString(),
                 QStringLiteral("12345678")); // the first: prijem
        QVERIFY(lines.qualifiedFieldIndex(QStringLiteral("prirad.CISLODOKLA")) >
                lines.fieldIndex(QStringLiteral("CISLODOKLA")));

        const RowSet empty = db.select(receiptPrintStatement(QStringLiteral("2267770002")));
        QCOMPARE(empty.rowCount(), 1); // the header prints with an empty table
        QVERIFY(empty.value(0, QStringLiteral("JKPOV")).isNull());
        QCOMPARE(db.select(receiptPrintStatement(QString())).rowCount(), 0);
        QCOMPARE(
            receiptPrintStatement(QStringLiteral("1")).text(),
            QStringLiteral("select prijem.*,prirad.*,strediska.*,seznam.pcsd from prijem\n LEFT JOIN prirad\n"
                           " ON (prijem.cislodokla=prirad.cislodokla)\n LEFT JOIN strediska\n"
                           " ON (prijem.stredisko=strediska.stredisko)\n LEFT JOIN seznam\n"
                           " ON (prirad.stredisko=seznam.stredisko and prirad.jkpov=seznam.jkpov)\n"
                           " where prijem.CISLODOKLA = '1'"));
    }

    void templateByType_data() {
        QTest::addColumn<int>("typ");
        QTest::addColumn<QString>("file");
        QTest::newRow("0") << 0 << "\\fr3\\pri1.fr3";
        QTest::newRow("1") << 1 << "\\fr3\\pri11.fr3";
        QTest::newRow("2") << 2 << "\\fr3\\pri1.fr3";
    }
    void templateByType() {
        QFETCH(int, typ);
        QFETCH(QString, file);
        QCOMPARE(receiptTemplate(qint16(typ)), file);
    }

    void previewAndPdf_data() {
        QTest::addColumn<int>("typ");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("pri1") << 0
                              << QStringList{
                                     QStringLiteral("PRODEJNA"),   QStringLiteral("Příjemka"),
                                     QStringLiteral("2267770001"), QStringLiteral("Pekárna O'Brien s.r.o."),
                                     QStringLiteral("1 234,5"),    QStringLiteral("12 345,00"),
                                     QStringLiteral("12 351,50"),  QStringLiteral("součet")};
        QTest::newRow("pri11") << 1 << QStringList{QStringLiteral("Prodejna Pod Lípou s.r.o."),
                                                   QStringLiteral("IČO: 27345611"),
                                                   QStringLiteral("21,50"),
                                                   QStringLiteral("Celkem za doklad"),
                                                   QStringLiteral("12 351,50"),
                                                   QStringLiteral("Strana 1 z 1")};
    }
    void previewAndPdf() {
        QFETCH(int, typ);
        QFETCH(QStringList, words);
        auto w = window({QStringLiteral("typprijemky=%1").arg(typ)});
        selectReceipt(*w, 2267770001);
        QFile::remove(dir.filePath(QStringLiteral("prijem.pdf")));
        ModalWatcher watch;
        QStringList pageText;
        bool maximised = false;
        watch.action = [&](QWidget *m) {
            auto *preview = qobject_cast<rpt::ReportPreview *>(m);
            QVERIFY(preview);
            QTRY_VERIFY_WITH_TIMEOUT(preview->isMaximized(), 3000);
            maximised = true;
            pageText = preview->prepared().pageTexts(0);
            QVERIFY(preview->findText(QStringLiteral("o'brien")));
            preview->findChild<QAction *>(QStringLiteral("ActionPdf"))->trigger();
            preview->accept();
        };
        QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(watch.seen, QStringList{QStringLiteral("frxPreview")});
        QVERIFY(maximised);
        QVERIFY(messages.isEmpty());
        QVERIFY(pageText.contains(QStringLiteral("2267770001")) ||
                pageText.join(QLatin1Char(' ')).contains(QStringLiteral("2267770001")));
        const QString pdf = dir.filePath(QStringLiteral("prijem.pdf")); // written to the working directory
        QVERIFY(QFile::exists(pdf));
        const QString text = pdfText(pdf);
        for (const QString &word : words)
            QVERIFY2(text.contains(word), qPrintable(word + QStringLiteral(" missing in:\n") + text));
    }

    void receiptWithoutLinesAndEmptyJournal() {
        auto w = window();
        selectReceipt(*w, 2267770002);
        ModalWatcher watch;
        QStringList texts;
        watch.action = [&](QWidget *m) {
            texts = qobject_cast<rpt::ReportPreview *>(m)->prepared().pageTexts(0);
            m->close();
        };
        w->Tiskdokladu1->trigger();
        QVERIFY(texts.contains(QStringLiteral("2267770002")));
        QVERIFY(texts.contains(QStringLiteral("0,00"))); // the sum of no lines

        // an empty journal: the query finds nothing, the template prints empty
        db.exec(QStringLiteral("delete from prijem"));
        QTest::mouseClick(w->ButtonVse, Qt::LeftButton);
        texts.clear();
        w->Tiskdokladu1->trigger();
        QCOMPARE(watch.seen.size(), 2);
        QVERIFY(texts.contains(QStringLiteral("Příjemka")));
        QVERIFY(!texts.contains(QStringLiteral("2267770002")));
        QVERIFY(messages.isEmpty());
    }

    void badTemplates_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no message, an empty preview
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("malformed") << QByteArray("<report><data height=\"5\"><text>[JKPOV]</data>")
                                   << QStringLiteral("řádek 1");
        QTest::newRow("unknown column")
            << QByteArray("<report><data height=\"5\"><text>[frxDBDataset1.\"CENA\"]</text></data></report>")
            << QStringLiteral("„CENA“");
    }
    void badTemplates() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        auto w = window();
        const QString path = dir.filePath(QStringLiteral("fr3/pri1.fr3"));
        QFile::remove(path);
        if (!content.isEmpty()) writeFile(path, content);
        selectReceipt(*w, 2267770001);
        ModalWatcher watch;
        QStringList texts{QStringLiteral("not shown")};
        watch.action = [&](QWidget *m) {
            texts = qobject_cast<rpt::ReportPreview *>(m)->prepared().pageTexts(0);
            m->close();
        };
        w->Tiskdokladu1->trigger();
        if (expected.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QCOMPARE(watch.seen, QStringList{QStringLiteral("frxPreview")});
            QVERIFY(texts.isEmpty());
        } else {
            QVERIFY(watch.seen.isEmpty()); // no preview
            QCOMPARE(messages.size(), 1);
            QVERIFY(messages[0].error);
            QVERIFY2(messages[0].text.contains(path), qPrintable(messages[0].text));
            QVERIFY2(messages[0].text.contains(expected), qPrintable(messages[0].text));
        }
    }

    void designerEditShowsInTheNextPrint() {
        auto w = window();
        selectReceipt(*w, 2267770001);
        rpt::overrideDesignerSwitch(true);
        ModalWatcher watch;
        int treeBands = 0;
        watch.action = [&](QWidget *m) {
            auto *designer = qobject_cast<rpt::ReportDesigner *>(m);
            QVERIFY(designer);
            treeBands = designer->tree()->topLevelItemCount();
            QVERIFY(designer->previewPages() >= 1);
            QVERIFY(designer->lastError().isEmpty());
            designer->select({rpt::BandKind::ColumnFooter});
            designer->addObject(rpt::ObjKind::Text);
            auto *text = designer->properties()->findChild<QPlainTextEdit *>(QStringLiteral("PropText"));
            QVERIFY(text);
            text->selectAll();
            text->insertPlainText(QStringLiteral("Převzal: "));
            designer->insertField(QStringLiteral("[frxDBDataset1.\"NAZEVPODNI\"]"));
            QVERIFY(designer->isModified());
            QVERIFY(designer->save());
            designer->reject();
        };
        w->Tiskdokladu1->trigger();
        QCOMPARE(watch.seen, QStringList{QStringLiteral("frxDesigner")});
        QCOMPARE(treeBands, 5); // page, title, page header, data, column footer
        QVERIFY(rpt::loadTemplate(dir.filePath(QStringLiteral("fr3/pri1.fr3")))
                    .columnFooter->objects.back()
                    .text.startsWith(QStringLiteral("Převzal")));

        rpt::overrideDesignerSwitch(false);
        QStringList texts;
        watch.action = [&](QWidget *m) {
            texts = qobject_cast<rpt::ReportPreview *>(m)->prepared().pageTexts(0);
            m->close();
        };
        w->Tiskdokladu1->trigger();
        QVERIFY2(texts.contains(QStringLiteral("Převzal: Pekárna O'Brien s.r.o.")),
                 qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(messages.isEmpty());
    }

    void designerOperations() {
        rpt::Report report;
        const RowSet rows = db.select(receiptPrintStatement(QStringLiteral("2267770001")));
        report.setData(&rows);
        const QString path = dir.filePath(QStringLiteral("fr3/novy.fr3"));
        QFile::remove(path);
        QVERIFY(!report.loadFromFile(path));
        rpt::ReportDesigner d(report, path);
        d.addBand(rpt::BandKind::Data);
        d.addObject(rpt::ObjKind::Text);
        d.addObject(rpt::ObjKind::Barcode);
        d.addBand(rpt::BandKind::GroupHeader);
        QCOMPARE(d.templ().groups.size(), size_t(1));
        d.select({rpt::BandKind::Data}, 1);
        d.moveSelected(-1);
        QCOMPARE(d.templ().data->objects[0].kind, rpt::ObjKind::Barcode);
        d.removeSelected();
        QCOMPARE(d.templ().data->objects.size(), size_t(1));
        QVERIFY(!d.applyXml(QStringLiteral("<report><nic/></report>")));
        QVERIFY(d.lastError().contains(QStringLiteral("nic")));
        QVERIFY(
            d.applyXml(QStringLiteral("<report><data height=\"7\"><text>[JKPOV]</text></data></report>")));
        QCOMPARE(d.templ().data->height, 7.0);
        QTRY_COMPARE(d.previewPages(), 1);
        QVERIFY(d.save());
        QCOMPARE(rpt::loadTemplate(path).data->objects.front().text, QStringLiteral("[JKPOV]"));
    }

    void commandLine_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("ini");
        QTest::addColumn<QByteArray>("templ"); // replaces pri1.fr3 when set
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        const QStringList server = testdb::serverIni();
        QTest::newRow("ok") << "2267770001" << server << QByteArray() << 0 << QString();
        QTest::newRow("no lines") << "2267770002" << server << QByteArray() << 0 << QString();
        QTest::newRow("no such receipt")
            << "2267779999" << server << QByteArray() << 1 << QStringLiteral("Doklad 2267779999 neexistuje.");
        QTest::newRow("no database") << "2267770001"
                                     << QStringList{QStringLiteral("IP=127.0.0.1"),
                                                    QStringLiteral("SQLport=1")}
                                     << QByteArray() << 1 << QStringLiteral("Chyba databáze");
        QTest::newRow("bad template") << "2267770001" << server << QByteArray("<report><data>") << 1
                                      << QStringLiteral("Chyba v šabloně");
        QTest::newRow("missing template")
            << "2267770001" << server << QByteArray("-") << 1 << QStringLiteral("neexistuje");
        QTest::newRow("usage") << "" << server << QByteArray() << 2 << QStringLiteral("Použití");
    }
    void commandLine() {
        QFETCH(QString, number);
        QFETCH(QStringList, ini);
        QFETCH(QByteArray, templ);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QTemporaryDir programDir;
        const QString programFolder = testdb::makeProgramFolder(programDir, ini);
        copyTemplates(programFolder);
        if (templ == "-")
            QFile::remove(programFolder + QStringLiteral("fr3/pri1.fr3"));
        else if (!templ.isEmpty())
            writeFile(programFolder + QStringLiteral("fr3/pri1.fr3"), templ);
        QVERIFY(QFile::copy(QStringLiteral(PRIJEM_BINARY), programFolder + QStringLiteral("prijem")));
        QFile(programFolder + QStringLiteral("prijem"))
            .setPermissions(QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        const QString pdf = programDir.filePath(QStringLiteral("doklad.pdf"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        QStringList args{QStringLiteral("--print-receipt")};
        if (!number.isEmpty()) args << number;
        args << QStringLiteral("--pdf") << pdf;
        p.start(programFolder + QStringLiteral("prijem"), args);
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), exitCode);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), QString());
        if (exitCode == 0) {
            QCOMPARE(err, QString()); // nothing printed on success
            const QString text = pdfText(pdf);
            QVERIFY2(text.contains(number) && text.contains(QStringLiteral("Příjemka")), qPrintable(text));
        } else {
            QVERIFY2(err.contains(error), qPrintable(err));
        }
    }
};

QTEST_MAIN(TestReceiptPrint)
#include "tst_receiptprint.moc"
