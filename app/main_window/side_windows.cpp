// Placeholders until the side windows, the tape files and the stopwatch are
// built: each command is accepted and does nothing (the stopwatch bar lives in
// stopwatch_bar.cpp). The modeless windows will
// open through ui::ShowOrFocusForm, owned by main.Owner().
#include "app/main_window/side_windows.h"

#include "app/about/about_window.h"
#include "app/main_window/tape_commands.h"
#include "app/options/options_window.h"

namespace tallix::side {

void OpenConverter(MainWindowContext&) {}
void OpenAreaCalculator(MainWindowContext&) {}
void OpenVolumeCalculator(MainWindowContext&) {}
void OpenLoanWindow(MainWindowContext&) {}
void OpenTransferTest(MainWindowContext&) {}
void ShowHelp(MainWindowContext&) {}
void ReopenHelpAt(MainWindowContext&, int) {}
void OpenOptions(MainWindowContext& main) { ShowOptions(main); }
void OpenAbout(MainWindowContext& main) { ShowAbout(main.Owner()); }

void SaveTape(MainWindowContext& main) { RunSaveTape(main); }
void LoadTape(MainWindowContext& main) { RunLoadTape(main); }
void PrintTape(MainWindowContext& main) { RunPrintTape(main); }

}  // namespace tallix::side
