#pragma once

#include "BusSession.h"
#include "CliArguments.h"
#include "CliExit.h"
#include "CliOutput.h"
#include "SettingKeys.h"
#include "core/log/SessionLog.h"

#include <QObject>
#include <memory>
#include <optional>

namespace levelconf
{
class CommandFlow;
class FirmwareUpdate;
class SerialPort;
struct FirmwarePlan;
struct DataReadings;
struct IdentityAnswer;
enum class StabilityLamp;
} // namespace levelconf

// One run of the command line: the port opened, the command carried out, the outcome as
// an exit status. The port and the output are the caller's, so tests can give their own.
class CliRunner : public QObject
{
    Q_OBJECT

public:
    CliRunner(const CliArguments &args, levelconf::SerialPort &port, CliOutput &output,
              QObject *parent = nullptr);
    ~CliRunner() override;

    CliExit run();
    // A request to stop (Ctrl+C): the exchange or the update under way is given up.
    void interrupt();

private:
    std::optional<QString> argumentRefusal() const;
    CliExit runCommand();
    void startLog();
    CliExit fail(CliExit code, const QString &text);
    // Opens the port at `device`: nothing when it is open, the failure's status otherwise.
    std::optional<CliExit> openPort(const QString &device);
    CliExit replyFailure(const BusSession::Reply &reply, quint8 address);
    // The status once standard output has had its say: a result it did not take is no
    // success.
    CliExit withOutput(CliExit result);

    // Reads of the sensor.
    CliExit search();
    QByteArray answeringAddresses(const QByteArray &searchAnswer);
    CliExit info(quint8 address);
    CliExit watch(quint8 address);
    void printReading(const levelconf::DataReadings &r, quint8 address, bool lampKnown,
                      levelconf::StabilityLamp lamp);
    // The identity, asked `tries` times; nothing when no intact one came.
    std::optional<levelconf::IdentityAnswer> askIdentity(quint8 address, int tries,
                                                         BusSession::Reply *reply);
    std::optional<int> identity(quint8 address, CliExit *failure, QJsonObject *shown = nullptr);
    std::optional<levelconf::DataReadings> readData(quint8 address, int fwVersion,
                                                    CliExit *failure);

    // Settings and the table.
    CliExit set(quint8 address, const QStringList &assignments);
    CliExit addressesFree(quint8 address, const QList<ParsedSetting> &settings);
    CliExit notConnected(CliExit failure, const ParsedSetting &first);
    CliExit sendSetting(const ParsedSetting &s, quint8 *address, SensorFacts *facts);
    // What a setting's request waits for: the confirmation `code` from the sensor at
    // `address`, in an answer `accept` takes, the request sent again when `resent`.
    struct Awaited {
        QString key; // the setting as the command line names it
        quint8 address = 0;
        quint8 code = 0;
        bool writeKey = false;
        BusSession::Accept accept;
        bool resent = true;
    };
    // `frame` through the command flow, after `logLine`, and the sensor's answer to it.
    CliExit sendCommand(const QByteArray &frame, const QString &logLine, const Awaited &awaited);
    CliExit confirmation(const levelconf::CommandFlow &flow, const BusSession::Reply &reply,
                         const Awaited &awaited);
    CliExit tableRead(quint8 address, const QString &path);
    CliExit tableWrite(quint8 address, const QString &path);
    CliExit tableFlags(quint8 address, int fwVersion);
    // The firmware of a sensor that has a table; nothing, with the failure, otherwise.
    std::optional<int> tableSensor(quint8 address, CliExit *failure);

    // The firmware.
    CliExit flash(const QString &path);
    CliExit runUpdate(const levelconf::FirmwarePlan &plan, const QString &path);

    CliArguments m_args;
    levelconf::SerialPort &m_port;
    CliOutput &m_out;
    levelconf::SessionLog m_log;
    std::unique_ptr<BusSession> m_session;
    levelconf::FirmwareUpdate *m_update = nullptr;
    bool m_interrupted = false;
};
