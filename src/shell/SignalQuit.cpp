#include "SignalQuit.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

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
    if (m_window)
        m_window->close();
    // Leaves every event loop, a box that would not close among them.
    QCoreApplication::exit(0);
}
