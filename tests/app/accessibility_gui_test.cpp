// What a screen reader hears from Tallix, read in-process through MSAA as a
// screen reader reads it: every control's name and role, the keys' shortcuts,
// states and default action, the display's value and the tape's lines.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <uiautomationclient.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/main_window.h"
#include "resources/resource_ids.h"
#include "tests/app/form_driving.h"
#include "tests/settings/temp_folder.h"
#include "tools/transfer/transfer_options_window.h"
#include "ui/accessible_object.h"
#include "ui/control_helpers.h"
#include "ui/input_box.h"
#include "ui/screen_reader_notice.h"
#include "ui/window_kit.h"

namespace tallix {
namespace {

using gui_test::Pump;
using gui_test::WithFormOpen;

const VARIANT kSelf = [] {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}();

VARIANT Child(long id) {
  VARIANT child = kSelf;
  child.lVal = id;
  return child;
}

// A control's accessible object as a screen reader gets it, and its answers.
class Accessible {
 public:
  explicit Accessible(HWND control) {
    void* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, ui::kIIDAccessible, &object)))
      object_ = static_cast<IAccessible*>(object);
  }
  ~Accessible() {
    if (object_) object_->Release();
  }
  explicit operator bool() const { return object_ != nullptr; }
  IAccessible* operator->() const { return object_; }
  IAccessible* get() const { return object_; }

  std::wstring Name(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accName, child); }
  std::wstring Value() const { return Text(&IAccessible::get_accValue, CHILDID_SELF); }
  std::wstring Shortcut() const { return Text(&IAccessible::get_accKeyboardShortcut, CHILDID_SELF); }
  std::wstring DefaultAction() const { return Text(&IAccessible::get_accDefaultAction, CHILDID_SELF); }
  long Role(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, child); }
  long State() const { return Number(&IAccessible::get_accState, CHILDID_SELF); }
  long ChildCount() const {
    long count = -1;
    object_->get_accChildCount(&count);
    return count;
  }

 private:
  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) const {
    BSTR text = nullptr;
    if ((object_->*get)(Child(child), &text) != S_OK || !text) return {};
    std::wstring copy(text, SysStringLen(text));
    SysFreeString(text);
    return copy;
  }
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
    VARIANT answer;
    VariantInit(&answer);
    if (FAILED((object_->*get)(Child(child), &answer)) || answer.vt != VT_I4) return -1;
    return answer.lVal;
  }

  IAccessible* object_ = nullptr;
};

class AccessibilityTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
  }
  static void TearDownTestSuite() { CoUninitialize(); }

  void SetUp() override {
    context_ = CreateMainWindow(folder_.File());
    ASSERT_NE(context_, nullptr);
    window_ = context_->Owner();
    Pump();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    Pump();
  }

  HWND Item(int id) const { return GetDlgItem(window_, id); }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    Pump();
  }

  settings_test::TempFolder folder_;
  MainWindowContext* context_ = nullptr;
  HWND window_ = nullptr;
};

struct ExpectedKey {
  int id;
  const wchar_t* name;
  const wchar_t* shortcut;
};

constexpr ExpectedKey kKeys[] = {
    {ids::kKeyAlwaysOnTop, L"Always On Top", L"Ctrl+T"},
    {ids::kKey1, L"1", L"1"},
    {ids::kKey1 + 1, L"2", L"2"},
    {ids::kKey1 + 2, L"3", L"3"},
    {ids::kKey1 + 3, L"4", L"4"},
    {ids::kKey1 + 4, L"5", L"5"},
    {ids::kKey1 + 5, L"6", L"6"},
    {ids::kKey1 + 6, L"7", L"7"},
    {ids::kKey1 + 7, L"8", L"8"},
    {ids::kKey1 + 8, L"9", L"9"},
    {ids::kKey0, L"0", L"0"},
    {ids::kKeyA, L"A", L"A"},
    {ids::kKeyA + 1, L"B", L"B"},
    {ids::kKeyA + 2, L"C", L"C"},
    {ids::kKeyA + 3, L"D", L"D"},
    {ids::kKeyA + 4, L"E", L"E"},
    {ids::kKeyA + 5, L"F", L"F"},
    {ids::kKey2nd, L"Memory Bank Select", L"Ctrl+B"},
    {ids::kKeyArea, L"Area Calculator", L"F3"},
    {ids::kKeyBack, L"Backspace", L"Backspace"},
    {ids::kKeyCE, L"Clear Error", L"Del"},
    {ids::kKeyChg, L"Calculate change to give back", L"G"},
    {ids::kKeyClear, L"Clear", L"Esc"},
    {ids::kKeyCnv, L"Conversion Calculator", L"F2"},
    {ids::kKeyCT, L"Clear Tape", L"Shift+Esc"},
    {ids::kKeyDivide, L"Divide", L"/"},
    {ids::kKeyPoint, L"Decimal Point", L"."},
    {ids::kKeyEquals, L"Equals", L"Enter"},
    {ids::kKeyFeed, L"Paper Feed", L"Up"},
    {ids::kKeyHelp, L"Help", L"F1"},
    {ids::kKeyReciprocal, L"Reciprocal", L"R"},
    {ids::kKeyLoan, L"Loan Calculator / Amortization Schedule", L"F5"},
    {ids::kKeyMPlus, L"Memory Add", L"Ctrl+P"},
    {ids::kKeyMC, L"Memory Clear", L"Ctrl+L"},
    {ids::kKeyMR, L"Memory Recall", L"Ctrl+R"},
    {ids::kKeyMS, L"Memory Set", L"Ctrl+M"},
    {ids::kKeyMinus, L"Minus", L"-"},
    {ids::kKeyTimes, L"Multiply", L"Num *"},
    {ids::kKeyPercent, L"Percent", L"Shift+5"},
    {ids::kKeyPlus, L"Plus", L"Num +"},
    {ids::kKeySign, L"Change Sign", L"F9"},
    {ids::kKeyTax, L"Add Tax to Total", L"T"},
    {ids::kKeyVol, L"Volume Calculator", L"F4"},
    {ids::kKeyTransfer, L"File Transfer / Network Performance Calculator", L"F6"},
    {ids::kKeyStart, L"Stopwatch Start/Stop", L"Space"},
    {ids::kKeyLap, L"Stopwatch Lap Time", L"F7"},
    {ids::kKeyReset, L"Stopwatch Reset", L"F8"},
};

// A screen reader says how to choose a number system from the keyboard.
TEST_F(AccessibilityTest, NumberSystemOptionsSayTheirKeystrokes) {
  const wchar_t* const shortcuts[] = {L"Ctrl+Shift+D", L"Ctrl+Shift+H", L"Ctrl+Shift+B", L"Ctrl+Shift+O"};
  for (int i = 0; i < 4; ++i) {
    const Accessible object(Item(ids::kOptionDec + i));
    ASSERT_TRUE(object);
    EXPECT_EQ(object.Role(), ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_EQ(object.Shortcut(), shortcuts[i]);
  }
}

TEST_F(AccessibilityTest, EveryKeyIsAButtonNamedInWordsWithItsShortcutAndState) {
  ASSERT_EQ(std::size(kKeys), 47u);
  Click(ids::kKeyAlwaysOnTop);  // a toggle that is on
  for (const ExpectedKey& key : kKeys) {
    const Accessible object(Item(key.id));
    ASSERT_TRUE(object) << key.id;
    EXPECT_EQ(object.Name(), key.name) << key.id;
    EXPECT_EQ(object.Shortcut(), key.shortcut) << key.id;
    const bool toggles = key.id == ids::kKeyAlwaysOnTop || key.id == ids::kKey2nd;
    EXPECT_EQ(object.Role(), toggles ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON) << key.id;
    EXPECT_EQ(object.DefaultAction(), L"Press") << key.id;
    const long state = object.State();
    const bool enabled = IsWindowEnabled(Item(key.id));
    EXPECT_EQ((state & STATE_SYSTEM_UNAVAILABLE) != 0, !enabled) << key.id;
    EXPECT_EQ((state & STATE_SYSTEM_FOCUSABLE) != 0, enabled) << key.id;
    const bool on = key.id == ids::kKeyAlwaysOnTop;
    EXPECT_EQ((state & STATE_SYSTEM_CHECKED) != 0, on) << key.id;
    EXPECT_EQ((state & STATE_SYSTEM_PRESSED) != 0, on) << key.id;
  }
  // Disabled keys refuse their action.
  EXPECT_FALSE(IsWindowEnabled(Item(ids::kKeyLap)));
  EXPECT_EQ(Accessible(Item(ids::kKeyLap))->accDoDefaultAction(kSelf), E_FAIL);
}

TEST_F(AccessibilityTest, DefaultActionsPressKeysAndTheDisplayAndTapeReadOut) {
  using Event = std::tuple<DWORD, HWND, LONG>;
  std::vector<Event> events;
  static std::vector<Event>* heard;
  heard = &events;
  HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr,
      [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (object == OBJID_CLIENT) heard->emplace_back(event, window, child);
      },
      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  for (int id : {ids::kKey1 + 4, ids::kKeyPlus, ids::kKey1 + 2, ids::kKeyEquals}) {
    EXPECT_EQ(Accessible(Item(id))->accDoDefaultAction(kSelf), S_OK);
    Pump();
  }
  Pump();
  if (hook) UnhookWinEvent(hook);

  const Accessible display(Item(ids::kDisplay));
  EXPECT_EQ(display.Name(), L"Display");
  EXPECT_EQ(display.Value(), L"8");
  EXPECT_EQ(display.Role(), ROLE_SYSTEM_TEXT);
  // The key sink, which holds the focus, reads as the display.
  const Accessible keySink(Item(ids::kKeySink));
  EXPECT_EQ(keySink.Name(), L"Display");
  EXPECT_EQ(keySink.Value(), L"8");
  const Accessible tape(Item(ids::kTapeList));
  EXPECT_EQ(tape.Name(), L"Tape");
  EXPECT_EQ(tape.Role(), ROLE_SYSTEM_LIST);
  HWND list = Item(ids::kTapeList);
  const long lines = static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  ASSERT_GE(lines, 3);
  EXPECT_EQ(tape.ChildCount(), lines);
  // As a screen reader walks them: one simple element per line.
  std::vector<VARIANT> children(static_cast<std::size_t>(lines));
  long got = 0;
  ASSERT_EQ(AccessibleChildren(tape.get(), 0, lines, children.data(), &got), S_OK);
  ASSERT_EQ(got, lines);
  EXPECT_EQ(children[0].vt, VT_I4);
  EXPECT_EQ(children[static_cast<std::size_t>(lines) - 1].lVal, lines);
  std::vector<std::wstring> heardLines;
  for (long line = 1; line <= lines; ++line) {
    heardLines.push_back(tape.Name(line));
    EXPECT_EQ(heardLines.back(), ui::ListBoxItemText(list, line - 1));
    EXPECT_EQ(tape.Role(line), ROLE_SYSTEM_LISTITEM);
  }
  EXPECT_NE(std::ranges::find(heardLines, L"8 ="), heardLines.end());
  EXPECT_EQ(Accessible(Item(ids::kMemoryPane)).Name(), L"Memory");
  EXPECT_EQ(Accessible(Item(ids::kItemsPane)).Value(), ui::GetText(Item(ids::kItemsPane)));

  // Heard as it happened: the display's changes and each new line of the tape.
  if (!hook) GTEST_SKIP() << "no event hook here";
  const auto heardEvent = [&](DWORD event, HWND window, LONG child) {
    return std::ranges::find(events, Event{event, window, child}) != events.end();
  };
  EXPECT_TRUE(heardEvent(EVENT_OBJECT_VALUECHANGE, Item(ids::kDisplay), CHILDID_SELF));
  EXPECT_TRUE(heardEvent(EVENT_OBJECT_VALUECHANGE, Item(ids::kKeySink), CHILDID_SELF));
  EXPECT_TRUE(heardEvent(EVENT_OBJECT_CREATE, list, lines));
}

// A UI Automation notification as it was raised, in place of the system's
// (which Wine lacks): its text and the window of the element it was raised on.
struct Notice {
  std::wstring text;
  HWND window;
  bool operator==(const Notice&) const = default;
  friend void PrintTo(const Notice& notice, std::ostream* out) {
    *out << testing::PrintToString(notice.text) << " on " << notice.window;
  }
};
std::vector<Notice>* notices = nullptr;

HRESULT WINAPI HearNotice(IRawElementProviderSimple* element, int, int, BSTR text, BSTR) {
  VARIANT handle;
  VariantInit(&handle);
  HWND window = nullptr;
  if (element && SUCCEEDED(element->GetPropertyValue(UIA_NativeWindowHandlePropertyId, &handle)) && handle.vt == VT_I4)
    window = static_cast<HWND>(ULongToHandle(static_cast<ULONG>(handle.lVal)));
  VariantClear(&handle);
  notices->push_back({std::wstring(text, SysStringLen(text)), window});
  return S_OK;
}

TEST_F(AccessibilityTest, EachResultIsSaidInWordsOnTheTapesBehalf) {
  std::vector<Notice> heard;
  notices = &heard;
  ui::SetNotificationRaiser(HearNotice);
  for (int id : {ids::kKey1 + 4, ids::kKeyPlus, ids::kKey1 + 2, ids::kKeyEquals, ids::kKey1 + 1, ids::kKeyChg}) {
    EXPECT_EQ(Accessible(Item(id))->accDoDefaultAction(kSelf), S_OK);
    Pump();
  }
  context_->CalculatorEngine().AddNote("8 =");
  ui::SetNotificationRaiser(nullptr);
  EXPECT_EQ(heard, (std::vector<Notice>{{L"8 total", Item(ids::kTapeList)}, {L"-6 change", Item(ids::kTapeList)}}));

  // Without the system's function (Wine has none) nothing is said, and nothing fails.
  HMODULE automation = LoadLibraryW(L"uiautomationcore.dll");
  const bool systemSays = automation && GetProcAddress(automation, "UiaRaiseNotificationEvent");
  EXPECT_EQ(ui::AnnounceText(Item(ids::kTapeList), L"8 total", L"TapeResult"), systemSays);
  if (automation) FreeLibrary(automation);
}

// Every direct child of the window, with what it is and what it is called.
std::vector<std::wstring> Unnamed(HWND form) {
  std::vector<std::wstring> faults;
  for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    const std::wstring kind = className;
    const std::wstring text = ui::GetText(control);
    // Decoration: lines, empty statics, progress bars.
    const LONG picture = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    if (kind == L"FIRELINES" || (kind == L"Static" && (text.empty() || picture == SS_ICON))) continue;
    const Accessible object(control);
    const std::wstring what = kind + L" " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" + text + L"\"";
    if (!object) {
      faults.push_back(what + L": no object");
      continue;
    }
    if (object.Name().empty() && kind != PROGRESS_CLASSW) faults.push_back(what + L": no name");
    const long role = object.Role();
    if (role == ROLE_SYSTEM_CLIENT || role <= 0) faults.push_back(what + L": role " + std::to_wstring(role));
  }
  return faults;
}

// The chart is a picture: a screen reader hears its name and the loan in words.
TEST_F(AccessibilityTest, LoanChartSaysTheLoanInWords) {
  Click(ids::kKeyLoan);
  HWND loan = FindWindowW(L"FORM_TALLIX_FORM4_CLASS", nullptr);
  ASSERT_NE(loan, nullptr);
  SendMessageW(GetDlgItem(loan, 1022), BM_CLICK, 0, 0);  // Show chart
  Accessible chart(GetDlgItem(loan, 1021));
  ASSERT_NE(chart.get(), nullptr);
  EXPECT_EQ(chart.Name(), L"Loan chart");
  EXPECT_EQ(chart.Value(), L"No loan calculated.");
  const std::pair<int, const wchar_t*> fields[] = {{1004, L"12000"}, {1005, L"6.5"}, {1006, L"2"}};
  for (const auto& [id, text] : fields) SetWindowTextW(GetDlgItem(loan, id), text);
  SendMessageW(GetDlgItem(loan, 1010), BM_CLICK, 0, 0);  // Calculate
  Pump();
  EXPECT_EQ(chart.Value(),
            L"Balance falls from $12,000.00 to $0.00 over 2 years; principal exceeds interest from year 1.");
  DestroyWindow(loan);
}

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasANameAndARole) {
  std::vector<std::wstring> faults;
  const auto sweep = [&](const wchar_t* which, HWND form) {
    ASSERT_NE(form, nullptr) << which;
    for (const std::wstring& fault : Unnamed(form)) faults.push_back(std::wstring(which) + L": " + fault);
  };
  sweep(L"main", window_);
  const std::pair<int, const wchar_t*> modeless[] = {
      {ids::kKeyArea, L"FORM_TALLIX_FORM6_CLASS"}, {ids::kKeyVol, L"FORM_TALLIX_FORM5_CLASS"},
      {ids::kKeyLoan, L"FORM_TALLIX_FORM4_CLASS"}, {ids::kKeyTransfer, L"FORM_TALLIX_FTS1_CLASS"},
      {ids::kKeyHelp, L"FORM_TALLIX_FORM8_CLASS"}, {ids::kKeyCnv, L"FORM_TALLIX_FORM7_CLASS"}};
  for (const auto& [key, className] : modeless) {
    Click(key);
    sweep(className, FindWindowW(className, nullptr));
  }
  SendMessageW(window_, WM_COMMAND, IDM_FIND, 0);
  Pump();
  sweep(L"find box", FindWindowW(L"FORM_TALLIX_FINDBOX_CLASS", nullptr));
  const auto sweepModal = [&](const wchar_t* className, const std::function<void()>& open) {
    WithFormOpen(className, open, [&](HWND form) {
      sweep(className, form);
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    Pump();
  };
  sweepModal(L"FORM_TALLIX_FORM2_CLASS", [&] { SendMessageW(window_, WM_COMMAND, IDM_OPTIONS, 0); });
  sweepModal(L"FORM_TALLIX_FORM3_CLASS", [&] { SendMessageW(window_, WM_COMMAND, IDM_ABOUT, 0); });
  sweepModal(L"FORM_TALLIX_INPUTBOX_CLASS", [&] { ui::InputBox(window_, L"Prompt", L"Title", L"1"); });
  sweepModal(L"FORM_TALLIX_FTS2_CLASS", [&] { transfer::AskTransferOptions(window_, {}, std::nullopt); });
  for (const std::wstring& fault : faults) ADD_FAILURE() << std::string(fault.begin(), fault.end());
}

}  // namespace
}  // namespace tallix
