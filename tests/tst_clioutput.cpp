// What levelconf-cli writes where: progress only for a person at a terminal.
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
                                  << QByteArray("\rBlock 10 of 224\rStarting       \nDone\n");
        QTest::newRow("pipe") << false << QByteArray("Done\n");
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
            o.progress("Block 10 of 224");
            o.progress("Starting");
            o.error("Done");
            o.result({{"a", 1}}, "text");
            o.setJson(true);
            o.result({{"a", 1}}, "text");
        }
        QCOMPARE(contents(errFile), err);
        QCOMPARE(contents(out), QByteArray("text\n{\"a\":1}\n"));
        fclose(out);
        fclose(errFile);
    }
};

QTEST_GUILESS_MAIN(tst_CliOutput)
#include "tst_clioutput.moc"
