#include "ui/caption_fit.h"

#include <algorithm>
#include <string>

#include "ui/gdi_scope.h"
#include "ui/key_look.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"
#include "ui/xp_button.h"

namespace tallix::ui {
namespace {

enum class Align { kLeft, kCenter, kRight };

// What a control draws besides its caption, and how the caption is aligned.
struct CaptionLayout {
  bool hasCaption = false;
  bool wraps = false;  // a static that breaks its text into lines
  int besideText = 0;  // pixels at the design DPI the control keeps for itself
  int clearEdges = 0;  // pixels at every DPI kept clear of the caption, both sides together
  Align align = Align::kLeft;
  UINT prefix = 0;
};

CaptionLayout LayoutOf(HWND control) {
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  CaptionLayout layout;
  if (HasClass(control, L"Static")) {
    const DWORD type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
      return layout;
    layout.hasCaption = true;
    layout.wraps = type <= SS_RIGHT;
    layout.align = type == SS_CENTER ? Align::kCenter : type == SS_RIGHT ? Align::kRight : Align::kLeft;
    layout.prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    return layout;
  }
  if (HasClass(control, kXPButtonClass)) {
    if (auto key = GetXPButtonInfo(control))
      if (key->images[0] && (key->imagePosition & kImageCenter) && (key->imagePosition & kImageVCenter))
        return layout;  // the image stands for the caption
    layout.hasCaption = true;
    layout.align = Align::kCenter;
    layout.clearEdges = 2 * kCaptionEdge;
    return layout;
  }
  if (!HasClass(control, L"Button")) return layout;
  layout.hasCaption = true;
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: layout.besideText = 16; break;  // the box and the gap after it
    case BS_GROUPBOX: layout.besideText = 12; break;         // the line before and after the caption
    case BS_OWNERDRAW: layout.hasCaption = false; break;
    default: layout.align = Align::kCenter; break;
  }
  return layout;
}

// The caption's size in the control's font: on one line, or broken into
// lines within width.
SIZE CaptionSize(HWND control, const std::wstring& text, const CaptionLayout& layout, int width) {
  WindowDC dc(control);
  ScopedSelect font(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, width, 0};
  const bool breaks = layout.wraps && text.find(L' ') != std::wstring::npos;
  DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | layout.prefix | (breaks ? DT_WORDBREAK : DT_SINGLELINE));
  return {needed.right, needed.bottom};
}

RECT PlaceInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The room left and right of place on its row: up to the nearest sibling, a
// frame around it or the edge of the parent.
void FreeRoom(HWND control, const RECT& place, int& left, int& right) {
  RECT parent{};
  GetClientRect(GetParent(control), &parent);
  left = parent.left, right = parent.right;
  for (HWND sibling = GetWindow(control, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == control) continue;
    const RECT other = PlaceInParent(sibling);
    if (other.bottom <= place.top || other.top >= place.bottom) continue;
    if (other.left >= place.right) right = std::min<int>(right, other.left);
    if (other.right <= place.left) left = std::max<int>(left, other.right);
    if (other.left <= place.left && other.right >= place.right) {  // a group around it
      right = std::min<int>(right, other.right - 1);
      left = std::max<int>(left, other.left + 1);
    }
  }
  left = std::min<int>(left, place.left);
  right = std::max<int>(right, place.right);
}

// Grows place by extra pixels in width, into the free room first on the side
// the caption runs to.
void Widen(HWND control, RECT& place, int extra, Align align) {
  int left = 0, right = 0;
  FreeRoom(control, place, left, right);
  const int roomLeft = place.left - left, roomRight = right - place.right;
  int toLeft = align == Align::kLeft ? 0 : align == Align::kRight ? extra : extra / 2;
  int toRight = extra - toLeft;
  // What one side has no room for goes to the other side where that has some.
  if (const int over = toRight - roomRight; over > 0) {
    const int moved = std::min(over, std::max(0, roomLeft - toLeft));
    toLeft += moved, toRight -= moved;
  }
  if (const int over = toLeft - roomLeft; over > 0) {
    const int moved = std::min(over, std::max(0, roomRight - toRight));
    toLeft -= moved, toRight += moved;
  }
  place.left -= toLeft;
  place.right += toRight;
}

}  // namespace

void FitCaption(HWND control, int dpi) {
  if (dpi == kDesignDpi || !IsWindow(control)) return;
  const CaptionLayout layout = LayoutOf(control);
  if (!layout.hasCaption) return;
  const std::wstring text = WindowText(control);
  if (text.empty()) return;
  RECT place = PlaceInParent(control);
  const RECT before = place;
  const int beside = ScaleToDpi(layout.besideText, dpi) + layout.clearEdges + kGlyphOverreach;
  const int width = place.right - place.left;
  SIZE needed = CaptionSize(control, text, layout, width - beside);
  // A label whose lines would not fit its height stays on one line where the
  // room beside it allows that, rather than grow downwards.
  if (layout.wraps && needed.cy > place.bottom - place.top) {
    CaptionLayout oneLine = layout;
    oneLine.wraps = false;
    const SIZE line = CaptionSize(control, text, oneLine, 0);
    int left = 0, right = 0;
    FreeRoom(control, place, left, right);
    if (line.cx + beside <= right - left) needed = line;
  }
  if (const int extra = needed.cx + beside - width; extra > 0) {
    Widen(control, place, extra, layout.align);
    if (layout.wraps) needed = CaptionSize(control, text, layout, place.right - place.left - beside);
  }
  if (layout.wraps && needed.cy > place.bottom - place.top) place.bottom = place.top + needed.cy;
  if (EqualRect(&place, &before)) return;
  SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitCaptions(HWND form, int dpi) {
  if (dpi == kDesignDpi) return;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) FitCaption(child, dpi);
}

}  // namespace tallix::ui
