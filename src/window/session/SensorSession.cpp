#include "SensorSession.h"

#include "SelectedSensor.h"
#include "SessionDisplay.h"
#include "TableFlags.h"
#include "core/input/AddressText.h"
#include "core/log/SessionLog.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/platform/Tone.h"

using namespace levelconf;

SensorSession::SensorSession(const Platform &platform, ExchangeEngine &engine,
                             const SessionLog &log, SessionDisplay &display, QObject *parent)
    : QObject(parent), m_platform(platform), m_operator(*platform.dialogs, display, platform.tone),
      m_engine(engine), m_log(log), m_display(display)
{
    if (!m_platform.clock)
        m_platform.clock = [] { return QDateTime::currentDateTime(); };
    connect(&m_engine, &ExchangeEngine::answered, this, &SensorSession::takeAnswer);
    connect(this, &SensorSession::portOpened, this, [this] { m_portOpen = true; });
    connect(this, &SensorSession::portClosed, this, [this] { m_portOpen = false; });
}

void SensorSession::log(const QString &text) const
{
    m_log.append(text, m_platform.clock().time());
}

void SensorSession::beep(int frequencyHz, int durationMs) const
{
    if (m_platform.tone)
        m_platform.tone->Beep(frequencyHz, durationMs);
}

std::optional<quint8> SensorSession::selectedAddress() const
{
    const std::optional<QString> entry = m_sensor ? m_sensor->selectedEntry() : std::nullopt;
    if (!entry)
        return std::nullopt;
    // Any address byte: the list holds every byte a search brought.
    return addressFromText(*entry, 255);
}

QString SensorSession::selectedEntry() const
{
    return m_sensor ? m_sensor->selectedEntry().value_or(QString()) : QString();
}

bool SensorSession::sensorAnswering() const
{
    return m_sensor && m_sensor->answering();
}

FirmwareCapabilities SensorSession::capabilities() const
{
    return m_sensor ? m_sensor->capabilities() : capabilitiesOf(0);
}

bool SensorSession::answerIntact(const QByteArray &answer) const
{
    // The window takes the answer of whichever sensor sent it, and judges it by that
    // sensor's firmware. A tick reads what came in answer to the frame of the tick before:
    // just after the operator picks another sensor, that is the answer of the one picked
    // before, and the window has always shown it for that second. Refusing it for its
    // address would leave the readings on screen as they were and put a gap into the
    // trend. The code needs no check either: the engine routes the answer by its code. The
    // other answers, the confirmations among them, are shown as they come.
    const std::optional<quint8> address = byteAt(answer, 2);
    const std::optional<FirmwareCapabilities> caps =
        m_sensor && address ? m_sensor->capabilitiesAt(*address) : std::nullopt;
    return answerAccepted(answer, {std::nullopt, std::nullopt, caps});
}

void SensorSession::takeAnswer(quint8 code, const QByteArray &answer)
{
    if ((code == Cmd::ReadData || code == Cmd::SetMode) && !answerIntact(answer)) {
        if (code == Cmd::ReadData) {
            emit readingMissed();
            return;
        }
        emit answerDamaged(code, answer);
        return;
    }
    emit answerTaken(code, answer);
    if (!m_claimed.contains(code))
        command().answered(code, answer);
}

void SensorSession::claimConfirmations(const QList<quint8> &codes)
{
    for (const quint8 code : codes)
        m_claimed.insert(code);
}

void SensorSession::send(const QByteArray &frame, const QString &logged, CommandEcho echo,
                         SettingsRefresh refresh)
{
    m_engine.queue(frame);
    if (echo == CommandEcho::Yes)
        m_display.echoFrame(frame);
    emit settingQueued(frame, logged);
    if (refresh == SettingsRefresh::Yes)
        emit sensorSettingsWanted();
}

QString SensorSession::presentLevel() const
{
    return m_sensor ? m_sensor->presentLevel() : QStringLiteral("No data");
}

Qt::CheckState SensorSession::litresFlag() const
{
    return m_tableFlags ? m_tableFlags->litres() : m_litres;
}

Qt::CheckState SensorSession::percentFlag() const
{
    return m_tableFlags ? m_tableFlags->percent() : m_percent;
}

void SensorSession::setTableFlags(Qt::CheckState litres, Qt::CheckState percent)
{
    if (m_tableFlags) {
        m_tableFlags->setFlags(litres, percent);
    } else {
        m_litres = litres;
        m_percent = percent;
    }
    emit litresFlagChanged();
    emit percentFlagChanged();
}
