// The Options, About and Help windows the main window opens, driven through
// their controls and keys.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

using gui_test::WithFormOpen;

std::wstring ControlText(HWND form, int id) { return ui::GetText(GetDlgItem(form, id)); }
bool IsChecked(HWND form, int id) { return SendDlgItemMessageW(form, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Press(HWND form, int id) { SendDlgItemMessageW(form, id, BM_CLICK, 0, 0); }
// A key typed into the form's focused control, through the modal loop's filter.
void PostKey(HWND form, int virtualKey) {
  HWND focus = GetFocus();
  PostMessageW(focus && IsChild(form, focus) ? focus : form, WM_KEYDOWN, virtualKey, 1);
}

TEST_F(MainWindowTest, OptionsOkStoresAndAppliesExactlyItsFourKeys) {
  Open();
  const std::string before = Ini();
  // The file as it was, with the four keys of the options set to these values.
  const auto withOptions = [&](std::array<const char*, 4> values) {
    std::string ini = before;
    const char* keys[] = {"TaxRate", "LT10Key", "TopMost", "CalcMode"};
    for (int i = 0; i < 4; ++i) {
      const std::size_t start = ini.find(std::string("\n") + keys[i] + "=") + std::strlen(keys[i]) + 2;
      ini.replace(start, ini.find('\r', start) - start, values[i]);
    }
    return ini;
  };
  WithFormOpen(
      L"FORM_TALLIX_FORM2_CLASS", [&] { Menu(IDM_OPTIONS); },
      [](HWND options) {
        RECT outer{};
        GetWindowRect(options, &outer);
        EXPECT_EQ(outer.right - outer.left, 365);
        EXPECT_EQ(outer.bottom - outer.top, 228);
        EXPECT_EQ(ui::GetText(options), L"Tallix Options");
        EXPECT_EQ(ControlText(options, 1004), L"0");
        EXPECT_TRUE(IsChecked(options, 1000));
        EXPECT_FALSE(IsChecked(options, 1005) || IsChecked(options, 1006));
        SetDlgItemTextW(options, 1004, L"8.25");
        for (int id : {1001, 1005, 1006}) Press(options, id);
        SetFocus(GetDlgItem(options, 1004));
        PostKey(options, VK_RETURN);  // the default button
      });
  EXPECT_EQ(Ini(), withOptions({"8.25", "1", "1", "1"}));
  EXPECT_TRUE(Visible(ids::kLaptopLabel));
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  const EngineState& state = context_->CalculatorEngine().state();
  EXPECT_EQ(state.taxRate, 8.25f);
  EXPECT_EQ(state.calcMode, 1);
  EXPECT_TRUE(state.laptopKeys);

  // Letters are no number: 0. Unchecking reverses the rest.
  WithFormOpen(
      L"FORM_TALLIX_FORM2_CLASS", [&] { Menu(IDM_OPTIONS); },
      [](HWND options) {
        EXPECT_EQ(ControlText(options, 1004), L"8.25");
        EXPECT_TRUE(IsChecked(options, 1001) && IsChecked(options, 1005) && IsChecked(options, 1006));
        SetDlgItemTextW(options, 1004, L"abc");
        for (int id : {1000, 1005, 1006}) Press(options, id);
        Press(options, IDOK);
      });
  EXPECT_EQ(Ini(), withOptions({"0", "0", "0", "0"}));
  EXPECT_FALSE(Visible(ids::kLaptopLabel));
  EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(state.taxRate, 0.0f);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(MainWindowTest, OptionsCancelAndEscChangeNothing) {
  Open();
  const std::string before = Ini();
  for (bool byEsc : {false, true}) {
    WithFormOpen(
        L"FORM_TALLIX_FORM2_CLASS", [&] { Menu(IDM_OPTIONS); },
        [byEsc](HWND options) {
          SetDlgItemTextW(options, 1004, L"5");
          for (int id : {1001, 1005, 1006}) Press(options, id);
          SetFocus(GetDlgItem(options, 1004));
          if (byEsc) {
            PostKey(options, VK_ESCAPE);
          } else {
            Press(options, IDCANCEL);
          }
        });
    EXPECT_EQ(Ini(), before) << byEsc;
  }
  EXPECT_FALSE(Visible(ids::kLaptopLabel));
  EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(context_->CalculatorEngine().state().calcMode, 0);
}

SIZE OuterSize(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

TEST_F(MainWindowTest, AboutShowsTheVersionAndEscClosesIt) {
  Open();
  WithFormOpen(
      L"FORM_TALLIX_FORM3_CLASS", [&] { Menu(IDM_ABOUT); },
      [&](HWND about) {
        EXPECT_EQ(ui::GetText(about), L"About Tallix");
        EXPECT_EQ(OuterSize(about).cx, 318);
        EXPECT_EQ(OuterSize(about).cy, 242);
        EXPECT_EQ(ControlText(about, 1000), L"Tallix");
        EXPECT_EQ(ControlText(about, 1001), L"Version 2.7.0 ");
        EXPECT_NE(SendDlgItemMessageW(about, 1005, STM_GETICON, 0, 0), 0);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(about, IDCANCEL)));
        EXPECT_FALSE(IsWindowEnabled(window_));
        SetFocus(GetDlgItem(about, IDOK));
        PostKey(about, VK_ESCAPE);
      });
  EXPECT_TRUE(IsWindowEnabled(window_));
}

constexpr wchar_t kHelpClass[] = L"FORM_TALLIX_FORM8_CLASS";

std::vector<HWND> HelpWindows() {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kHelpClass, nullptr));) found.push_back(w);
  return found;
}

LPARAM TopicOf(HWND tree, HTREEITEM item) {
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return data.lParam;
}

// The topic of the tree's selected item, and the first line of the text shown.
std::pair<LPARAM, std::wstring> ShownTopic(HWND help) {
  HWND tree = GetDlgItem(help, 1000);
  const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  const std::wstring text = ControlText(help, 1004);
  return {TopicOf(tree, selected), text.substr(0, text.find(L"\r\n"))};
}

TEST_F(MainWindowTest, HelpOpensOnceAtItsTopicAndShowsTheChosenOne) {
  Open();
  Click(ids::kKeyHelp);
  ASSERT_EQ(HelpWindows().size(), 1u);
  HWND help = HelpWindows()[0];
  EXPECT_EQ(ui::GetText(help), L"Tallix Help");
  EXPECT_EQ(OuterSize(help).cx, 545);
  EXPECT_EQ(OuterSize(help).cy, 354);
  EXPECT_EQ(GetWindow(help, GW_OWNER), window_);
  EXPECT_EQ(ControlText(help, 1002), L"Version 2.7.0 ");
  EXPECT_EQ(ShownTopic(help).first, 100);
  EXPECT_TRUE(ShownTopic(help).second.starts_with(L"Tallix is a calculator with a paper tape"));
  // The tree: top-level topics and their children in order.
  HWND tree = GetDlgItem(help, 1000);
  std::vector<LPARAM> topics;
  for (auto top = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); top;
       top =
           reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(top)))) {
    topics.push_back(TopicOf(tree, top));
    for (auto child = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(top)));
         child; child = reinterpret_cast<HTREEITEM>(
                    SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
      topics.push_back(TopicOf(tree, child) + 10000);
    }
  }
  EXPECT_EQ(topics, (std::vector<LPARAM>{100, 200, 10210, 10220, 10230, 10240, 300, 10310, 10320, 10330, 10340, 10350,
                                         10360, 10370, 10380, 400, 500}));
  const auto second = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(ShownTopic(help).second, L"Expand and click on an item for instructions.");

  // The key and F1 bring the open window back; the menu opens a fresh one.
  Click(ids::kKeyHelp);
  Type(VK_F1);
  EXPECT_EQ(HelpWindows(), std::vector<HWND>{help});
  Menu(IDM_KEYBOARD_EQUIVALENTS);
  ASSERT_EQ(HelpWindows().size(), 1u);
  EXPECT_FALSE(IsWindow(help));
  help = HelpWindows()[0];
  EXPECT_EQ(ShownTopic(help), std::make_pair(LPARAM{500}, std::wstring(L"Button\tKeyboard")));
  EXPECT_NE(ControlText(help, 1004).find(L"------\t--------\r\n0-9\t0-9\r\nA-F\tA-F\r\n.\t.\r\n+/-\tF9\r\n"),
            std::wstring::npos);
  Menu(IDM_HELP_TOPICS);
  ASSERT_EQ(HelpWindows().size(), 1u);
  EXPECT_EQ(ShownTopic(HelpWindows()[0]).first, 100);
}

}  // namespace
}  // namespace tallix::main_window_gui
