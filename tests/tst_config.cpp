#include "app/config.h"
#include "common/inifile.h"
#include "platform/formstate.h"
#include "testdb.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutFile() {
        QTemporaryDir dir;
        const LogOnConfig c = LogOnConfig::read(dir.filePath(QStringLiteral("prodej.ini")));
        QCOMPARE(c.IP, QStringLiteral("localhost"));
        QCOMPARE(c.SQLport, 3306);
        QCOMPARE(c.User, QStringLiteral("root"));
        QCOMPARE(c.Password, QString());
        QCOMPARE(c.CisloPC, QStringLiteral("00"));
        QCOMPARE(c.Stredisko, QStringLiteral("777"));
        QCOMPARE(c.centrum, QStringLiteral("N"));
        QVERIFY(!c.centreSwitchAllowed());
        QCOMPARE(c.prepocitatStav, QStringLiteral("N"));
        QVERIFY(c.versionCheckAtStart());
        QVERIFY(!c.versionCheckHidden());
        QCOMPARE(c.typprijemky, qint16(0));
        QCOMPARE(c.hlavniStredisko, QString());
        const ConnectionSettings cs = c.connection();
        QCOMPARE(cs.database, QStringLiteral("prodej"));
        QVERIFY(cs.compress);
    }

    void keys_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, QStringList lines, const char *key, QString expected) {
            QTest::newRow(name) << lines << QString::fromLatin1(key) << expected;
        };
        row("port letters", {QStringLiteral("SQLport=abc")}, "SQLport", QStringLiteral("3306"));
        row("port decimal", {QStringLiteral("SQLport=3307.5")}, "SQLport", QStringLiteral("3306"));
        row("port set", {QStringLiteral("SQLport=3310")}, "SQLport", QStringLiteral("3310"));
        row("port spaces", {QStringLiteral("SQLport = 3311 ")}, "SQLport", QStringLiteral("3311"));
        row("typ letters", {QStringLiteral("typprijemky=x")}, "typprijemky", QStringLiteral("0"));
        row("typ 1", {QStringLiteral("typprijemky=1")}, "typprijemky", QStringLiteral("1"));
        row("typ beyond 16 bits", {QStringLiteral("typprijemky=70000")}, "typprijemky", QStringLiteral("0"));
        row("centre cp1250", {QStringLiteral("Stredisko=Š01")}, "Stredisko", QStringLiteral("Š01"));
        row("keys without case", {QStringLiteral("stredisko=12"), QStringLiteral("CISLOPC=07")}, "CisloPC",
            QStringLiteral("07"));
        row("other section ignored", {QStringLiteral("[Jiná]"), QStringLiteral("IP=10.0.0.1")}, "IP",
            QStringLiteral("localhost"));
        row("password", {QStringLiteral("Password=taj'né\\heslo")}, "Password",
            QStringLiteral("taj'né\\heslo"));
    }
    void keys() {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString folder = testdb::makeProgramFolder(dir, lines);
        const LogOnConfig c = LogOnConfig::read(folder + QStringLiteral("prodej.ini"));
        const QMap<QString, QString> values{{QStringLiteral("SQLport"), QString::number(c.SQLport)},
                                            {QStringLiteral("typprijemky"), QString::number(c.typprijemky)},
                                            {QStringLiteral("Stredisko"), c.Stredisko},
                                            {QStringLiteral("CisloPC"), c.CisloPC},
                                            {QStringLiteral("IP"), c.IP},
                                            {QStringLiteral("Password"), c.Password}};
        QCOMPARE(values.value(key), expected);
    }

    void flags_data() {
        QTest::addColumn<QString>("centrum");
        QTest::addColumn<QString>("verze");
        QTest::addColumn<bool>("centreSwitch");
        QTest::addColumn<bool>("checkAtStart");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("A A") << "A"
                             << "A" << true << true << false;
        QTest::newRow("lower a") << "a"
                                 << "a" << false << false << false;
        QTest::newRow("X") << "N"
                           << "X" << false << false << true;
        QTest::newRow("lower x") << "N"
                                 << "x" << false << false << false;
        QTest::newRow("N") << "N"
                           << "N" << false << false << false;
    }
    void flags() {
        QFETCH(QString, centrum);
        QFETCH(QString, verze);
        QFETCH(bool, centreSwitch);
        QFETCH(bool, checkAtStart);
        QFETCH(bool, hidden);
        QTemporaryDir dir;
        const QString folder = testdb::makeProgramFolder(
            dir, {QStringLiteral("centrum=") + centrum, QStringLiteral("testovatVerzi=") + verze});
        const LogOnConfig c = LogOnConfig::read(folder + QStringLiteral("prodej.ini"));
        QCOMPARE(c.centreSwitchAllowed(), centreSwitch);
        QCOMPARE(c.versionCheckAtStart(), checkAtStart);
        QCOMPARE(c.versionCheckHidden(), hidden);
    }

    void iniWritesCp1250AndKeepsOtherSections() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prijem.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QStringEncoder enc("windows-1250");
        f.write(enc(QStringLiteral(
            "[Dnes]\r\nDatum=20261211\r\n[TFseznam]\r\n; poznámka\r\nCheckBox1_Checked=1\r\n")));
        f.close();

        FormState state(path, QStringLiteral("TForm1"));
        QCOMPARE(state.readInt(QStringLiteral("suiComboBox1"), QStringLiteral("ItemIndex"), 0), 0);
        state.writeInt(QStringLiteral("suiComboBox1"), QStringLiteral("ItemIndex"), 3);
        state.write(QStringLiteral("Edit1"), QStringLiteral("Text"), QStringLiteral("Žluťoučký"));
        // someone else changes another section meanwhile
        IniFile other(path);
        other.setValue(QStringLiteral("Dnes"), QStringLiteral("Datum"), QStringLiteral("20261212"));
        QVERIFY(other.save());
        QVERIFY(state.save());

        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains(QByteArray(enc(QStringLiteral("Žluťoučký"))))); // written in cp1250, not UTF-8
        const IniFile back(path);
        QCOMPARE(back.value(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_ItemIndex")),
                 QStringLiteral("3"));
        QCOMPARE(back.value(QStringLiteral("Dnes"), QStringLiteral("Datum")), QStringLiteral("20261212"));
        QCOMPARE(back.value(QStringLiteral("tfseznam"), QStringLiteral("checkbox1_checked")),
                 QStringLiteral("1"));
        QCOMPARE(
            FormState(path, QStringLiteral("TForm1")).read(QStringLiteral("Edit1"), QStringLiteral("Text")),
            QStringLiteral("Žluťoučký"));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
