// The calibration table between a .pl5 file and the sensor.
#include "CliRunner.h"

#include "core/calibration/CalibrationTable.h"
#include "core/calibration/TableFile.h"
#include "core/files/TextFile.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"

#include <QDir>

using namespace levelconf;

namespace
{
BusSession::Accept tableAccepted(quint8 address)
{
    // A damaged table must never reach a file from where it could be written back.
    return [address](const QByteArray &a) {
        return answerAccepted(a, {address, Cmd::ReadTable, std::nullopt}) &&
               decodeTableAnswer(a).has_value();
    };
}
} // namespace

std::optional<int> CliRunner::tableSensor(quint8 address, CliExit *failure)
{
    const std::optional<int> fw = identity(address, failure);
    if (!fw)
        return std::nullopt;
    if (const std::optional<QString> refusal = tableFirmwareRefusal(*fw)) {
        *failure = fail(CliExit::Refused, *refusal);
        return std::nullopt;
    }
    return fw;
}

CliExit CliRunner::tableRead(quint8 address, const QString &path)
{
    CliExit failure = CliExit::Ok;
    const std::optional<int> fw = tableSensor(address, &failure);
    if (!fw)
        return failure;
    m_session->log(QStringLiteral("Cmd_ReadTable: "));
    const BusSession::Reply reply =
        m_session->exchange(tableReadRequest(address), address, tableAccepted(address));
    if (reply.status != BusSession::Status::Answered)
        return replyFailure(reply, address);
    const CalibrationCells cells = *decodeTableAnswer(reply.answer);
    m_session->log(QStringLiteral("Прочитана таблица = ") + tableLogText(cells));
    // "-": the file's own bytes on standard output, and nothing else there.
    if (path == QLatin1String("-")) {
        m_out.bytes(systemTextLines(tableFileLines(cells)));
        return CliExit::Ok;
    }
    if (const std::optional<QString> error = writeTableFile(path, cells))
        return fail(CliExit::BadInput,
                    QDir::toNativeSeparators(path) + QStringLiteral(": ") + *error);
    m_out.result({{QStringLiteral("address"), address},
                  {QStringLiteral("file"), path},
                  {QStringLiteral("answer"), QStringLiteral("Table read.")}},
                 tr("Table read."));
    return CliExit::Ok;
}

CliExit CliRunner::tableWrite(quint8 address, const QString &path)
{
    QString error;
    const std::optional<QStringList> lines = readTableFile(path, &error);
    if (!lines)
        return fail(CliExit::BadInput,
                    QDir::toNativeSeparators(path) + QStringLiteral(": ") + error);
    const TableFileLoad load = loadTableLines(*lines, CalibrationCells::defaults());
    if (load.endedInsideTable || load.lines < kTableFileLines) {
        return fail(CliExit::BadInput,
                    tr("%1: a table file holds %2 lines, this one %n", nullptr, load.lines)
                        .arg(QDir::toNativeSeparators(path))
                        .arg(kTableFileLines));
    }
    const TableWriteData data = tableWriteData(load.cells, QLocale::c());
    if (data.refused)
        return fail(CliExit::BadInput, refusalMessage(*data.refused));

    CliExit failure = CliExit::Ok;
    const std::optional<int> fw = tableSensor(address, &failure);
    if (!fw)
        return failure;
    const FirmwareCapabilities caps = capabilitiesOf(*fw);
    const CliExit e = sendCommand(tableWriteRequest(address, data.bytes, caps.writeKey),
                                  tableWriteLogLine(load.cells),
                                  {QStringLiteral("table"), address, Cmd::WriteTable, caps.writeKey,
                                   awaiting({address, std::nullopt, caps})});
    return e == CliExit::Ok ? tableFlags(address, *fw) : e;
}

CliExit CliRunner::tableFlags(quint8 address, int fwVersion)
{
    // The mode goes out after the table, as the sensor has it but for the litre and per-cent
    // flags, which make the sensor use the new table.
    CliExit failure = CliExit::Ok;
    const std::optional<DataReadings> r = readData(address, fwVersion, &failure);
    if (!r)
        return failure;
    ParsedSetting mode;
    mode.code = Cmd::SetMode;
    mode.name = QStringLiteral("mode");
    const quint8 now = r->modeByte.value_or(0);
    mode.mode.exact = static_cast<quint8>((now & ~0x60) | (m_args.litres ? 0x40 : 0) |
                                          (m_args.percent ? 0x20 : 0));
    SensorFacts facts{fwVersion, r->echoByte};
    return sendSetting(mode, &address, &facts);
}
