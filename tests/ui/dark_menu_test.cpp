// A form's menus in the dark look: drawn by Tallix with their texts kept,
// readable, answering their mnemonics, and given back whole when light.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "services/readable_color.h"
#include "tests/ui/test_form.h"
#include "ui/dark_theme.h"

using namespace tallix;
using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr UINT kGrouping = 21, kOff = 22, kTheme = 23, kLight = 31, kDark = 32, kHelp = 11;

MENUITEMINFOW InfoOf(UINT mask) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

// View (a keystroke, a separator, a disabled item, a submenu of radio items) and Help.
HMENU SmallNestedMenu(HMENU& view, HMENU& theme) {
  HMENU bar = CreateMenu();
  view = CreatePopupMenu();
  theme = CreatePopupMenu();
  AppendMenuW(theme, MF_STRING, kLight, L"&Light");
  AppendMenuW(theme, MF_STRING, kDark, L"&Dark");
  MENUITEMINFOW radio = InfoOf(MIIM_FTYPE);
  radio.fType = MFT_RADIOCHECK;
  for (UINT id : {kLight, kDark}) SetMenuItemInfoW(theme, id, FALSE, &radio);
  CheckMenuRadioItem(theme, kLight, kDark, kLight, MF_BYCOMMAND);
  AppendMenuW(view, MF_STRING, kGrouping, L"Digit &grouping");
  AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(view, MF_STRING | MF_GRAYED, kOff, L"&Off");
  MENUITEMINFOW popup = InfoOf(MIIM_ID | MIIM_SUBMENU | MIIM_STRING);
  popup.wID = kTheme;
  popup.hSubMenu = theme;
  popup.dwTypeData = const_cast<wchar_t*>(L"&Theme");
  InsertMenuItemW(view, 3, TRUE, &popup);
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
  AppendMenuW(bar, MF_STRING, kHelp, L"&Help");
  return bar;
}

struct Item {
  HMENU menu;
  UINT position;
  UINT type;
  std::wstring text;
};

void CollectItems(HMENU menu, std::vector<Item>& items) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    MENUITEMINFOW info = InfoOf(MIIM_FTYPE);
    GetMenuItemInfoW(menu, i, TRUE, &info);
    items.push_back({menu, static_cast<UINT>(i), info.fType, text});
    if (HMENU sub = GetSubMenu(menu, i)) CollectItems(sub, items);
  }
}

std::vector<Item> ItemsOf(HMENU bar) {
  std::vector<Item> items;
  CollectItems(bar, items);
  return items;
}

struct Drawn {
  Pixels pixels;
  COLORREF back;
  double textContrast;  // the strongest ink on the background
};

// An item drawn through the form, as the system asks for it, into a memory DC.
Drawn DrawItem(HWND form, HMENU menu, UINT id, UINT state) {
  MENUITEMINFOW info = InfoOf(MIIM_DATA);
  GetMenuItemInfoW(menu, id, FALSE, &info);
  constexpr int kWidth = 200, kHeight = 24;
  Drawn drawn{RenderWith(kWidth, kHeight,
                         [&](HDC dc) {
                           DRAWITEMSTRUCT draw{ODT_MENU,
                                               0,
                                               id,
                                               ODA_DRAWENTIRE,
                                               state,
                                               reinterpret_cast<HWND>(menu),
                                               dc,
                                               RECT{0, 0, kWidth, kHeight},
                                               info.dwItemData};
                           EXPECT_EQ(SendMessageW(form, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
                         }),
              0, 1.0};
  drawn.back = drawn.pixels.At(0, 0);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      drawn.textContrast = std::max(drawn.textContrast, ContrastRatio(drawn.pixels.At(x, y), drawn.back));
  return drawn;
}

// Pixels unlike the background between two columns.
int InkBetween(const Drawn& drawn, int left, int right) {
  int ink = 0;
  for (int y = 0; y < drawn.pixels.height; ++y)
    for (int x = left; x < right; ++x) ink += drawn.pixels.At(x, y) != drawn.back;
  return ink;
}

LRESULT MenuChar(HWND form, wchar_t key, HMENU menu, bool popup) {
  return SendMessageW(form, WM_MENUCHAR, MAKEWPARAM(key, popup ? MF_POPUP : 0), reinterpret_cast<LPARAM>(menu));
}

class DarkMenuTest : public FormTest {
 protected:
  void TearDown() override {
    SetThemeChoice(ThemeChoice::kSystem);
    FormTest::TearDown();
  }
};

TEST_F(DarkMenuTest, MenusAreDrawnDarkWithTheirTextsAndGivenBackWhenLight) {
  HWND window = OpenModeless();
  HMENU view = nullptr, theme = nullptr;
  HMENU bar = SmallNestedMenu(view, theme);
  SetMenu(window, bar);
  const std::vector<Item> original = ItemsOf(bar);
  SetThemeChoice(ThemeChoice::kDark);
  ApplyThemeToForm(window);

  std::vector<Item> dark = ItemsOf(bar);
  ASSERT_EQ(dark.size(), original.size());
  for (size_t i = 0; i < dark.size(); ++i) {
    EXPECT_TRUE(dark[i].type & MFT_OWNERDRAW) << i;
    EXPECT_EQ(dark[i].type & ~MFT_OWNERDRAW, original[i].type) << i;
    EXPECT_EQ(dark[i].text, original[i].text) << i;
  }
  MENUINFO background{};
  background.cbSize = sizeof background;
  background.fMask = MIM_BACKGROUND;
  GetMenuInfo(theme, &background);
  EXPECT_NE(background.hbrBack, nullptr);

  // Texts and checks changed at run time keep the item drawn by Tallix.
  MENUITEMINFOW text = InfoOf(MIIM_STRING);
  text.dwTypeData = const_cast<wchar_t*>(L"Digit &grouping\tCtrl+G");
  SetMenuItemInfoW(view, kGrouping, FALSE, &text);
  CheckMenuItem(view, kGrouping, MF_BYCOMMAND | MF_CHECKED);
  CheckMenuRadioItem(theme, kLight, kDark, kDark, MF_BYCOMMAND);
  for (const Item& item : ItemsOf(bar)) EXPECT_TRUE(item.type & MFT_OWNERDRAW) << item.position;
  wchar_t shown[64] = {};
  GetMenuStringW(view, kGrouping, shown, 64, MF_BYCOMMAND);
  EXPECT_STREQ(shown, L"Digit &grouping\tCtrl+G");

  // Dark faces, text to read on them, disabled text dimmer but still read.
  const Drawn plain = DrawItem(window, view, kGrouping, ODS_CHECKED);
  const Drawn hot = DrawItem(window, view, kGrouping, ODS_CHECKED | ODS_SELECTED);
  const Drawn disabled = DrawItem(window, view, kOff, ODS_GRAYED | ODS_DISABLED);
  for (const Drawn* drawn : {&plain, &hot, &disabled}) {
    EXPECT_GE(ContrastRatio(drawn->back, MakeRgb(255, 255, 255)), 4.5);
    EXPECT_GE(drawn->textContrast, drawn == &disabled ? 3.0 : 4.5);
  }
  EXPECT_NE(hot.back, plain.back);
  EXPECT_LT(disabled.textContrast, plain.textContrast);
  // The check mark at the left edge, the keystroke at the right; a submenu's arrow.
  const int width = plain.pixels.width;
  EXPECT_GT(InkBetween(plain, 0, width / 8), 0);
  EXPECT_EQ(InkBetween(DrawItem(window, view, kOff, 0), 0, width / 8), 0);
  EXPECT_GT(InkBetween(plain, width * 3 / 4, width), 0);
  EXPECT_GT(InkBetween(DrawItem(window, view, kTheme, 0), width * 3 / 4, width), 0);

  MENUITEMINFOW data = InfoOf(MIIM_DATA);
  GetMenuItemInfoW(view, kGrouping, FALSE, &data);
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, kGrouping, 0, 0, data.dwItemData};
  EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
  EXPECT_GT(measure.itemWidth, 0u);
  EXPECT_GT(measure.itemHeight, 0u);

  // Mnemonics, in the bar and in popups; a submenu opens as a plain item runs.
  EXPECT_EQ(MenuChar(window, L'v', bar, false), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(MenuChar(window, L'T', view, true), MAKELRESULT(3, MNC_EXECUTE));
  EXPECT_EQ(MenuChar(window, L'g', view, true), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(MenuChar(window, L'd', theme, true), MAKELRESULT(1, MNC_EXECUTE));
  EXPECT_NE(HIWORD(MenuChar(window, L'q', view, true)), MNC_EXECUTE);

  SetThemeChoice(ThemeChoice::kLight);
  const std::vector<Item> light = ItemsOf(bar);
  for (size_t i = 0; i < light.size(); ++i) {
    EXPECT_FALSE(light[i].type & MFT_OWNERDRAW) << i;
    EXPECT_EQ(light[i].type, original[i].type) << i;
  }
  MENUITEMINFOW given = InfoOf(MIIM_DATA);
  GetMenuItemInfoW(view, kOff, FALSE, &given);
  EXPECT_EQ(given.dwItemData, 0u);
  GetMenuInfo(theme, &background);
  EXPECT_EQ(background.hbrBack, nullptr);
}

}  // namespace
