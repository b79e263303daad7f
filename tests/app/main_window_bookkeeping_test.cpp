// The rounding switch and the grand total as the user meets them: chosen in
// the Options window, then typed on the key sink and run from the Edit menu.
#include <windows.h>
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace tallix::main_window_gui {
namespace {

using gui_test::WithFormOpen;

constexpr int kRoundDown = 1008, kRoundFiveFour = 1009, kGrandTotalBox = 1012;

bool IsChecked(HWND form, int id) { return SendDlgItemMessageW(form, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class BookkeepingTest : public MainWindowTest {
 protected:
  void CtrlG() {
    SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, VK_CONTROL, 1);
    Type('G');
    SendMessageW(Item(ids::kKeySink), WM_KEYUP, VK_CONTROL, 0xC0000001);
    Pump();
  }
  // The Edit menu's Grand Total item as the menu shows it when it opens.
  std::wstring GrandTotalItem(bool& enabled) {
    HMENU edit = GetSubMenu(GetMenu(window_), 1);
    SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    enabled = (GetMenuState(edit, IDM_GRAND_TOTAL, MF_BYCOMMAND) & MF_GRAYED) == 0;
    wchar_t text[64] = {};
    GetMenuStringW(edit, IDM_GRAND_TOTAL, text, 64, MF_BYCOMMAND);
    return text;
  }
};

TEST_F(BookkeepingTest, ChosenInOptionsTheyRoundAndAddWhatIsTyped) {
  Open("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
  bool enabled = true;
  EXPECT_EQ(GrandTotalItem(enabled), L"&Grand Total");
  EXPECT_FALSE(enabled);
  WithFormOpen(
      L"FORM_TALLIX_FORM2_CLASS", [&] { Menu(IDM_OPTIONS); },
      [](HWND options) {
        EXPECT_TRUE(IsChecked(options, kRoundFiveFour));
        EXPECT_FALSE(IsChecked(options, kGrandTotalBox));
        SendDlgItemMessageW(options, kRoundDown, BM_CLICK, 0, 0);
        SendDlgItemMessageW(options, kGrandTotalBox, BM_CLICK, 0, 0);
        SendDlgItemMessageW(options, IDOK, BM_CLICK, 0, 0);
      });
  EXPECT_EQ(Setting("Rounding"), "Down");
  EXPECT_EQ(Setting("GrandTotal"), "1");
  EXPECT_EQ(GrandTotalItem(enabled), L"&Grand Total\tCtrl+G");
  EXPECT_TRUE(enabled);

  for (const int key : {int{'2'}, VK_DIVIDE, int{'3'}, VK_RETURN}) Type(key);
  EXPECT_EQ(Text(ids::kDisplay), "0.66");
  // Ctrl+G held down: the key repeats, which is no second press.
  SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, VK_CONTROL, 1);
  SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, 'G', 1);
  SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, 'G', LPARAM{1} << 30 | 1);
  SendMessageW(Item(ids::kKeySink), WM_KEYUP, 'G', 0xC0000001);
  SendMessageW(Item(ids::kKeySink), WM_KEYUP, VK_CONTROL, 0xC0000001);
  Pump();
  const std::vector<std::string> tape = Tape();
  EXPECT_EQ(std::vector<std::string>(tape.end() - 3, tape.end()), (std::vector<std::string>{"0.66 =", "", "0.66 GT"}));
  EXPECT_EQ(Text(ids::kMemoryPane), " M1 GT");
  EXPECT_EQ(Setting("GT"), ".66");  // plain number text, as the memory banks keep theirs

  // Kept for the next start; the menu's item, twice in a row, clears it.
  Close();
  Open();
  EXPECT_EQ(Text(ids::kMemoryPane), " M1 GT");
  CtrlG();
  Menu(IDM_GRAND_TOTAL);
  EXPECT_EQ(Tape().back(), "GT Clear");
  EXPECT_EQ(Text(ids::kMemoryPane), " M1");
  EXPECT_EQ(Setting("GT"), "0");
  WithFormOpen(
      L"FORM_TALLIX_FORM2_CLASS", [&] { Menu(IDM_OPTIONS); },
      [](HWND options) {
        EXPECT_TRUE(IsChecked(options, kRoundDown) && IsChecked(options, kGrandTotalBox));
        EXPECT_FALSE(IsChecked(options, kRoundFiveFour));
        SendDlgItemMessageW(options, IDCANCEL, BM_CLICK, 0, 0);
      });
}

}  // namespace
}  // namespace tallix::main_window_gui
