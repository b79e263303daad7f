// Every kind of control the forms use, in the dark look and back: dark
// enough, readable, and light again exactly as a form that was never dark.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <vector>

#include "tests/dark/dark_measures.h"
#include "tests/ui/shot_areas.h"
#include "tests/ui/ui_test_support.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/dark_theme.h"
#include "ui/form.h"

using namespace tallix;
using namespace tallix::dark_test;
using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
enum : int {
  kLabel = 100,
  kEdit,
  kDisplay,
  kCheck,
  kCheckOff,
  kOne,
  kTwo,
  kGroup,
  kList,
  kTree,
  kTable,
  kDate,
  kUnits
};
enum : int { kProgress = 120, kLine, kPane };

class EveryKindForm final : public FormDefinition {
 public:
  EveryKindForm() {
    name = L"DARKKINDS";
    caption = L"Every kind";
    width = 560;
    height = 340;
    controls = {
        Static(kLabel, L"Label", {8, 10, 70, 16}, kFont),
        Edit(kEdit, L"text", {80, 8, 100, 20}, kFont),
        Named(Display(kDisplay, L"123.45", {188, 8, 110, 20}, kFont), L"Display"),
        PushButton(IDOK, L"OK", {310, 6, 70, 26}, kFont, true),
        PushButton(IDCANCEL, L"Cancel", {390, 6, 70, 26}, kFont),
        CheckBox(kCheck, L"Checked box", {8, 40, 140, 18}, kFont),
        Disabled(CheckBox(kCheckOff, L"Disabled box", {8, 62, 140, 18}, kFont)),
        OptionButton(kOne, L"One", {170, 48, 60, 18}, kFont, true),
        OptionButton(kTwo, L"Two", {240, 48, 60, 18}, kFont, false),
        StartsGroup(GroupBox(kGroup, L"Group", {160, 32, 150, 42}, kFont)),
        Named(ListBox(kList, {8, 86, 120, 90}, kFont), L"List"),
        Named(TreeView(kTree, {136, 86, 140, 120}, kFont), L"Tree"),
        Named(ListView(kTable, {284, 86, 260, 120}, kFont), L"Table"),
        Named(DatePicker(kDate, {8, 214, 120, 22}, kFont), L"Date"),
        Named(DropDown(kUnits, {136, 214, 120, 100}, kFont), L"Units"),
        ProgressBar(kProgress, {264, 216, 160, 18}),
        SunkenLine(kLine, {8, 246, 536, 2}),
        Pane(kPane, L" Pane", {8, 254, 200, 22}, kFont),
    };
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    for (const wchar_t* entry : {L"first", L"second", L"third"}) ListBoxAdd(GetDlgItem(form, kList), entry);
    ListBoxSelect(GetDlgItem(form, kList), 1);
    HWND tree = GetDlgItem(form, kTree);
    HTREEITEM root = TreeViewInsertItem(tree, TVI_ROOT, L"Root", 0);
    TreeViewInsertItem(tree, root, L"Leaf", 0);
    TreeView_Expand(tree, root, TVE_EXPAND);
    TreeView_SelectItem(tree, root);
    HWND table = GetDlgItem(form, kTable);
    ListViewInsertColumn(table, 0, L"Month", 80);
    ListViewInsertColumn(table, 1, L"Payment", 90, LVCFMT_RIGHT);
    for (int row = 0; row < 3; ++row) ListViewSetItemText(table, ListViewInsertItem(table, row, L"1"), 1, L"751.27");
    ListView_SetItemState(table, 0, LVIS_SELECTED, LVIS_SELECTED);
    ComboAdd(GetDlgItem(form, kUnits), L"Meters");
    ComboSelect(GetDlgItem(form, kUnits), 0);
    SendMessageW(GetDlgItem(form, kProgress), PBM_SETPOS, 500, 0);
    SetChecked(GetDlgItem(form, kCheck), true);
    SetChecked(GetDlgItem(form, kCheckOff), true);
    SetChecked(GetDlgItem(form, kOne), true);
    return 0;
  }
};

class DarkControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
  }
  void TearDown() override {
    if (form_.window) DestroyWindow(form_.window);
    SetThemeChoice(ThemeChoice::kSystem);
    Pump();
  }

  // The focus rests on the Cancel button: no caret blinks between two looks.
  HWND Open() {
    PointerOutOfTheWay();
    ShowForm(form_, owner_.window, false);
    SetFocus(Item(IDCANCEL));
    AwaitSettledScreen(form_.window);
    return form_.window;
  }
  void Close() {
    DestroyWindow(form_.window);
    Pump();
  }
  HWND Item(int id) const { return GetDlgItem(form_.window, id); }
  static Pixels Take(HWND window) {
    AwaitSettledScreen(window);
    return ScreenPixels(window);
  }
  Pixels Take() const { return Take(form_.window); }
  RECT Of(const Pixels& shot, int id) const { return ClientInShot(shot, form_.window, Item(id)); }
  // The colours the common controls keep, as they answer for them.
  std::vector<COLORREF> KeptColors() const {
    std::vector<COLORREF> colors{ListView_GetBkColor(Item(kTable)),   ListView_GetTextBkColor(Item(kTable)),
                                 ListView_GetTextColor(Item(kTable)), TreeView_GetBkColor(Item(kTree)),
                                 TreeView_GetTextColor(Item(kTree)),  TreeView_GetLineColor(Item(kTree))};
    for (int part = MCSC_BACKGROUND; part <= MCSC_TRAILINGTEXT; ++part)
      colors.push_back(static_cast<COLORREF>(DateTime_GetMonthCalColor(Item(kDate), part)));
    colors.push_back(static_cast<COLORREF>(SendMessageW(Item(kProgress), PBM_GETBKCOLOR, 0, 0)));
    colors.push_back(static_cast<COLORREF>(SendMessageW(Item(kProgress), PBM_GETBARCOLOR, 0, 0)));
    return colors;
  }

  RecordingParent& owner_ = SharedParent();
  EveryKindForm form_;
};

TEST_F(DarkControlsTest, EveryKindIsDarkAndItsLabelsReadable) {
  SetThemeChoice(ThemeChoice::kDark);
  Open();
  const Pixels shot = Take();
  if (const char* path = std::getenv("TALLIX_SCREENSHOT")) Photograph(form_.window, path);
  std::wcout << L"Pieces this system shows light: ";
  for (const std::wstring& piece : DarkFallbacks()) std::wcout << piece << L"; ";
  std::wcout << std::endl;

  const std::optional<COLORREF> face = FaceColour(shot, form_.window);
  ASSERT_TRUE(face);
  EXPECT_TRUE(IsDark(*face));
  for (HWND control : VisibleControls(form_.window))
    EXPECT_LE(MeanLuminance(shot, ClientInShot(shot, form_.window, control)), 0.8)
        << ClassOf(control) << " " << GetDlgCtrlID(control);

  // A check box's label, and a disabled one's: dimmer, still readable.
  const auto contrast = [&](int id) {
    const RECT label = CaptionArea(shot, form_.window, Item(id)).value_or(RECT{});
    const COLORREF back = CommonColour(shot, label);
    return Contrast(StrongestInk(shot, label, back), back);
  };
  EXPECT_GE(contrast(kCheck), 4.5);
  EXPECT_GE(contrast(kCheckOff), 3.0);
  EXPECT_LT(contrast(kCheckOff), contrast(kCheck));
}

TEST_F(DarkControlsTest, TheCalendarADatePickerDropsIsDarkWithItsTitleReadable) {
  SetThemeChoice(ThemeChoice::kDark);
  Open();
  HWND picker = Item(kDate);
  RECT field{};
  GetClientRect(picker, &field);
  const LPARAM button = MAKELPARAM(field.right - 4, field.bottom / 2);
  SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, button);
  SendMessageW(picker, WM_LBUTTONUP, 0, button);
  HWND calendar = DateTime_GetMonthCal(picker);
  ASSERT_TRUE(calendar && IsWindowVisible(calendar));
  const Pixels shot = Take(calendar);
  const RECT month = ClientInShot(shot, calendar, calendar);
  EXPECT_LE(MeanLuminance(shot, month), 0.2);
  // The title's ground, which is also the colour the days' names are written in.
  const RECT title{month.left, month.top, month.right, month.top + 4};
  EXPECT_GE(Contrast(CommonColour(shot, title), CommonColour(shot, month)), 4.5);
}

TEST_F(DarkControlsTest, LightAgainIsTheSystemsOwnPixelForPixel) {
  SetThemeChoice(ThemeChoice::kLight);
  Open();
  const std::vector<COLORREF> never = KeptColors();
  const Pixels neverDark = Take();
  Close();

  SetThemeChoice(ThemeChoice::kDark);
  Open();
  EXPECT_NE(KeptColors(), never);
  SetThemeChoice(ThemeChoice::kLight);
  EXPECT_EQ(KeptColors(), never);
  EXPECT_EQ(ListView_GetBkColor(Item(kTable)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(Take().Differences(neverDark), 0);
}

TEST_F(DarkControlsTest, APushButtonShowsItsStatesInThePalette) {
  SetThemeChoice(ThemeChoice::kDark);
  Open();
  HWND ok = Item(IDOK);
  const Pixels up = Take();
  const RECT area = ClientInShot(up, form_.window, ok);
  SendMessageW(ok, BM_SETSTATE, TRUE, 0);
  const Pixels down = Take();
  SendMessageW(ok, BM_SETSTATE, FALSE, 0);
  SetFocus(ok);
  const Pixels focused = Take();
  const auto differ = [&](const Pixels& a, const Pixels& b) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += a.At(x, y) != b.At(x, y);
    return count;
  };
  EXPECT_GT(differ(up, down), 0);
  EXPECT_GT(differ(up, focused), 0);
  for (const Pixels* shot : {&down, &focused}) EXPECT_LE(MeanLuminance(*shot, area), 0.2);
  // The default button's frame is the palette's highlight.
  EXPECT_GT(CountNear(up, form_.window, ok, Dark().highlight, 0), 0);
}

}  // namespace
