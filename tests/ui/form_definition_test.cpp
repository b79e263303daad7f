// A form described the framework's way: preset rows, handlers bound per
// control and menu item, one modeless instance, and its own modal result.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/control_presets.h"
#include "ui/font_spec.h"
#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/scaling.h"
#include "ui/xp_button.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
enum : int { kDisplay = 201, kLabel, kKey, kToggle, kChoice, kTable, kTree, kDate, kLine, kPane, kMenuItem = 6001 };

class PresetForm : public FormDefinition {
 public:
  PresetForm() {
    name = L"TEST2";
    caption = L"Preset form";
    width = 420;
    height = 300;
    controls = {Display(kDisplay, L"0", {4, 4, 200, 20}, kFont),
                Hidden(Static(kLabel, L"Mem2", {4, 30, 40, 12}, kFont)),
                Disabled(KeyButton(kKey, L"Lap", {50, 30, 60, 18}, kFont)),
                ToggleKey(kToggle, L"2nd", {120, 30, 28, 24}, kFont),
                DropDown(kChoice, {4, 60, 120, 200}, kFont),
                ListView(kTable, {4, 90, 200, 80}, kFont),
                TreeView(kTree, {210, 90, 180, 80}, kFont),
                DatePicker(kDate, {210, 60, 120, 22}, kFont),
                Separator(kLine, {0, 180, 400, 8}),
                Pane(kPane, L" M1", {0, 190, 133, 22}, kFont)};
  }
  LRESULT OnControlEvent(const ControlEvent& event) override {
    unbound.push_back(event);
    return 0;
  }
  std::vector<ControlEvent> unbound;
};

class FormDefinitionTest : public ::testing::Test {
 protected:
  HWND Open() {
    const INT_PTR result = ShowForm(form, owner.window, false);
    Pump();
    return reinterpret_cast<HWND>(result);
  }
  void TearDown() override {
    if (form.window) DestroyWindow(form.window);
    Pump();
  }
  DWORD StyleOf(int id) const { return static_cast<DWORD>(GetWindowLongW(GetDlgItem(form.window, id), GWL_STYLE)); }

  RecordingParent& owner = SharedParent();
  PresetForm form;
};

TEST_F(FormDefinitionTest, PresetRowsMakeTheirKinds) {
  HWND window = Open();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(ClassOf(GetDlgItem(window, kChoice)), L"ComboBox");
  EXPECT_EQ(ClassOf(GetDlgItem(window, kTable)), WC_LISTVIEWW);
  EXPECT_EQ(ClassOf(GetDlgItem(window, kTree)), WC_TREEVIEWW);
  EXPECT_EQ(ClassOf(GetDlgItem(window, kDate)), DATETIMEPICK_CLASSW);
  EXPECT_EQ(ClassOf(GetDlgItem(window, kLine)), L"FIRELINES");
  EXPECT_EQ(StyleOf(kTable) & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
  EXPECT_EQ(StyleOf(kChoice) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));

  HWND display = GetDlgItem(window, kDisplay);
  EXPECT_EQ(StyleOf(kDisplay) & (ES_RIGHT | ES_READONLY), static_cast<DWORD>(ES_RIGHT | ES_READONLY));
  EXPECT_EQ(SendMessageW(display, EM_GETMARGINS, 0, 0), 0);
  EXPECT_GT(SendMessageW(display, EM_GETLIMITTEXT, 0, 0), 1000000);
  EXPECT_TRUE(ControlStateOf(display)->colors.has_value());

  EXPECT_FALSE(StyleOf(kLabel) & WS_VISIBLE);
  EXPECT_TRUE(StyleOf(kKey) & WS_DISABLED);
  EXPECT_TRUE(GetXPButtonInfo(GetDlgItem(window, kToggle))->toggleMode);
  EXPECT_FALSE(GetXPButtonInfo(GetDlgItem(window, kKey))->toggleMode);
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(window, kPane), GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_NE(GetPropW(GetDlgItem(window, kPane), kTagProperty), nullptr);
}

TEST_F(FormDefinitionTest, BoundHandlersAnswerBeforeOnControlEvent) {
  int toggles = 0, menuCommands = 0, notifications = 0;
  form.OnClick(kToggle, [&] { ++toggles; });
  form.OnCommand(kMenuItem, [&] { ++menuCommands; });
  form.Bind(WM_COMMAND, kChoice, CBN_SELCHANGE, [&](const ControlEvent& event) -> LRESULT {
    notifications += event.control == GetDlgItem(event.form, kChoice);
    return 1;
  });
  HWND window = Open();
  HWND toggle = GetDlgItem(window, kToggle);
  SendMessageW(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(toggle, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(kMenuItem, 0), 0);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(kMenuItem, 1), 0);  // from an accelerator
  HWND choice = GetDlgItem(window, kChoice);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(kChoice, CBN_SELCHANGE), reinterpret_cast<LPARAM>(choice));
  // A code nobody bound goes on to OnControlEvent.
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(kChoice, CBN_DROPDOWN), reinterpret_cast<LPARAM>(choice));
  Pump();
  EXPECT_EQ(toggles, 1);
  EXPECT_EQ(menuCommands, 2);
  EXPECT_EQ(notifications, 1);
  int dropDowns = 0;
  for (const ControlEvent& event : form.unbound) {
    EXPECT_NE(event.id, kToggle);
    EXPECT_NE(event.id, kMenuItem);
    dropDowns += event.id == kChoice && event.code == CBN_DROPDOWN;
  }
  EXPECT_EQ(dropDowns, 1);
}

TEST_F(FormDefinitionTest, AtMostOneModelessFormWhichComesToTheFront) {
  HWND first = reinterpret_cast<HWND>(ShowOrFocusForm(form, owner.window));
  ASSERT_TRUE(IsWindow(first));
  SetFocus(owner.window);
  Pump();
  EXPECT_EQ(ShowOrFocusForm(form, owner.window), reinterpret_cast<INT_PTR>(first));
  Pump();
  EXPECT_EQ(GetActiveWindow(), first);
  int open = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, form.ClassName().c_str(), nullptr)) != nullptr;) ++open;
  EXPECT_EQ(open, 1);
}

// Shown modal, it closes by its close box at once (or after ten seconds by a timer, as a failure).
class ClosedByItsBox : public PresetForm {
 public:
  ClosedByItsBox() { name = L"TEST3"; }
  LRESULT OnCreate(HWND form, LPARAM) override {
    SetTimer(form, 1, 10000, nullptr);
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  bool OnMessage(HWND form, UINT message, WPARAM, LPARAM, LRESULT&) override {
    if (message == WM_TIMER) CloseForm(form, -99);
    return false;
  }
};

TEST_F(FormDefinitionTest, EachFormKeepsItsOwnModalResult) {
  CloseForm(Open(), 5);
  ClosedByItsBox modal;
  EXPECT_EQ(ShowForm(modal, owner.window, true), 0);
  EXPECT_EQ(form.modalResult, 5);
}

// A move to a 144-DPI screen: every control at its design place times 1.5,
// including one the window moved itself, fonts made for 144 DPI, and the
// place a window gives afterwards scaled for the new DPI too.
TEST_F(FormDefinitionTest, AChangeOfDpiLaysTheFormOutAgain) {
  HWND window = Open();
  ASSERT_EQ(DpiOf(window), kDesignDpi) << "the test prefix runs at 96 DPI";
  PlaceControl(GetDlgItem(window, kPane), {10, 200, 100, 22});
  RECT outer{};
  GetWindowRect(window, &outer);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&outer));
  Pump();
  const auto placeOf = [&](int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  EXPECT_EQ(DpiOf(GetDlgItem(window, kKey)), 144);
  const RECT key = placeOf(kKey), pane = placeOf(kPane);
  EXPECT_EQ(key.left, 75);
  EXPECT_EQ(key.top, 45);
  EXPECT_EQ(key.right - key.left, 90);
  EXPECT_EQ(key.bottom - key.top, 27);
  EXPECT_EQ(pane.left, 15);
  EXPECT_EQ(pane.top, 300);
  EXPECT_EQ(GetXPButtonInfo(GetDlgItem(window, kKey))->font, FontFromSpec(kFont, 144));
  LOGFONTW description{};
  GetObjectW(FontFromSpec(kFont, 144), sizeof description, &description);
  EXPECT_EQ(description.lfHeight, -18);
  MoveControlTo(GetDlgItem(window, kPane), 20, 100);
  EXPECT_EQ(placeOf(kPane).left, 30);
  EXPECT_EQ(placeOf(kPane).right - placeOf(kPane).left, 150);
}

}  // namespace
