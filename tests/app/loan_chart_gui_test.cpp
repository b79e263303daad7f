// The loan window's chart pane: shown and hidden by its check box, kept in
// the settings file, drawn from each calculation and said in words.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/app/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"
#include "tools/loan/loan_chart.h"

namespace tallix::main_window_gui {
namespace {

enum : int { kYears = 1006, kCalculate = 1010, kChart = 1021, kShowChart = 1022 };

int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.right;
}

bool Shown(HWND control) { return GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE; }

void ToggleChart(HWND loan) {
  SendMessageW(GetDlgItem(loan, kShowChart), BM_CLICK, 0, 0);
  Pump();
}

TEST_F(MainWindowTest, LoanChartPaneFollowsItsCheckBoxAndEachCalculation) {
  Open("[Loan Settings]\r\nName1=Home\r\nPrincipal1=200000\r\nInterest1=6.5\r\nYears1=30\r\nStartDate1=01-15-2030\r\n");
  HWND loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  HWND chart = GetDlgItem(loan, kChart);
  EXPECT_FALSE(Shown(chart));
  const int narrow = ClientWidth(loan);

  ToggleChart(loan);
  EXPECT_TRUE(Shown(chart));
  EXPECT_EQ(Setting("Chart"), "1");
  RECT pane{};
  GetWindowRect(chart, &pane);
  MapWindowPoints(nullptr, loan, reinterpret_cast<POINT*>(&pane), 2);
  EXPECT_GE(pane.left, narrow) << "the pane lies beside the window's old width";
  EXPECT_LE(pane.right, ClientWidth(loan));
  // The selected profile's loan, drawn in its colours and said in words.
  const std::wstring words = ui::GetText(chart);
  EXPECT_NE(words.find(L"$200,000.00"), std::wstring::npos) << words.c_str();
  EXPECT_NE(words.find(L"over 30 years"), std::wstring::npos) << words.c_str();
  ui::test::AwaitSettledScreen(chart);
  const ui::test::Pixels drawn = ui::test::ScreenPixels(chart);
  for (loan::ChartColour colour :
       {loan::kLightChartPalette.balance, loan::kLightChartPalette.principal, loan::kLightChartPalette.interest}) {
    EXPECT_GT(drawn.Count(colour), 50) << std::hex << colour;
  }

  // Calculate draws the new loan.
  SetWindowTextW(GetDlgItem(loan, kYears), L"15");
  PressButton(loan, kCalculate);
  EXPECT_NE(ui::GetText(chart).find(L"over 15 years"), std::wstring::npos);
  ui::test::AwaitSettledScreen(chart);
  EXPECT_GT(ui::test::ScreenPixels(chart).Differences(drawn), 100);

  // Opened again as it was left; hidden again, the window is as narrow as before.
  DestroyWindow(loan);
  Pump();
  loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  EXPECT_TRUE(Shown(GetDlgItem(loan, kChart)));
  EXPECT_EQ(SendMessageW(GetDlgItem(loan, kShowChart), BM_GETCHECK, 0, 0), BST_CHECKED);
  ToggleChart(loan);
  EXPECT_FALSE(Shown(GetDlgItem(loan, kChart)));
  EXPECT_EQ(ClientWidth(loan), narrow);
  EXPECT_EQ(Setting("Chart"), "0");
  DestroyWindow(loan);
}

}  // namespace
}  // namespace tallix::main_window_gui
