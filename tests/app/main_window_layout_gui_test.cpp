// The main window's layouts as the File menu switches its parts off and on,
// and its tape in each: the newest line in view, long lines in a tooltip.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace tallix::main_window_gui {
namespace {

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

}  // namespace
}  // namespace tallix::main_window_gui
