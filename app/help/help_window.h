#pragma once
// The Help window ("Tallix Help"): the topic tree and the chosen topic's text,
// modeless and owned by the main window; at most one is open.
#include <optional>
#include <string>

#include "app/help/help_topics.h"
#include "app/main_window/main_window_context.h"

namespace tallix {

// The "Help" key and F1: an open Help window comes to the front, else one
// opens at the overview.
void FocusOrOpenHelp(MainWindowContext& main);

// The Help menu: an open Help window closes and a new one opens at `topic`.
void ReopenHelp(MainWindowContext& main, HelpTopicId topic);

// The text the window shows for the topic numbered `number`, from the
// program's resources; nothing for a number without a topic.
std::optional<std::wstring> HelpTopicText(int number);

}  // namespace tallix
