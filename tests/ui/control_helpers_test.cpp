// The control helpers on a form's controls: lists, combo boxes, list views,
// texts, places, check boxes and the clipboard.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/test_form.h"
#include "ui/control_helpers.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

// ---- control helpers ---------------------------------------------------------

TEST_F(FormTest, ListAndComboHelpers) {
  HWND window = OpenModeless();
  HWND list =
      CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_HASSTRINGS, 0, 0, 50, 50, window, nullptr, nullptr, nullptr);
  EXPECT_EQ(ListBoxAdd(list, L"one"), 0);
  EXPECT_EQ(ListBoxAdd(list, L"two"), 1);
  EXPECT_EQ(ListBoxCount(list), 2);
  EXPECT_EQ(ListBoxFind(list, L"TWO"), 1);
  EXPECT_EQ(ListBoxFind(list, L"three"), LB_ERR);
  ListBoxSelect(list, 1);
  EXPECT_EQ(ListBoxSelection(list), 1);
  EXPECT_EQ(ListBoxItemText(list, 0), L"one");
  EXPECT_EQ(ListBoxItemText(list, 9), L"");
  ListBoxDelete(list, 0);
  EXPECT_EQ(ListBoxItemText(list, 0), L"two");
  ListBoxClear(list);
  EXPECT_EQ(ListBoxCount(list), 0);

  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 80, window, nullptr, nullptr,
                               nullptr);
  ComboAdd(combo, L"a");
  ComboAdd(combo, L"b");
  ComboSelect(combo, 1);
  EXPECT_EQ(ComboSelection(combo), 1);
  ComboClear(combo);
  EXPECT_EQ(ComboSelection(combo), CB_ERR);

  HWND view =
      CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 80, window, nullptr, nullptr, nullptr);
  EXPECT_EQ(ListViewInsertColumn(view, 0, L"Month", 60), 0);
  ListViewInsertColumn(view, 1, L"Payment", 80);
  EXPECT_EQ(ListViewInsertItem(view, 0, L"1"), 0);
  ListViewSetItemText(view, 0, 1, L"$1,234.00");
  EXPECT_EQ(ListViewItemText(view, 0, 1), L"$1,234.00");
  ListViewClear(view);
  EXPECT_EQ(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), 0);

  // Dead handles are ignored.
  DestroyWindow(list);
  EXPECT_EQ(ListBoxCount(list), 0);
  EXPECT_EQ(ListBoxSelection(list), -1);
  EXPECT_EQ(GetText(list), L"");
}

TEST_F(FormTest, WindowHelpers) {
  HWND window = OpenModeless();
  HWND edit = Item(window, kEdit1);
  SetText(edit, L"12,345.67");
  EXPECT_EQ(GetText(edit), L"12,345.67");
  std::wstring longText(5000, L'9');
  SetText(edit, longText);
  EXPECT_EQ(GetText(edit), longText);
  DisableControl(edit);
  EXPECT_FALSE(IsWindowEnabled(edit));
  EnableControl(edit);
  EXPECT_TRUE(IsWindowEnabled(edit));
  MoveControl(edit, 33, 44);
  ResizeControl(edit, 70, 22);
  RECT rc;
  GetWindowRect(edit, &rc);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, 33);
  EXPECT_EQ(rc.top, 44);
  EXPECT_EQ(rc.right - rc.left, 70);

  SetClientSize(window, 507, 293);
  GetClientRect(window, &rc);
  EXPECT_EQ(rc.right, 507);
  EXPECT_EQ(rc.bottom, 293);
  // A menu bar too wide for the window wraps onto more lines.
  HMENU bar = CreateMenu();
  for (int item = 0; item < 8; ++item) AppendMenuW(bar, MF_STRING, 100 + item, L"Conversion");
  SetMenu(window, bar);
  SetClientSize(window, 150, 80);
  GetClientRect(window, &rc);
  EXPECT_EQ(rc.right, 150);
  EXPECT_EQ(rc.bottom, 80);

  HWND check =
      CreateWindowExW(0, L"BUTTON", L"c", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 20, 20, window, nullptr, nullptr, nullptr);
  SetChecked(check, true);
  EXPECT_EQ(IsChecked(check), -1);
  SetChecked(check, false);
  EXPECT_EQ(IsChecked(check), 0);
}

TEST_F(FormTest, ClipboardRoundTrip) {
  HWND window = OpenModeless();
  ASSERT_TRUE(SetClipboardText(window, L"1,234.5"));
  EXPECT_EQ(GetClipboardText(window), L"1,234.5");
  ASSERT_TRUE(OpenClipboardPatiently(window));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetClipboardText(window), L"");

  // Held open by another window, the clipboard takes nothing, and says so.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboardPatiently(other));
  EXPECT_FALSE(SetClipboardText(window, L"7"));
  CloseClipboard();
  DestroyWindow(other);
  EXPECT_EQ(GetClipboardText(window), L"");
}

TEST(WindowsVersionText, NamesAWindowsSystem) {
  std::wstring text = GetWindowsVersionText();
  EXPECT_EQ(text.rfind(L"Microsoft Win", 0), 0u) << std::string(text.begin(), text.end());
}

}  // namespace
