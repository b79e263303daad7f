#include "app/cli/cli_commands.h"

#include <csignal>
#include <initializer_list>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tallix::cli {

namespace {

// Written by the handler, read between blocks of work.
volatile std::sig_atomic_t stopStatus = 0;

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD event) {
  const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
  stopStatus = interrupt ? 130 : 143;
  // The system ends the process when this returns from a close: wait for the
  // command to clean up and exit first.
  if (!interrupt) Sleep(INFINITE);
  return TRUE;
}
#else
extern "C" void OnStopSignal(int signal) { stopStatus = 128 + signal; }
#endif

}  // namespace

void CatchStopSignals() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM}) sigaction(signal, &action, nullptr);
#endif
}

int StopStatus() { return stopStatus; }

}  // namespace tallix::cli
