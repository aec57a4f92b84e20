#pragma once

// What the command line's exit status says went wrong, for scripts to act on.
enum class CliExit {
    Ok = 0,
    Usage = 1,         // the command line itself is wrong
    Port = 2,          // the port cannot be opened, or was lost
    NoAnswer = 3,      // no sensor answered, after three tries, or its answer was damaged
    Refused = 4,       // the sensor refused: wrong password, frequency mode, wrong answer
    BadInput = 5,      // a value, a table file or a firmware image that cannot be sent
    UpdateFailed = 6,  // the firmware update failed or its start went unconfirmed
    OutputFailed = 7,  // the results could not be written to standard output
    Interrupted = 130, // Ctrl+C (SIGINT) or another request to stop
    ReaderGone = 141   // the reader of standard output went away, as for a tool that
                       // SIGPIPE ends (128 + 13)
};

inline int exitStatus(CliExit e)
{
    return static_cast<int>(e);
}
