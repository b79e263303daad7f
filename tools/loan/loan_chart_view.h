#pragma once
// The loan window's chart pane: an owner-drawn static control that paints
// the chart of the last calculation in the window's look (light, dark or the
// high-contrast colours), at the control's DPI and in its font, and whose
// text is the chart in words, the value a screen reader reads out.
#include <windows.h>

#include "tools/loan/loan_chart.h"

namespace tallix::loan {

class LoanChartView {
 public:
  // The control's chart from now on; it is repainted.
  void Show(HWND control, LoanChartData data);
  const LoanChartData& data() const { return data_; }
  // WM_DRAWITEM of the control.
  void Paint(const DRAWITEMSTRUCT& item) const;

 private:
  LoanChartData data_;
};

// The colours of the chart as the window looks now.
LoanChartPalette ScreenChartPalette();

}  // namespace tallix::loan
