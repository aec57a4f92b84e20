#pragma once

#include <QByteArray>
#include <QStringList>

class QComboBox;
class WindowHarness;
namespace Ui
{
class frmSerial;
}

// What the window shows, read in one go, to compare before and after an answer.

// The items of a combo box, in order.
QStringList comboItems(const QComboBox *combo);

// The texts of the reading labels and settings boxes that a data answer writes, and the
// level bar's value.
QStringList readingTexts(const Ui::frmSerial *ui);

// What the window keeps to itself, found out the way an operator would. Each of these
// runs the window on: it ticks the engine or feeds it an answer.

// One engine tick; the frame it wrote, empty when it wrote none.
QByteArray frameOfNextTick(WindowHarness &h);

// Whether the next data answer rewrites the settings controls with the sensor's own
// settings. Feeds the window one data answer.
bool settingsFollowNextAnswer(WindowHarness &h);

// The full scale of the level bar for the next data answer. Feeds one data answer.
int nextLevelBarRange(WindowHarness &h);

// The mode byte the data log line names: the last one read from the sensor. Needs an open
// port and a window that is not waiting to follow the sensor's settings. Feeds one data
// answer.
QString loggedModeByte(WindowHarness &h);

// Whether a setting sent now to the selected sensor carries the write key, as it does for
// the firmware the window last identified from 1.7.5 on. Sends the minimum distance.
bool settingsCarryTheKey(WindowHarness &h);

// Whether the port list follows the ports present, as it does once a second while no port
// is open: a port that turns up is listed within the second. Waits up to 1.5 s.
bool portListRefreshes(WindowHarness &h);
