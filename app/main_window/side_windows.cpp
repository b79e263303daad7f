// The side calculators are placeholders until they are built: each command is
// accepted and does nothing; their modeless windows will open through
// ui::ShowOrFocusForm, owned by main.Owner(). The other commands hand on to
// their own modules (the stopwatch bar's keys are in stopwatch_bar.cpp).
#include "app/main_window/side_windows.h"

#include "app/about/about_window.h"
#include "app/help/help_window.h"
#include "app/main_window/tape_commands.h"
#include "app/options/options_window.h"
#include "tools/transfer/transfer_window.h"

namespace tallix::side {

void OpenConverter(MainWindowContext&) {}
void OpenAreaCalculator(MainWindowContext&) {}
void OpenVolumeCalculator(MainWindowContext&) {}
void OpenLoanWindow(MainWindowContext&) {}
void OpenTransferTest(MainWindowContext& main) { transfer::OpenTransferWindow(main); }
void ShowHelp(MainWindowContext& main) { FocusOrOpenHelp(main); }
void ReopenHelpAt(MainWindowContext& main, int topic) { ReopenHelp(main, topic); }
void OpenOptions(MainWindowContext& main) { ShowOptions(main); }
void OpenAbout(MainWindowContext& main) { ShowAbout(main.Owner()); }

void SaveTape(MainWindowContext& main) { RunSaveTape(main); }
void LoadTape(MainWindowContext& main) { RunLoadTape(main); }
void PrintTape(MainWindowContext& main) { RunPrintTape(main); }

}  // namespace tallix::side
