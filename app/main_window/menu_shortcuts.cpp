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
    {IDM_COPY, MenuCommand::Copy},          {IDM_PASTE, MenuCommand::Paste},
    {IDM_ADD_NOTE, MenuCommand::AddNote},   {IDM_HELP_TOPICS, MenuCommand::Help},
    {IDM_COPY_TAPE, MenuCommand::CopyTape}, {IDM_FIND, MenuCommand::Find},
    {IDM_FIND_NEXT, MenuCommand::FindNext}, {IDM_FIND_PREVIOUS, MenuCommand::FindPrevious},
};

// The item's text with `keystroke` (ASCII) after it, or none when empty.
void ShowShortcut(HMENU bar, UINT menuId, const std::string& keystroke) {
  wchar_t text[128] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = static_cast<UINT>(std::size(text) - 1);
  if (!GetMenuItemInfoW(bar, menuId, FALSE, &info)) return;
  std::wstring shown = MenuItemWithShortcut(text, std::wstring(keystroke.begin(), keystroke.end()));
  info.dwTypeData = shown.data();
  SetMenuItemInfoW(bar, menuId, FALSE, &info);
}

}  // namespace

void ShowMenuShortcuts(HMENU bar) {
  for (const ItemCommand& item : kItemCommands) ShowShortcut(bar, item.menuId, KeyboardShortcut(item.command));
}

UINT MenuItemOf(MenuCommand command) {
  for (const ItemCommand& item : kItemCommands)
    if (item.command == command) return item.menuId;
  return command == MenuCommand::GrandTotal ? IDM_GRAND_TOTAL : 0;
}

void ShowGrandTotalItem(HMENU bar, bool on) {
  EnableMenuItem(bar, IDM_GRAND_TOTAL, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  ShowShortcut(bar, IDM_GRAND_TOTAL, on ? KeyboardShortcut(MenuCommand::GrandTotal) : std::string());
}

void ShowFindItems(HMENU bar, bool open) {
  for (const UINT item : {IDM_FIND_NEXT, IDM_FIND_PREVIOUS})
    EnableMenuItem(bar, item, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));
}

}  // namespace tallix
