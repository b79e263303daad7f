// The windows the main window's keys open beside it: the context they reach
// it through, the converter's popup, the transfer test and the loan window.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/main_window_fixture.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

TEST_F(MainWindowTest, SideWindowsReachTheMainWindowThroughItsContext) {
  Open();
  MainWindowContext& context = *context_;
  EXPECT_EQ(context.SettingsPath(), IniPath());
  EXPECT_EQ(context.Settings().Read("Main Settings", "CalcMode", "missing"), "0");
  context.CalculatorEngine().AppendTapeLine("12.5", "in");
  Pump();
  EXPECT_EQ(Tape(), std::vector<std::string>{"12.5 in"});
  context.SetAlwaysOnTop(true);
  EXPECT_TRUE(context.IsAlwaysOnTop());
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  // A later click on the key turns it off again.
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_FALSE(context.IsAlwaysOnTop());
  EXPECT_EQ(Setting("TopMost"), "0");
  context.ShowLaptopLabel(true);
  EXPECT_TRUE(Visible(ids::kLaptopLabel));
  context.ShowLaptopLabel(false);
  EXPECT_FALSE(Visible(ids::kLaptopLabel));
  Close();
  // Gone with the window: nothing left to do.
  EXPECT_EQ(context.Owner(), nullptr);
  context.SetAlwaysOnTop(true);
  EXPECT_FALSE(context.IsAlwaysOnTop());
  context.ShowLaptopLabel(true);
}

// The converter, area, volume and loan keys open windows that have tests of
// their own; the stopwatch key keeps the focus on the calculator.
TEST_F(MainWindowTest, KeysOfSideWindowsLeaveTheCalculatorAsItWas) {
  Open();
  Click(ids::kKey1 + 4);
  Click(ids::kKeyStart);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
  // The transfer test opens beside the calculator with the focus, once however often its key is pressed.
  Click(ids::kKeyTransfer);
  Click(ids::kKeyTransfer);
  HWND transfer = FindWindowW(L"FORM_TALLIX_FTS1_CLASS", nullptr);
  ASSERT_NE(transfer, nullptr);
  EXPECT_EQ(FindWindowExW(nullptr, transfer, L"FORM_TALLIX_FTS1_CLASS", nullptr), nullptr);
  EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), transfer);
  EXPECT_EQ(GetWindow(transfer, GW_OWNER), window_);
  SendMessageW(transfer, WM_CLOSE, 0, 0);
  EXPECT_EQ(Text(ids::kDisplay), "5");
  EXPECT_TRUE(Tape().empty());
}

// The converter's popup opens just right of the "Cnv" key, its top level with
// the key's, owned by the main window.
TEST_F(MainWindowTest, ConverterPopupOpensBesideItsKey) {
  Open();
  Click(ids::kKeyCnv);
  HWND popup = FindWindowW(L"FORM_TALLIX_FORM7_CLASS", nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), window_);
  RECT key{}, placed{};
  GetWindowRect(Item(ids::kKeyCnv), &key);
  GetWindowRect(popup, &placed);
  EXPECT_EQ(placed.left, key.right + 2);
  EXPECT_EQ(placed.top, key.top);
  DestroyWindow(popup);
  EXPECT_TRUE(Tape().empty());
}

// The loan window is modeless: a second press brings the open one back. Its
// profiles are listed in alphabetical order, the first one shown.
TEST_F(MainWindowTest, LoanKeyOpensOneLoanWindowOwnedByTheMainWindow) {
  Open("[Loan Settings]\r\nName3=Zeta\r\nName7=Alpha\r\nPrincipal7=5000\r\n");
  Click(ids::kKey1 + 4);
  Click(ids::kKeyLoan);
  HWND loan = FindWindowW(L"FORM_TALLIX_FORM4_CLASS", L"Loan Calculator");
  ASSERT_NE(loan, nullptr);
  EXPECT_EQ(GetWindow(loan, GW_OWNER), window_);
  HWND names = GetDlgItem(loan, 1000);
  EXPECT_EQ(ui::ListBoxItemText(names, 0) + L"," + ui::ListBoxItemText(names, 1), L"Alpha,Zeta");
  EXPECT_EQ(ui::ListBoxSelection(names), 0);
  EXPECT_EQ(ui::GetText(GetDlgItem(loan, 1004)), L"$5,000.00");
  Click(ids::kKeyLoan);
  EXPECT_EQ(FindWindowExW(nullptr, loan, L"FORM_TALLIX_FORM4_CLASS", nullptr), nullptr);
  EXPECT_EQ(Text(ids::kDisplay), "5");
  EXPECT_TRUE(Tape().empty());
  DestroyWindow(loan);
}

// A rate whose figures are beyond what can be shown is refused with a message,
// and neither the tape nor a profile gets Infinity.
TEST_F(MainWindowTest, LoanFiguresTooLargeToShowAreRefusedBeforeAnythingIsWritten) {
  Open("");
  HWND loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  SetWindowTextW(GetDlgItem(loan, 1004), L"1000");
  SetWindowTextW(GetDlgItem(loan, 1005), L"1e39");
  SetWindowTextW(GetDlgItem(loan, 1006), L"30");
  {
    MessageBoxAnswerer ok(IDOK);
    PressButton(loan, 1010);
    ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
    EXPECT_NE(MessageBoxAnswerer::texts()[0].find(L"cannot be calculated"), std::wstring::npos);
  }
  EXPECT_TRUE(Tape().empty());
  EXPECT_EQ(Setting("Principal1"), "<missing>");
  DestroyWindow(loan);
}

// A name that is not UTF-8 (a hand-edited file) shows with U+FFFD; its entry
// still loads its profile, and Remove empties the keys it is stored under.
TEST_F(MainWindowTest, LoanProfileNamedWithBytesThatAreNotUtf8LoadsAndIsRemoved) {
  Open("[Loan Settings]\r\nName2=Caf\xE9\r\nPrincipal2=5000\r\nName4=Zeta\r\n");
  HWND loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  HWND names = GetDlgItem(loan, 1000);
  EXPECT_EQ(ui::ListBoxItemText(names, 0), L"Caf\uFFFD");
  EXPECT_EQ(ui::GetText(GetDlgItem(loan, 1004)), L"$5,000.00");
  PressButton(loan, 1003);
  EXPECT_EQ(Setting("Name2"), "");
  EXPECT_EQ(Setting("Principal2"), "");
  EXPECT_EQ(ui::ListBoxItemText(names, 0), L"Zeta");
  DestroyWindow(loan);
}

}  // namespace
}  // namespace tallix::main_window_gui
