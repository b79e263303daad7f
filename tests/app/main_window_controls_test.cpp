// The main window as it first opens: the settings it writes, its controls'
// places, captions, fonts, styles, colours and tooltips, and its journal.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "app/main_window/layout.h"
#include "app/main_window/status_texts.h"
#include "engine/keypad.h"
#include "resources/resource_ids.h"
#include "services/file_io.h"
#include "tests/app/main_window_fixture.h"
#include "ui/caption_colors.h"
#include "ui/font_spec.h"
#include "ui/form_state.h"
#include "ui/scaling.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

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

}  // namespace
}  // namespace tallix::main_window_gui
