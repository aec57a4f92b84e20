#pragma once

// Whether standard error is a terminal a person watches, rather than a file or a pipe.
bool standardErrorIsTerminal();
