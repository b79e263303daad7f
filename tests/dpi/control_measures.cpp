#include "tests/dpi/control_measures.h"

#include <algorithm>
#include <string>

#include "tests/ui/ui_test_support.h"
#include "ui/control_helpers.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/xp_button.h"

namespace tallix::dpi_probe {
namespace {

using ui::ScopedSelect;
using ui::test::ClassOf;

// Room a caption has beside what the control draws itself: the box of a
// check box or option button, the line of a group box.
int CaptionRoom(HWND control, int width, int dpi) {
  const std::wstring name = ClassOf(control);
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(name.c_str(), L"Button") != 0) return width;
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return width - ui::ScaleToDpi(16, dpi);
    case BS_GROUPBOX: return width - ui::ScaleToDpi(12, dpi);
    default: return width;
  }
}

bool HasCaption(HWND control) {
  const std::wstring name = ClassOf(control);
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(name.c_str(), L"Static") == 0) {
    const DWORD type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
  }
  return lstrcmpiW(name.c_str(), L"Button") == 0 || name == ui::kXPButtonClass;
}

// A key's caption is drawn unclipped as the key lays it out, and its ink
// measured against the rectangle the key draws it into: glyphs can be drawn
// wider than the font reports them.
CaptionFit KeyCaptionFit(HWND key, const ui::XPButtonInfo& info, const std::wstring& text) {
  RECT room = ui::GetXPButtonCaptionRect(key).value_or(RECT{});
  RECT client{};
  GetClientRect(key, &client);
  const int pad = client.right;  // room for glyphs drawn past either side
  OffsetRect(&room, pad, pad);
  const ui::test::Pixels drawn = ui::test::RenderWith(client.right + 2 * pad, client.bottom + 2 * pad, [&](HDC dc) {
    ScopedSelect font(dc, info.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT at = room;
    DrawTextW(dc, text.c_str(), -1, &at, info.textFormat | DT_NOCLIP);
  });
  RECT ink{drawn.width, drawn.height, -1, -1};
  for (int y = 0; y < drawn.height; ++y)
    for (int x = 0; x < drawn.width; ++x)
      if (drawn.At(x, y) != ui::test::kSentinel)
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
               std::max<LONG>(ink.bottom, y + 1)};
  if (ink.right < 0) return {};
  OffsetRect(&client, pad, pad);
  return {
      std::min({ink.left - room.left, room.right - ink.right, ink.top - room.top, room.bottom - ink.bottom}),
      std::min({ink.left - client.left, client.right - ink.right, ink.top - client.top, client.bottom - ink.bottom})};
}

}  // namespace

HFONT FontOf(HWND control) {
  if (auto info = ui::GetXPButtonInfo(control)) return info->font;
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

int FontHeight(HWND control, HFONT font) {
  if (!font) return 0;
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return -metrics.tmHeight;
}

CaptionFit FitOf(HWND control, int dpi) {
  if (!HasCaption(control)) return {};
  const std::wstring text = ui::GetText(control);
  if (text.empty()) return {};
  if (auto key = ui::GetXPButtonInfo(control)) {
    if (key->images[0] && (key->imagePosition & ui::kImageCenter) && (key->imagePosition & ui::kImageVCenter))
      return {};
    return KeyCaptionFit(control, *key, text);
  }
  RECT client{};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, FontOf(control));
  const bool wraps = lstrcmpiW(ClassOf(control).c_str(), L"Static") == 0 &&
                     (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) <= SS_RIGHT;
  const UINT prefix = (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) && wraps ? DT_NOPREFIX : 0;
  RECT needed{0, 0, client.right, 0};
  int slack;
  if (wraps && text.find(L' ') != std::wstring::npos) {
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | prefix);
    slack = std::min(client.bottom - needed.bottom, client.right - needed.right);
  } else {
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | prefix);
    slack = CaptionRoom(control, client.right, dpi) - needed.right;
  }
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {slack};
}

}  // namespace tallix::dpi_probe
