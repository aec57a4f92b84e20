// The command flow of the core with a scripted operator and a recording link: what is asked,
// refused, sent and logged, and how each answer is reported, whoever gives the commands.
#include "AnswerFrames.h"
#include "core/command/CommandFlow.h"
#include "core/command/SettingCommands.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

namespace
{
// Answers from a script, and every text it was given.
class ScriptOperator : public Operator
{
public:
    QList<bool> yes;  // the answers to the questions, in turn
    QStringList told; // the questions and refusals, marked
    QList<CommandStatus> statuses;
    QList<CommandTone> refusalTones;

    bool confirm(const QString &question) override
    {
        told << "? " + question;
        return !yes.isEmpty() && yes.takeFirst();
    }
    void refuse(const QString &message, CommandTone tone) override
    {
        told << "! " + message;
        refusalTones << tone;
    }
    std::optional<QString> typed(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void report(const CommandStatus &status) override { statuses << status; }
};

struct Sent {
    QByteArray frame;
    QString logged;
    CommandEcho echo;
    SettingsRefresh refresh;
};

class RecordLink : public CommandLink
{
public:
    bool answering = true;
    std::optional<quint8> address = 5;
    bool key = true;
    mutable QStringList logs;
    QList<Sent> sent;

    bool sensorAnswering() const override { return answering; }
    std::optional<quint8> commandAddress() const override { return address; }
    bool writeKey() const override { return key; }
    void log(const QString &line) const override { logs << line; }
    void send(const QByteArray &frame, const QString &logged, CommandEcho echo,
              SettingsRefresh refresh) override
    {
        sent.append({frame, logged, echo, refresh});
    }
};
} // namespace

class tst_CommandFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // A ranged setting: checked, addressed, confirmed, then sent once with its log line.
    void rangedSetting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QByteArray>("frame"); // empty: nothing sent

        const QString ask = "? Max value will be set. Please, confirm.";
        QTest::newRow("sent") << "750" << true << true << QStringList{ask}
                              << settingRequest(Cmd::SetMaxDistance, 5, {750}, true);
        QTest::newRow("declined") << "750" << true << false << QStringList{ask} << QByteArray();
        QTest::newRow("beyond the range")
            << "1201" << true << true << QStringList{"! Values can be from 1 to 1200 cm"}
            << QByteArray();
        // No number at all ends the command without a word, as an empty box does.
        QTest::newRow("no number") << "abc" << true << true << QStringList() << QByteArray();
        QTest::newRow("no sensor picked")
            << "750" << false << true << QStringList() << QByteArray();
    }
    void rangedSetting()
    {
        QFETCH(QString, text);
        QFETCH(bool, selected);
        QFETCH(bool, yes);
        QFETCH(QStringList, told);
        QFETCH(QByteArray, frame);
        ScriptOperator op;
        op.yes = {yes};
        RecordLink link;
        if (!selected)
            link.address.reset();
        CommandFlow flow(op, link);

        QCOMPARE(sendRangedSetting(flow, *rangedRule(Cmd::SetMaxDistance), text), !frame.isEmpty());
        QCOMPARE(op.told, told);
        QCOMPARE(link.sent.size(), frame.isEmpty() ? 0 : 1);
        if (frame.isEmpty()) {
            QVERIFY(link.logs.isEmpty());
            return;
        }
        const Sent &s = link.sent.first();
        QCOMPARE(s.frame, frame);
        QCOMPARE(link.logs, QStringList{"Cmd Set SetMaxRange: 750"});
        QCOMPARE(s.logged, QString("Cmd Set SetMaxRange: 750"));
        QCOMPARE(s.echo, CommandEcho::No);
        QCOMPARE(s.refresh, SettingsRefresh::Yes);
    }

    // Every answer is told the same way to every operator, with the same log lines.
    void answers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("red");
        QTest::addColumn<int>("tone");
        QTest::addColumn<QStringList>("logs");
        QTest::addColumn<QStringList>("told");

        const int confirmed = int(CommandTone::Confirmed);
        const int refused = int(CommandTone::Refused);
        // The distance the sensor now has follows the line, so that the log says it.
        QTest::newRow("distance limit")
            << framedAnswer(5, Cmd::SetMaxDistance, QByteArray::fromHex("ee02")) << true
            << "Max distance set" << true << false << confirmed
            << QStringList{"Max distance set 750"} << QStringList();
        QTest::newRow("distance limit without its value")
            << framedAnswer(5, Cmd::SetMaxDistance) << true << "Max distance set" << true << false
            << confirmed << QStringList{"Max distance set"} << QStringList();
        QTest::newRow("mode") << framedAnswer(5, Cmd::SetMode, QByteArray::fromHex("80")) << true
                              << " New mode set" << true << false << confirmed
                              << QStringList{" New mode set"} << QStringList();
        QTest::newRow("wrong password")
            << framedAnswer(5, Cmd::WrongPassword) << true << "Wrong password." << true << true
            << refused << QStringList{"Wrong password."} << QStringList();
        QTest::newRow("nothing to log")
            << framedAnswer(5, Cmd::Par) << true << "Par." << true << false
            << int(CommandTone::None) << QStringList() << QStringList();
        QTest::newRow("unknown code")
            << framedAnswer(5, 0x77) << true << " Wrong data! " << false << false << refused
            << QStringList{"Wrong data!", "Wrong response"} << QStringList{"! Wrong response"};
        // The readers of data answers take them.
        QTest::newRow("data") << dataAnswer() << false << QString() << true << false << 0
                              << QStringList() << QStringList();
    }
    void answers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, reported);
        QFETCH(QString, caption);
        QFETCH(bool, known);
        QFETCH(bool, red);
        QFETCH(int, tone);
        QFETCH(QStringList, logs);
        QFETCH(QStringList, told);
        ScriptOperator op;
        RecordLink link;
        const CommandFlow flow(op, link);
        const auto code = static_cast<quint8>(answer.at(2));

        const std::optional<CommandStatus> status = flow.answered(code, answer);
        QCOMPARE(status.has_value(), reported);
        QCOMPARE(op.statuses.size(), reported ? 1 : 0);
        QCOMPARE(link.logs, logs);
        QCOMPARE(op.told, told);
        if (!reported)
            return;
        const CommandStatus &s = op.statuses.first();
        QCOMPARE(s.answerCode, code);
        QCOMPARE(s.caption.logged, caption);
        QCOMPARE(s.known, known);
        QCOMPARE(s.red, red);
        QCOMPARE(int(s.tone), tone);
        if (!told.isEmpty())
            QCOMPARE(op.refusalTones, QList<CommandTone>{CommandTone::Refused});
    }
};

QTEST_GUILESS_MAIN(tst_CommandFlow)
#include "tst_commandflow.moc"
