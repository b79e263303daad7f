#pragma once
// Ctrl+C, and a request to terminate, during a long command: noted rather than
// obeyed at once, so that the command can remove what it made and then exit
// with the status a shell expects of the signal.

namespace tallix::cli {

// From now on, SIGINT and SIGTERM (on Windows, the console's Ctrl+C, Ctrl+Break
// and close) only set the stop status.
void CatchStopSignals();

// 0 until a stop arrived; then the exit status it asks for: 130 for an
// interrupt, 143 for a termination.
int StopStatus();

}  // namespace tallix::cli
