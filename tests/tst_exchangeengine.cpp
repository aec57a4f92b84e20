#include "AnswerFrames.h"
#include "FakeSerialPort.h"
#include "core/protocol/AnswerAssembly.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

// The exchange engine on its own, without a window: when an answer is whole, a tick that
// comes while one is still arriving, and one request at a time.
class tst_ExchangeEngine : public QObject
{
    Q_OBJECT

    struct Bench {
        FakeSerialPort port;
        ExchangeEngine engine{port};
        QSignalSpy answered{&engine, &ExchangeEngine::answered};
        QSignalSpy noAnswer{&engine, &ExchangeEngine::noAnswer};

        Bench()
        {
            engine.setAddressSource([] { return std::optional<quint8>(5); });
            engine.attach();
        }
        QByteArray lastAnswer() const
        {
            return answered.isEmpty() ? QByteArray() : answered.last().at(1).toByteArray();
        }
    };

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- when an answer is whole ----

    void answerIsWholeAfterItsSilenceOrTheBound_data()
    {
        QTest::addColumn<QList<int>>("bytesAt"); // ms after the read began, one byte each
        QTest::addColumn<bool>("waiting");       // a byte found waiting, announced to no one
        QTest::addColumn<bool>("request");       // a request's read, not a tick's
        QTest::addColumn<int>("now");
        QTest::addColumn<int>("left");
        QTest::newRow("tick, nothing came") << QList<int>{} << false << false << 0 << 0;
        QTest::newRow("request, nothing yet") << QList<int>{} << false << true << 100 << 156;
        QTest::newRow("request, silent to the bound") << QList<int>{} << false << true << 256 << 0;
        QTest::newRow("a byte 5 ms ago") << QList<int>{10} << false << false << 15 << 15;
        QTest::newRow("20 ms of silence") << QList<int>{10} << false << true << 30 << 0;
        QTest::newRow("the gap runs from the last byte")
            << QList<int>{10, 40} << false << false << 45 << 15;
        QTest::newRow("bytes without end stop at the bound")
            << QList<int>{200, 250} << false << true << 251 << 5;
        QTest::newRow("only bytes found waiting") << QList<int>{} << true << false << 0 << 0;
        QTest::newRow("waiting, then one more") << QList<int>{3} << true << false << 8 << 15;
    }
    void answerIsWholeAfterItsSilenceOrTheBound()
    {
        QFETCH(QList<int>, bytesAt);
        QFETCH(bool, waiting);
        QFETCH(bool, request);
        QFETCH(int, now);
        QFETCH(int, left);
        AnswerAssembly a;
        const qint64 start = 100000; // any steady clock
        a.begin(start);
        if (waiting)
            a.addWaiting("w");
        for (int at : bytesAt)
            a.add("b", start + at);
        QCOMPARE(a.msUntilComplete(start + now, request), qint64(left));
        QCOMPARE(a.take().size(), bytesAt.size() + (waiting ? 1 : 0));
        QVERIFY(a.isEmpty());
    }

    // A data answer of the length the sensor's firmware gives, intact, is whole without its
    // 20 ms of silence; anything else still waits for it.
    void aKnownAnswerIsWholeWithoutItsSilence_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("fw"); // the firmware of the sensor asked; 0: not known
        QTest::addColumn<int>("left");
        const QByteArray whole = dataAnswer();
        QByteArray damaged = whole;
        damaged[25] = char(damaged.at(25) ^ 0x01);
        DataFields other;
        other.address = 6;
        QTest::newRow("all 26 bytes, CRC good") << whole << 176 << 0;
        QTest::newRow("a 1.6.3 answer of 22") << dataAnswer({}, 22) << 163 << 0;
        QTest::newRow("one byte still to come") << whole.left(25) << 176 << 20;
        QTest::newRow("CRC wrong") << damaged << 176 << 20;
        QTest::newRow("another sensor's answer") << dataAnswer(other) << 176 << 20;
        QTest::newRow("longer than the firmware gives") << whole << 163 << 20;
        QTest::newRow("no length known") << whole << 0 << 20;
    }
    void aKnownAnswerIsWholeWithoutItsSilence()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, fw);
        QFETCH(int, left);
        AnswerAssembly a;
        std::optional<AwaitedAnswer> known;
        if (fw)
            known = AwaitedAnswer{5, 0xF0, capabilitiesOf(fw)};
        a.begin(0, known);
        a.add(answer, 10);
        QCOMPARE(a.msUntilComplete(10, true), qint64(left));
    }

    // Once a sensor's intact identity answer has named its firmware, its data answers end
    // as their last byte comes, in the next pass of the event loop.
    void anIdentityAnswerTeachesTheDataAnswersLength()
    {
        Bench b;
        QByteArray identity = withCrc(bytes({0x3E, 5, 0xFC, 0x39, 0x30, 0, 0, 176, 0}));
        b.port.responder = [&](const QByteArray &frame) {
            return frame == identityRequest(5) ? identity : QByteArray();
        };
        QVERIFY(b.engine.request(identityRequest(5)));
        QTRY_VERIFY(!b.engine.busy());
        b.port.responder = nullptr;

        QVERIFY(b.engine.request(dataRequest(5)));
        b.port.deliver(dataAnswer());
        QCoreApplication::processEvents();
        QVERIFY(!b.engine.busy());
        QCOMPARE(b.lastAnswer(), dataAnswer());
    }

    // ---- ticks ----

    // The tick comes while the answer is on the line: it ends once the answer is whole,
    // taking it in one piece, and only then puts its own frame out, as it always has. The
    // window is not held meanwhile: a command given then waits for the next tick.
    void aTickWaitsForAnAnswerStillComingIn()
    {
        Bench b;
        const QByteArray answer = dataAnswer();
        b.port.deliver(answer.left(10));
        b.engine.tick();
        QVERIFY(b.engine.busy());
        QVERIFY(b.port.writes.isEmpty());
        b.engine.queue(shiftRequest(5, false, 20, false));
        b.port.deliver(answer.mid(10));
        QTRY_VERIFY(!b.engine.busy());
        QCOMPARE(b.answered.size(), 1);
        QCOMPARE(b.lastAnswer(), answer);
        QCOMPARE(b.port.writes, QList<QByteArray>{identityRequest(5)});
        b.engine.tick();
        QCOMPARE(b.port.writes.last(), shiftRequest(5, false, 20, false));
    }

    // A tick already under way (its answer still coming in) lets no other tick or request in.
    void oneExchangeAtATime()
    {
        Bench b;
        b.port.deliver("\x3e");
        b.engine.tick();
        QVERIFY(b.engine.busy());
        b.engine.tick();
        QVERIFY(!b.engine.request(dataRequest(5)));
        QTRY_VERIFY(!b.engine.busy());
        QCOMPARE(b.port.writes.size(), 1);
    }

    // Stopped (the port closed, a firmware update begun) while a tick waits for its answer:
    // the tick ends there, nothing is sent, and the bytes that come are left to others.
    void stoppingAbandonsATickAndLeavesTheBytes()
    {
        Bench b;
        QSignalSpy chosen(&b.engine, &ExchangeEngine::frameChosen);
        b.port.deliver("\x3e\x05");
        b.engine.tick();
        QCOMPARE(chosen.size(), 1);
        b.engine.stop();
        QVERIFY(!b.engine.busy());
        b.port.deliver("\x79");
        QTest::qWait(40);
        QVERIFY(b.port.writes.isEmpty());
        QVERIFY(b.answered.isEmpty() && b.noAnswer.isEmpty());
        QCOMPARE(b.port.arrived, QByteArray("\x79"));
    }

    // ---- one request at a time ----

    void aRequestReportsItsAnswerOnceWhole()
    {
        Bench b;
        const QByteArray answer = framedAnswer(5, 0xE9, bytes({0xB0, 0x04}));
        b.port.responder = [&](const QByteArray &) { return answer; };
        QSignalSpy written(&b.engine, &ExchangeEngine::frameWritten);
        QVERIFY(b.engine.request(settingRequest(Cmd::SetMaxDistance, 5, {1200}, true)));
        QCOMPARE(written.size(), 1);
        QVERIFY(b.engine.busy());
        QTRY_VERIFY(!b.engine.busy());
        QCOMPARE(b.answered.size(), 1);
        QCOMPARE(b.answered.last().at(0).value<quint8>(), quint8(0xE9));
        QCOMPARE(b.lastAnswer(), answer);
        QVERIFY(!b.engine.noData());
    }

    // An answer that comes after the request ends on its silence, not at the bound. Timers
    // of one thread run in the order they expire, so a mark set 200 ms after the answer
    // came shows which end was taken, however late the machine runs them.
    void aRequestsAnswerEndsOnItsSilence()
    {
        Bench b;
        QVERIFY(b.engine.request(identityRequest(5)));
        b.port.deliver(framedAnswer(5, 0xFA));
        bool marked = false;
        // The mark belongs to this test: a timer still due when it ends dies with the bench.
        QTimer::singleShot(200, Qt::PreciseTimer, &b.engine, [&] { marked = true; });
        bool markedAtAnswer = true;
        connect(&b.engine, &ExchangeEngine::answerArrived, &b.engine,
                [&] { markedAtAnswer = marked; });
        QTRY_VERIFY(!b.engine.busy());
        QCOMPARE(b.answered.size(), 1);
        QVERIFY(!markedAtAnswer);
    }

    // Silence is no answer only at the bound; what came before the request is not its
    // answer.
    void aRequestWithoutAnswerEndsAtTheBound()
    {
        Bench b;
        b.port.deliver(framedAnswer(5, 0xFA));
        QVERIFY(b.engine.request(dataRequest(5)));
        QTest::qWait(200);
        QVERIFY(b.engine.busy());
        QVERIFY(b.noAnswer.isEmpty());
        QTRY_COMPARE(b.noAnswer.size(), 1);
        QVERIFY(b.answered.isEmpty());
        QVERIFY(b.engine.noData());
    }

    // A port that does not take the request: told at once, and the fourth in a row, as for
    // the ticks, stops the engine.
    void aRequestThePortRefuses()
    {
        Bench b;
        QSignalSpy failed(&b.engine, &ExchangeEngine::writeFailed);
        QSignalSpy lost(&b.engine, &ExchangeEngine::linkLost);
        b.port.writeCounts = {0, 0, 0, 0};
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(b.engine.request(dataRequest(5)));
            QVERIFY(!b.engine.busy());
            QCOMPARE(failed.size(), i);
            QCOMPARE(lost.size(), i == 4 ? 1 : 0);
        }
        QVERIFY(b.noAnswer.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ExchangeEngine)
#include "tst_exchangeengine.moc"
