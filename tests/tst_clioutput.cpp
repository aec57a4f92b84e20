// What levelconf-cli writes where: progress only for a person at a terminal, and every
// error line in one style.
#include "cli/CliOutput.h"

#include <QtTest>

namespace
{
QByteArray contents(FILE *f)
{
    fflush(f);
    rewind(f);
    QByteArray bytes;
    char buffer[256];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, qsizetype(n));
    return bytes;
}
} // namespace

class tst_CliOutput : public QObject
{
    Q_OBJECT

private slots:
    void progressIsRedrawnOnATerminalOnly_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QByteArray>("err");
        // A shorter line blanks out what is left of the longer one before it.
        QTest::newRow("terminal") << true
                                  << QByteArray("\rWaiting\rBlock 10 of 224\rStarting       \n"
                                                "levelconf-cli: Done\nlevelconf-cli: twice\n");
        QTest::newRow("pipe") << false
                              << QByteArray("levelconf-cli: Waiting\nlevelconf-cli: Done\n"
                                            "levelconf-cli: twice\n");
    }

    void progressIsRedrawnOnATerminalOnly()
    {
        QFETCH(bool, terminal);
        QFETCH(QByteArray, err);
        FILE *out = tmpfile();
        FILE *errFile = tmpfile();
        QVERIFY(out && errFile);
        {
            CliOutput o(out, errFile, terminal);
            o.notice("Waiting");
            o.progress("Block 10 of 224");
            o.progress("Starting");
            o.error("Done\ntwice");
            o.result({{"a", 1}}, "text");
            o.setCrLf(true);
            o.line("a,b");
            o.setJson(true);
            o.result({{"a", 1}}, "text");
        }
        QCOMPARE(contents(errFile), err);
        QCOMPARE(contents(out), QByteArray("text\na,b\r\n{\"a\":1}\r\n"));
        fclose(out);
        fclose(errFile);
    }
};

QTEST_GUILESS_MAIN(tst_CliOutput)
#include "tst_clioutput.moc"
