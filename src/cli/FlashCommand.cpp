// A firmware image written through the sensor's boot loader.
#include "CliRunner.h"

#include "core/firmware/FirmwareFile.h"
#include "core/firmware/FirmwareImage.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/firmware/UpdateTexts.h"

#include <QEventLoop>

using namespace levelconf;

namespace
{
CliExit exitFor(UpdateResult::Outcome outcome)
{
    switch (outcome) {
    case UpdateResult::Outcome::Done:
        return CliExit::Ok;
    case UpdateResult::Outcome::Cancelled:
        return CliExit::Interrupted;
    case UpdateResult::Outcome::PortLost:
        return CliExit::Port;
    case UpdateResult::Outcome::StartNotConfirmed:
    case UpdateResult::Outcome::StartRefused:
    case UpdateResult::Outcome::Failed:
        break;
    }
    return CliExit::UpdateFailed;
}

QString outcomeWord(UpdateResult::Outcome outcome)
{
    switch (outcome) {
    case UpdateResult::Outcome::Done:
        return QStringLiteral("done");
    case UpdateResult::Outcome::StartNotConfirmed:
        return QStringLiteral("start-not-confirmed");
    case UpdateResult::Outcome::StartRefused:
        return QStringLiteral("start-refused");
    case UpdateResult::Outcome::Cancelled:
        return QStringLiteral("cancelled");
    case UpdateResult::Outcome::PortLost:
        return QStringLiteral("port-lost");
    case UpdateResult::Outcome::Failed:
        break;
    }
    return QStringLiteral("failed");
}
} // namespace

CliExit CliRunner::flash(const QString &path)
{
    const SensorType type = m_args.type == QLatin1String("PL140") ? pl140Type() : pl540Type();
    // The whole image is checked before anything goes out: the loader erases the sensor
    // first, and a file found wanting after that would leave it with nothing.
    QString reason;
    if (const std::optional<QByteArray> image = readFirmwareFile(path, &reason)) {
        const PlanResult result = planFirmwareUpdate(*image, type, m_args.eeprom);
        if (result.plan)
            return runUpdate(*result.plan, path);
        reason = result.refusal;
    }
    return fail(CliExit::BadInput, firmwareRefusalText(path, type, reason));
}

CliExit CliRunner::runUpdate(const FirmwarePlan &plan, const QString &path)
{
    FirmwareUpdate update(m_port);
    m_update = &update;
    QEventLoop loop;
    std::optional<UpdateResult> result;
    const int blocks = static_cast<int>(plan.blocks.size());
    int written = 0;
    // The window's progress texts, with the blocks written and the blocks in all.
    const auto progress = [&](FirmwareUpdate::Phase phase) {
        const QString text = phaseFormat(phase)
                                 .replace(QLatin1String("%v"), QString::number(written))
                                 .replace(QLatin1String("%m"), QString::number(blocks));
        // The first is what the operator is to do now, said once wherever it is read.
        if (phase == FirmwareUpdate::Phase::Synchronising)
            m_out.notice(text);
        else
            m_out.progress(text);
    };
    connect(&update, &FirmwareUpdate::phaseChanged, this, progress);
    connect(&update, &FirmwareUpdate::blockWritten, this, [&](int done, int) {
        written = done;
        progress(FirmwareUpdate::Phase::Blocks);
    });
    connect(&update, &FirmwareUpdate::finished, this, [&](const UpdateResult &r) {
        result = r;
        loop.quit();
    });
    m_session->log(firmwareStartLogLine(path, plan));
    if (!m_interrupted && update.start(plan) && !result)
        loop.exec();
    m_update = nullptr;
    m_out.endProgress();
    if (!result)
        return fail(CliExit::Interrupted, tr("Interrupted."));

    const Closing closing = closingFor(*result, UpdateFront::CommandLine);
    m_session->log(closing.log);
    for (const QString &text : result->loaderMessages)
        m_out.error(text);
    if (result->outcome == UpdateResult::Outcome::PortLost)
        m_out.error(tr("Error! COM port unavailable"));
    if (!closing.box.isEmpty())
        m_out.error(closing.box);
    m_out.result({{QStringLiteral("file"), path},
                  {QStringLiteral("type"), plan.type.name},
                  {QStringLiteral("blocks"), blocks},
                  {QStringLiteral("blocks_written"), written},
                  {QStringLiteral("outcome"), outcomeWord(result->outcome)}},
                 result->outcome == UpdateResult::Outcome::Done ? tr("Firmware update done.")
                                                                : QString());
    return exitFor(result->outcome);
}
