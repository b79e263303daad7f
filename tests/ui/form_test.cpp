#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/installed_fonts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/accessible_name.h"
#include "ui/contrast.h"
#include "ui/control_helpers.h"
#include "ui/font_spec.h"
#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/xp_button.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr wchar_t kTahoma12[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr int kEdit1 = 101, kEdit2 = 102, kKey = 103, kLabel = 104, kCancel = 2;
constexpr UINT kProbe = WM_APP + 1;

// A form whose handlers the tests fill in.
class TestForm : public FormDefinition {
 public:
  TestForm() {
    name = L"TEST1";
    caption = L"Test form";
    width = 300;
    height = 200;
    // clang-format off
    controls = {
        {kEdit1, L"EDIT", L"first", 10, 10, 100, 20, WS_TABSTOP | WS_BORDER, 0,
         {.fontSpec = kTahoma12, .value = 11}},
        {kEdit2, L"EDIT", L"second", 10, 40, 100, 20, WS_TABSTOP | WS_BORDER, 0,
         {.fontSpec = kTahoma12, .value = 12, .selectAllOnFocus = true}},
        {kKey, L"TB_XPBUTTON", L"7", 120, 10, 40, 30, WS_TABSTOP, 0,
         {.fontSpec = L"Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34", .value = 13}},
        {kLabel, L"STATIC", L"label", 120, 50, 60, 20, 0, 0,
         {.ownColors = true, .textColor = RGB(255, 0, 0), .backColor = RGB(0, 255, 0)}},
        {kCancel, L"BUTTON", L"Cancel", 200, 10, 60, 24, WS_TABSTOP, 0, {}},
    };
    // clang-format on
  }

  LRESULT OnCreate(HWND form, LPARAM value) override {
    createValue = value;
    return onCreate ? onCreate(form) : 0;
  }
  LRESULT OnControlEvent(const ControlEvent& event) override {
    events.push_back(event);
    if (event.id == kCancel && event.code == BN_CLICKED) CloseForm(event.form, 42);
    return 0;
  }
  LRESULT OnKeyPreview(HWND control, const MSG& message) override {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
      previewedF5 = GetDlgCtrlID(control);
      return 1;
    }
    return 0;
  }
  bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == kProbe && onProbe) {
      onProbe(form);
      return true;
    }
    if (message == WM_TIMER && wParam == 99) {
      timedOut = true;
      CloseForm(form, -99);
      return true;
    }
    return false;
  }

  std::function<LRESULT(HWND)> onCreate;
  std::function<void(HWND)> onProbe;
  LPARAM createValue = 0;
  std::vector<ControlEvent> events;
  int previewedF5 = 0;
  bool timedOut = false;
};

HWND Item(HWND form, int id) { return GetDlgItem(form, id); }

void PostKey(HWND target, WPARAM key) { PostMessageW(target, WM_KEYDOWN, key, 1); }

class FormTest : public ::testing::Test {
 protected:
  HWND OpenModeless() {
    INT_PTR result = ShowForm(form, owner.window, false, 5);
    Pump();
    return reinterpret_cast<HWND>(result);
  }
  void TearDown() override {
    if (form.window) DestroyWindow(form.window);
    Pump();
  }

  RecordingParent& owner = SharedParent();
  TestForm form;
};

// ---- font spec strings -------------------------------------------------------

TEST(FontSpec, ParsesTheFieldsThatMatter) {
  auto spec = ParseFontSpec(L"Courier New,-12,0,0,0,700,1,0,1,0,3,2,1,49");
  ASSERT_TRUE(spec);
  EXPECT_EQ(spec->face, L"Courier New");
  EXPECT_EQ(spec->height, -12);
  EXPECT_EQ(spec->weight, 700);
  EXPECT_TRUE(spec->italic);
  EXPECT_FALSE(spec->underline);
  EXPECT_TRUE(spec->strikeout);
}

TEST(FontSpec, ToleratesBadInput) {
  EXPECT_FALSE(ParseFontSpec(L""));
  EXPECT_FALSE(ParseFontSpec(L",-12,0,0,0,400"));
  auto shortSpec = ParseFontSpec(L"Arial,x12,,,,bold");
  ASSERT_TRUE(shortSpec);
  EXPECT_EQ(shortSpec->height, 0);
  EXPECT_EQ(shortSpec->weight, 0);
  auto huge = ParseFontSpec(L"Arial,99999999999999999999");
  ASSERT_TRUE(huge);
  EXPECT_GT(huge->height, 0);
  auto longFace = ParseFontSpec(std::wstring(100, L'x') + L",-12");
  ASSERT_TRUE(longFace);
  EXPECT_EQ(longFace->face.size(), static_cast<size_t>(LF_FACESIZE - 1));
}

TEST(FontSpec, PositiveHeightsArePoints) {
  EXPECT_EQ(FontSpecPixelHeight(-12, 96), -12);
  EXPECT_EQ(FontSpecPixelHeight(0, 96), 0);
  EXPECT_EQ(FontSpecPixelHeight(12, 96), -16);
  EXPECT_EQ(FontSpecPixelHeight(9, 120), -15);
}

TEST(FontCache, SameSpecSameFontAndTwelvePixelCharacters) {
  HFONT font = FontFromSpec(kTahoma12);
  ASSERT_NE(font, nullptr);
  size_t cached = FontCacheSize();
  EXPECT_EQ(FontFromSpec(kTahoma12), font);
  EXPECT_EQ(FontCacheSize(), cached);
  LOGFONTW lf{};
  ASSERT_NE(GetObjectW(font, sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);

  ASSERT_TRUE(FaceIsInstalled(L"Tahoma"));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Known Wine difference: its Tahoma substitute rounds the character height
  // of a -12 request to 13 pixels; Windows gives exactly 12.
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  if (wine)
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 12, 1);
  else
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);

  // A differently written spec is another entry, even for the same font.
  size_t count = FontCacheSize();
  HFONT other = FontFromSpec(L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,0");
  EXPECT_NE(other, font);
  EXPECT_EQ(FontCacheSize(), count + 1);
  EXPECT_EQ(FontFromSpec(L""), nullptr);
  EXPECT_EQ(FontFromSpec(L",-12"), nullptr);
  EXPECT_EQ(FontCacheSize(), count + 1);
}

TEST(FontCache, UnknownFaceGetsTheAnsiCharacterSet) {
  HFONT font = FontFromSpec(L"No Such Face Anywhere,-12,0,0,0,400,0,0,0,0,3,2,1,34");
  ASSERT_NE(font, nullptr);
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  HFONT points = FontFromSpec(L"Tahoma,9,0,0,0,400,0,0,0,0,3,2,1,34");
  GetObjectW(points, sizeof(lf), &lf);
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(lf.lfHeight, -(9 * dpi / 72));
}

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
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetClipboardText(window), L"");

  // Held open by another window, the clipboard takes nothing, and says so.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(other));
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
