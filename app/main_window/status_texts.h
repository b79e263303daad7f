#pragma once
// Texts of the status panes that the window itself fills.

#include <string>

namespace tallix {

// "  Dec 06, 2026". month is 1 to 12; anything else shows "???" rather than
// reading past the month names.
std::string DatePaneText(int year, int month, int day);

std::string NumLockPaneText(bool numLockOn);

// "Version 2.7.0 " for the about window: major, minor and revision, and a
// trailing blank.
std::string VersionText(int major, int minor, int revision);

}  // namespace tallix
