// Every side window driven by real key strokes (SendInput, through the
// system's input queue to the window in the foreground): Tab walks its
// controls in their visual order, top to bottom and left to right, and comes
// back to where it started; the loan profiles, the converter and the transfer
// test's folder choice work without the mouse.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "resources/resource_ids.h"
#include "tests/keyboard/key_strokes.h"
#include "tests/keyboard/test_main_window.h"
#include "tests/ui/ui_test_support.h"
#include "tools/transfer/transfer_options_window.h"
#include "tools/transfer/transfer_window_ids.h"
#include "ui/control_helpers.h"
#include "ui/form.h"
#include "ui/input_box.h"

namespace tallix {
namespace {

using key_strokes::FocusId;
using key_strokes::Press;
using key_strokes::Pump;
using key_strokes::PumpUntil;

// Where the focus goes on each Tab from where the window put it, once round
// and back to the start.
std::vector<int> TabRound(HWND form, size_t stops) {
  SetForegroundWindow(form);
  PumpUntil([&] { return GetForegroundWindow() == form; });
  std::vector<int> visited{FocusId()};
  for (size_t i = 0; i < stops; ++i) {
    Press(VK_TAB);
    visited.push_back(FocusId());
  }
  return visited;
}

// The order `expected` as a round starting where `visited` starts.
std::vector<int> RoundFrom(const std::vector<int>& expected, int start) {
  const auto at = std::find(expected.begin(), expected.end(), start);
  if (at == expected.end()) return expected;
  std::vector<int> round(at, expected.end());
  round.insert(round.end(), expected.begin(), at);
  round.push_back(start);
  return round;
}

class KeyboardTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Two loan profiles, listed sorted: Car, then Home.
    ASSERT_NE(main_.Open("tallix-keyboard",
                         "[Loan Settings]\r\nName1=Home\r\nPrincipal1=200000\r\nInterest1=7\r\nYears1=30\r\n"
                         "Name2=Car\r\nPrincipal2=12000\r\nInterest2=5\r\nYears2=4\r\n"),
              nullptr);
  }
  static void TearDownTestSuite() { main_.Close(); }

  static HWND Owner() { return main_->Owner(); }
  // Opens a side window with its key on the main window.
  static HWND OpenWithKey(int keyId) {
    const std::set<HWND> known{Owner()};
    SendMessageW(Owner(), WM_COMMAND, MAKEWPARAM(keyId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Owner(), keyId)));
    HWND form = nullptr;
    PumpUntil([&] { return (form = ui::test::UnknownForm(known)) != nullptr; });
    return form;
  }
  // Runs `open`, which shows a modal form, and `inside` on that form from
  // within its own message loop; the form is closed afterwards.
  static void WithModal(const std::function<void()>& open, const std::function<void(HWND)>& inside) {
    static const std::function<void(HWND)>* action;
    static std::set<HWND> known;
    static bool ran;
    action = &inside, known = {Owner()}, ran = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      HWND form = ui::test::UnknownForm(known);
      if (!form || ran) return;
      KillTimer(nullptr, id);
      ran = true;
      (*action)(form);
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    open();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(ran) << "the modal form did not show";
  }

  static void ExpectTabOrder(HWND form, const std::vector<int>& expected) {
    ASSERT_NE(form, nullptr);
    const std::vector<int> visited = TabRound(form, expected.size());
    EXPECT_EQ(visited, RoundFrom(expected, visited.front()));
  }

  static inline key_strokes::TestMainWindow main_;
};

// Label, field and unit list in rows, the result row, the unit system (the
// option checked), then the buttons left to right.
TEST_F(KeyboardTest, AreaAndVolumeTabInRows) {
  HWND area = OpenWithKey(ids::kKeyArea);
  ExpectTabOrder(area, {1010, 1020, 1011, 1021, 1013, 1023, 1031, 1033, 1034, IDCANCEL});
  DestroyWindow(area);
  HWND volume = OpenWithKey(ids::kKeyVol);
  ExpectTabOrder(volume, {1010, 1020, 1011, 1021, 1012, 1022, 1013, 1023, 1031, 1033, 1034, IDCANCEL});
  DestroyWindow(volume);
}

// The profile list and its buttons, the loan's fields, the results row by
// row across both columns, the schedule, the buttons.
TEST_F(KeyboardTest, LoanTabsByColumnsThenRowsAndArrowsLoadAProfile) {
  HWND loan = OpenWithKey(ids::kKeyLoan);
  ExpectTabOrder(loan, {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1015,    1018,
                        1016, 1019, 1017, 1020, 1009, 1010, 1011, 1012, 1022, IDCANCEL});

  HWND list = GetDlgItem(loan, 1000);
  SetFocus(list);
  Pump();
  ASSERT_EQ(ui::ListBoxItemText(list, ui::ListBoxSelection(list)), L"Car");
  const std::wstring carAmount = ui::GetText(GetDlgItem(loan, 1004));
  Press(VK_DOWN);
  EXPECT_EQ(ui::ListBoxItemText(list, ui::ListBoxSelection(list)), L"Home");
  EXPECT_NE(ui::GetText(GetDlgItem(loan, 1004)), carAmount);
  EXPECT_NE(ui::GetText(GetDlgItem(loan, 1004)).find(L"200"), std::wstring::npos);
  EXPECT_EQ(GetFocus(), list) << "the list keeps the focus for the next arrow";
  DestroyWindow(loan);
}

// Enter in a field calculates with what was typed; Esc closes the window.
TEST_F(KeyboardTest, LoanCalculatesOnEnterAndClosesOnEsc) {
  HWND loan = OpenWithKey(ids::kKeyLoan);
  ASSERT_NE(loan, nullptr);
  SetForegroundWindow(loan);
  PumpUntil([&] { return GetForegroundWindow() == loan; });
  HWND amount = GetDlgItem(loan, 1004);
  HWND payment = GetDlgItem(loan, 1015);
  const std::wstring shown = ui::GetText(payment);
  SetFocus(amount);
  ui::SetText(amount, L"999000");
  Press(VK_RETURN);
  EXPECT_NE(ui::GetText(payment), shown) << "Enter did not calculate";
  EXPECT_TRUE(IsWindow(loan));
  Press(VK_ESCAPE);
  PumpUntil([&] { return !IsWindow(loan); });
  EXPECT_FALSE(IsWindow(loan)) << "Esc did not close the window";
  if (IsWindow(loan)) DestroyWindow(loan);
}

TEST_F(KeyboardTest, TransferTabsAlongItsButtonsAndTheFolderChoiceReturnsToIt) {
  HWND transfer = OpenWithKey(ids::kKeyTransfer);
  // Print Results is off until a test has run.
  ExpectTabOrder(transfer, {transfer::ids::kExit, transfer::ids::kStartTest});

  // Enter on Start Test opens the folder browser; Esc leaves it, and the
  // keyboard is back in the transfer window.
  static HWND browser;
  browser = nullptr;
  SetFocus(GetDlgItem(transfer, transfer::ids::kStartTest));
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND found = FindWindowW(nullptr, L"Browse for Folder");
    if (!found || GetForegroundWindow() != found) return;
    KillTimer(nullptr, id);
    browser = found;
    Press(VK_ESCAPE);
  });
  Press(VK_RETURN);
  PumpUntil([] { return browser && !IsWindow(browser); });
  KillTimer(nullptr, timer);
  EXPECT_NE(browser, nullptr) << "no folder browser in the foreground";
  PumpUntil([&] { return GetForegroundWindow() == transfer; });
  EXPECT_EQ(GetForegroundWindow(), transfer);
  EXPECT_EQ(GetFocus(), GetDlgItem(transfer, transfer::ids::kStartTest));
  DestroyWindow(transfer);
}

// The folder browser belongs to the transfer window: modal to it, Start
// Test off meanwhile, and cancelled when the window is closed, with nothing
// asked after it.
TEST_F(KeyboardTest, TransferFolderBrowserIsModalToItsWindowAndEndsWithIt) {
  static HWND transfer, browser, owner;
  static bool startTestOn, outlived;
  static int ticks;
  transfer = OpenWithKey(ids::kKeyTransfer);
  ASSERT_NE(transfer, nullptr);
  browser = owner = nullptr;
  startTestOn = outlived = false;
  ticks = 0;
  // Runs inside the browser's own loop; a browser that outlives its window
  // by seconds is cancelled here, so that the test ends.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    if (browser) {
      if (IsWindow(browser) && ++ticks == 100) {
        outlived = true;
        PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
      }
      return;
    }
    HWND found = FindWindowW(nullptr, L"Browse for Folder");
    if (!found || !IsWindowVisible(found)) return;
    browser = found;
    owner = GetWindow(found, GW_OWNER);
    startTestOn = IsWindowEnabled(GetDlgItem(transfer, transfer::ids::kStartTest));
    PostMessageW(transfer, WM_CLOSE, 0, 0);
  });
  SendMessageW(transfer, WM_COMMAND, MAKEWPARAM(transfer::ids::kStartTest, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(transfer, transfer::ids::kStartTest)));
  KillTimer(nullptr, timer);
  ASSERT_NE(browser, nullptr) << "no folder browser";
  EXPECT_EQ(owner, transfer);
  EXPECT_FALSE(startTestOn) << "Start Test could start a second browser";
  EXPECT_FALSE(outlived) << "closing the window left the browser open";
  PumpUntil([] { return !IsWindow(transfer); });
  EXPECT_FALSE(IsWindow(browser));
  EXPECT_FALSE(IsWindow(transfer)) << "closing the window waited for the browser";
  EXPECT_EQ(FindWindowW(L"FORM_TALLIX_FTS2_CLASS", nullptr), nullptr) << "options asked with no window";
  if (IsWindow(transfer)) DestroyWindow(transfer);
}

TEST_F(KeyboardTest, HelpTabsFromTheTopicsToTheTextAndClosesWithAltF4) {
  SendMessageW(Owner(), WM_COMMAND, MAKEWPARAM(IDM_HELP_TOPICS, 0), 0);
  HWND help = nullptr;
  PumpUntil([&] { return (help = ui::test::UnknownForm({Owner()})) != nullptr; });
  ExpectTabOrder(help, {1000, 1004});
  // Alt+F4 closes it from the topics, which Wine's tree view keeps for itself.
  Press(VK_F4, VK_MENU);
  PumpUntil([&] { return !IsWindow(help); });
  EXPECT_FALSE(IsWindow(help));
  DestroyWindow(help);
}

// Tab into a scrolled topic keeps the lines the reader was at; Esc closes
// the window from the text as from the topics.
TEST_F(KeyboardTest, HelpKeepsTheReadingPlaceOnTabAndClosesWithEsc) {
  for (const bool fromText : {true, false}) {
    SendMessageW(Owner(), WM_COMMAND, MAKEWPARAM(IDM_KEYBOARD_EQUIVALENTS, 0), 0);
    HWND help = nullptr;
    PumpUntil([&] { return (help = ui::test::UnknownForm({Owner()})) != nullptr; });
    ASSERT_NE(help, nullptr);
    SetForegroundWindow(help);
    PumpUntil([&] { return GetForegroundWindow() == help; });
    HWND text = GetDlgItem(help, 1004);
    SetFocus(GetDlgItem(help, 1000));
    if (fromText) {
      SendMessageW(text, EM_LINESCROLL, 0, 6);
      const LRESULT firstLine = SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0);
      ASSERT_GT(firstLine, 0) << "the topic is too short to scroll";
      Press(VK_TAB);
      ASSERT_EQ(GetFocus(), text);
      EXPECT_EQ(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine) << "Tab scrolled the text";
      DWORD start = 0, end = 0;
      SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, end) << "Tab selected the text";
    }
    Press(VK_ESCAPE);
    PumpUntil([&] { return !IsWindow(help); });
    EXPECT_FALSE(IsWindow(help)) << "Esc did not close the help " << (fromText ? "from its text" : "from its topics");
    if (IsWindow(help)) DestroyWindow(help);
  }
}

TEST_F(KeyboardTest, ModalWindowsTabInTheirVisualOrder) {
  const auto menu = [](int id) { return [id] { SendMessageW(Owner(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }; };
  // The calculator mode and the rounding (the options checked), the tax rate and the grand total, both long
  // check boxes, Ok, Cancel.
  WithModal(menu(IDM_OPTIONS), [](HWND form) {
    ExpectTabOrder(form, {1000, 1009, 1004, 1012, 1005, 1006, IDOK, IDCANCEL});
  });
  WithModal(menu(IDM_ABOUT), [](HWND form) { ExpectTabOrder(form, {IDOK}); });
  WithModal([] { ui::InputBox(Owner(), L"Name of the loan:", L"Tallix", L"Car"); },
            [](HWND form) {
              ExpectTabOrder(form, {IDOK, IDCANCEL, 1001});
            });
  WithModal([] { transfer::AskTransferOptions(Owner(), {}, std::nullopt); },
            [](HWND form) {
              ExpectTabOrder(form, {1001, 1002, IDOK, IDCANCEL});
            });
}

// Arrows only move through the units; Enter converts the one chosen.
TEST_F(KeyboardTest, ConverterConvertsWithArrowsAndEnter) {
  HWND popup = OpenWithKey(ids::kKeyCnv);
  ASSERT_NE(popup, nullptr);
  SetForegroundWindow(popup);
  PumpUntil([&] { return GetForegroundWindow() == popup; });
  HWND tree = GetDlgItem(popup, 1000);
  ASSERT_EQ(GetFocus(), tree);
  const int tapeLines = ui::ListBoxCount(GetDlgItem(Owner(), ids::kTapeList));
  for (WORD key : {VK_DOWN, VK_RIGHT, VK_DOWN}) Press(key);  // the first category, opened, its first unit
  EXPECT_TRUE(IsWindow(popup)) << "an arrow converted";
  EXPECT_EQ(ui::ListBoxCount(GetDlgItem(Owner(), ids::kTapeList)), tapeLines);
  Press(VK_RETURN);
  PumpUntil([&] { return !IsWindow(popup); });
  EXPECT_FALSE(IsWindow(popup)) << "Enter did not convert";
  EXPECT_GT(ui::ListBoxCount(GetDlgItem(Owner(), ids::kTapeList)), tapeLines);
}

}  // namespace
}  // namespace tallix
