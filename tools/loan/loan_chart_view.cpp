#include "tools/loan/loan_chart_view.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "services/gdi_shapes.h"
#include "side_window/wide_text.h"
#include "ui/contrast.h"
#include "ui/dark_theme.h"
#include "ui/form.h"
#include "ui/form_give.h"
#include "ui/scaling.h"

namespace tallix::loan {

namespace {

class GdiChartCanvas final : public ChartCanvas {
 public:
  explicit GdiChartCanvas(HDC dc) : dc_(dc) {
    SetBkMode(dc_, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
  }

  void FillRect(const ChartRect& rect, ChartColour colour) override {
    FillBox(dc_, {rect.left, rect.top, rect.right, rect.bottom}, colour);
  }
  void Polyline(std::span<const ChartPoint> points, ChartColour colour, int width) override {
    corners_.clear();
    for (const ChartPoint& point : points) corners_.push_back({point.x, point.y});
    DrawPolyline(dc_, corners_.data(), int(corners_.size()), colour, width);
  }
  void Text(int x, int y, std::string_view text, ChartColour colour, TextAlign align) override {
    const std::wstring wide = Wide(text);
    SetTextColor(dc_, colour);
    SetTextAlign(dc_, TA_TOP | (align == TextAlign::kLeft     ? TA_LEFT
                                : align == TextAlign::kCentre ? TA_CENTER
                                                              : TA_RIGHT));
    TextOutW(dc_, x, y, wide.c_str(), int(wide.size()));
  }
  int TextWidth(std::string_view text) override {
    const std::wstring wide = Wide(text);
    SIZE size{};
    return GetTextExtentPoint32W(dc_, wide.c_str(), int(wide.size()), &size) ? size.cx : 0;
  }
  int TextHeight() override { return lineHeight_; }

 private:
  HDC dc_;
  int lineHeight_ = 0;
  std::vector<POINT> corners_;
};

}  // namespace

LoanChartPalette ScreenChartPalette() {
  if (ui::HighContrastOn()) {
    // The user's own few colours: the interest told apart by its hatching.
    const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    return {
        window, text, GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HIGHLIGHT), window,
        true,   text};
  }
  if (ui::DarkOn()) {
    const ui::DarkPalette& dark = ui::Dark();
    LoanChartPalette palette = kLightChartPalette;
    palette.background = dark.field;
    palette.text = dark.fieldText;
    palette.grid = dark.frame;
    for (ChartColour* colour : {&palette.balance, &palette.principal, &palette.interest}) {
      *colour = ui::ReadableColor(*colour, dark.field, 3.0);
    }
    return palette;
  }
  return kLightChartPalette;
}

void LoanChartView::ShowLoan(HWND control, LoanChartData data) {
  data_ = std::move(data);
  // The words as the control's text, which a screen reader takes for its
  // value; set past the static control, which would paint at once, before
  // the one paint the invalidation brings.
  const std::wstring words = Wide(DescribeLoanChart(data_));
  DefWindowProcW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(words.c_str()));
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  InvalidateRect(control, nullptr, FALSE);
}

void LoanChartView::Paint(const DRAWITEMSTRUCT& item) const {
  const RECT& box = item.rcItem;
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (width <= 0 || height <= 0) return;
  // Drawn whole off screen, so that a redraw never flickers through the face.
  HDC memory = CreateCompatibleDC(item.hDC);
  HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
  if (!memory || !bitmap) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return;
  }
  const HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
  const HGDIOBJ previousFont =
      SelectObject(memory, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  GdiChartCanvas canvas(memory);
  const double scale = double(ui::DpiOf(item.hwndItem)) / ui::kDesignDpi;
  DrawLoanChart(canvas, LayOutLoanChart(data_, {0, 0, width, height}, scale, canvas), ScreenChartPalette());
  BitBlt(item.hDC, box.left, box.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previousFont);
  SelectObject(memory, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void LoanChartPane::ShowPane(HWND form, bool shown, int givingControl) {
  ShowWindow(GetDlgItem(form, id_), shown ? SW_SHOWNA : SW_HIDE);
  // On a screen too narrow for both, the chart gives the width, not the
  // control beside it, which would take the chart over the fields above it.
  ui::SetGivingControls(form, givingControl, shown ? id_ : 0);
  ui::SetFormClientSize(form, shown ? client_.cx : narrowWidth_, client_.cy);
  Fit(form);
}

void LoanChartPane::Fit(HWND form) {
  HWND chart = GetDlgItem(form, id_);
  RECT client{}, place{};
  const bool shown = GetWindowLongW(chart, GWL_STYLE) & WS_VISIBLE;
  if (!shown || !GetClientRect(form, &client) || !GetWindowRect(chart, &place)) return;
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
  const int right = client.right - ui::Scaled(form, client_.cx - place_.x - place_.width);
  const int bottom = client.bottom - ui::Scaled(form, client_.cy - place_.y - place_.height);
  SetWindowPos(chart, nullptr, 0, 0, std::max(1, int(right - place.left)), std::max(1, int(bottom - place.top)),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(chart, nullptr, FALSE);
}

bool LoanChartPane::OnMessage(HWND form, UINT message, LPARAM lParam, LRESULT& result) {
  // After the framework has let its controls give room.
  if (message == WM_SIZE) Fit(form);
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (message != WM_DRAWITEM || !item || item->CtlID != UINT(id_)) return false;
  Paint(*item);
  result = TRUE;
  return true;
}

}  // namespace tallix::loan
