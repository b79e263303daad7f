// A form's menus in the dark look. While dark, every item of the bar and of
// its popups, however deep, is drawn by Tallix (owner-drawn), the text kept
// as the item's string so that GetMenuString and screen readers still read
// it; the bar and the popups get the palette's background. Going light, each
// item gets its own type back and the background is the system's again.
//
// An item made owner-drawn here carries its own menu as its data: that marks
// it as ours, and tells WM_MEASUREITEM, which names no menu, where to look.
#include "ui/dark_menu.h"

#include <optional>
#include <string>
#include <vector>

#include "ui/dark_menu_item.h"
#include "ui/dark_theme.h"

namespace tallix::ui {
namespace {

// Windows 10 and 11 draw a themed menu bar through these undocumented
// messages; Wine sends none of them. The third, 0x94, measures an item that
// is not owner-drawn, and the system's size suits the item drawn here.
constexpr UINT kUahDrawMenu = 0x91;      // lParam: UahMenu, the bar's background
constexpr UINT kUahDrawMenuItem = 0x92;  // lParam: UahDrawMenuItem, an item not owner-drawn

struct UahMenu {
  HMENU menu;
  HDC dc;
  DWORD flags;
};
// Only its leading members are read; the system's structure goes on.
struct UahDrawMenuItem {
  DRAWITEMSTRUCT draw;
  UahMenu uah;
  int position;
};

MENUITEMINFOW ItemInfo(HMENU menu, UINT position, UINT mask) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) info.fMask = 0;
  return info;
}

bool IsOurs(const MENUITEMINFOW& info, HMENU menu) {
  return info.fMask && (info.fType & MFT_OWNERDRAW) && info.dwItemData == reinterpret_cast<ULONG_PTR>(menu);
}

// The position of our item with that identifier in `menu` itself.
std::optional<UINT> OurItem(HMENU menu, UINT id) {
  if (!IsMenu(menu)) return std::nullopt;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const MENUITEMINFOW info = ItemInfo(menu, position, MIIM_ID | MIIM_FTYPE | MIIM_DATA);
    if (IsOurs(info, menu) && info.wID == id) return static_cast<UINT>(position);
  }
  return std::nullopt;
}

// Items with data of their own, pictures or an owner that draws them are
// left to the system.
void MakeOwnerDrawn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = ItemInfo(menu, position, MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU);
    if (!info.fMask) continue;
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    if ((info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) || info.dwItemData) continue;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(menu);
    SetMenuItemInfoW(menu, position, TRUE, &info);
  }
}

void GiveBackToSystem(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = ItemInfo(menu, position, MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU);
    if (info.fMask && info.hSubMenu) GiveBackToSystem(info.hSubMenu);
    if (!IsOurs(info, menu)) continue;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType &= ~MFT_OWNERDRAW;
    info.dwItemData = 0;
    SetMenuItemInfoW(menu, position, TRUE, &info);
  }
}

void SetBackground(HMENU bar, HBRUSH brush) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
  info.hbrBack = brush;
  SetMenuInfo(bar, &info);
}

HMENU BarOf(HWND form) {
  HMENU bar = (GetWindowLongW(form, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(form);
  return bar && IsMenu(bar) ? bar : nullptr;
}

RECT InWindow(HWND form, RECT screen) {
  RECT window{};
  GetWindowRect(form, &window);
  OffsetRect(&screen, -window.left, -window.top);
  return screen;
}

// The bar's background, from its top to the client area: the line the
// system draws under a themed bar, and the end of the bar where the system
// does not paint it in the menu's own background (Wine), go dark too. The
// items are left as they were drawn.
void PaintBarBackground(HWND form, HDC dc) {
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetMenuBarInfo(form, OBJID_MENU, 0, &bar)) return;
  RECT client{};
  GetClientRect(form, &client);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT area = InWindow(form, bar.rcBar);
  area.bottom = InWindow(form, client).top;
  const int saved = SaveDC(dc);
  const int count = GetMenuItemCount(bar.hMenu);
  for (int item = 1; item <= count; ++item) {
    MENUBARINFO itemBar{};
    itemBar.cbSize = sizeof itemBar;
    if (!GetMenuBarInfo(form, OBJID_MENU, item, &itemBar)) continue;
    const RECT place = InWindow(form, itemBar.rcBar);
    ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
  }
  FillRect(dc, &area, PaletteBrush(Dark().menuBar));
  RestoreDC(dc, saved);
}

// The first letter after a single '&' of the label, in capitals; 0 for none.
wchar_t Mnemonic(const std::wstring& text) {
  for (size_t at = 0; at + 1 < text.size() && text[at] != L'\t'; ++at) {
    if (text[at] != L'&') continue;
    if (text[at + 1] == L'&') {
      ++at;
      continue;
    }
    wchar_t letter = text[at + 1];
    CharUpperBuffW(&letter, 1);
    return letter;
  }
  return 0;
}

// The system finds no mnemonic in an owner-drawn item and asks: the items'
// own '&' letters answer. A letter on one item chooses it (a submenu opens,
// as with the system's own mnemonics); on several, each press moves to the
// next of them.
bool AnswerMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto* menu = reinterpret_cast<HMENU>(lParam);
  if ((HIWORD(wParam) & MF_SYSMENU) || !IsMenu(menu)) return false;
  wchar_t key = LOWORD(wParam);
  CharUpperBuffW(&key, 1);
  std::vector<UINT> matches;
  bool ours = false;
  int highlighted = -1;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const MENUITEMINFOW info = ItemInfo(menu, position, MIIM_FTYPE | MIIM_DATA | MIIM_STATE);
    ours = ours || IsOurs(info, menu);
    if (info.fMask && (info.fState & MFS_HILITE)) highlighted = position;
    if (Mnemonic(MenuItemText(menu, position)) == key) matches.push_back(position);
  }
  if (!ours || matches.empty()) return false;
  if (matches.size() == 1) {
    result = MAKELRESULT(matches.front(), MNC_EXECUTE);
    return true;
  }
  UINT next = matches.front();
  for (UINT match : matches)
    if (static_cast<int>(match) > highlighted) {
      next = match;
      break;
    }
  result = MAKELRESULT(next, MNC_SELECT);
  return true;
}

bool Measure(HWND form, MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  auto* menu = reinterpret_cast<HMENU>(measure.itemData);
  const std::optional<UINT> position = OurItem(menu, measure.itemID);
  if (!position) return false;
  const SIZE size = MeasureDarkMenuItem(form, {menu, *position, menu == BarOf(form)});
  measure.itemWidth = static_cast<UINT>(size.cx);
  measure.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool Draw(HWND form, const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  auto* menu = reinterpret_cast<HMENU>(draw.hwndItem);
  const std::optional<UINT> position = OurItem(menu, draw.itemID);
  if (!position) return false;
  const bool bar = menu == BarOf(form);
  DrawDarkMenuItem(form, {menu, *position, bar}, draw.hDC, draw.rcItem, draw.itemState);
  // The system draws its own arrow after an item with a submenu: the item
  // leaves the clipping region, so that only ours shows.
  if (!bar && GetSubMenu(menu, static_cast<int>(*position)))
    ExcludeClipRect(draw.hDC, draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom);
  return true;
}

}  // namespace

void ThemeMenus(HWND form, bool dark) {
  HMENU bar = BarOf(form);
  if (!bar) return;
  if (dark) {
    MakeOwnerDrawn(bar);
    SetBackground(bar, PaletteBrush(Dark().menuBar));
    // The popups' frames are the system's, Windows' as Wine's.
    NoteDarkFallback(L"menu borders");
  } else {
    GiveBackToSystem(bar);
    SetBackground(bar, nullptr);
  }
  DrawMenuBar(form);
}

bool OnDarkMenuMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MEASUREITEM:
      if (!Measure(form, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
      result = TRUE;
      return true;
    case WM_DRAWITEM:
      if (!Draw(form, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
      result = TRUE;
      return true;
    case WM_MENUCHAR: return AnswerMenuChar(wParam, lParam, result);
    case kUahDrawMenu:
      if (!BarOf(form)) return false;
      PaintBarBackground(form, reinterpret_cast<const UahMenu*>(lParam)->dc);
      result = 0;
      return true;
    case kUahDrawMenuItem: {
      const auto& item = *reinterpret_cast<const UahDrawMenuItem*>(lParam);
      DrawDarkMenuItem(form, {item.uah.menu, static_cast<UINT>(item.position), true}, item.uah.dc, item.draw.rcItem,
                       item.draw.itemState);
      result = 0;
      return true;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      if (!BarOf(form)) return false;
      result = DefWindowProcW(form, message, wParam, lParam);
      HDC dc = GetWindowDC(form);
      PaintBarBackground(form, dc);
      ReleaseDC(form, dc);
      return true;
    }
  }
  return false;
}

}  // namespace tallix::ui
