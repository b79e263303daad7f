#pragma once
// A menu item's text holds more than its caption: "&" before its own letter
// ("&&" for an ampersand) and, after a tab, the keystroke that runs it too.
// Whatever finds an item by its caption compares this.
#include <string>
#include <string_view>

namespace tallix {

// "&Add Note...\tCtrl+N" is "Add Note...".
std::wstring MenuItemCaption(std::wstring_view text);

// The caption followed by a tab and the keystroke; the caption alone when the
// keystroke is empty. Any keystroke the text had is replaced.
std::wstring MenuItemWithShortcut(std::wstring_view text, std::wstring_view shortcut);

}  // namespace tallix
