#include "Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

void prepareStandardStreams() {}
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

bool standardErrorIsTerminal()
{
    return isatty(fileno(stderr)) != 0;
}

void prepareStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Read-only: a write to it fails. The lowest free number is this one, the ones
        // below it being taken already.
        const int taken = ::open("/dev/null", O_RDONLY);
        if (taken >= 0 && taken != fd) {
            ::dup2(taken, fd);
            ::close(taken);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
}
#endif
