#pragma once

#include <QObject>

#include <memory>

namespace levelconf
{

// The system's requests that the program stop: on Unix SIGTERM (a desktop logging out,
// kill), SIGINT (Ctrl+C in the terminal that started it) and SIGHUP (that terminal
// closed). From the moment they are caught until this object goes, each arrives as
// requested() on the thread that caught them, never inside the signal handler; then the
// handlers that were there before come back.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void requested(int signal);
};

// The platform's catcher, or nothing where the requests cannot be caught (another
// catcher exists, or the platform has none): they then end the program at once.
std::unique_ptr<TerminationSignals> catchTerminationSignals();

} // namespace levelconf
