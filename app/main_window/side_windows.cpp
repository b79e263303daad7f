// Placeholders until the side windows, the tape files and the stopwatch are
// built: each command is accepted and does nothing.
#include "app/main_window/side_windows.h"

namespace tallix::side {

void OpenConverter(HWND) {}
void OpenAreaCalculator(HWND) {}
void OpenVolumeCalculator(HWND) {}
void OpenLoanWindow(HWND) {}
void OpenTransferTest(HWND) {}
void ShowHelp(HWND) {}
void ReopenHelpAt(HWND, int) {}
void OpenOptions(HWND) {}
void OpenAbout(HWND) {}

void SaveTape(HWND) {}
void LoadTape(HWND) {}
void PrintTape(HWND) {}

void StopwatchStartStop(HWND) {}
void StopwatchLap(HWND) {}
void StopwatchReset(HWND) {}
void StopwatchTick(HWND) {}

}  // namespace tallix::side
