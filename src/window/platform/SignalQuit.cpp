#include "SignalQuit.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

using namespace levelconf;

namespace
{
// A handler may show a second box when its first is cancelled; past this many the window
// closes regardless.
constexpr int kMaxBoxesClosed = 10;
constexpr int kBoxCheckMs = 20;
} // namespace

SignalQuit::SignalQuit(QWidget *window, std::unique_ptr<TerminationSignals> requests)
    : m_window(window), m_requests(std::move(requests))
{
    if (m_requests)
        connect(m_requests.get(), &TerminationSignals::requested, this, &SignalQuit::stop);
}

SignalQuit::~SignalQuit() = default;

void SignalQuit::stop()
{
    if (m_stopping)
        return;
    if (QWidget *box = QApplication::activeModalWidget(); box && m_boxesClosed < kMaxBoxesClosed) {
        ++m_boxesClosed;
        box->close();
        QTimer::singleShot(kBoxCheckMs, this, &SignalQuit::stop);
        return;
    }
    m_stopping = true;
    // Closing can raise boxes of its own (an update cut short says how it ended, and logs
    // it too); nobody may be there to answer them.
    connect(&m_boxCloser, &QTimer::timeout, this, &SignalQuit::closeBox);
    m_boxCloser.start(kBoxCheckMs);
    if (m_window)
        m_window->close();
    m_boxCloser.stop();
    // Leaves every event loop, a box that would not close among them.
    QCoreApplication::exit(0);
}

void SignalQuit::closeBox()
{
    if (QWidget *box = QApplication::activeModalWidget())
        box->close();
}
