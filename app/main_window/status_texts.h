#pragma once
// Texts of the status panes that the window itself fills.

#include <string>

namespace tallix {

// "  Dec 06, 2026". month is 1 to 12; anything else shows "???" rather than
// reading past the month names.
std::string DatePaneText(int year, int month, int day);

std::string NumLockPaneText(bool numLockOn);

}  // namespace tallix
