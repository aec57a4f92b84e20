#pragma once

// Whether standard error is a terminal a person watches, rather than a file or a pipe.
bool standardErrorIsTerminal();

// Readies the standard streams before anything else opens a file. A stream the run was
// started without (">&-") has its number taken by something that refuses writes: the next
// file opened, the session log or the port, would otherwise get that number and receive
// whatever is written to the stream, results sent to the sensor bus among them. A write
// to it now fails as a write to a closed stream does. And a reader of standard output
// that goes away ("| head -3") makes the next write fail instead of ending the run before
// the port is closed and the log has its last line.
void prepareStandardStreams();
