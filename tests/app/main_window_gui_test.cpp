// The main window created in this process and driven through its messages:
// clicks on the keys, menu commands and key strokes on the key sink. Pending
// messages are pumped before every check instead of waiting.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/layout.h"
#include "app/main_window/main_window.h"
#include "app/main_window/status_texts.h"
#include "app/settings/settings_io.h"
#include "engine/basic_host.h"
#include "engine/engine.h"
#include "resources/resource_ids.h"
#include "services/file_io.h"
#include "side_window/wide_text.h"
#include "tests/app/form_driving.h"
#include "tests/settings/temp_folder.h"
#include "ui/caption_colors.h"
#include "ui/control_helpers.h"
#include "ui/font_spec.h"
#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/scaling.h"
#include "ui/utf8_text.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;

using gui_test::Pump;
using gui_test::WithFormOpen;

// Answers the next message boxes of this thread, and remembers their texts.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int answer) {
    answer_ = answer;
    texts_.clear();
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() { UnhookWindowsHookEx(hook_); }
  static const std::vector<std::wstring>& texts() { return texts_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
      auto box = reinterpret_cast<HWND>(wParam);
      wchar_t className[16] = {};
      GetClassNameW(box, className, 16);
      if (std::wstring(className) == L"#32770") {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        texts_.push_back(text);
        PostMessageW(box, WM_COMMAND, answer_, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
  static inline int answer_ = IDYES;
  static inline std::vector<std::wstring> texts_;
};

// The settings a reference engine reads and writes, kept in memory.
class MapSettings : public SettingsPort {
 public:
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override {
    const auto it = values.find(std::string(section) + "/" + std::string(key));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    values[std::string(section) + "/" + std::string(key)] = value;
  }
  void DeleteSection(std::string_view) override {}
  std::map<std::string, std::string> values;
};

class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
    InitCommonControlsEx(&controls);
  }

  void TearDown() override { Close(); }

  // Starts the window on a settings file holding `ini` (none when empty).
  void Open(const std::string& ini = "") {
    if (!ini.empty()) WriteBytes(IniPath(), ini);
    context_ = CreateMainWindow(IniPath());
    ASSERT_NE(context_, nullptr);
    window_ = context_->Owner();
    Pump();
  }

  void Close() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    Pump();
  }

  std::string IniPath() const { return folder_.File(); }
  std::string Ini() const { return ReadBytes(IniPath()); }
  std::string Setting(const std::string& key) const {
    std::istringstream lines(Ini());
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    }
    return "<missing>";
  }

  HWND Item(int id) const { return GetDlgItem(window_, id); }
  std::string Text(int id) const { return Cp1252FromWide(ui::GetText(Item(id))); }
  std::wstring WideText(int id) const { return ui::GetText(Item(id)); }
  SIZE ClientSize() const {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
  }
  RECT PlaceOf(int id) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool Checked(int menuId) const { return (GetMenuState(GetMenu(window_), menuId, MF_BYCOMMAND) & MF_CHECKED) != 0; }
  bool Visible(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }

  void Menu(int id) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
  }

  void Click(int id) {
    HWND key = Item(id);
    ASSERT_NE(key, nullptr) << id;
    RECT r{};
    GetClientRect(key, &r);
    const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(key, WM_LBUTTONUP, 0, centre);
    Pump();
  }

  void ClickCaption(const std::string& caption) {
    for (const ui::ControlSpec& spec : MainWindowControls()) {
      if (KeyOfControl(spec.id) && Wide(caption) == spec.text) return Click(spec.id);
    }
    FAIL() << "no key " << caption;
  }

  void Type(int virtualKey) {
    SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, virtualKey, 1);
    SendMessageW(Item(ids::kKeySink), WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
  }

  // The loan window, opened with its key.
  HWND OpenLoanWindow() {
    Click(ids::kKeyLoan);
    return FindWindowW(L"FORM_TALLIX_FORM4_CLASS", L"Loan Calculator");
  }
  static void PressButton(HWND form, int id) {
    SendMessageW(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(form, id)));
    Pump();
  }

  std::vector<std::string> Tape() const {
    std::vector<std::string> lines;
    HWND tape = Item(ids::kTapeList);
    const LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring line(static_cast<size_t>(SendMessageW(tape, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      line.resize(static_cast<size_t>(SendMessageW(tape, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
      lines.push_back(Cp1252FromWide(line));
    }
    return lines;
  }

  TempFolder folder_;
  MainWindowContext* context_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderWritesEveryKeyInOrder) {
  Open();
  EXPECT_EQ(Ini(),
            "[Main Settings]\r\n"
            "Group 1 Color=16711680\r\nGroup 2 Color=255\r\nGroup 3 Color=16711935\r\n"
            "ShowTape=1\r\nShowStatusBar=1\r\nShowStopWatch=1\r\nDigit Grouping=1\r\n"
            "Decimal Setting1=10\r\nDecimal Setting2=10\r\nAuto Decimal=0\r\nTaxRate=0\r\n"
            "LT10Key=0\r\nTopMost=0\r\nCalcMode=0\r\n");
  wchar_t className[64] = {};
  GetClassNameW(window_, className, 64);
  EXPECT_STREQ(className, L"FORM_TALLIX_FORM1_CLASS");
  EXPECT_EQ(ui::GetText(window_), L"Tallix");
  const SIZE size = ClientSize();
  EXPECT_EQ(size.cx, 507);
  EXPECT_EQ(size.cy, 293);
  EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
}

TEST_F(MainWindowTest, StartsWithTheChecksAndTextsOfTheDefaults) {
  Open();
  for (int item : {IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR, IDM_SHOW_STOPWATCH, IDM_DIGIT_GROUPING, IDM_FLOATING}) {
    EXPECT_TRUE(Checked(item)) << item;
  }
  for (int item : {IDM_DECIMAL_0, IDM_DECIMAL_2, IDM_DECIMAL_4, IDM_AUTO_DECIMAL}) EXPECT_FALSE(Checked(item)) << item;
  EXPECT_EQ(Text(ids::kDisplay), "0");
  EXPECT_EQ(Text(ids::kMemoryPane), " M1");
  EXPECT_EQ(Text(ids::kItemsPane), " 0 Items");
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(Text(ids::kDatePane), DatePaneText(now.wYear, now.wMonth, now.wDay));
  EXPECT_EQ(Text(ids::kNumLockPane), (GetKeyState(VK_NUMLOCK) & 1) ? "NUM" : "");
  EXPECT_EQ(SendMessageW(Item(ids::kOptionDec), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(Visible(ids::kMem2Label));
  EXPECT_FALSE(Visible(ids::kLaptopLabel));
  EXPECT_FALSE(Visible(ids::kKeySink));
}

bool IsKeyButton(const ui::ControlSpec& spec) { return std::wstring(spec.className) == ui::kXPButtonClass; }

TEST_F(MainWindowTest, EveryControlHasItsPlaceCaptionAndFont) {
  Open();
  const std::set<int> statusBar = {ids::kNumLockPane, ids::kDatePane,   ids::kItemsPane,
                                   ids::kAveragePane, ids::kMemoryPane, ids::kSeparatorLine};
  for (const ui::ControlSpec& spec : MainWindowControls()) {
    SCOPED_TRACE(spec.id);
    ASSERT_NE(Item(spec.id), nullptr);
    const RECT place = PlaceOf(spec.id);
    EXPECT_EQ(place.left, spec.x);
    // The layout moves the status bar and its line to y = 270.
    EXPECT_EQ(place.top, statusBar.contains(spec.id) ? 270 : spec.y);
    EXPECT_EQ(place.right - place.left, spec.width);
    EXPECT_EQ(place.bottom - place.top, spec.height);
    // The panes and the two edit fields show what the calculator wrote.
    if (!statusBar.contains(spec.id) && std::wstring(spec.className) != L"EDIT") {
      EXPECT_EQ(WideText(spec.id), spec.text);
    }
    if (IsKeyButton(spec)) {
      const auto info = ui::GetXPButtonInfo(Item(spec.id));
      ASSERT_TRUE(info.has_value());
      EXPECT_EQ(info->font, ui::FontFromSpec(spec.properties.fontSpec));
      EXPECT_EQ(info->toggleMode, spec.id == ids::kKeyAlwaysOnTop || spec.id == ids::kKey2nd);
      // The decimal system starts with the hexadecimal letters off.
      const bool letter = DigitValue(*KeyOfControl(spec.id)).value_or(0) >= 10;
      EXPECT_EQ(IsWindowEnabled(Item(spec.id)) != FALSE,
                spec.id != ids::kKeyLap && spec.id != ids::kKeyReset && !letter);
      EXPECT_EQ((GetWindowLongW(Item(spec.id), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0, spec.id != ids::kKeyTransfer);
    } else if (spec.properties.fontSpec) {
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(spec.id), WM_GETFONT, 0, 0)),
                ui::FontFromSpec(spec.properties.fontSpec));
    }
  }
  EXPECT_EQ(WideText(ids::kKeyTimes), L"\u00D7");
  EXPECT_EQ(WideText(ids::kKeyDivide), L"\u00F7");
  const auto transfer = ui::GetXPButtonInfo(Item(ids::kKeyTransfer));
  EXPECT_NE(transfer->images[0], nullptr);
  EXPECT_EQ(transfer->imagePosition, 12);
  EXPECT_EQ(transfer->imageWidth, 16);
}

TEST_F(MainWindowTest, WindowAndControlsCarryTheirStyles) {
  Open();
  const auto style = [&](int id) { return static_cast<DWORD>(GetWindowLongW(Item(id), GWL_STYLE)); };
  const auto className = [&](int id) {
    wchar_t name[32] = {};
    GetClassNameW(Item(id), name, 32);
    return std::wstring(name);
  };

  // Fixed size: no maximize box, no sizing border.
  const auto windowStyle = static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE));
  EXPECT_EQ(windowStyle & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(windowStyle & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

  // The display shows its number against the right edge, and neither it nor
  // the key sink takes a typed character as text.
  RECT display{};
  GetClientRect(Item(ids::kDisplay), &display);
  EXPECT_GT(LOWORD(SendMessageW(Item(ids::kDisplay), EM_POSFROMCHAR, 0, 0)), display.right / 2);
  EXPECT_EQ(SendMessageW(Item(ids::kDisplay), EM_GETMARGINS, 0, 0), 0);
  EXPECT_GT(SendMessageW(Item(ids::kDisplay), EM_GETLIMITTEXT, 0, 0), 1000000);
  EXPECT_EQ(SendMessageW(Item(ids::kKeySink), EM_GETMARGINS, 0, 0), 0);
  for (int id : {ids::kDisplay, ids::kKeySink}) {
    const std::string before = Text(id);
    SendMessageW(Item(id), WM_CHAR, L'q', 1);
    EXPECT_EQ(Text(id), before) << id;
  }
  // Enter reaches the key sink rather than closing anything.
  EXPECT_TRUE(SendMessageW(Item(ids::kKeySink), WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS);

  // The tape draws its lines at the tape's height, selects none and keeps its
  // scroll bar in place however short it is.
  HWND tape = Item(ids::kTapeList);
  EXPECT_EQ(className(ids::kTapeList), L"ListBox");
  Click(ids::kKeyFeed);
  EXPECT_EQ(SendMessageW(tape, LB_GETITEMHEIGHT, 0, 0), ui::Scaled(window_, kTapeLineHeight));
  EXPECT_TRUE(style(ids::kTapeList) & LBS_NOSEL);
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(tape, OBJID_VSCROLL, &bar));
  EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);

  // The options are one group inside their frame: choosing one clears the others.
  for (int chosen : {ids::kOptionHex, ids::kOptionDec}) {
    SendMessageW(Item(chosen), BM_CLICK, 0, 0);
    Pump();
    for (int id = ids::kOptionDec; id <= ids::kOptionOct; ++id) {
      EXPECT_EQ(SendMessageW(Item(id), BM_GETCHECK, 0, 0), id == chosen ? BST_CHECKED : BST_UNCHECKED) << id;
    }
  }
  EXPECT_EQ(style(ids::kOptionFrame) & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));

  // The panes and the time display are framed: their text sits inside an edge.
  for (int id :
       {ids::kNumLockPane, ids::kDatePane, ids::kItemsPane, ids::kAveragePane, ids::kMemoryPane, ids::kTimeDisplay}) {
    RECT outer{}, inner{};
    GetWindowRect(Item(id), &outer);
    GetClientRect(Item(id), &inner);
    EXPECT_LT(inner.right, outer.right - outer.left) << id;
  }
  EXPECT_EQ(style(ids::kNumLockPane) & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER));
  EXPECT_EQ(style(ids::kTimeDisplay) & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER));
}

// The journal is written on its own timer: what was typed reaches the disk
// with the stopwatch's timer stopped.
TEST_F(MainWindowTest, JournalIsWrittenWithoutTheStopwatchTimer) {
  Open();
  KillTimer(window_, ids::kTimerStopwatch);
  const std::filesystem::path folder = std::filesystem::path(*file_io::FsPath(IniPath())).parent_path();
  const auto journalBytes = [&] {
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == L".journal") bytes += entry.file_size();
    }
    return bytes;
  };
  // The first key may write the record's start at once; the second waits
  // for the timer.
  ClickCaption("5");
  const std::uintmax_t before = journalBytes();
  ClickCaption("6");
  bool grown = false;
  for (const DWORD start = GetTickCount(); !grown && GetTickCount() - start < 20000; Sleep(20)) {
    Pump();
    grown = journalBytes() > before;
  }
  EXPECT_TRUE(grown);
}

// Which colour each key's caption is drawn in, by the key's place on the keypad.
TEST_F(MainWindowTest, KeyCaptionsFallIntoTheirColourGroups) {
  Open();
  const COLORREF group1 = ui::GetCaptionGroupColor(1);
  const COLORREF group2 = ui::GetCaptionGroupColor(2);
  const COLORREF group3 = ui::GetCaptionGroupColor(3);
  for (const ui::ControlSpec& spec : MainWindowControls()) {
    if (!IsKeyButton(spec)) continue;
    SCOPED_TRACE(spec.id);
    COLORREF expected = group2;
    if (DigitValue(*KeyOfControl(spec.id)) || spec.id == ids::kKeySign || spec.id == ids::kKeyPoint) expected = group1;
    if (spec.id == ids::kKeyCnv || spec.id == ids::kKeyArea || spec.id == ids::kKeyVol || spec.id == ids::kKeyLoan) {
      expected = group3;
    }
    if (spec.id == ids::kKeyFeed || spec.id == ids::kKeyHelp) expected = RGB(128, 64, 0);
    if (spec.id == ids::kKeyAlwaysOnTop || spec.id == ids::kKeyTransfer) expected = GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(ui::CaptionColor(WideText(spec.id)), expected);
  }
}

TEST_F(MainWindowTest, TooltipsAreAddedInTheirOrder) {
  Open();
  HWND tooltip = ui::FormStateOf(window_)->tooltip;
  ASSERT_NE(tooltip, nullptr);
  wchar_t className[32] = {};
  GetClassNameW(tooltip, className, 32);
  EXPECT_EQ(lstrcmpiW(className, L"tooltips_class32"), 0);
  const auto tips = MainWindowTooltips();
  ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(tips.size()));
  for (size_t i = 0; i < tips.size(); ++i) {
    wchar_t text[81] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(Item(tips[i].id))) << i;
    EXPECT_STREQ(text, tips[i].text) << i;
  }
}

struct LayoutCase {
  std::vector<int> toggles;  // File menu items to switch off
  int width, height, tapeHeight, barTop;
};

TEST_F(MainWindowTest, FileMenuTogglesLayOutTheWindowAndWriteTheSettings) {
  Open();
  const LayoutCase cases[] = {
      {{}, 507, 293, 254, 270},
      {{IDM_SHOW_STOPWATCH}, 507, 271, 232, 248},
      {{IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR}, 507, 249, 232, 248},
      {{IDM_SHOW_STATUSBAR}, 507, 271, 254, 270},
      {{IDM_SHOW_TAPE}, 276, 293, 254, 270},
      {{IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH}, 276, 271, 232, 248},
      {{IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR}, 276, 271, 254, 270},
      {{IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR}, 276, 249, 232, 248},
  };
  for (const LayoutCase& c : cases) {
    for (int item : c.toggles) Menu(item);
    // The design's client area, whatever frame the system draws around it.
    const SIZE size = ClientSize();
    EXPECT_EQ(size.cx, c.width);
    EXPECT_EQ(size.cy, c.height);
    const RECT tape = PlaceOf(ids::kTapeList);
    EXPECT_EQ(tape.bottom - tape.top, c.tapeHeight);
    const bool tapeShown = c.width == 507;
    EXPECT_EQ(Visible(ids::kTapeList), tapeShown);
    EXPECT_EQ(Checked(IDM_SHOW_TAPE), tapeShown);
    EXPECT_EQ(Setting("ShowTape"), tapeShown ? "1" : "0");
    const bool stopwatch = c.barTop == 270;
    EXPECT_EQ(Visible(ids::kKeyStart), stopwatch);
    EXPECT_EQ(Visible(ids::kTimeDisplay), stopwatch);
    EXPECT_EQ(Checked(IDM_SHOW_STOPWATCH), stopwatch);
    EXPECT_EQ(Setting("ShowStopWatch"), stopwatch ? "1" : "0");
    EXPECT_EQ(PlaceOf(ids::kMemoryPane).top, c.barTop);
    EXPECT_EQ(PlaceOf(ids::kSeparatorLine).top, c.barTop);
    const RECT average = PlaceOf(ids::kAveragePane);
    EXPECT_EQ(average.left, tapeShown ? 133 : 87);
    EXPECT_EQ(PlaceOf(ids::kItemsPane).left, tapeShown ? 266 : 174);
    // Back to everything shown for the next case.
    for (int item : c.toggles) Menu(item);
  }
  EXPECT_EQ(ClientSize().cy, 293);
  EXPECT_EQ(Setting("ShowStatusBar"), "1");
  for (const char* keep : {"1", "0"}) {
    Menu(IDM_KEEP_TAPE);
    EXPECT_EQ(Checked(IDM_KEEP_TAPE), keep == std::string("1"));
    EXPECT_EQ(Setting("KeepTape"), keep);
  }
}

// Whether the tape's newest line lies whole inside the list and the window.
::testing::AssertionResult NewestTapeLineWhole(HWND window, HWND tape) {
  const LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
  RECT line{}, list{}, client{};
  SendMessageW(tape, LB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&line));
  GetClientRect(tape, &list);
  GetClientRect(window, &client);
  MapWindowPoints(tape, window, reinterpret_cast<POINT*>(&list), 2);
  MapWindowPoints(tape, window, reinterpret_cast<POINT*>(&line), 2);
  if (line.top >= list.top && line.bottom <= list.bottom && line.bottom <= client.bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "line " << line.top << ".." << line.bottom << ", list " << list.top << ".."
                                       << list.bottom << ", window " << client.bottom;
}

TEST_F(MainWindowTest, TheNewestTapeLineIsWholeInViewInEveryLayout) {
  Open();
  const std::vector<int> toggles[] = {{},
                                      {IDM_SHOW_STOPWATCH},
                                      {IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR},
                                      {IDM_SHOW_STATUSBAR},
                                      {IDM_SHOW_TAPE},
                                      {IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH},
                                      {IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR},
                                      {IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR}};
  HWND tape = Item(ids::kTapeList);
  for (const auto& layout : toggles) {
    // More lines than the tape shows, then the layout (with the tape shown
    // again where it hides it), then one line more.
    for (int i = 0; i < 20; ++i) Click(ids::kKeyFeed);
    for (int item : layout) Menu(item);
    const bool tapeHidden = !Visible(ids::kTapeList);
    if (tapeHidden) Menu(IDM_SHOW_TAPE);
    EXPECT_TRUE(NewestTapeLineWhole(window_, tape)) << layout.size();
    Click(ids::kKeyFeed);
    EXPECT_TRUE(NewestTapeLineWhole(window_, tape)) << layout.size();
    if (tapeHidden) Menu(IDM_SHOW_TAPE);
    for (int item : layout) Menu(item);
  }
}

// What the tape's tooltip holds once the pointer rests on line `index`,
// polled until it is `expected` or a generous deadline has passed.
std::wstring TapeTipOnLine(HWND window, HWND tape, int index, const std::wstring& expected) {
  RECT line{};
  SendMessageW(tape, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&line));
  POINT centre{(line.left + line.right) / 2, (line.top + line.bottom) / 2};
  ClientToScreen(tape, &centre);
  SetCursorPos(centre.x, centre.y);
  // As the system tells a list's parent of a pointer over it.
  SendMessageW(tape, WM_SETCURSOR, reinterpret_cast<WPARAM>(tape), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  std::wstring text;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10)) {
    Pump();
    text.clear();
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
      wchar_t buffer[1024] = {};
      TTTOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.hwnd = window;
      tool.uId = reinterpret_cast<UINT_PTR>(tape);
      tool.lpszText = buffer;
      if (GetWindow(tip, GW_OWNER) != window ||
          !SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        continue;
      SendMessageW(tip, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&tool));
      text = buffer;
    }
    if (text == expected) break;
  }
  return text;
}

TEST_F(MainWindowTest, ALineWiderThanTheTapeShowsWholeInATooltip) {
  Open();
  context_->CalculatorEngine().AddNote("Lunch with Bob and the whole sales team at the harbour cafe.");
  context_->CalculatorEngine().AddNote("Lunch");
  HWND tape = Item(ids::kTapeList);
  const std::wstring whole = ui::ListBoxItemText(tape, 0);
  ASSERT_EQ(whole.size(), 62u);
  EXPECT_EQ(TapeTipOnLine(window_, tape, 0, whole), whole);
  EXPECT_EQ(TapeTipOnLine(window_, tape, 1, L""), L"") << "a line the tape shows whole has no tip";
  EXPECT_EQ(TapeTipOnLine(window_, tape, 0, whole), whole);
}

TEST_F(MainWindowTest, HidingTheTapeKeepsItsLines) {
  Open();
  Click(ids::kKey1 + 6);
  Click(ids::kKeyPlus);
  const auto before = Tape();
  ASSERT_FALSE(before.empty());
  Menu(IDM_SHOW_TAPE);
  Click(ids::kKeyFeed);
  Menu(IDM_SHOW_TAPE);
  auto expected = before;
  expected.push_back("");
  EXPECT_EQ(Tape(), expected);
}

TEST_F(MainWindowTest, StartsFromTheStoredSettings) {
  Open(
      "[Main Settings]\r\nGroup 1 Color=255\r\nShowTape=2\r\nShowStopWatch=0\r\nDecimal Setting1=12\r\n"
      "Decimal Setting2=7\r\nLT10Key=1\r\nTopMost=1\r\nDigit Grouping=0\r\nAuto Decimal=1\r\n"
      "[Memory]\r\nM1=12.50\r\nM1v=12.5\r\n");
  EXPECT_EQ(ui::GetCaptionGroupColor(1), 255u);
  EXPECT_EQ(Setting("ShowTape"), "2");
  EXPECT_FALSE(Visible(ids::kTapeList));
  EXPECT_FALSE(Checked(IDM_SHOW_TAPE));
  EXPECT_EQ(ClientSize().cx, 276);
  EXPECT_EQ(ClientSize().cy, 271);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionBin), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Setting("Decimal Setting1"), "12");
  for (int item = IDM_FLOATING; item <= IDM_DECIMAL_4; ++item) EXPECT_FALSE(Checked(item)) << item;
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));
  EXPECT_TRUE(Visible(ids::kLaptopLabel));
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  EXPECT_EQ(Text(ids::kMemoryPane), " M1 = 12.50");
  // Binary: only 0 and 1 are keys.
  EXPECT_TRUE(IsWindowEnabled(Item(ids::kKey1)));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::kKey1 + 1)));
  ui::SetCaptionGroupColor(1, 16711680);
}

TEST_F(MainWindowTest, OutOfRangeSettingsAreReplacedAtStart) {
  Open("[Main Settings]\r\nDecimal Setting1=20\r\nDigit Grouping=abc\r\nShowStatusBar=-4\r\n");
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
  EXPECT_EQ(Setting("Digit Grouping"), "0");
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_EQ(ClientSize().cy, 271);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionDec), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindowTest, StartsOnAnyBytesInTheSettingsFile) {
  std::string noise;
  unsigned seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(seed >> 16));
  }
  const std::string files[] = {
      noise,
      "[Main Settings]\r\nGroup 1 Color=1e400\r\nGroup 2 Color=-99999999999999999999\r\nTaxRate=nan\r\n"
      "Decimal Setting2=-1\r\nCalcMode=7\r\nShowTape=" +
          std::string(5000, '9') + "\r\n[Memory]\r\nM1=" + std::string(3000, 'x') + "\r\nM1v=1e99999\r\n",
      std::string("\xEF\xBB\xBF[Main Settings]\nShowTape\n=\n[[\n\0\0\0", 40),
  };
  for (const std::string& bytes : files) {
    Open(bytes);
    EXPECT_TRUE(IsWindow(window_));
    Click(ids::kKey1 + 2);
    Click(ids::kKeyPlus);
    Click(ids::kKeyEquals);
    EXPECT_FALSE(Tape().empty());
    Close();
  }
}

TEST_F(MainWindowTest, ASettingsFileTooLargeToRewriteIsSaidOnceAndLeftAlone) {
  std::string ini = "[Main Settings]\r\nDecimal Setting1=12\r\n[Filler]\r\n";
  while (ini.size() <= kMaxSettingsFileBytes) ini += "k=" + std::string(1000, 'x') + "\r\n";
  MessageBoxAnswerer answerer(IDOK);
  Open(ini);
  Pump();
  ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
  EXPECT_NE(MessageBoxAnswerer::texts()[0].find(L"is larger than"), std::wstring::npos);
  // Started on the settings at its top (binary), changed nothing on disk.
  EXPECT_EQ(SendMessageW(Item(ids::kOptionBin), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(window_, WM_COMMAND, IDM_DIGIT_GROUPING, 0);
  Pump();
  EXPECT_EQ(Ini(), ini);
}

TEST_F(MainWindowTest, StartUpRemovesOnlyStaleTemporariesOfTheSettingsFile) {
  const std::string stale = IniPath() + ".4242.7.tmp", fresh = IniPath() + ".4243.1.tmp";
  const std::string other = IniPath() + ".backup.tmp";
  for (const std::string& path : {stale, fresh, other}) WriteBytes(path, "[Main Settings]\r\n");
  for (const std::string& path : {stale, other}) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER old{{now.dwLowDateTime, now.dwHighDateTime}};
    old.QuadPart -= 3600ull * 10000000ull;  // an hour ago
    const FILETIME then{old.LowPart, old.HighPart};
    SetFileTime(file, nullptr, nullptr, &then);
    CloseHandle(file);
  }
  Open();
  EXPECT_EQ(GetFileAttributesA(stale.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(other.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The window must run every key exactly as the engine does on its own: the
// same display, panes and tape as a reference engine pressing the same keys.
TEST_F(MainWindowTest, EveryKeyReachesTheEngine) {
  const std::vector<std::vector<std::string>> sequences = {
      {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
      {"7", "+", "5", "="},
      {"9", "\xD7", "3", "\xF7", "2", "=", "-", "4", "="},
      {"5", "0", "%"},
      {"2", "0", "0", "+", "1", "0", "%"},
      {"1", ".", "5", "+/-", "Back", "CE", "4"},
      {"8", "MS", "2nd", "6", "M+", "MR", "MC", "2nd", "MR"},
      {"1", "0", "0", "+Tax", "=", "2", "0", "0", "Chg"},
      {"4", "1/x", "Feed", "Clear"},
      {"3", "+", "CT", "5"},
  };
  for (const auto& keys : sequences) {
    Open();
    MessageBoxAnswerer yes(IDYES);
    BasicEngineHost host;
    MapSettings settings;
    Engine reference(host, settings);
    reference.Start(EngineSettings{});
    std::string trace;
    for (const std::string& key : keys) {
      trace += key + " ";
      ClickCaption(key);
      reference.PressKey(*KeyFromCaption(key));
      ASSERT_EQ(Text(ids::kDisplay), host.display) << trace;
      ASSERT_EQ(Tape(), host.tape) << trace;
      ASSERT_EQ(Text(ids::kItemsPane), host.items) << trace;
      ASSERT_EQ(Text(ids::kAveragePane), host.average) << trace;
      ASSERT_EQ(Text(ids::kMemoryPane), host.memory) << trace;
      ASSERT_EQ(Visible(ids::kMem2Label), host.bank2Shown) << trace;
      ASSERT_EQ(GetFocus(), Item(ids::kKeySink)) << trace;
    }
    Close();
    // Memory banks persist: every sequence starts afresh, like the reference.
    std::filesystem::remove(settings_test::FromUtf8(IniPath()));
  }
}

TEST_F(MainWindowTest, MemoryKeysWriteTheirBanks) {
  Open();
  Click(ids::kKey1 + 8);
  Click(ids::kKeyMS);
  EXPECT_EQ(Setting("M1"), "9");
  EXPECT_EQ(Setting("M1v"), "9");
}

TEST_F(MainWindowTest, ClearTapeAsksFirst) {
  Open();
  Click(ids::kKey1);
  Click(ids::kKeyPlus);
  {
    MessageBoxAnswerer no(IDNO);
    Click(ids::kKeyCT);
    ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
    EXPECT_EQ(MessageBoxAnswerer::texts()[0].rfind(L"Clear tape history?", 0), 0u);
  }
  EXPECT_EQ(Tape().size(), 1u);
  MessageBoxAnswerer yes(IDYES);
  Click(ids::kKeyCT);
  EXPECT_TRUE(Tape().empty());
}

TEST_F(MainWindowTest, NumberSystemButtonsSwitchTheKeypad) {
  Open();
  Click(ids::kOptionHex);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionHex), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Setting("Decimal Setting1"), "11");
  for (int id = ids::kKeyA; id < ids::kKeyA + 6; ++id) {
    EXPECT_TRUE(IsWindowEnabled(Item(id)));
    Click(id);
  }
  EXPECT_EQ(Text(ids::kDisplay), "ABCDEF");
  EXPECT_EQ(Tape().back(), "(Hex)");
  Click(ids::kOptionDec);
  EXPECT_FALSE(IsWindowEnabled(Item(ids::kKeyA)));
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
}

TEST_F(MainWindowTest, ViewMenuChangesTheDecimalsAndIsIgnoredOutsideDecimal) {
  Open();
  Menu(IDM_DECIMAL_2);
  EXPECT_TRUE(Checked(IDM_DECIMAL_2));
  EXPECT_FALSE(Checked(IDM_FLOATING));
  EXPECT_EQ(Setting("Decimal Setting1"), "2");
  EXPECT_EQ(Setting("Decimal Setting2"), "2");
  EXPECT_EQ(Text(ids::kDisplay), "0.00");
  Menu(IDM_DIGIT_GROUPING);
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_EQ(Setting("Digit Grouping"), "0");
  Menu(IDM_AUTO_DECIMAL);
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));
  EXPECT_EQ(Setting("Auto Decimal"), "1");

  Click(ids::kOptionHex);
  const std::string before = Ini();
  for (int item : {IDM_DECIMAL_4, IDM_FLOATING, IDM_DIGIT_GROUPING, IDM_AUTO_DECIMAL}) Menu(item);
  EXPECT_EQ(Ini(), before);
  EXPECT_TRUE(Checked(IDM_DECIMAL_2));
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));

  Click(ids::kOptionDec);
  Menu(IDM_FLOATING);
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
  EXPECT_EQ(Setting("Decimal Setting2"), "10");
  EXPECT_TRUE(Checked(IDM_FLOATING));
}

TEST_F(MainWindowTest, AlwaysOnTopKeyTogglesTheTopmostBand) {
  Open();
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(Setting("TopMost"), "1");
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
  EXPECT_EQ(GetWindow(ui::FormStateOf(window_)->tooltip, GW_OWNER), window_);
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(Setting("TopMost"), "0");
  EXPECT_EQ(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
}

TEST_F(MainWindowTest, SideWindowsReachTheMainWindowThroughItsContext) {
  Open();
  MainWindowContext& context = *context_;
  EXPECT_EQ(context.SettingsPath(), IniPath());
  EXPECT_EQ(context.Settings().Read("Main Settings", "CalcMode", "missing"), "0");
  context.CalculatorEngine().AppendTapeLine("12.5", "in");
  Pump();
  EXPECT_EQ(Tape(), std::vector<std::string>{"12.5 in"});
  context.SetAlwaysOnTop(true);
  EXPECT_TRUE(context.IsAlwaysOnTop());
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  // A later click on the key turns it off again.
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_FALSE(context.IsAlwaysOnTop());
  EXPECT_EQ(Setting("TopMost"), "0");
  context.ShowLaptopLabel(true);
  EXPECT_TRUE(Visible(ids::kLaptopLabel));
  context.ShowLaptopLabel(false);
  EXPECT_FALSE(Visible(ids::kLaptopLabel));
  Close();
  // Gone with the window: nothing left to do.
  EXPECT_EQ(context.Owner(), nullptr);
  context.SetAlwaysOnTop(true);
  EXPECT_FALSE(context.IsAlwaysOnTop());
  context.ShowLaptopLabel(true);
}

// The converter, area, volume and loan keys open windows that have tests of
// their own; the stopwatch key keeps the focus on the calculator.
TEST_F(MainWindowTest, KeysOfSideWindowsLeaveTheCalculatorAsItWas) {
  Open();
  Click(ids::kKey1 + 4);
  Click(ids::kKeyStart);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
  // The transfer test opens beside the calculator with the focus, once however often its key is pressed.
  Click(ids::kKeyTransfer);
  Click(ids::kKeyTransfer);
  HWND transfer = FindWindowW(L"FORM_TALLIX_FTS1_CLASS", nullptr);
  ASSERT_NE(transfer, nullptr);
  EXPECT_EQ(FindWindowExW(nullptr, transfer, L"FORM_TALLIX_FTS1_CLASS", nullptr), nullptr);
  EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), transfer);
  EXPECT_EQ(GetWindow(transfer, GW_OWNER), window_);
  SendMessageW(transfer, WM_CLOSE, 0, 0);
  EXPECT_EQ(Text(ids::kDisplay), "5");
  EXPECT_TRUE(Tape().empty());
}

// The converter's popup opens just right of the "Cnv" key, its top level with
// the key's, owned by the main window.
TEST_F(MainWindowTest, ConverterPopupOpensBesideItsKey) {
  Open();
  Click(ids::kKeyCnv);
  HWND popup = FindWindowW(L"FORM_TALLIX_FORM7_CLASS", nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), window_);
  RECT key{}, placed{};
  GetWindowRect(Item(ids::kKeyCnv), &key);
  GetWindowRect(popup, &placed);
  EXPECT_EQ(placed.left, key.right + 2);
  EXPECT_EQ(placed.top, key.top);
  DestroyWindow(popup);
  EXPECT_TRUE(Tape().empty());
}

// The loan window is modeless: a second press brings the open one back. Its
// profiles are listed in alphabetical order, the first one shown.
TEST_F(MainWindowTest, LoanKeyOpensOneLoanWindowOwnedByTheMainWindow) {
  Open("[Loan Settings]\r\nName3=Zeta\r\nName7=Alpha\r\nPrincipal7=5000\r\n");
  Click(ids::kKey1 + 4);
  Click(ids::kKeyLoan);
  HWND loan = FindWindowW(L"FORM_TALLIX_FORM4_CLASS", L"Loan Calculator");
  ASSERT_NE(loan, nullptr);
  EXPECT_EQ(GetWindow(loan, GW_OWNER), window_);
  HWND names = GetDlgItem(loan, 1000);
  EXPECT_EQ(ui::ListBoxItemText(names, 0) + L"," + ui::ListBoxItemText(names, 1), L"Alpha,Zeta");
  EXPECT_EQ(ui::ListBoxSelection(names), 0);
  EXPECT_EQ(ui::GetText(GetDlgItem(loan, 1004)), L"$5,000.00");
  Click(ids::kKeyLoan);
  EXPECT_EQ(FindWindowExW(nullptr, loan, L"FORM_TALLIX_FORM4_CLASS", nullptr), nullptr);
  EXPECT_EQ(Text(ids::kDisplay), "5");
  EXPECT_TRUE(Tape().empty());
  DestroyWindow(loan);
}

// A rate whose figures are beyond what can be shown is refused with a message,
// and neither the tape nor a profile gets Infinity.
TEST_F(MainWindowTest, LoanFiguresTooLargeToShowAreRefusedBeforeAnythingIsWritten) {
  Open("");
  HWND loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  SetWindowTextW(GetDlgItem(loan, 1004), L"1000");
  SetWindowTextW(GetDlgItem(loan, 1005), L"1e39");
  SetWindowTextW(GetDlgItem(loan, 1006), L"30");
  {
    MessageBoxAnswerer ok(IDOK);
    PressButton(loan, 1010);
    ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
    EXPECT_NE(MessageBoxAnswerer::texts()[0].find(L"cannot be calculated"), std::wstring::npos);
  }
  EXPECT_TRUE(Tape().empty());
  EXPECT_EQ(Setting("Principal1"), "<missing>");
  DestroyWindow(loan);
}

// A name that is not UTF-8 (a hand-edited file) shows with U+FFFD; its entry
// still loads its profile, and Remove empties the keys it is stored under.
TEST_F(MainWindowTest, LoanProfileNamedWithBytesThatAreNotUtf8LoadsAndIsRemoved) {
  Open("[Loan Settings]\r\nName2=Caf\xE9\r\nPrincipal2=5000\r\nName4=Zeta\r\n");
  HWND loan = OpenLoanWindow();
  ASSERT_NE(loan, nullptr);
  HWND names = GetDlgItem(loan, 1000);
  EXPECT_EQ(ui::ListBoxItemText(names, 0), L"Caf\uFFFD");
  EXPECT_EQ(ui::GetText(GetDlgItem(loan, 1004)), L"$5,000.00");
  PressButton(loan, 1003);
  EXPECT_EQ(Setting("Name2"), "");
  EXPECT_EQ(Setting("Principal2"), "");
  EXPECT_EQ(ui::ListBoxItemText(names, 0), L"Zeta");
  DestroyWindow(loan);
}

TEST_F(MainWindowTest, KeyStrokesOnTheKeySinkDriveTheEngineAndShowTheKey) {
  Open();
  HWND sink = Item(ids::kKeySink);
  SendMessageW(sink, WM_KEYDOWN, '7', 1);
  Pump();
  const auto held = ui::GetXPButtonInfo(Item(ids::kKey1 + 6));
  EXPECT_TRUE(held->toggleMode);
  EXPECT_NE(held->toggled, 0);
  SendMessageW(sink, WM_KEYUP, '7', 0xC0000001);
  Pump();
  const auto released = ui::GetXPButtonInfo(Item(ids::kKey1 + 6));
  EXPECT_FALSE(released->toggleMode);
  EXPECT_EQ(released->toggled, 0);

  Type(VK_ADD);
  Type('5');
  // A key typed while the display has the focus counts as well.
  SetFocus(Item(ids::kDisplay));
  SendMessageW(Item(ids::kDisplay), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(GetFocus(), sink);
  SendMessageW(sink, WM_KEYUP, VK_RETURN, 0xC0000001);
  Pump();
  EXPECT_EQ(Text(ids::kDisplay), "12");
  EXPECT_EQ(Tape().back(), "");
  Type(VK_ESCAPE);
  EXPECT_EQ(Tape().back(), "Clear");
  EXPECT_EQ(Text(ids::kAveragePane), " AVG = 0.00");
}

// Shift let go before the key it changed: the shifted button is released all the same.
TEST_F(MainWindowTest, ShiftReleasedFirstLeavesNoKeyDrawnPressed) {
  Open();
  HWND sink = Item(ids::kKeySink);
  const auto drawnPressed = [&](int id) {
    const auto info = ui::GetXPButtonInfo(Item(id));
    return info->toggleMode && info->toggled != 0;
  };
  for (const auto& [virtualKey, id] :
       {std::pair{int{'5'}, ids::kKeyPercent}, {'8', ids::kKeyTimes}, {VK_OEM_PLUS, ids::kKeyPlus}}) {
    SendMessageW(sink, WM_KEYDOWN, VK_SHIFT, 1);
    SendMessageW(sink, WM_KEYDOWN, virtualKey, 1);
    Pump();
    EXPECT_TRUE(drawnPressed(id)) << id;
    SendMessageW(sink, WM_KEYUP, VK_SHIFT, 0xC0000001);
    SendMessageW(sink, WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
    EXPECT_FALSE(drawnPressed(id)) << id;
  }
}

TEST_F(MainWindowTest, OperatorSignsShowAsTheirCharactersOnTheTape) {
  Open();
  for (int id : {ids::kKey1 + 8, ids::kKeyTimes, ids::kKey1 + 1, ids::kKeyDivide, ids::kKey1 + 2, ids::kKeyEquals}) {
    Click(id);
  }
  HWND tape = Item(ids::kTapeList);
  wchar_t line[32] = {};
  SendMessageW(tape, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"2 \u00D7");
  SendMessageW(tape, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"3 \u00F7");
}

TEST_F(MainWindowTest, CopyAndPasteGoThroughTheClipboard) {
  Open();
  for (int id : {ids::kKey1, ids::kKey1 + 1, ids::kKey1 + 2, ids::kKey1 + 3}) Click(id);
  Menu(IDM_COPY);
  EXPECT_EQ(Tape().back(), "Copy (1,234)");
  Click(ids::kKeyClear);
  Menu(IDM_PASTE);
  EXPECT_EQ(Text(ids::kDisplay), "1,234");
  Click(ids::kKeyPlus);
  EXPECT_EQ(Tape().back(), "1,234  ");
}

TEST_F(MainWindowTest, TheTapeGivesTheFocusBack) {
  Open();
  SetFocus(Item(ids::kTapeList));
  Pump();
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
  SetFocus(nullptr);
  SendMessageW(window_, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndAllowsAFreshOne) {
  Open();
  Menu(IDM_EXIT);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(context_->Owner(), nullptr);
  Open();
  EXPECT_TRUE(IsWindow(window_));
}

}  // namespace
}  // namespace tallix

namespace tallix {
namespace {

TEST_F(MainWindowTest, StopwatchBarStartsLapsStopsAndResets) {
  Open();
  // The test's own ticks only, so that the time shown stays put between them.
  KillTimer(window_, ids::kTimerStopwatch);
  const auto tick = [&] {
    Sleep(30);
    SendMessageW(window_, WM_TIMER, ids::kTimerStopwatch, 0);
  };
  const auto enabled = [&](int id) { return IsWindowEnabled(Item(id)) != FALSE; };
  Type(VK_SPACE);  // through the key sink
  EXPECT_EQ(Text(ids::kKeyStart), "Stop");
  EXPECT_TRUE(enabled(ids::kKeyLap));
  EXPECT_FALSE(enabled(ids::kKeyReset));
  tick();
  const std::string running = Text(ids::kTimeDisplay);
  EXPECT_NE(running, "00:00:00:00");
  EXPECT_EQ(running.size(), 11u);

  Click(ids::kKeyLap);
  EXPECT_EQ(Tape().back(), Text(ids::kTimeDisplay) + " LAP");
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));

  Click(ids::kKeyStart);
  const std::string stopped = Text(ids::kTimeDisplay);
  EXPECT_EQ(Text(ids::kKeyStart), "Start");
  EXPECT_FALSE(enabled(ids::kKeyLap));
  EXPECT_TRUE(enabled(ids::kKeyReset));
  tick();
  EXPECT_EQ(Text(ids::kTimeDisplay), stopped);

  Click(ids::kKeyReset);
  EXPECT_EQ(Text(ids::kTimeDisplay), "00:00:00:00");
  EXPECT_FALSE(enabled(ids::kKeyReset));
  EXPECT_EQ(Tape().size(), 1u);
}

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

}  // namespace
}  // namespace tallix

namespace tallix {
namespace {

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

}  // namespace
}  // namespace tallix

namespace tallix {
namespace {

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
}  // namespace tallix
