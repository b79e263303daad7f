#pragma once
// The windows and commands that the main window opens or runs but that live
// elsewhere: the side calculators, the help, options and about windows, the
// tape files and printing, and the stopwatch. Each is one call here, so that the
// main window's routing stays the same as they arrive.
#include <windows.h>

namespace tallix::side {

void OpenConverter(HWND owner);
void OpenAreaCalculator(HWND owner);
void OpenVolumeCalculator(HWND owner);
void OpenLoanWindow(HWND owner);
void OpenTransferTest(HWND owner);
// The "Help" key and F1: focuses an open help window, else opens it.
void ShowHelp(HWND owner);
// "Help Topics" (topic 0) and "Keyboard Equivalents" (topic 500): always a fresh window.
void ReopenHelpAt(HWND owner, int topic);
void OpenOptions(HWND owner);
void OpenAbout(HWND owner);

void SaveTape(HWND owner);
void LoadTape(HWND owner);
void PrintTape(HWND owner);

void StopwatchStartStop(HWND owner);
void StopwatchLap(HWND owner);
void StopwatchReset(HWND owner);
void StopwatchTick(HWND owner);

}  // namespace tallix::side
