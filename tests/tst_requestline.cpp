#include "core/protocol/RequestLine.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

class tst_RequestLine : public QObject
{
    Q_OBJECT

private slots:
    void formatsFrameAndCounts_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("answerCount");
        QTest::addColumn<QString>("expected");
        QTest::newRow("data request") << dataRequest(1) << 23 << "S485=4:23:1500:19200:3101F0C5";
        QTest::newRow("identity request")
            << identityRequest(1) << 10 << "S485=4:10:1500:19200:3101FC66";
        QTest::newRow("small bytes keep their zero")
            << QByteArray::fromHex("3105000A0F") << 5 << "S485=5:5:1500:19200:3105000A0F";
        QTest::newRow("hex is upper case")
            << QByteArray::fromHex("abcdef") << 8 << "S485=3:8:1500:19200:ABCDEF";
        QTest::newRow("two-digit length") << passwordRequest(1, false, 2000000000, true) << 4
                                          << "S485=11:4:1500:19200:3101F8A55AC377359400B2";
        QTest::newRow("nothing to send") << QByteArray() << 0 << "S485=0:0:1500:19200:";
    }
    void formatsFrameAndCounts()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, answerCount);
        QFETCH(QString, expected);
        QCOMPARE(requestLine(frame, answerCount), expected);
    }
};

QTEST_GUILESS_MAIN(tst_RequestLine)
#include "tst_requestline.moc"
