#pragma once
// The windows and commands that the main window opens or runs but that live
// elsewhere: the side calculators, the help, options and about windows, the
// tape files and printing, and the stopwatch. Each is one call here, given the
// main window's context, so that the main window's handlers stay the same as
// they arrive.

#include "app/main_window/main_window_context.h"

namespace tallix::side {

void OpenConverter(MainWindowContext& main);
void OpenAreaCalculator(MainWindowContext& main);
void OpenVolumeCalculator(MainWindowContext& main);
void OpenLoanWindow(MainWindowContext& main);
void OpenTransferTest(MainWindowContext& main);
// The "Help" key and F1: focuses an open help window, else opens it.
void ShowHelp(MainWindowContext& main);
// "Help Topics" (topic 0) and "Keyboard Equivalents" (topic 500): always a fresh window.
void ReopenHelpAt(MainWindowContext& main, int topic);
void OpenOptions(MainWindowContext& main);
void OpenAbout(MainWindowContext& main);

void SaveTape(MainWindowContext& main);
void LoadTape(MainWindowContext& main);
void PrintTape(MainWindowContext& main);

void StopwatchStartStop(MainWindowContext& main);
void StopwatchLap(MainWindowContext& main);
void StopwatchReset(MainWindowContext& main);
void StopwatchTick(MainWindowContext& main);

}  // namespace tallix::side
