#pragma once
// The stopwatch bar's keys and time display over the bar's Stopwatch: the
// keys show its state after every change, the display its time.

#include "app/main_window/main_window_context.h"

namespace tallix {

void StopwatchStartStop(MainWindowContext& main);
void StopwatchLap(MainWindowContext& main);
void StopwatchReset(MainWindowContext& main);
// The bar's timer: the display follows the running time.
void StopwatchTick(MainWindowContext& main);

}  // namespace tallix
