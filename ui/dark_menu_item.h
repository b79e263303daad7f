#pragma once
// One item of a form's menu as Tallix draws it dark: its size and its look,
// read from the item as it stands at that moment (its text may have changed
// since the menu was loaded, its check mark and state at any time).
#include <windows.h>

#include <string>

namespace tallix::ui {

// The item at `position` of `menu`; `bar` for an item of the menu bar.
struct DarkMenuItem {
  HMENU menu;
  UINT position;
  bool bar;
};

// The item's text as the menu holds it now ("&Copy\tCtrl+C").
std::wstring MenuItemText(HMENU menu, UINT position);

// The size the item asks for at the form's DPI; the system adds its own
// margins around it.
SIZE MeasureDarkMenuItem(HWND form, const DarkMenuItem& item);

// The item drawn into `dc` over `area` in the state the system gives
// (ODS_SELECTED, ODS_GRAYED, ODS_CHECKED, ODS_NOACCEL...).
void DrawDarkMenuItem(HWND form, const DarkMenuItem& item, HDC dc, const RECT& area, UINT state);

}  // namespace tallix::ui
