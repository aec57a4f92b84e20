// levelconf-cli's exchanges with one sensor: what a command learns from its tries.
#include "AnswerFrames.h"
#include "FakeSerialPort.h"
#include "cli/BusSession.h"
#include "core/log/SessionLog.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

class tst_CliSession : public QObject
{
    Q_OBJECT

private slots:
    // Each letter is what one try brings: A an answer taken, D one that came but is not
    // taken (damaged, or not the one awaited), - nothing. A damaged answer on any try says
    // the sensor heard the request: after a new address was taken, its later tries at the
    // old address meet silence, yet the setting may well have been taken.
    void whatTheTriesBrought_data()
    {
        QTest::addColumn<QString>("tries");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("taken at once") << "A" << true << false;
        QTest::newRow("taken at the second") << "DA" << true << false;
        QTest::newRow("silence") << "---" << false << false;
        QTest::newRow("damaged every time") << "DDD" << false << true;
        QTest::newRow("damaged, then silence") << "D--" << false << true;
        QTest::newRow("damaged at the last") << "--D" << false << true;
    }
    void whatTheTriesBrought()
    {
        QFETCH(QString, tries);
        QFETCH(bool, answered);
        QFETCH(bool, damaged);
        FakeSerialPort port;
        const SessionLog log; // never started: its lines go nowhere
        BusSession session(port, log);
        int sent = 0;
        port.responder = [&](const QByteArray &) {
            const QChar brought = tries.at(sent++);
            return brought == '-' ? QByteArray()
                                  : framedAnswer(5, Cmd::ReadIdentity, QByteArray(6, '\0'));
        };
        const auto taken = [&](const QByteArray &) { return tries.at(sent - 1) == 'A'; };
        const BusSession::Reply reply =
            session.exchange(identityRequest(5), 5, taken, int(tries.size()));
        QCOMPARE(sent, int(tries.size()));
        QCOMPARE(reply.status == BusSession::Status::Answered, answered);
        QCOMPARE(reply.damaged, damaged);
    }
};

QTEST_GUILESS_MAIN(tst_CliSession)
#include "tst_clisession.moc"
