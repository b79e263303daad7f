#include "ui/fire_lines.h"

#include "ui/contrast.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

class FireLines {
 public:
  explicit FireLines(HWND window) : window_(window) {
    info_.backColor = GetSysColor(COLOR_BTNFACE);
    brush_ = CreateSolidBrush(info_.backColor);
  }
  ~FireLines() {
    if (brush_) DeleteObject(brush_);
  }

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  const FireLinesInfo& Info() const { return info_; }

 private:
  template <class Field>
  LRESULT Change(Field& field, WPARAM value, LPARAM redraw) {
    Field previous = field;
    field = static_cast<Field>(value);
    if (redraw) RepaintNow(window_);
    return static_cast<LRESULT>(previous);
  }
  LRESULT OnSetBackColor(WPARAM color, LPARAM redraw) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(static_cast<COLORREF>(color));
    return Change(info_.backColor, color, redraw);
  }
  void Draw(HDC dc) const;

  HWND window_;
  FireLinesInfo info_;
  HBRUSH brush_ = nullptr;
};

LRESULT FireLines::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kFlSetShape: return Change(info_.shape, wParam, lParam);
    case kFlSetOrientation: return Change(info_.orientation, wParam, lParam);
    case kFlSetPenColor: return Change(info_.penColor, wParam, lParam);
    case kFlSetPenWidth: return Change(info_.penWidth, wParam, lParam);
    case kFlSetPenStyle: return Change(info_.penStyle, wParam, lParam);
    case kFlSetRounding: return Change(info_.rounding, wParam, lParam);
    case kFlSetFilled: return Change(info_.filled, wParam, lParam);
    case kFlSetBackColor: return OnSetBackColor(wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintWith(window_, [this](HDC dc) { Draw(dc); });
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (HWND parent = GetParent(window_)) PostMessageW(parent, message, wParam, lParam);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void FireLines::Draw(HDC dc) const {
  RECT rc;
  GetClientRect(window_, &rc);
  // In high contrast the line is drawn in the user's colours, whatever its
  // own; in dark, on the window's face, in its own hue made visible there.
  const bool highContrast = HighContrastOn();
  const bool dark = !highContrast && DarkOn();
  HBRUSH fill = highContrast ? GetSysColorBrush(COLOR_BTNFACE) : dark ? PaletteBrush(Dark().face) : brush_;
  if (info_.filled) FillRect(dc, &rc, fill);
  int style = info_.penStyle == 1 ? PS_DASH : info_.penStyle == 2 ? PS_DOT : PS_INSIDEFRAME;
  const int dpi = DpiOf(window_);
  constexpr double kGraphicsContrast = 3.0;  // a line is no text
  COLORREF penColor = highContrast ? GetSysColor(COLOR_BTNTEXT) : info_.penColor;
  if (dark) penColor = ReadableColor(penColor, Dark().face, kGraphicsContrast);
  GdiObject<HPEN> pen(CreatePen(style, ScaleToDpi(info_.penWidth, dpi), penColor));
  ScopedSelect usePen(dc, pen);
  if (info_.shape == 1) {
    MoveToEx(dc, 0, 0, nullptr);
    if (info_.orientation == 1)
      LineTo(dc, 0, rc.bottom);
    else
      LineTo(dc, rc.right, 0);
  } else {
    ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH));
    const int rounding = ScaleToDpi(info_.rounding, dpi);
    RoundRect(dc, 0, 0, rc.right, rc.bottom, rounding, rounding);
  }
}

FireLines* LineOf(HWND window) { return HasClass(window, kFireLinesClass) ? ObjectOf<FireLines>(window) : nullptr; }

}  // namespace

bool RegisterFireLinesClass() { return EnsureControlClass(kFireLinesClass, DispatchToObject<FireLines>); }

std::optional<FireLinesInfo> GetFireLinesInfo(HWND window) {
  FireLines* line = LineOf(window);
  if (!line) return std::nullopt;
  return line->Info();
}

}  // namespace tallix::ui

HWND WINAPI FIRELINES(HWND parent, INT_PTR id, int x, int y, int width, int height, LPARAM, LPARAM) {
  if (!tallix::ui::RegisterFireLinesClass()) return nullptr;
  return tallix::ui::CreateChild(tallix::ui::kFireLinesClass, parent, static_cast<int>(id), L"", x, y, width, height,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TRANSPARENT);
}
