// Buttons painted by Tallix while dark: with visual styles the system draws
// a push button's face light whatever its form answers, and a check box's
// or an option button's label in its own text colour. Each kind is drawn
// here in the palette, at the control's DPI and in its own font; light, the
// system draws them as ever.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/dark_parts.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

enum class Kind { kOther, kPush, kCheck, kOption, kGroup };

Kind KindOf(HWND control) {
  if (!HasClass(control, L"Button")) return Kind::kOther;
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  if (style & (BS_ICON | BS_BITMAP)) return Kind::kOther;  // a picture is the system's to draw
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return Kind::kPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return (style & BS_PUSHLIKE) ? Kind::kPush : Kind::kCheck;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return (style & BS_PUSHLIKE) ? Kind::kPush : Kind::kOption;
    case BS_GROUPBOX: return Kind::kGroup;
    default: return Kind::kOther;
  }
}

struct Look {
  DWORD style;
  LRESULT state;  // BM_GETSTATE: checked, pushed, hot
  bool enabled, focused, hideFocus, hideAccel;
};

Look LookOf(HWND button) {
  const LRESULT cues = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  return {static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE)),
          SendMessageW(button, BM_GETSTATE, 0, 0),
          IsWindowEnabled(button) != FALSE,
          GetFocus() == button,
          (cues & UISF_HIDEFOCUS) != 0,
          (cues & UISF_HIDEACCEL) != 0};
}

// The caption placed in `area` as the button's style says (or `align` when
// it says nothing); the rectangle the text took.
RECT DrawCaption(HDC dc, HWND button, const Look& look, RECT area, UINT align, COLORREF color) {
  const std::wstring text = WindowText(button);
  switch (look.style & BS_CENTER) {
    case BS_LEFT: align = DT_LEFT; break;
    case BS_RIGHT: align = DT_RIGHT; break;
    case BS_CENTER: align = DT_CENTER; break;
  }
  const UINT flags =
      align | (look.hideAccel ? DT_HIDEPREFIX : 0) | ((look.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
  RECT extent = area;
  DrawTextW(dc, text.c_str(), -1, &extent, flags | DT_CALCRECT);
  const int width = std::min(extent.right - extent.left, area.right - area.left);
  const int height = std::min(extent.bottom - extent.top, area.bottom - area.top);
  const int top = (look.style & BS_VCENTER) == BS_TOP      ? area.top
                  : (look.style & BS_VCENTER) == BS_BOTTOM ? area.bottom - height
                                                           : area.top + (area.bottom - area.top - height) / 2;
  RECT place{area.left, top, area.right, top + height};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), -1, &place, flags);
  const int left = align == DT_CENTER  ? area.left + (area.right - area.left - width) / 2
                   : align == DT_RIGHT ? area.right - width
                                       : area.left;
  return {left, top, left + width, top + height};
}

void PaintPush(HWND button, HDC dc, const RECT& client, const Look& look) {
  const DarkPalette& palette = Dark();
  const bool pushed = (look.state & BST_PUSHED) || (look.state & BST_CHECKED);
  const bool isDefault = look.enabled && (look.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  const int line = Scaled(button, 1);
  FillRect(dc, &client, PaletteBrush(palette.face));
  RECT face = client;
  FillRect(dc, &face, PaletteBrush(isDefault ? palette.highlight : palette.frame));
  InflateRect(&face, -(isDefault ? 2 : 1) * line, -(isDefault ? 2 : 1) * line);
  const COLORREF fill = !look.enabled            ? palette.face
                        : pushed                 ? palette.keyPressed
                        : (look.state & BST_HOT) ? palette.keyHot
                                                 : palette.keyFace;
  FillRect(dc, &face, PaletteBrush(fill));

  ScopedSelect font(dc, ControlFont(button));
  // As the system's, a caption may run up to the edge, and one wider than
  // the button is cut on both sides.
  RECT area{client.left + line, face.top, client.right - line, face.bottom};
  if (pushed) OffsetRect(&area, line, line);
  DrawCaption(dc, button, look, area, DT_CENTER, DarkColorsOf(button, false).text);
  if (look.focused && !look.hideFocus) {
    RECT focus = face;
    InflateRect(&focus, -2 * line, -2 * line);
    DrawFocusRect(dc, &focus);
  }
}

void DrawCheckMark(HWND button, HDC dc, const RECT& box, COLORREF color) {
  const int size = box.right - box.left;
  const POINT stroke[] = {{box.left + size * 3 / 13, box.top + size * 6 / 13},
                          {box.left + size * 5 / 13, box.top + size * 9 / 13},
                          {box.left + size * 10 / 13, box.top + size * 3 / 13}};
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, Scaled(button, 2), color));
  ScopedSelect usePen(dc, pen);
  Polyline(dc, stroke, 3);
}

// The square of a check box or the circle of an option button, with its mark.
void DrawMark(HWND button, HDC dc, const RECT& box, const Look& look, Kind kind) {
  const DarkPalette& palette = Dark();
  const LRESULT check = look.state & (BST_CHECKED | BST_INDETERMINATE);
  const bool filled = look.enabled && check == BST_CHECKED;
  const COLORREF edge = !look.enabled ? palette.grayText : filled ? palette.highlight : palette.text;
  const COLORREF inside = filled ? palette.highlight : (look.state & BST_PUSHED) ? palette.keyPressed : palette.field;
  const COLORREF mark = look.enabled ? (filled ? palette.highlightText : palette.text) : palette.grayText;
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, Scaled(button, 1), edge));
  ScopedSelect usePen(dc, pen);
  ScopedSelect useBrush(dc, PaletteBrush(inside));
  if (kind == Kind::kOption) {
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (check != BST_CHECKED) return;
    RECT dot = box;
    const int inset = (box.right - box.left) * 4 / 13;
    InflateRect(&dot, -inset, -inset);
    ScopedSelect dotPen(dc, GetStockObject(NULL_PEN));
    ScopedSelect dotBrush(dc, PaletteBrush(mark));
    Ellipse(dc, dot.left, dot.top, dot.right + 1, dot.bottom + 1);
    return;
  }
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
  if (check == BST_CHECKED) DrawCheckMark(button, dc, box, mark);
  if (check == BST_INDETERMINATE) {
    RECT square = box;
    const int inset = (box.right - box.left) * 4 / 13;
    InflateRect(&square, -inset, -inset);
    FillRect(dc, &square, PaletteBrush(mark));
  }
}

void PaintCheck(HWND button, HDC dc, const RECT& client, const Look& look, Kind kind) {
  const DarkColors colors = DarkColorsOf(button, false);
  FillRect(dc, &client, PaletteBrush(colors.back));
  const int size = std::min<int>(Scaled(button, 13), client.bottom - client.top);
  const int gap = Scaled(button, 4);
  const bool textLeft = (look.style & BS_LEFTTEXT) || (GetWindowLongW(button, GWL_EXSTYLE) & WS_EX_RIGHT);
  const int boxLeft = textLeft ? client.right - size : client.left;
  const int boxTop = client.top + (client.bottom - client.top - size) / 2;
  DrawMark(button, dc, {boxLeft, boxTop, boxLeft + size, boxTop + size}, look, kind);

  ScopedSelect font(dc, ControlFont(button));
  const RECT area = textLeft ? RECT{client.left, client.top, boxLeft - gap, client.bottom}
                             : RECT{boxLeft + size + gap, client.top, client.right, client.bottom};
  RECT text = DrawCaption(dc, button, look, area, DT_LEFT, colors.text);
  if (look.focused && !look.hideFocus && text.right > text.left) {
    InflateRect(&text, 1, 1);
    IntersectRect(&text, &text, &client);
    DrawFocusRect(dc, &text);
  }
}

// The frame and caption only: a group box leaves its inside to the form.
void PaintGroup(HWND box, HDC dc, const Look& look) {
  const DarkPalette& palette = Dark();
  RECT client{};
  GetClientRect(box, &client);
  ScopedSelect font(dc, ControlFont(box));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int line = Scaled(box, 1);
  const int middle = client.top + metrics.tmHeight / 2;
  const RECT sides[] = {{client.left, middle, client.right, middle + line},
                        {client.left, client.bottom - line, client.right, client.bottom},
                        {client.left, middle, client.left + line, client.bottom},
                        {client.right - line, middle, client.right, client.bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, PaletteBrush(palette.frame));
  if (GetWindowTextLengthW(box) == 0) return;
  const int indent = Scaled(box, 8), pad = Scaled(box, 2);
  RECT area{client.left + indent, client.top, client.right - indent, client.top + metrics.tmHeight};
  RECT extent = area;
  const std::wstring text = WindowText(box);
  DrawTextW(dc, text.c_str(), -1, &extent, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  RECT behind{extent.left - pad, area.top, std::min(extent.right + pad, area.right), area.bottom};
  FillRect(dc, &behind, PaletteBrush(DarkColorsOf(box, false).back));
  Look caption = look;
  caption.style = (look.style & ~(BS_CENTER | BS_MULTILINE | BS_VCENTER)) | BS_TOP;
  DrawCaption(dc, box, caption, area, DT_LEFT, DarkColorsOf(box, false).text);
}

void Paint(HWND button, HDC target, Kind kind) {
  const Look look = LookOf(button);
  if (kind == Kind::kGroup) {
    PaintGroup(button, target, look);
    return;
  }
  RECT client{};
  GetClientRect(button, &client);
  PaintBuffered(target, client, [&](HDC dc) {
    if (kind == Kind::kPush) {
      PaintPush(button, dc, client, look);
    } else {
      PaintCheck(button, dc, client, look, kind);
    }
  });
}

}  // namespace

bool IsDarkPaintedButton(HWND control) { return KindOf(control) != Kind::kOther; }

bool OnDarkButtonMessage(HWND button, WNDPROC, UINT message, WPARAM wParam, LPARAM, LRESULT& answer) {
  if (message != WM_PAINT && message != WM_PRINTCLIENT && message != WM_ERASEBKGND) return false;
  const Kind kind = KindOf(button);
  if (kind == Kind::kOther) return false;
  answer = message == WM_ERASEBKGND ? 1 : 0;  // the paint covers what it must
  if (message == WM_ERASEBKGND) return true;
  PaintInto(button, wParam, [&](HDC dc) { Paint(button, dc, kind); });
  return true;
}

}  // namespace tallix::ui
