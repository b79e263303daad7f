#pragma once
// The loan window's chart pane: an owner-drawn static control that paints
// the chart of the last calculation in the window's look (light, dark or the
// high-contrast colours), at the control's DPI and in its font, and whose
// text is the chart in words, the value a screen reader reads out.
#include <windows.h>

#include "tools/loan/loan_chart.h"
#include "ui/scaling.h"

namespace tallix::loan {

class LoanChartView {
 public:
  // The control's chart from now on; it is repainted.
  void ShowLoan(HWND control, LoanChartData data);
  const LoanChartData& ShownLoan() const { return data_; }
  // WM_DRAWITEM of the control.
  void Paint(const DRAWITEMSTRUCT& item) const;

 private:
  LoanChartData data_;
};

// The view as a pane of its form, at the form's right, that widens the form
// when shown: the control `id` laid out at `place`, in a form whose client
// area is `client` while the pane shows and `narrowWidth` wide while not.
class LoanChartPane : public LoanChartView {
 public:
  LoanChartPane(int id, ui::Place place, SIZE client, int narrowWidth)
      : id_(id), place_(place), client_(client), narrowWidth_(narrowWidth) {}

  // Shown, the pane gives the width on a screen too narrow for the form, and
  // `givingControl` only the height; hidden, that control gives both.
  void ShowPane(HWND form, bool shown, int givingControl);
  // Keeps the pane's margins to the right and bottom edges of the form,
  // whatever room the form has.
  void Fit(HWND form);
  // The form's WM_SIZE and the pane's WM_DRAWITEM; true when answered.
  bool OnMessage(HWND form, UINT message, LPARAM lParam, LRESULT& result);

 private:
  int id_;
  ui::Place place_;
  SIZE client_;
  int narrowWidth_;
};

// The colours of the chart as the window looks now.
LoanChartPalette ScreenChartPalette();

}  // namespace tallix::loan
