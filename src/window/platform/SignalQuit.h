#pragma once

#include "core/system/TerminationSignals.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QWidget;

// Ends the program in order when the system asks it to stop, as closing the main window
// does: the window is closed, which releases the port and writes the log's closing
// line, and the event loop ends. A box that is open then is closed first, as if
// cancelled, and the window waits for the handler that showed it to finish, so that the
// closing line is the log's last; boxes that the closing itself shows are closed too.
class SignalQuit : public QObject
{
    Q_OBJECT

public:
    SignalQuit(QWidget *window, std::unique_ptr<levelconf::TerminationSignals> requests);
    ~SignalQuit() override;

    // False when the requests are not caught and end the program at once.
    bool isActive() const { return m_requests != nullptr; }

private:
    void stop();
    void closeBox();

    QPointer<QWidget> m_window;
    std::unique_ptr<levelconf::TerminationSignals> m_requests;
    QTimer m_boxCloser;
    int m_boxesClosed = 0;
    bool m_stopping = false;
};
