#pragma once
// The File menu's tape commands on the main window: Save Tape, Load Tape and
// Export Tape through the common file dialogs, Print Tape through the print
// dialog; and Edit > Copy Tape.
// Failures are told in a message box that names the file and the reason; the
// only setting they change is "LastTapeFile", once a file was chosen.

#include <string>

#include "app/main_window/main_window_context.h"

namespace tallix {

void RunSaveTape(MainWindowContext& main);
void RunLoadTape(MainWindowContext& main);
// The CSV for spreadsheets, written as Save Tape writes.
void RunExportTape(MainWindowContext& main);
void RunPrintTape(MainWindowContext& main);
// Edit > Copy Tape: the whole tape on the clipboard as text, each line as Save
// Tape writes it, and as the CSV Export Tape writes; no line on the tape.
void RunCopyTape(MainWindowContext& main);

// What Load Tape does once the file is chosen (path in UTF-8).
void LoadTapeFrom(MainWindowContext& main, const std::string& path);

}  // namespace tallix
