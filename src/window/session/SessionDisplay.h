#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

// What the window's shell shows for every part: the status line, the results box and the
// Tag groups of the controls. The parts use them and do not own them.
class SessionDisplay
{
public:
    virtual ~SessionDisplay() = default;

    // The one-line status of the exchange; its colour stays until it is set again. An
    // invalid colour is the system's own.
    virtual void showStatus(const QString &text) = 0;
    virtual void setStatusColour(const QColor &colour) = 0;

    // The results box: a frame's echo, a text in place of what it held, or a text added
    // at its end.
    virtual void echoFrame(const QByteArray &frame) = 0;
    virtual void showResults(const QString &text) = 0;
    virtual void appendResults(const QString &text) = 0;

    // The Tag groups: every sensor control disabled (and firmware 1.7.6's hidden); the
    // controls of an open port switched over as the port opens; or the firmware group from
    // `lowest` to `highest` enabled (and shown, when `show`).
    virtual void closeAllTags() = 0;
    virtual void switchTags() = 0;
    virtual void enableTagGroup(int lowest, int highest, bool show) = 0;

    // Every control that would reach the port or the sensor, held disabled while the
    // firmware update has the port, then given back as it was.
    virtual void lockPortControls() = 0;
    virtual void unlockPortControls() = 0;
};
