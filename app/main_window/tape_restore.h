#pragma once
// The tape journal at start-up and at exit: a journal left beside Tallix.ini
// by a window that did not close normally (or kept on request) makes its
// tape again; otherwise a new journal starts. A normal exit removes the
// journal unless "Keep Tape Between Sessions" is on.
#include <memory>
#include <string>
#include <vector>

#include "app/main_window/main_window_context.h"
#include "app/tape/tape_journal.h"

namespace tallix {

struct JournalStart {
  std::unique_ptr<TapeJournal> journal;  // nullptr: none could be made; the tape is not kept
  std::vector<std::string> messages;     // for the user once the window is up
};

// Call once the engine has started, with an empty tape.
JournalStart RestoreOrStartJournal(MainWindowContext& main);

// The window closes normally.
void EndJournal(MainWindowContext& main, std::unique_ptr<TapeJournal> journal);

}  // namespace tallix
