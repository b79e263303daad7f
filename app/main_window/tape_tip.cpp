#include "app/main_window/tape_tip.h"

#include <commctrl.h>

#include "app/main_window/layout.h"
#include "services/codepage1252.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/dark_controls.h"
#include "ui/dark_theme.h"
#include "ui/form.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"

namespace tallix {
namespace {

// Long enough for most lines on one row; a longer one wraps at its blanks.
constexpr int kTipWidth = 480;

// The index of the line at `point` (the list's client coordinates), or -1.
// Not LB_ITEMFROMPOINT: its answer holds only 16 bits of the index.
int LineAt(HWND list, POINT point) {
  RECT client{};
  GetClientRect(list, &client);
  const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  if (!PtInRect(&client, point) || height <= 0) return -1;
  const LRESULT index = SendMessageW(list, LB_GETTOPINDEX, 0, 0) + point.y / height;
  return index < SendMessageW(list, LB_GETCOUNT, 0, 0) ? static_cast<int>(index) : -1;
}

// The whole line when the pane cuts its left end, else empty.
std::wstring CutLine(HWND list, int index) {
  RECT item{};
  if (index < 0 || SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return {};
  const std::wstring shown = ShownTapeLine(Cp1252FromWide(ui::ListBoxItemText(list, index)));
  const RECT area = TapeTextArea(list, item);
  ui::WindowDC dc(list);
  ui::ScopedSelect font(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
  return extent.cx > area.right - area.left ? shown : std::wstring();
}

}  // namespace

std::wstring ShownTapeLine(std::string_view cp1252) { return Wide(ShownText(cp1252)); }

RECT TapeTextArea(HWND list, const RECT& item) {
  RECT area = item;
  area.right = area.left + ui::Scaled(list, kTapeTextRight);
  area.top += ui::Scaled(list, kTapeTextTop);
  return area;
}

void TapeLineTip::Create(HWND owner, HWND list) {
  list_ = list;
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  // Made after its window took the look of now.
  if (ui::DarkOn()) ui::ThemeTooltip(tooltip_, true);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ui::Scaled(list, kTipWidth));
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = text_.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TapeLineTip::Follow(UINT mouseMessage) {
  if (!tooltip_ || !IsWindow(tooltip_)) return;
  POINT screen{};
  GetCursorPos(&screen);
  POINT point = screen;
  ScreenToClient(list_, &point);
  std::wstring text = CutLine(list_, LineAt(list_, point));
  if (text != text_) {
    text_ = std::move(text);
    // Another line: the tip of the last one goes, and this one's comes after the usual pause.
    SendMessageW(tooltip_, TTM_POP, 0, 0);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(list_);
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = text_.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  MSG relayed{list_, mouseMessage, 0, MAKELPARAM(point.x, point.y), static_cast<DWORD>(GetMessageTime()), screen};
  SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace tallix
