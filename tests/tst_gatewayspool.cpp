// The gateway's spool: what a spool file holds after the cuts a crash or a power cut can
// make, and the spool kept across a restart.
#include "gateway/ReadingSpool.h"
#include "gateway/SpoolRecords.h"

#include <QtTest>

namespace
{
MqttMessage state(int n)
{
    return {"levelconf/12345/state", "{\"n\":" + QByteArray::number(n) + "}", false};
}

// The file of `script`, one letter a record: R a reading (numbered from 1 in turn), D
// settled through the last reading, X the last reading settled alone.
QByteArray spoolOf(const QString &script)
{
    QByteArray out(SpoolRecords::kHeader, SpoolRecords::kHeaderBytes);
    quint64 seq = 0;
    for (const QChar c : script) {
        if (c == 'R') {
            ++seq;
            out += SpoolRecords::reading(seq, state(int(seq)));
        }
        if (c == 'D')
            out += SpoolRecords::settledThrough(seq);
        else if (c == 'X')
            out += SpoolRecords::settled(seq);
    }
    return out;
}

QString pendingText(const SpoolRecords::Contents &c)
{
    QStringList out;
    for (const SpoolRecords::Pending &p : c.pending) {
        QString s = QString::number(p.seq);
        if (p.message.topic != state(int(p.seq)).topic ||
            p.message.payload != state(int(p.seq)).payload)
            s += "?";
        out << s;
    }
    return out.join(',');
}
} // namespace

class tst_GatewaySpool : public QObject
{
    Q_OBJECT

private slots:
    // The bytes as a crash leaves them: the readings that are read back, and where the
    // intact part ends.
    void whatAFileHolds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<int>("cut"); // bytes of the file beyond its intact part

        const QByteArray three = spoolOf("RRR");
        const int last = int(SpoolRecords::reading(3, state(3)).size());
        QTest::newRow("empty: made, nothing written yet") << QByteArray() << "" << 0;
        QTest::newRow("cut inside its header") << QByteArray("LCSP") << "" << 0;
        QTest::newRow("readings") << three << "1,2,3" << 0;
        QTest::newRow("settled through the second") << spoolOf("RRDR") << "3" << 0;
        QTest::newRow("one settled out of turn") << spoolOf("RRXR") << "1,3" << 0;
        QTest::newRow("everything settled") << spoolOf("RRRD") << "" << 0;
        QTest::newRow("the last record cut in its frame")
            << three.left(three.size() - last + 5) << "1,2" << 5;
        QTest::newRow("the last record cut in its body")
            << three.left(three.size() - 3) << "1,2" << last - 3;
        QByteArray flipped = three;
        flipped[flipped.size() - 2] = flipped.at(flipped.size() - 2) ^ 0x20;
        QTest::newRow("the last record's bytes changed") << flipped << "1,2" << last;
        QByteArray zeroed = three;
        zeroed.replace(three.size() - last, last, QByteArray(last, '\0'));
        QTest::newRow("zeros where the last record was (the size came, not the data)")
            << zeroed << "1,2" << last;
        QByteArray huge = spoolOf("R");
        huge += QByteArray("\xff\xff\xff\x7f") + QByteArray(12, 'x');
        QTest::newRow("a length beyond reason") << huge << "1" << 16;
    }
    void whatAFileHolds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, pending);
        QFETCH(int, cut);
        const std::optional<SpoolRecords::Contents> c = SpoolRecords::read(bytes);
        QVERIFY(c);
        QCOMPARE(pendingText(*c), pending);
        QCOMPARE(qMax(bytes.size(), qsizetype(SpoolRecords::kHeaderBytes)) -
                     qMax(c->intactBytes, qint64(SpoolRecords::kHeaderBytes)),
                 qint64(cut));
    }

    void anotherFileIsNoSpool() { QVERIFY(!SpoolRecords::read("port = /dev/ttyUSB0\n")); }

    // Written, settled in part, closed and opened again as by a restart: what was not
    // settled comes back in order, numbered on; a torn end goes; a compaction keeps it all.
    void keptAcrossARestart_data()
    {
        QTest::addColumn<int>("readings");
        QTest::addColumn<QList<int>>("settled");
        QTest::addColumn<QString>("back");
        QTest::newRow("none settled") << 4 << QList<int>{} << "1,2,3,4";
        QTest::newRow("the first two delivered") << 4 << QList<int>{1, 2} << "3,4";
        QTest::newRow("out of turn") << 4 << QList<int>{2, 4} << "1,3";
        QTest::newRow("all delivered") << 3 << QList<int>{1, 3, 2} << "";
        // Enough settled records for the file to be rewritten without them.
        QList<int> most;
        for (int i = 1; i <= 30000; ++i)
            most << i;
        QTest::newRow("rewritten") << 30003 << most << "30001,30002,30003";
    }
    void keptAcrossARestart()
    {
        QFETCH(int, readings);
        QFETCH(QList<int>, settled);
        QFETCH(QString, back);
        QTemporaryDir dir;
        std::vector<SpoolRecords::Pending> held;
        quint64 next = 0;
        QString error;
        {
            ReadingSpool spool(dir.path());
            QVERIFY2(spool.open(&held, &next, &error), qPrintable(error));
            QCOMPARE(next, quint64(1));
            for (int i = 1; i <= readings; ++i) {
                spool.append(quint64(i), state(i));
                if (i % 500 == 0)
                    QCoreApplication::processEvents(); // a write a turn, now and then
            }
            for (int s : settled)
                spool.settle(quint64(s));
            QTest::qWait(ReadingSpool::kSyncMs + 200);
            QCOMPARE(spool.held(), readings - int(settled.size()));
        }
        const qint64 size = QFileInfo(dir.filePath("readings.spool")).size();
        QVERIFY(size < 2 * 1024 * 1024);
        // A power cut in the middle of the next write.
        QFile f(dir.filePath("readings.spool"));
        QVERIFY(f.open(QIODevice::Append));
        f.write(SpoolRecords::reading(99999, state(99999)).left(20));
        f.close();

        ReadingSpool again(dir.path());
        QVERIFY2(again.open(&held, &next, &error), qPrintable(error));
        SpoolRecords::Contents c;
        c.pending = held;
        QCOMPARE(pendingText(c), back);
        QVERIFY(next > quint64(held.empty() ? 0 : held.back().seq));
        QCOMPARE(QFileInfo(dir.filePath("readings.spool")).size(), back.isEmpty() ? 8 : size);
    }

    // Two gateways on one spool would deliver its readings twice.
    void oneGatewayASpool()
    {
        QTemporaryDir dir;
        std::vector<SpoolRecords::Pending> held;
        quint64 next = 0;
        QString error;
        ReadingSpool first(dir.path());
        QVERIFY(first.open(&held, &next, &error));
        ReadingSpool second(dir.path());
        QVERIFY(!second.open(&held, &next, &error));
        QCOMPARE(error, "spool " + dir.path() + ": in use by another levelconf-gateway");

        QFile other(dir.filePath("other/readings.spool"));
        QVERIFY(QDir(dir.path()).mkpath("other") && other.open(QIODevice::WriteOnly));
        other.write("# not a spool\n");
        other.close();
        ReadingSpool foreign(dir.filePath("other"));
        QVERIFY(!foreign.open(&held, &next, &error));
        QCOMPARE(error, "spool " + other.fileName() + ": not a spool file of levelconf-gateway");
    }
};

QTEST_GUILESS_MAIN(tst_GatewaySpool)
#include "tst_gatewayspool.moc"
