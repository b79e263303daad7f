#include "app/main_window/menu_shortcuts.h"

#include <iterator>
#include <string>

#include "app/main_window/menu_text.h"
#include "engine/keyboard_shortcut.h"
#include "resources/resource_ids.h"

namespace tallix {
namespace {

struct ItemCommand {
  UINT menuId;
  MenuCommand command;
};

constexpr ItemCommand kItemCommands[] = {
    {IDM_COPY, MenuCommand::Copy},
    {IDM_PASTE, MenuCommand::Paste},
    {IDM_ADD_NOTE, MenuCommand::AddNote},
    {IDM_HELP_TOPICS, MenuCommand::Help},
};

}  // namespace

void ShowMenuShortcuts(HMENU bar) {
  for (const ItemCommand& item : kItemCommands) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text) - 1);
    if (!GetMenuItemInfoW(bar, item.menuId, FALSE, &info)) continue;
    const std::string keystroke = KeyboardShortcut(item.command);  // ASCII
    std::wstring shown = MenuItemWithShortcut(text, std::wstring(keystroke.begin(), keystroke.end()));
    info.dwTypeData = shown.data();
    SetMenuItemInfoW(bar, item.menuId, FALSE, &info);
  }
}

}  // namespace tallix
