// The help describes the menus Tallix has: each menu's topic has one
// paragraph per command, headed by the command's name as the menu shows it.
// A command added, renamed or removed without its help fails here.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "app/help/help_window.h"
#include "app/main_window/menu_text.h"

namespace tallix {
namespace {

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// A popup's commands; a submenu counts as one command under its own name.
std::vector<std::wstring> CommandNames(HMENU menu) {
  std::vector<std::wstring> names;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_FTYPE;
    item.dwTypeData = text;
    item.cch = 127;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_SEPARATOR)) continue;
    names.push_back(Lower(MenuItemCaption(text)));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The first line of each paragraph; paragraphs are separated by an empty line.
std::vector<std::wstring> ParagraphTitles(const std::wstring& text) {
  std::vector<std::wstring> titles;
  bool paragraphStarts = true;
  for (std::size_t at = 0; at <= text.size();) {
    std::size_t end = text.find(L"\r\n", at);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(at, end - at);
    if (line.empty()) {
      paragraphStarts = true;
    } else if (paragraphStarts) {
      titles.push_back(Lower(line));
      paragraphStarts = false;
    }
    at = end + 2;
  }
  std::sort(titles.begin(), titles.end());
  return titles;
}

TEST(HelpMenuTopics, NameEveryCommandOfTheirMenuAndNoOther) {
  HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), L"FORM1_TOPMENU");
  ASSERT_NE(bar, nullptr);
  // File, Edit, View and Help, in the menu bar's order and the topics' order.
  const int topics[] = {210, 220, 230, 240};
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  for (int i = 0; i < 4; ++i) {
    const std::optional<std::wstring> text = HelpTopicText(topics[i]);
    ASSERT_TRUE(text.has_value()) << topics[i];
    EXPECT_EQ(CommandNames(GetSubMenu(bar, i)), ParagraphTitles(*text)) << "help topic " << topics[i];
  }
  DestroyMenu(bar);
}

// Every topic's text is built into the program, the keyboard topic's marks
// filled in.
TEST(HelpTopics, EachHasItsTextFromTheProgramsResources) {
  for (const HelpTopic& topic : HelpTopics()) {
    const std::optional<std::wstring> text = HelpTopicText(static_cast<int>(topic.id));
    ASSERT_TRUE(text.has_value()) << static_cast<int>(topic.id);
    EXPECT_FALSE(text->empty());
    EXPECT_EQ(text->find(L'@'), std::wstring::npos) << static_cast<int>(topic.id);
  }
}

}  // namespace
}  // namespace tallix
