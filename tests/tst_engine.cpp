#include "AnswerFrames.h"
#include "WindowHarness.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"
#include "window/widgets/Colours.h"

#include "WindowProbes.h"

#include <QtTest>

using namespace levelconf;

using Tones = QList<QPair<int, int>>;

// The exchange engine: one frame out and one answer in per tick, and what each answer does.
class tst_Engine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    // ---- what goes out ----

    void pollsAddressZeroWithoutAskingItsIdentity()
    {
        WindowHarness h;
        h.openPort();
        h.w().engine().tick();
        h.w().engine().tick();
        QCOMPARE(h.port.writes, (QList<QByteArray>{bytes({0x31, 0x00, 0xF0, 0x01}),
                                                   bytes({0x31, 0x00, 0xF0, 0x01})}));
        QCOMPARE(h.port.readCalls, 2);
    }

    void pendingRequestGoesOutOnceThenPollingResumes()
    {
        WindowHarness h;
        h.openPort();
        // An answer without calibration values: the decoder says so once.
        h.w().parts().monitor->showData(dataAnswer({}, 12));
        QCOMPARE(h.dialogs.messages(), QStringList{"Change empty value"});
        h.w().parts().monitor->showData(dataAnswer({}, 12));
        QCOMPARE(h.dialogs.messages().size(), 1);
        h.w().engine().queue(shiftRequest(0, false, 20, false));
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), shiftRequest(0, false, 20, false));
        // Sending the command lets the decoder's message come once more.
        h.w().parts().monitor->showData(dataAnswer({}, 12));
        QCOMPARE(h.dialogs.messages().size(), 2);
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), dataRequest(0));
    }

    void addressChangeDropsAPendingRequest()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->CmbNet->addItem("5");
        h.w().engine().tick();
        h.w().engine().queue(shiftRequest(0, true, -3, false));
        h.ui()->CmbNet->setCurrentIndex(1);
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), identityRequest(5));
        // Asked once: from now on the sensor is polled.
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), dataRequest(5));
    }

    void entryThatIsNotAnAddressSendsNothingBuiltFromIt()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->CmbNet->addItems({"300", "x1"});
        for (int i : {1, 2}) {
            h.ui()->CmbNet->setCurrentIndex(i);
            h.w().engine().tick();
            QCOMPARE(h.port.writes.last(), QByteArray());
        }
        QCOMPARE(h.ui()->MsgCom->text(), QString("No data from sensor with address x1"));
        // Neither counted as a change of sensor: back on 0, it is polled, not asked.
        h.ui()->CmbNet->setCurrentIndex(0);
        QCOMPARE(frameOfNextTick(h), dataRequest(0));
        h.ui()->CmbNet->setCurrentIndex(2);
        // The way out, a search, still goes out.
        h.ui()->Opros->click();
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), searchRequest());
        h.port.reads = {bytes({4})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"4"});
        QCOMPARE(h.port.writes.last(), QByteArray());
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), identityRequest(4));
        // With no entry at all nothing is polled either.
        h.ui()->CmbNet->clear();
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), QByteArray());
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void tableWriteIsFollowedByTheModeButton()
    {
        WindowHarness h;
        h.openPort();
        // The mode button's own check answers for it here: the sensor has not answered.
        const QStringList pressed{"Sensor not connected!"};
        h.w().engine().followTableWrite();
        h.w().engine().tick();
        QVERIFY(h.dialogs.messages().isEmpty());
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(), pressed);
        QCOMPARE(h.logEvents().filter("Cmd Change mode to").size(), 1);
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(), pressed);
    }

    void frequencyModeRefusesOperatorRequests()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {framedAnswer(5, 0xFE, bytes({0x01, 0xF4}))};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString("Sensor set to Frequency mode."));
        QCOMPARE(h.ui()->Uroven->text(), QString("500 Гц."));
        QVERIFY(h.w().engine().frequencyMode());
        QVERIFY(h.logEvents().filter("Frequency").isEmpty());

        h.w().engine().queue(shiftRequest(0, false, 20, false));
        h.port.reads = {framedAnswer(5, 0xFE, bytes({0x00, 0x64}))};
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(),
                 QStringList{"This command cannot be executed in Frequency mode. Disconnect the "
                             "sensor, reconnect it and click Search sensors"});
        QCOMPARE(h.port.writes.last(), QByteArray());
        // The answer is still read and shown.
        QCOMPARE(h.ui()->Uroven->text(), QString("100 Гц."));
        QVERIFY(h.w().engine().frequencyMode());

        // Plain polling goes on, the dropped request is not sent, and the first other answer
        // ends frequency mode.
        h.port.reads = {dataAnswer()};
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), dataRequest(0));
        QVERIFY(!h.w().engine().frequencyMode());
        QCOMPARE(h.ui()->Uroven->text(), QString("123.4"));
        h.w().engine().queue(shiftRequest(0, false, 20, false));
        QCOMPARE(frameOfNextTick(h), shiftRequest(0, false, 20, false));
        QCOMPARE(h.dialogs.messages().size(), 1);
    }

    void frequencyAnswerTooShortKeepsTheLastFrequency()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {framedAnswer(5, 0xFE)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->Uroven->text(), QString("No data"));
        QVERIFY(h.w().engine().frequencyMode());
    }

    // ---- what comes in ----

    void silenceIsNoData()
    {
        WindowHarness h;
        h.openPort();
        h.w().engine().tick();
        QVERIFY(h.w().engine().noData());
        QCOMPARE(h.ui()->MsgCom->text(), QString("No data from sensor with address 0"));
        QVERIFY(!textColourOf(h.ui()->MsgCom).isValid());
        QCOMPARE(h.logEvents().last(), QString("No data from sensor with address 0"));
        QCOMPARE(fillOf(h.ui()->Pic), Colours::White);
        QCOMPARE(h.port.flushes, 1); // the read's own, none for the tick
        h.w().engine().tick();
        QCOMPARE(fillOf(h.ui()->Pic), Colours::Grey);
        QCOMPARE(h.logEvents().filter("No data from sensor").size(), 2);
    }

    void answerLightsTheLampAndEchoesBothCheckBytes()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {bytes({0x3E, 0x05, 0xFA, 0x00})};
        h.w().engine().tick();
        QVERIFY(!h.w().engine().noData());
        QCOMPARE(fillOf(h.ui()->Pic), Colours::Red);
        QCOMPARE(h.port.flushes, 1);
        QCOMPARE(h.ui()->len_answ->text(), QString("4"));
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith("3E 5 FA 0 DF \n"));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::DarkGreen);
        // Confirmations are taken whatever their check byte.
        QCOMPARE(h.ui()->MsgCom->text(), QString(" Empty value set."));
    }

    void longAnswerIsNotEchoed()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->txtRec->clear();
        h.port.reads = {framedAnswer(5, 0xFA, QByteArray(26, '\1'))};
        h.w().engine().tick();
        QCOMPARE(h.ui()->len_answ->text(), QString("30"));
        QVERIFY(h.ui()->txtRec->toPlainText().startsWith("31 0 F0 1 \n"));
    }

    void fourByteAnswerIsFramedThreeIsNot()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {bytes({0x3E, 0x05, 0xFA, 0xDF}), bytes({0x3E, 0x05, 0xFA})};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString(" Empty value set."));
        QCOMPARE(h.tone.beeps, (Tones{{1000, 100}}));
        h.ui()->Opros->click();
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString("Network polled."));
        QCOMPARE(comboItems(h.ui()->CmbNet), (QStringList{"62", "5", "250"}));
        QCOMPARE(h.tone.beeps.size(), 1);
    }

    void confirmations_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("highTone");
        QTest::addColumn<QByteArray>("data");
        auto row = [](int code, const char *caption, const QString &log, bool tone,
                      const QByteArray &data = {}) {
            QTest::addRow("%02X", code)
                << code << QString::fromUtf8(caption) << log << tone << data;
        };
        row(0xFA, " Empty value set.", " Установлен нижний уровень.", true);
        row(0xF5, " Full value set.", " Full value set.", true);
        row(0xFB, " Network address modified.", " Network address modified.", true);
        row(0xF6, "Serial number set.", "Serial number set.", false);
        row(0xD0, "Ambient conditions changed.", " Ambient conditions changed.", false);
        row(0xF9, "Empty value shifted.", "Empty value shifted.", true);
        row(0xF4, "Full value shifted.", "Full value shifted.", true);
        row(0xF8, "Password accepted.", "Password accepted.", true);
        row(0xF7, "Password changed.", "Password changed.", true);
        row(0x06, "Par.", "", false);
        row(0xED, "Empty value changed manually.", "Директивно изменен нижний уровень.", true);
        row(0xEC, "Full value changed manually.", "Директивно изменен верхний уровень.", true);
        row(0xF1, "Tank calibration table set.", "Установлена Тарировочная таблица.", true);
        // A table answer is taken only whole: 40 values after the code.
        QByteArray table;
        QString values;
        for (int v = 1; v <= 40; ++v) {
            table += bytes({0, v});
            values += QString::number(v) + ", ";
        }
        row(0xEF, "Table read.", "Прочитана таблица = " + values, true, table);
    }
    void confirmations()
    {
        QFETCH(int, code);
        QFETCH(QString, caption);
        QFETCH(QString, log);
        QFETCH(bool, highTone);
        QFETCH(QByteArray, data);
        WindowHarness h;
        h.openPort();
        const int logLines = h.logEvents().size();
        h.port.reads = {framedAnswer(5, quint8(code), data)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), caption);
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::DarkGreen);
        const QStringList lines = h.logEvents().mid(logLines);
        QCOMPARE(lines, log.isEmpty() ? QStringList{} : QStringList{log});
        QCOMPARE(h.tone.beeps, (highTone ? Tones{{1000, 100}} : Tones{}));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void wrongPasswordIsRedWithTheLowTone()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {framedAnswer(5, 0xFD)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString("Wrong password."));
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::Red);
        QCOMPARE(h.logEvents().last(), QString("Wrong password."));
        QCOMPARE(h.tone.beeps, (Tones{{400, 800}}));
        // The next answer is green again.
        h.port.reads = {framedAnswer(5, 0xF8)};
        h.w().engine().tick();
        QCOMPARE(textColourOf(h.ui()->MsgCom), Colours::DarkGreen);
    }

    void distanceConfirmationsEchoTheValue()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {framedAnswer(5, 0xEE, bytes({42})),
                        framedAnswer(5, 0xE9, bytes({0xE8, 0x03})), framedAnswer(5, 0xE9)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString("Min dist b/n 2 objects set."));
        QCOMPARE(h.ui()->lamp_level->text(), QString("42"));
        QCOMPARE(h.logEvents().last(), QString("Уст. новый уровень ав. ост. топлива."));
        h.w().engine().tick();
        QCOMPARE(h.ui()->MsgCom->text(), QString("Max distance set"));
        QCOMPARE(h.ui()->maxLong->text(), QString("1000"));
        QCOMPARE(h.logEvents().last(), QString("Max distance set 1000"));
        // Too short to carry the distance: confirmed, but the field keeps its text.
        h.w().engine().tick();
        QCOMPARE(h.ui()->maxLong->text(), QString("1000"));
        QCOMPARE(h.logEvents().last(), QString("Max distance set"));
        QCOMPARE(h.tone.beeps.size(), 3);
    }

    void unknownCodeIsWrongData()
    {
        WindowHarness h;
        h.openPort();
        const int logLines = h.logEvents().size();
        // While the box is up, caption, first log line and first tone are already there.
        QString captionDuringBox;
        QStringList logDuringBox;
        int tonesDuringBox = -1;
        h.dialogs.whileShown = [&] {
            captionDuringBox = h.ui()->MsgCom->text();
            logDuringBox = h.logEvents().mid(logLines);
            tonesDuringBox = h.tone.beeps.size();
        };
        h.port.reads = {framedAnswer(5, 0x77, bytes({1, 2}))};
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages(), QStringList{"Wrong response"});
        QCOMPARE(captionDuringBox, QString(" Wrong data! "));
        QCOMPARE(logDuringBox, QStringList{"Wrong data!"});
        QCOMPARE(tonesDuringBox, 1);
        QCOMPARE(h.logEvents().mid(logLines), (QStringList{"Wrong data!", "Wrong response"}));
        QCOMPARE(h.tone.beeps, (Tones{{400, 800}, {400, 800}}));
        QCOMPARE(h.ui()->MsgCom->text(), QString(" Wrong data! "));
    }

    void everyCodeWithoutARowIsWrongData()
    {
        for (int code = 0; code < 256; ++code) {
            const bool handled =
                confirmationFor(quint8(code)) || QList<int>{0xFC, 0xF0, 0xFE, 0xEF}.contains(code);
            WindowHarness h;
            h.openPort();
            h.port.reads = {framedAnswer(5, quint8(code))};
            h.w().engine().tick();
            QCOMPARE(h.dialogs.messages().contains("Wrong response"), !handled);
        }
    }

    void dataAnswerWithBadCrcChangesNothing()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {dataAnswer()};
        h.w().engine().tick();
        const QStringList before = readingTexts(h.ui());
        const int logLines = h.logEvents().size();
        DataFields f;
        f.amplitude = 9999;
        f.output = 10;
        f.emptyValue = 1;
        f.minDistance = 99;
        QByteArray bad = dataAnswer(f);
        bad[bad.size() - 1] = char(bad.back() ^ 1);
        h.port.reads = {bad};
        h.w().engine().tick();
        QCOMPARE(readingTexts(h.ui()), before);
        QCOMPARE(h.logEvents().size(), logLines);
        QCOMPARE(h.ui()->MsgCom->text(), QString("Sensor connected"));
        QVERIFY(h.dialogs.shown.isEmpty());
        // The same answer intact is shown.
        h.port.reads = {dataAnswer(f)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->tek->text(), QString("9999"));
    }

    // Once the sensor's firmware is known, its data and mode answers must have the length
    // it gives them: two sensors at one address, or an answer cut short, are not taken,
    // whatever their CRC says. Before that, a data answer is read as far as it goes.
    void answersOfAKnownLengthMustHaveIt_data()
    {
        QTest::addColumn<int>("fw"); // the identity answered first; 0: none
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("taken");
        DataFields f;
        f.amplitude = 4242;
        QTest::newRow("data, whole") << 176 << dataAnswer(f, 26) << true;
        QTest::newRow("data cut short") << 176 << dataAnswer(f, 12) << false;
        QTest::newRow("data of a newer firmware") << 163 << dataAnswer(f, 26) << false;
        QTest::newRow("data of two sensors")
            << 176 << dataAnswer(f, 26) + dataAnswer(f, 26) << false;
        QTest::newRow("data cut short, firmware not known") << 0 << dataAnswer(f, 12) << true;
        QTest::newRow("mode, whole") << 176 << framedAnswer(5, 0xF2, bytes({0x02, 0x13})) << true;
        QTest::newRow("mode without its echo")
            << 176 << framedAnswer(5, 0xF2, bytes({0x02})) << false;
        QByteArray badCrc = framedAnswer(5, 0xF2, bytes({0x02}));
        badCrc[4] = char(badCrc[4] ^ 1);
        QTest::newRow("mode, check byte wrong") << 163 << badCrc << false;
    }
    void answersOfAKnownLengthMustHaveIt()
    {
        QFETCH(int, fw);
        QFETCH(QByteArray, answer);
        QFETCH(bool, taken);
        WindowHarness h;
        h.openPort();
        if (fw != 0) {
            h.ui()->CmbNet->addItem("5");
            h.ui()->CmbNet->setCurrentIndex(1);
            h.port.reads = {framedAnswer(5, 0xFC, bytes({0x39, 0x30, 0, 0, fw, 0}))};
            h.w().engine().tick();
            h.w().engine().tick();
        }
        h.w().parts().monitor->showModes(0x80);
        h.port.reads = {answer};
        h.tone.beeps.clear();
        h.w().engine().tick();
        const bool mode = answer.at(2) == char(0xF2);
        if (!mode) {
            QCOMPARE(h.ui()->tek->text() == "4242", taken);
            return;
        }
        QCOMPARE(h.ui()->R_a->isChecked(), taken);
        QCOMPARE(h.ui()->MsgCom->text(),
                 taken ? QString(" New mode set") : QString("Mode answer damaged: not confirmed."));
        const Tones tone{taken ? qMakePair(1000, 100) : qMakePair(400, 800)};
        QCOMPARE(h.tone.beeps, tone);
    }

    // ---- network search ----

    void searchAnswerFillsTheAddressList()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->Opros->click();
        h.w().engine().tick();
        h.port.reads = {bytes({0x03, 0x07})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), (QStringList{"3", "7"}));
        QCOMPARE(h.ui()->CmbNet->currentIndex(), 0);
        QCOMPARE(h.ui()->netdev->text(), QString("3 7 "));
        QCOMPARE(h.logEvents().last(), QString("Устройства в сети 3 7 "));
        // The search has had its answer: a later unframed one is no list.
        h.port.reads = {bytes({0x05})};
        h.w().engine().tick();
        QCOMPARE(h.port.writes.last(), identityRequest(3));
        QCOMPARE(comboItems(h.ui()->CmbNet), (QStringList{"3", "7"}));
    }

    void searchStaysPendingThroughOtherAnswersAndSilence()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->Opros->click();
        h.port.reads = {QByteArray(), dataAnswer()};
        h.w().engine().tick();
        h.w().engine().tick();
        QCOMPARE(h.ui()->tek->text(), QString("1000"));
        h.port.reads = {bytes({9})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"9"});
        // Taken once: the next one is no list.
        h.port.reads = {bytes({4})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"9"});
    }

    void searchAnswerOfTwentyBytesIsNoise()
    {
        WindowHarness h;
        h.openPort();
        h.ui()->netdev->setText("5 ");
        QByteArray twenty;
        for (int i = 1; i <= 20; ++i)
            twenty.append(char(i));
        h.ui()->Opros->click();
        h.port.reads = {twenty};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"0"});
        QCOMPARE(h.ui()->netdev->text(), QString("5 "));
        QCOMPARE(h.ui()->MsgCom->text(), QString("Sensor connected"));
        // It was the search's answer all the same: a list coming after it is not taken.
        h.port.reads = {twenty.left(19)};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"0"});

        h.ui()->Opros->click();
        h.port.reads = {twenty.left(19)};
        h.w().engine().tick();
        QCOMPARE(h.ui()->CmbNet->count(), 19);
    }

    void unframedAnswerWithoutASearchIsIgnored()
    {
        WindowHarness h;
        h.openPort();
        h.port.reads = {bytes({3, 7})};
        h.w().engine().tick();
        QCOMPARE(comboItems(h.ui()->CmbNet), QStringList{"0"});
        QCOMPARE(h.ui()->MsgCom->text(), QString("Sensor connected"));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    // ---- failed writes ----

    void fourthFailedWriteInARowClosesThePort()
    {
        WindowHarness h;
        h.openPort();
        h.port.writeCounts = {0, 0, 0, 0};
        h.port.reads = {framedAnswer(5, 0xFA)};
        const QByteArray shift = shiftRequest(0, false, 1, false);
        h.w().engine().queue(shift);
        for (int i = 1; i <= 3; ++i) {
            h.w().engine().tick();
            // The failure is told once, the first time.
            QCOMPARE(h.dialogs.messages(), QStringList{"Error! COM port unavailable"});
            // A frame the port did not take is dropped: the tick after it polls.
            QCOMPARE(h.port.writes.last(), i == 1 ? shift : dataRequest(0));
            QVERIFY(h.port.opened);
            QVERIFY(h.w().engine().isPolling());
        }
        // The answer read in a failed tick is dropped.
        QCOMPARE(h.ui()->MsgCom->text(), QString("Error! COM port unavailable"));
        h.w().engine().tick();
        QCOMPARE(h.dialogs.messages().size(), 1);
        QVERIFY(!h.port.opened);
        QVERIFY(!h.w().engine().isPolling());
        QVERIFY(portListRefreshes(h));
        QCOMPARE(frameOfNextTick(h), dataRequest(0));
    }

    void goodWriteStartsTheCountAgain()
    {
        WindowHarness h;
        h.openPort();
        h.port.writeCounts = {0, 0, 0, 4, 0, 0, 0};
        for (int i = 0; i < 7; ++i)
            h.w().engine().tick();
        QVERIFY(h.port.opened);
        // Told again only after a write went through in between.
        QCOMPARE(h.dialogs.messages().size(), 2);
        // Three in a row since the good one: the next failure is the fourth.
        h.port.writeCounts = {0};
        h.w().engine().tick();
        QVERIFY(!h.port.opened);
    }

    void boxInsideATickDoesNotLetTheTimerIn()
    {
        WindowHarness h;
        h.openPort();
        int nested = 0;
        h.dialogs.whileShown = [&] {
            ++nested;
            h.w().engine().tick();
            h.w().engine().tick();
        };
        h.port.writeCounts = {0};
        h.port.reads = {framedAnswer(5, 0xFA)};
        h.w().engine().tick();
        QCOMPARE(nested, 1);
        QCOMPARE(h.port.writes.size(), 1);
        QCOMPARE(h.port.readCalls, 1);

        // The "Wrong response" box and the decoder's message likewise.
        h.port.reads = {framedAnswer(5, 0x77), dataAnswer({}, 12)};
        h.w().engine().tick();
        h.w().engine().tick();
        QCOMPARE(nested, 3);
        QCOMPARE(h.port.writes.size(), 3);
        QCOMPARE(h.port.readCalls, 3);
        QCOMPARE(h.ui()->tek->text(), QString("1000"));

        // Once the box is gone the ticks run again.
        h.dialogs.whileShown = nullptr;
        h.w().engine().tick();
        QCOMPARE(h.port.writes.size(), 4);
    }

    void timerDrivesTheTick()
    {
        WindowHarness h;
        h.openPort();
        QCOMPARE(h.w().engine().interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!h.port.writes.isEmpty(), 3000);
        QCOMPARE(h.port.writes.first(), dataRequest(0));
    }
};

QTEST_MAIN(tst_Engine)
#include "tst_engine.moc"
