#include "common/helpers.h"
#include "common/inifile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cfloat>
#include <cmath>

class TestHelpers : public QObject {
    Q_OBJECT
private slots:
    void mapKeyboardDigits_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("czech row") << QStringLiteral("ěščřžýáíé+") << QStringLiteral("2345678901");
        QTest::newRow("us shifted row") << QStringLiteral("!@#$%^&*()") << QStringLiteral("1234567890");
        QTest::newRow("at hash dollar") << QStringLiteral("@#$") << QStringLiteral("234");
        QTest::newRow("letters and digits pass") << QStringLiteral("Ab9z0") << QStringLiteral("Ab9z0");
        QTest::newRow("tilde marker") << QStringLiteral("~~123") << QStringLiteral("°°123");
        QTest::newRow("upper case not mapped") << QStringLiteral("ĚŠČ") << QStringLiteral("ĚŠČ");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("cut to 255") << QString(300, QLatin1Char('+')) << QString(255, QLatin1Char('1'));
    }
    void mapKeyboardDigits() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(MapKeyboardDigits(in), out);
    }

    void roundHalfAwayFromZero_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("r");
        QTest::newRow("2.5") << 2.5 << 3.0;
        QTest::newRow("-2.5") << -2.5 << -3.0;
        QTest::newRow("2.4999") << 2.4999 << 2.0;
        QTest::newRow("-0.4") << -0.4 << 0.0;
        QTest::newRow("0") << 0.0 << 0.0;
        QTest::newRow("largest below half") << std::nextafter(0.5, 0.0) << 0.0;
        QTest::newRow("negative largest below half") << -std::nextafter(0.5, 0.0) << 0.0;
        QTest::newRow("big") << 4503599627370495.5 << 4503599627370496.0;
    }
    void roundHalfAwayFromZero() {
        QFETCH(double, x);
        QFETCH(double, r);
        QCOMPARE(RoundHalfAwayFromZero(x), r);
    }

    void roundDecimals_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("r");
        QTest::newRow("1.005 follows binary") << 2 << 1.005 << 1.0;
        QTest::newRow("2.675 product rounds up") << 2 << 2.675 << 2.68;
        QTest::newRow("0.125") << 2 << 0.125 << 0.13;
        QTest::newRow("-1.235") << 2 << -1.235 << -1.24;
        QTest::newRow("0.00005 to 4") << 4 << 0.00005 << 0.0001;
        QTest::newRow("zero") << 2 << 0.0 << 0.0;
        QTest::newRow("quantity") << 4 << 1.23456 << 1.2346;
        QTest::newRow("negative quantity") << 4 << -1.23456 << -1.2346;
        QTest::newRow("tens") << -1 << 1234.5 << 1230.0;
        QTest::newRow("tens half") << -1 << 1235.0 << 1240.0;
        QTest::newRow("0 decimals") << 0 << 2.5 << 3.0;
    }
    void roundDecimals() {
        QFETCH(int, n);
        QFETCH(double, x);
        QFETCH(double, r);
        QCOMPARE(RoundDecimals(qint16(n), x), r);
    }

    void nthToken_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("r");
        QTest::newRow("0") << QStringLiteral("a|b||c") << 0 << QStringLiteral("a");
        QTest::newRow("1") << QStringLiteral("a|b||c") << 1 << QStringLiteral("b");
        QTest::newRow("2 empty") << QStringLiteral("a|b||c") << 2 << QString();
        QTest::newRow("3") << QStringLiteral("a|b||c") << 3 << QStringLiteral("c");
        QTest::newRow("4 beyond") << QStringLiteral("a|b||c") << 4 << QString();
        QTest::newRow("no delimiter 0") << QStringLiteral("abc") << 0 << QStringLiteral("abc");
        QTest::newRow("no delimiter 1") << QStringLiteral("abc") << 1 << QString();
        QTest::newRow("trailing empty") << QStringLiteral("a|") << 1 << QString();
        QTest::newRow("negative") << QStringLiteral("a|b") << -1 << QString();
    }
    void nthToken() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, r);
        QCOMPARE(NthToken(text, QLatin1Char('|'), n), r);
    }

    void textHelpers() {
        QCOMPARE(LeftChars(QStringLiteral("Příjemka"), 3), QStringLiteral("Pří"));
        QCOMPARE(LeftChars(QStringLiteral("ab"), 5), QStringLiteral("ab"));
        QCOMPARE(LeftChars(QStringLiteral("ab"), 0), QString());
        QCOMPARE(LeftChars(QStringLiteral("ab"), -3), QString());
        QCOMPARE(ReplaceChar(QStringLiteral("1,5"), QLatin1Char(','), QStringLiteral(".")),
                 QStringLiteral("1.5"));
        QCOMPARE(ReplaceChar(QStringLiteral("a,b,c"), QLatin1Char(','), QString()), QStringLiteral("abc"));
        QCOMPARE(ReplaceChar(QStringLiteral("aAa"), QLatin1Char('a'), QStringLiteral("xy")),
                 QStringLiteral("xyAxy"));
    }

    void replaceText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("r");
        QTest::addColumn<QString>("out");
        QTest::newRow("case-insensitive") << QStringLiteral("X PRIJEM.EXE y") << QStringLiteral("prijem.exe")
                                          << QStringLiteral("|") << QStringLiteral("X | y");
        QTest::newRow("replacement containing s")
            << QStringLiteral("aa") << QStringLiteral("a") << QStringLiteral("aa") << QStringLiteral("aaaa");
        QTest::newRow("keeps case outside") << QStringLiteral("Ab ab AB") << QStringLiteral("b")
                                            << QStringLiteral("c") << QStringLiteral("Ac ac Ac");
        QTest::newRow("czech letters") << QStringLiteral("ŠKODA škoda") << QStringLiteral("škoda")
                                       << QStringLiteral("x") << QStringLiteral("x x");
        QTest::newRow("empty search")
            << QStringLiteral("abc") << QString() << QStringLiteral("x") << QStringLiteral("abc");
    }
    void replaceText() {
        QFETCH(QString, text);
        QFETCH(QString, s);
        QFETCH(QString, r);
        QFETCH(QString, out);
        QCOMPARE(ReplaceText(text, s, r), out);
    }

    void dateToSqlText() {
        QCOMPARE(DateToSqlText(QDate(2014, 3, 7)), QStringLiteral("2014-03-07"));
        QCOMPARE(DateToSqlText(QDateTime(QDate(999, 12, 31), QTime(23, 59))), QStringLiteral("0999-12-31"));
    }

    void alreadyDoneToday() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        const QDate day(2026, 12, 11);
        QVERIFY(!AlreadyDoneToday(QStringLiteral("prijem"), folder, day));
        QVERIFY(AlreadyDoneToday(QStringLiteral("prijem"), folder, day));
        QVERIFY(AlreadyDoneToday(QStringLiteral("prijem"), folder, day));
        QVERIFY(!AlreadyDoneToday(QStringLiteral("prijem"), folder, day.addDays(1))); // after midnight
        QVERIFY(AlreadyDoneToday(QStringLiteral("prijem"), folder, day.addDays(1)));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("prijem.ini"))));
        QVERIFY(!AlreadyDoneToday(QStringLiteral("prijem"), folder, day.addDays(1)));
        // other sections of the file survive
        IniFile ini(dir.filePath(QStringLiteral("prijem.ini")));
        ini.setValue(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_ItemIndex"), QStringLiteral("2"));
        QVERIFY(ini.save());
        QVERIFY(AlreadyDoneToday(QStringLiteral("prijem"), folder, day.addDays(1)));
        QCOMPARE(IniFile(dir.filePath(QStringLiteral("prijem.ini")))
                     .value(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_ItemIndex")),
                 QStringLiteral("2"));
    }

    void alreadyDoneTodayUnwritable() {
        // a folder that cannot be written: never an error, the flag simply is not kept
        QVERIFY(!AlreadyDoneToday(QStringLiteral("prijem"), QStringLiteral("/proc/")));
        QVERIFY(!AlreadyDoneToday(QStringLiteral("prijem"), QStringLiteral("/proc/")));
    }

    void programFolderAndPaths() {
        QVERIFY(ProgramFolder().endsWith(QLatin1Char('/')));
        QCOMPARE(PathInFolder(QStringLiteral("/opt/p/"), QStringLiteral("\\fr3\\pri1.fr3")),
                 QStringLiteral("/opt/p/fr3/pri1.fr3"));
        QCOMPARE(PathInFolder(QStringLiteral("/opt/p"), QStringLiteral("fr3\\sezn1.fr3")),
                 QStringLiteral("/opt/p/fr3/sezn1.fr3"));
    }

    void runProgram() {
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("done"));
        QVERIFY(RunProgram(QStringLiteral("sh -c \"sleep 0.2; touch '%1'\"").arg(marker), true, true));
        QVERIFY(QFile::exists(marker)); // waited until the process ended
        QVERIFY(!RunProgram(QStringLiteral("no-such-program-xyz --x"), false, false));
        QVERIFY(!RunProgram(QString(), false, false));
    }

    void shellOpen() { QVERIFY(!ShellOpen(QStringLiteral("/no/such/file.pdf"))); }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
