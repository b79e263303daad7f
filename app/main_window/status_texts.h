#pragma once
// The date pane's text: the one status pane the window fills itself.

#include <string>

namespace tallix {

// "  Dec 06, 2026". month is 1 to 12; anything else shows "???" rather than
// reading past the month names.
std::string DatePaneText(int year, int month, int day);

}  // namespace tallix
