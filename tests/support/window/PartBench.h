#pragma once

#include "FakeDialogs.h"
#include "FakeSerialPort.h"
#include "FakeTone.h"
#include "core/log/SessionLog.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/session/SelectedSensor.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"

#include <QStringList>
#include <QTemporaryDir>

// The shell's displays, recorded.
class RecordingDisplay : public SessionDisplay
{
public:
    QStringList statuses;
    QStringList echoes; // frames in hex
    QString results;
    int tagsClosed = 0;
    int tagsSwitched = 0;
    QList<QPair<int, int>> groupsEnabled;
    int locks = 0;
    int unlocks = 0;

    void showStatus(const QString &text) override { statuses.append(text); }
    void setStatusColour(const QColor &) override {}
    void echoFrame(const QByteArray &frame) override { echoes.append(frame.toHex().toUpper()); }
    void showResults(const QString &text) override { results = text; }
    void appendResults(const QString &text) override { results += text; }
    void closeAllTags() override { ++tagsClosed; }
    void switchTags() override { ++tagsSwitched; }
    void enableTagGroup(int lowest, int highest, bool) override
    {
        groupsEnabled.append({lowest, highest});
    }
    void lockPortControls() override { ++locks; }
    void unlockPortControls() override { ++unlocks; }
};

// The sensor a test says is picked.
class PickedSensor : public SelectedSensor
{
public:
    std::optional<QString> entry = QStringLiteral("5");
    bool isAnswering = true;
    int firmware = 176;
    QString level = QStringLiteral("12,3");

    std::optional<QString> selectedEntry() const override { return entry; }
    bool answering() const override { return isAnswering; }
    levelconf::FirmwareCapabilities capabilities() const override
    {
        return levelconf::capabilitiesOf(firmware);
    }
    QString presentLevel() const override { return level; }
    std::optional<levelconf::FirmwareCapabilities> capabilitiesAt(quint8) const override
    {
        return capabilities();
    }
};

// One part's world without the main window: a scripted port and its engine, scripted
// boxes, recorded tones, a session log in a temporary folder, the shell's displays
// recorded, and a sensor picked by the test.
class PartBench
{
public:
    PartBench();

    // Event texts of the session log, without their time stamps.
    QStringList logEvents() const;
    // One engine tick; the frame it wrote, in hex, empty when it wrote none.
    QString tick();

    QTemporaryDir dir;
    FakeSerialPort port;
    FakeDialogs dialogs;
    FakeTone tone;
    levelconf::SessionLog log;
    levelconf::ExchangeEngine engine{port};
    RecordingDisplay display;
    PickedSensor sensor;
    SensorSession session;
};
