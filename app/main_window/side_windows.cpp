// The side calculators not built yet are placeholders: each command is
// accepted and does nothing; their modeless windows will open through
// ui::ShowOrFocusForm, owned by main.Owner(). The other commands hand on to
// their own modules (the stopwatch bar's keys are in stopwatch_bar.cpp).
#include "app/main_window/side_windows.h"

#include "app/about/about_window.h"
#include "app/help/help_window.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/tape_commands.h"
#include "app/options/options_window.h"
#include "tools/area_volume/shape_window.h"
#include "tools/convert/converter_popup.h"
#include "tools/loan/loan_window.h"
#include "tools/transfer/transfer_window.h"

namespace tallix::side {

void OpenConverter(MainWindowContext& main) { ShowConverter(main, GetDlgItem(main.Owner(), ids::kKeyCnv)); }
void OpenAreaCalculator(MainWindowContext& main) { OpenAreaWindow(main); }
void OpenVolumeCalculator(MainWindowContext& main) { OpenVolumeWindow(main); }
void OpenLoanWindow(MainWindowContext& main) { OpenLoanCalculator(main); }
void OpenTransferTest(MainWindowContext& main) { transfer::OpenTransferWindow(main); }
void ShowHelp(MainWindowContext& main) { FocusOrOpenHelp(main); }
void ReopenHelpAt(MainWindowContext& main, int topic) { ReopenHelp(main, topic); }
void OpenOptions(MainWindowContext& main) { ShowOptions(main); }
void OpenAbout(MainWindowContext& main) { ShowAbout(main.Owner()); }

void SaveTape(MainWindowContext& main) { RunSaveTape(main); }
void LoadTape(MainWindowContext& main) { RunLoadTape(main); }
void PrintTape(MainWindowContext& main) { RunPrintTape(main); }

}  // namespace tallix::side
