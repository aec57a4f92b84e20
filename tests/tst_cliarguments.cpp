// The command line's arguments: each command takes its own options and no other.
#include "cli/CliArguments.h"

#include <QtTest>

using namespace levelconf;

class tst_CliArguments : public QObject
{
    Q_OBJECT

private slots:
    void optionsBelongToTheirCommand_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after --port P
        QTest::addColumn<QString>("error");         // empty: taken
        QTest::newRow("search, raw") << QStringList{"search", "--raw"} << QString();
        QTest::newRow("search with a count")
            << QStringList{"search", "--count", "3"} << "search does not take --count";
        QTest::newRow("info with litres")
            << QStringList{"info", "15", "--litres"} << "info does not take --litres";
        QTest::newRow("watch, csv, count")
            << QStringList{"watch", "5", "--csv", "--count", "2"} << QString();
        QTest::newRow("watch, csv and json")
            << QStringList{"--json", "watch", "5", "--csv"}
            << "--csv and --json are two ways to print the readings: give one";
        QTest::newRow("table read with a flag")
            << QStringList{"table", "read", "5", "t.pl5", "--percent"}
            << "table read does not take --percent";
        QTest::newRow("table read to standard output, as JSON")
            << QStringList{"--json", "table", "read", "5", "-"}
            << "table read to - prints the table file itself; --json has nothing to add";
        // Every command takes the language; a language the program has not is refused.
        QTest::newRow("search in Russian")
            << QStringList{"search", "--language", "ru"} << QString();
        QTest::newRow("unknown language") << QStringList{"info", "5", "--language", "de"}
                                          << "--language takes en, ru or described, not de";
        QTest::newRow("set with raw")
            << QStringList{"set", "5", "mode=analog", "--raw"} << "set does not take --raw";
    }

    void optionsBelongToTheirCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QString got;
        const auto args = parseCliArguments(QStringList{"--port", "P"} + arguments, &got);
        QCOMPARE(args.has_value(), error.isEmpty());
        QCOMPARE(got, error);
    }
};

QTEST_GUILESS_MAIN(tst_CliArguments)
#include "tst_cliarguments.moc"
