#pragma once

#include "WindowOperator.h"
#include "core/command/CommandFlow.h"
#include "core/command/CommandLink.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/sensor/DataAnswer.h"
#include "window/platform/Platform.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <optional>

namespace levelconf
{
class ExchangeEngine;
} // namespace levelconf
class OperatorDialogs;
class SelectedSensor;
namespace levelconf
{
class SerialPort;
} // namespace levelconf
class SessionDisplay;
namespace levelconf
{
class SessionLog;
} // namespace levelconf
class TableFlags;

// What the parts of the window share: the port and its engine, the boxes, the tone, the
// session log, the shell's displays and the sensor the operator picked. A part talks to
// the others only through the session's signals, never to their members. The parts' commands
// go through it to the engine.
class SensorSession : public QObject, public levelconf::CommandLink
{
    Q_OBJECT

public:
    SensorSession(const Platform &platform, levelconf::ExchangeEngine &engine,
                  const levelconf::SessionLog &log, SessionDisplay &display,
                  QObject *parent = nullptr);

    levelconf::SerialPort &port() const { return *m_platform.port; }
    levelconf::ExchangeEngine &engine() const { return m_engine; }
    OperatorDialogs &dialogs() const { return *m_platform.dialogs; }
    SessionDisplay &display() const { return m_display; }
    QString programFolder() const { return m_platform.programFolder; }
    QDateTime now() const { return m_platform.clock(); }
    // The set of texts the window shows.
    levelconf::Language language() const { return m_platform.language; }

    // Between portOpened and portClosed.
    bool portOpen() const { return m_portOpen; }

    // The session log's next line; a log that cannot be written loses the line, never the
    // work on the bus.
    void log(const QString &text) const override;
    void beep(int frequencyHz, int durationMs) const;

    // The monitor tells which sensor is picked. Until it does, none is.
    void setSelectedSensor(const SelectedSensor *sensor) { m_sensor = sensor; }
    // The selected entry of the address list as an address 0 to 255; nothing when no entry
    // is selected or its text is no such address.
    std::optional<quint8> selectedAddress() const;
    // The selected entry as the list shows it; empty when none is selected.
    QString selectedEntry() const;
    bool sensorAnswering() const override;
    levelconf::FirmwareCapabilities capabilities() const;
    QString presentLevel() const;

    // The litre and per-cent flags of the mode: kept by the table editor, shown on the
    // main window, sent with the mode. Until the editor's part tells where they are, the
    // session keeps them.
    void setTableFlagKeeper(TableFlags *keeper) { m_tableFlags = keeper; }
    Qt::CheckState litresFlag() const;
    Qt::CheckState percentFlag() const;
    void setTableFlags(Qt::CheckState litres, Qt::CheckState percent);

    // A command of a part, to the selected sensor, asked and told through the window's boxes
    // and status line.
    levelconf::CommandFlow command() { return levelconf::CommandFlow(m_operator, *this); }
    // The confirmations a part shows itself, through its command flow, when they come. The
    // session shows the others: those no part's command asks for, and wrong answers.
    void claimConfirmations(const QList<quint8> &codes);

    // How the flow reaches the engine.
    std::optional<quint8> commandAddress() const override { return selectedAddress(); }
    bool writeKey() const override { return capabilities().writeKey; }
    void send(const QByteArray &frame, const QString &logged, levelconf::CommandEcho echo,
              levelconf::SettingsRefresh refresh) override;

signals:
    // An answer of the sensor for the parts to take. The engine's data and mode answers
    // come only whole and intact: a damaged data answer is a missed reading, a damaged mode
    // answer comes as answerDamaged.
    void answerTaken(quint8 code, const QByteArray &answer);
    // A confirmation came damaged: it confirms nothing, which the part whose command it
    // answers says.
    void answerDamaged(quint8 code, const QByteArray &answer);
    void portOpened();
    void portClosed();
    // The open port stopped working (a device gone, a write refused): the readings on
    // screen are no longer live. The port is closed a little later.
    void portFailed();
    // A part asks for the port to be closed, as the "Close port" button does.
    void portCloseRequested();
    // A data answer was shown: its readings, the stability lamp they lit and the level
    // range the mode controls show.
    void dataShown(const levelconf::DataReadings &readings, levelconf::StabilityLamp lamp,
                   bool range4096);
    // A data answer came that could not be taken: the reading it was to bring is missing.
    void readingMissed();
    // A command queued `frame` and logged `logText` for it.
    void settingQueued(const QByteArray &frame, const QString &logText);
    // The next data answer is to show the sensor's own settings in the settings controls.
    void sensorSettingsWanted();
    // One of the table flags was set or clicked.
    void litresFlagChanged();
    void percentFlagChanged();

private:
    void takeAnswer(quint8 code, const QByteArray &answer);
    // The answer has the length and CRC it must have, whichever sensor sent it. The data
    // and mode answers of the sensor whose firmware is known have that firmware's length;
    // two sensors answering at one address, or an answer cut short, do not, whatever their
    // CRC says.
    bool answerIntact(const QByteArray &answer) const;

    Platform m_platform;
    WindowOperator m_operator;
    QSet<quint8> m_claimed;
    levelconf::ExchangeEngine &m_engine;
    const levelconf::SessionLog &m_log;
    SessionDisplay &m_display;
    const SelectedSensor *m_sensor = nullptr;
    bool m_portOpen = false;
    TableFlags *m_tableFlags = nullptr;
    Qt::CheckState m_litres = Qt::Unchecked;
    Qt::CheckState m_percent = Qt::Unchecked;
};
