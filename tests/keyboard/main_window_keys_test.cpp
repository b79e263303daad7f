// The main window driven by real key strokes: its menus open with Alt and
// their letters and show the keystrokes of their commands, and the number
// system is chosen with Tab and the arrow keys or with its own keystroke.
#include <windows.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/menu_text.h"
#include "tests/keyboard/key_strokes.h"
#include "tests/keyboard/test_main_window.h"
#include "ui/control_helpers.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

using key_strokes::FocusId;
using key_strokes::Press;
using key_strokes::Pump;
using key_strokes::PumpUntil;

class MainWindowKeysTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(main_.Open("tallix-main-keys"), nullptr); }
  static void TearDownTestSuite() { main_.Close(); }
  static HWND Owner() { return main_->Owner(); }

  static inline key_strokes::TestMainWindow main_;
};

std::wstring MenuItemText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_FTYPE;
  item.dwTypeData = text;
  item.cch = 127;
  GetMenuItemInfoW(menu, position, TRUE, &item);
  return (item.fType & MFT_SEPARATOR) ? std::wstring() : std::wstring(text);
}

// The letter after a single "&"; 0 for none.
wchar_t Mnemonic(const std::wstring& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
    ++i;
  }
  return 0;
}

// Each item of a menu and its submenus, with its own letter, unique in its
// menu; keystrokes shown after a tab, the caption before it as written.
void ExpectMnemonicsAndShortcuts(HMENU menu, std::map<std::wstring, std::wstring>& shortcuts) {
  std::map<wchar_t, std::wstring> letters;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const std::wstring text = MenuItemText(menu, static_cast<UINT>(i));
    if (text.empty()) continue;
    const wchar_t letter = Mnemonic(text);
    EXPECT_NE(letter, 0) << "no letter in " << file_io::Utf8FromWide(text);
    if (const auto [other, unique] = letters.emplace(letter, text); letter && !unique)
      ADD_FAILURE() << file_io::Utf8FromWide(text) << " and " << file_io::Utf8FromWide(other->second)
                    << " share a letter";
    if (const std::size_t tab = text.find(L'\t'); tab != std::wstring::npos)
      shortcuts[MenuItemCaption(text)] = text.substr(tab + 1);
    if (HMENU sub = GetSubMenu(menu, i)) ExpectMnemonicsAndShortcuts(sub, shortcuts);
  }
}

// Alt and a menu's letter opens that menu, as in every Windows program.
TEST_F(MainWindowKeysTest, MenusHaveTheirLettersAndShowTheKeystrokesOfTheirCommands) {
  HMENU bar = GetMenu(Owner());
  std::map<std::wstring, std::wstring> shortcuts;
  ExpectMnemonicsAndShortcuts(bar, shortcuts);
  // Those the help's keyboard table lists, named as the key map names them.
  const std::map<std::wstring, std::wstring> listed = {
      {L"Copy", L"Ctrl+C"},    {L"Paste", L"Ctrl+V"},           {L"Add Note...", L"Ctrl+N"},
      {L"Help Topics", L"F1"}, {L"Copy Tape", L"Ctrl+Shift+C"}, {L"Find...", L"Ctrl+F"},
      {L"Find Next", L"F3"},   {L"Find Previous", L"Shift+F3"}};
  EXPECT_EQ(shortcuts, listed);

  static HMENU opened;
  SetForegroundWindow(Owner());
  PumpUntil([] { return GetForegroundWindow() == Owner(); });
  const std::pair<WORD, int> letters[] = {{'F', 0}, {'E', 1}, {'V', 2}, {'H', 3}};
  for (const auto& [letter, position] : letters) {
    opened = nullptr;
    // The menu runs a loop of its own until it closes; the timer looks in.
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
      HWND popup = FindWindowW(L"#32768", nullptr);
      if (!popup || !IsWindowVisible(popup)) return;
      opened = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
      EndMenu();
    });
    Press(letter, VK_MENU);
    PumpUntil([] { return opened != nullptr; });
    KillTimer(nullptr, timer);
    EXPECT_EQ(opened, GetSubMenu(bar, position)) << "Alt+" << static_cast<char>(letter);
  }
  PumpUntil([] { return GetFocus() == GetDlgItem(Owner(), ids::kKeySink); });
}

// Tab from the key sink reaches the number system checked; the arrows choose
// another and keep the focus there; any other key is typed on the key sink.
// Ctrl+Shift and an initial chooses a system from anywhere.
TEST_F(MainWindowKeysTest, NumberSystemsByTabArrowsAndTheirKeystrokes) {
  SetForegroundWindow(Owner());
  PumpUntil([] { return GetForegroundWindow() == Owner(); });
  HWND sink = GetDlgItem(Owner(), ids::kKeySink);
  const auto checked = [](int id) { return SendMessageW(GetDlgItem(Owner(), id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  SetFocus(sink);
  Pump();
  ASSERT_TRUE(checked(ids::kOptionDec));
  Press(VK_TAB);
  EXPECT_EQ(FocusId(), ids::kOptionDec);
  Press(VK_RIGHT);
  EXPECT_EQ(FocusId(), ids::kOptionDec + 1);
  EXPECT_TRUE(checked(ids::kOptionDec + 1)) << "the arrow did not choose Hex";
  Press(VK_RIGHT);
  EXPECT_EQ(FocusId(), ids::kOptionDec + 2);
  EXPECT_TRUE(checked(ids::kOptionDec + 2));
  Press('1');
  EXPECT_EQ(GetFocus(), sink);
  EXPECT_EQ(ui::GetText(GetDlgItem(Owner(), ids::kDisplay)).back(), L'1');
  Press(VK_TAB);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), sink) << "Tab did not leave the options";
  Press('O', VK_CONTROL, VK_SHIFT);
  EXPECT_TRUE(checked(ids::kOptionOct));
  Press('D', VK_CONTROL, VK_SHIFT);
  EXPECT_TRUE(checked(ids::kOptionDec));
  EXPECT_EQ(GetFocus(), sink);
}

}  // namespace
}  // namespace tallix
