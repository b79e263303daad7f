// Forms built from their description: controls, fonts, notifications,
// colours, focus, the modal loop, tags and tooltips.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/ui/test_form.h"
#include "tests/ui/ui_test_support.h"
#include "ui/accessible_name.h"
#include "ui/contrast.h"
#include "ui/control_helpers.h"
#include "ui/font_spec.h"
#include "ui/form.h"
#include "ui/form_give.h"
#include "ui/form_state.h"
#include "ui/xp_button.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

// ---- forms ---------------------------------------------------------------------

TEST_F(FormTest, ModelessFormIsBuiltFromItsDescription) {
  HWND window = OpenModeless();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(form.window, window);
  EXPECT_EQ(form.createValue, 5);
  EXPECT_EQ(ClassOf(window), L"FORM_TALLIX_TEST1_CLASS");
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner.window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(ActiveForm(), window);
  RECT rc;
  GetWindowRect(window, &rc);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
  EXPECT_EQ(rc.right - rc.left, 300);

  FormState* state = FormStateOf(window);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->definition, &form);
  EXPECT_EQ(ControlStateOf(window), nullptr);
  EXPECT_EQ(GetTagProperty(window), L"");
  ASSERT_NE(GetPropW(window, kTagProperty2), nullptr);

  for (int id : {kEdit1, kEdit2, kKey, kLabel, kCancel}) {
    HWND control = Item(window, id);
    ASSERT_NE(control, nullptr) << id;
    ASSERT_NE(ControlStateOf(control), nullptr) << id;
    EXPECT_EQ(ControlStateOf(control)->control, control);
    EXPECT_EQ(FormStateOf(control), nullptr);
    EXPECT_NE(GetPropW(control, kTagProperty), nullptr);
    EXPECT_NE(GetPropW(control, kTagProperty2), nullptr);
  }
  // Controls with the same spec share one cached font.
  HFONT shared = FontFromSpec(kTahoma12);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(window, kEdit1), WM_GETFONT, 0, 0)), shared);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(window, kEdit2), WM_GETFONT, 0, 0)), shared);
  EXPECT_EQ(GetXPButtonInfo(Item(window, kKey))->font, FontFromSpec(L"Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34"));

  DestroyWindow(window);
  Pump();
  EXPECT_EQ(form.window, nullptr);
  EXPECT_FALSE(FormStateOf(window));
}

// Made smaller than laid out, a form takes the room from its giving controls:
// the height from one, the width from another beside it, and the controls
// below or right of each follow; naming other givers lays out afresh.
RECT PlaceIn(HWND form, int id) {
  RECT place{};
  GetWindowRect(Item(form, id), &place);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

TEST_F(FormTest, GivingControlsGiveHeightAndWidthApart) {
  const Place places[] = {
      {10, 10, 100, 100}, {10, 120, 100, 20}, {120, 10, 80, 30}, {120, 50, 60, 20}, {210, 10, 60, 24}};
  for (std::size_t i = 0; i < std::size(places); ++i) {
    form.controls[i].x = places[i].x, form.controls[i].y = places[i].y;
    form.controls[i].width = places[i].width, form.controls[i].height = places[i].height;
  }
  form.givingControl = kEdit1;
  form.givingAcrossControl = kKey;
  HWND window = OpenModeless();
  RECT outer{};
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left - 20, outer.bottom - outer.top - 20,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(PlaceIn(window, kEdit1).bottom, 90) << "the list gives the height";
  EXPECT_EQ(PlaceIn(window, kEdit1).right, 110) << "and not the width";
  EXPECT_EQ(PlaceIn(window, kEdit2).top, 100);
  EXPECT_EQ(PlaceIn(window, kKey).right, 180) << "the pane beside it gives the width";
  EXPECT_EQ(PlaceIn(window, kCancel).left, 190);

  SetGivingControls(window, kEdit1, 0);
  Pump();
  EXPECT_EQ(PlaceIn(window, kEdit1).right, 90) << "now the list gives both";
  EXPECT_EQ(PlaceIn(window, kKey).left, 100);
  EXPECT_EQ(PlaceIn(window, kKey).right, 180) << "laid out again at its own width";
  EXPECT_EQ(PlaceIn(window, kCancel).left, 190);
  DestroyWindow(window);
}

TEST_F(FormTest, ReopenedFormReusesCachedFonts) {
  HWND first = OpenModeless();
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(Item(first, kEdit1), WM_GETFONT, 0, 0));
  size_t cached = FontCacheSize();
  DestroyWindow(first);
  HWND second = OpenModeless();
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(second, kEdit1), WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(FontCacheSize(), cached);
}

TEST_F(FormTest, ControlNotificationsReachTheHandlerWithTheControlValue) {
  HWND window = OpenModeless();
  HWND key = Item(window, kKey);
  SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(key, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(6001, 0), 0);  // a menu command
  Pump();
  std::vector<ControlEvent> clicks;
  for (auto& e : form.events)
    if (e.message == WM_COMMAND && (e.id == kKey || e.id == 6001)) clicks.push_back(e);
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0].code, BN_CLICKED);
  EXPECT_EQ(clicks[0].control, key);
  EXPECT_EQ(clicks[0].controlValue, 13);
  EXPECT_EQ(clicks[1].control, nullptr);
  EXPECT_EQ(clicks[1].controlValue, 0);
}

LRESULT CALLBACK ClaimsReflectedCommands(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReflectBase + WM_COMMAND) return 1;
  return ControlSubclassProcedure(control, message, wParam, lParam);
}

TEST_F(FormTest, NotificationsAreReflectedToTheirControlFirst) {
  form.controls[2].properties.subclassProc = ClaimsReflectedCommands;
  HWND window = OpenModeless();
  HWND key = Item(window, kKey);
  SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(key, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Pump();
  for (auto& e : form.events) EXPECT_NE(e.id, kKey);
}

TEST_F(FormTest, OwnColoursAnswerColourRequests) {
  HWND window = OpenModeless();
  HWND label = Item(window, kLabel);
  HDC dc = GetDC(label);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  EXPECT_EQ(brush, ControlStateOf(label)->brush);
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, RGB(0, 255, 0));

  // An edit field with system colours: opaque, looked up at the request.
  HWND edit = Item(window, kEdit1);
  SetControlProperties(edit, {.ownColors = true,
                              .textIsSystem = true,
                              .backIsSystem = true,
                              .textColor = COLOR_HIGHLIGHTTEXT,
                              .backColor = COLOR_HIGHLIGHT});
  EXPECT_EQ(ControlStateOf(edit)->brush, GetSysColorBrush(COLOR_HIGHLIGHT));
  SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EnableWindow(edit, FALSE);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(
                SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit))),
            GetSysColorBrush(COLOR_BTNFACE));
  SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(ControlStateOf(edit)->brush, GetSysColorBrush(COLOR_HIGHLIGHT));
  ReleaseDC(label, dc);
}

TEST_F(FormTest, FixedColoursGiveWayInHighContrast) {
  HWND window = OpenModeless();
  HWND label = Item(window, kLabel);
  HDC dc = GetDC(label);
  OverrideHighContrast(true);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  OverrideHighContrast(std::nullopt);
  EXPECT_NE(brush, ControlStateOf(label)->brush);
  EXPECT_NE(GetTextColor(dc), RGB(255, 0, 0));
  ReleaseDC(label, dc);
}

TEST_F(FormTest, FocusIsRememberedAndSelectAllApplies) {
  HWND window = OpenModeless();
  HWND second = Item(window, kEdit2);
  SetFocus(second);
  Pump();
  EXPECT_EQ(FormStateOf(window)->lastFocus, second);
  DWORD start = 1, end = 0;
  SendMessageW(second, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 6u) << "all of \"second\" selected";
  SetFocus(owner.window);
  SetFocus(window);
  Pump();
  EXPECT_EQ(GetFocus(), second);
}

TEST_F(FormTest, ModalLoopPreviewsKeysAndNavigatesLikeADialog) {
  HWND modalOwner = owner.window;
  int focusAfterTab = 0;
  bool ownerDisabledMeanwhile = false;
  form.onCreate = [&](HWND window) -> LRESULT {
    SetTimer(window, 99, 10000, nullptr);
    HWND first = Item(window, kEdit1);
    SetFocus(first);
    PostKey(first, VK_F5);   // consumed by the form's key preview
    PostKey(first, VK_TAB);  // dialog navigation moves on
    PostMessageW(window, kProbe, 0, 0);
    return 0;
  };
  form.onProbe = [&](HWND window) {
    focusAfterTab = GetDlgCtrlID(GetFocus());
    ownerDisabledMeanwhile = !IsWindowEnabled(modalOwner);
    PostKey(GetFocus(), VK_ESCAPE);  // reaches the control with identifier 2
  };
  INT_PTR result = ShowForm(form, modalOwner, true);
  EXPECT_FALSE(form.timedOut);
  EXPECT_EQ(result, 42);
  EXPECT_EQ(form.previewedF5, kEdit1);
  EXPECT_EQ(focusAfterTab, kEdit2);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(modalOwner));
  EXPECT_EQ(form.window, nullptr);
}

TEST_F(FormTest, CloseBoxOfAModalFormReenablesAndActivatesTheOwner) {
  form.onCreate = [&](HWND window) -> LRESULT {
    SetTimer(window, 99, 10000, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  };
  EXPECT_EQ(ShowForm(form, owner.window, true), 0);
  EXPECT_FALSE(form.timedOut);
  EXPECT_TRUE(IsWindowEnabled(owner.window));
  EXPECT_EQ(GetActiveWindow(), owner.window);
}

TEST_F(FormTest, QuitDuringAModalFormEndsItAndReachesTheOuterLoop) {
  form.onCreate = [&](HWND window) -> LRESULT {
    PostQuitMessage(7);
    return 0;
  };
  ShowForm(form, owner.window, true);
  EXPECT_EQ(form.window, nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner.window));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(FormTest, FailedCreationGivesMinusOne) {
  form.onCreate = [](HWND) -> LRESULT { return -1; };
  EXPECT_EQ(ShowForm(form, owner.window, true), -1);
  EXPECT_TRUE(IsWindowEnabled(owner.window));
  EXPECT_EQ(form.window, nullptr);
}

TEST_F(FormTest, FindParentFormWalksUpToTheForm) {
  HWND window = OpenModeless();
  HWND edit = Item(window, kEdit1);
  HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, edit, nullptr, nullptr, nullptr);
  EXPECT_EQ(FindParentForm(edit), window);
  EXPECT_EQ(FindParentForm(inner), window);
  EXPECT_EQ(FindParentForm(window), window);
  EXPECT_EQ(FindParentForm(owner.window), owner.window) << "first window that is not a child";
  EXPECT_EQ(FindParentForm(nullptr), nullptr);
}

// Set up by the framework before it is named, a control still lets its name
// go when it is destroyed: the two subclasses stack the same way either way.
TEST_F(FormTest, ControlNamedAfterItsSetUpLetsTheNameGo) {
  HWND window = OpenModeless();
  for (bool namedFirst : {true, false}) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, window, nullptr, nullptr, nullptr);
    if (namedFirst) SetAccessibleName(edit, L"Total");
    ASSERT_TRUE(SetControlProperties(edit, {}));
    SetAccessibleName(edit, L"Total");
    EXPECT_EQ(AccessibleNameOf(edit), L"Total");
    DestroyWindow(edit);
    EXPECT_EQ(AccessibleNameOf(edit), L"") << (namedFirst ? "named first" : "set up first");
    EXPECT_EQ(ControlStateOf(edit), nullptr);
  }
}

TEST_F(FormTest, TagPropertiesAreReplaced) {
  HWND window = OpenModeless();
  HWND edit = Item(window, kEdit1);
  SetTagProperty(edit, L"alpha");
  SetTagProperty2(edit, L"beta");
  SetTagProperty(edit, L"gamma");
  EXPECT_EQ(GetTagProperty(edit), L"gamma");
  EXPECT_EQ(GetTagProperty2(edit), L"beta");
  SetTagProperty(nullptr, L"ignored");
  EXPECT_EQ(GetTagProperty(nullptr), L"");
}

TEST_F(FormTest, TooltipsShareOneWindowPerForm) {
  HWND window = OpenModeless();
  HWND tip = AddTooltip(Item(window, kKey), L"Always On Top");
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(AddTooltip(Item(window, kEdit1), L"Memory Clear"), tip);
  EXPECT_EQ(ClassOf(tip), L"tooltips_class32");
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
  EXPECT_EQ(AddTooltip(nullptr, L"x"), nullptr);
}

}  // namespace
