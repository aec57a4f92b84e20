// What levelconf-cli writes where: progress only for a person at a terminal, every error
// line in one style, and a result that standard output did not take never lost quietly.
#include "cli/CliOutput.h"

#include <QtTest>

#include <csignal>
#include <unistd.h>

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

// A standard output whose writes fail as `how` says.
FILE *failingOutput(const QString &how)
{
    if (how == "full disk")
        return fopen("/dev/full", "w");
    if (how == "closed output")
        return fopen("/dev/null", "r"); // what a run started with >&- writes to
    int ends[2];
    if (::pipe(ends) != 0)
        return nullptr;
    ::close(ends[0]); // the reader went away
    return fdopen(ends[1], "w");
}
} // namespace

class tst_CliOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }

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
            QCOMPARE(o.failure(), CliOutput::Failure::None);
        }
        QCOMPARE(contents(errFile), err);
        QCOMPARE(contents(out), QByteArray("text\na,b\r\n{\"a\":1}\r\n"));
        fclose(out);
        fclose(errFile);
    }

    void aResultNotWrittenIsKept_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<CliOutput::Failure>("failure");
        QTest::newRow("full disk") << "full disk" << CliOutput::Failure::WriteFailed;
        QTest::newRow("closed output") << "closed output" << CliOutput::Failure::WriteFailed;
        QTest::newRow("reader gone") << "reader gone" << CliOutput::Failure::ReaderGone;
    }

    void aResultNotWrittenIsKept()
    {
        QFETCH(QString, how);
        QFETCH(CliOutput::Failure, failure);
        FILE *out = failingOutput(how);
        FILE *errFile = tmpfile();
        QVERIFY(out && errFile);
        CliOutput o(out, errFile, false);
        o.result({{"a", 1}}, "first");
        QCOMPARE(o.failure(), failure);
        QVERIFY(!o.failureText().isEmpty());
        const QString first = o.failureText();
        // The first failure is the one kept, and nothing more is tried.
        o.line("second");
        QCOMPARE(o.failureText(), first);
        QCOMPARE(contents(errFile), QByteArray());
        fclose(out);
        fclose(errFile);
    }
};

QTEST_GUILESS_MAIN(tst_CliOutput)
#include "tst_clioutput.moc"
