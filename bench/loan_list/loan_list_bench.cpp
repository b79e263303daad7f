// Loan schedule benchmark: Calculate's work for a 1,200-payment loan (the
// arithmetic, the row texts and filling the schedule list view) against
// filling the same list view with the same texts, made beforehand, in a bare
// loop of insertions with the list's drawing held back: the floor of any
// filling. Both run alternately in one process on one visible list view; the
// medians and their ratio are printed, and once the time of the same loop
// with the list redrawn at each row, which is what the hold avoids.
// Calculate with the chart pane shown (its figures gathered and the chart
// painted) runs in turn with the other two, against Calculate without it.
//   loan_list_bench [--runs N]
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "side_window/wide_text.h"
#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_chart_view.h"
#include "tools/loan/loan_math.h"
#include "tools/loan/loan_texts.h"
#include "tools/loan/schedule_list.h"

namespace {

using namespace tallix::loan;

const LoanInputs kLoan{250'000, 6.125f, 100, 12, 1, 2030};

LoanChartView chartView;
WNDPROC frameProcedure = nullptr;

// The frame paints the chart as the loan window does, on WM_DRAWITEM.
LRESULT CALLBACK FrameWithChart(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    chartView.Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CallWindowProcW(frameProcedure, frame, message, wParam, lParam);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <class Work>
double Timed(HWND list, Work work, HWND chart = nullptr) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  work();
  UpdateWindow(list);
  if (chart) UpdateWindow(chart);
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

void FillBare(HWND list, const std::vector<std::array<std::wstring, 7>>& texts, bool holdDrawing) {
  if (holdDrawing) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < texts.size(); ++row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = int(row);
    item.pszText = const_cast<wchar_t*>(texts[row][0].c_str());
    const int index = int(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column < 7; ++column) {
      item.iSubItem = column;
      item.pszText = const_cast<wchar_t*>(texts[row][column].c_str());
      SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (holdDrawing) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 15;
  if (argc == 3 && std::wcscmp(argv[1], L"--runs") == 0) runs = std::max(1, _wtoi(argv[2]));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND frame = CreateWindowExW(0, L"STATIC", L"Loan schedule bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 980, 560,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  frameProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameWithChart)));
  // The loan window's pane: 412 by 508 pixels at 96 DPI.
  HWND chart = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 540, 8, 412, 508, frame,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(chart, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 8, 8, 524, 194,
                              frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  AddScheduleColumns(list);

  const LoanTerms terms = ComputeTerms(kLoan);
  std::vector<std::array<std::wstring, 7>> texts;
  for (const ScheduleRow& row : ComputeSchedule(kLoan, terms)) {
    const ScheduleRowTexts narrow = RowTexts(row);
    std::array<std::wstring, 7>& wide = texts.emplace_back();
    for (std::size_t i = 0; i < narrow.size(); ++i) wide[i] = tallix::Wide(narrow[i]);
  }

  const auto calculate = [&](bool charted) {
    const LoanTerms computed = ComputeTerms(kLoan);
    const std::vector<ScheduleRow> schedule = ComputeSchedule(kLoan, computed);
    std::vector<ScheduleRowTexts> rows;
    rows.reserve(schedule.size());
    for (const ScheduleRow& row : schedule) rows.push_back(RowTexts(row));
    FillScheduleList(list, rows);
    if (charted) chartView.ShowLoan(chart, ChartDataOf(kLoan.amount, schedule));
  };
  std::vector<double> ours, bare, charted;
  for (int run = 0; run < runs; ++run) {
    ours.push_back(Timed(list, [&] { calculate(false); }));
    bare.push_back(Timed(list, [&] { FillBare(list, texts, true); }));
    charted.push_back(Timed(
        list, [&] { calculate(true); }, chart));
  }
  const double redrawn = Timed(list, [&] { FillBare(list, texts, false); });
  const int rows = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::printf("payments: %d (list holds %d rows)\n", terms.payments, rows);
  std::printf("calculate and fill: %.2f ms\nbare fill of the same texts: %.2f ms\nratio: %.2f\n", Median(ours),
              Median(bare), Median(ours) / Median(bare));
  std::printf("calculate and fill with the chart drawn: %.2f ms\nchart ratio (with / without): %.3f\n", Median(charted),
              Median(charted) / Median(ours));
  std::printf("bare fill redrawn at each row (once): %.0f ms\n", redrawn);
  DestroyWindow(frame);
  return rows == terms.payments ? 0 : 1;
}
