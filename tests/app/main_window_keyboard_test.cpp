// Key strokes on the main window's key sink, the clipboard, the focus, Exit
// and the stopwatch bar.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

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

// Copy Tape is told of a clipboard another program holds as Copy is, and
// neither writes a line then.
TEST_F(MainWindowTest, ABusyClipboardIsSaidByCopyTapeAsByCopy) {
  Open();
  for (int id : {ids::kKey1 + 6, ids::kKeyPlus}) Click(id);
  const std::vector<std::string> tape = Tape();
  HWND other = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(other));
  MessageBoxAnswerer answerer(IDOK);
  Menu(IDM_COPY);
  Menu(IDM_COPY_TAPE);
  CloseClipboard();
  DestroyWindow(other);
  EXPECT_EQ(MessageBoxAnswerer::texts(),
            (std::vector<std::wstring>{ui::ClipboardBusyMessage(L"display"), ui::ClipboardBusyMessage(L"tape")}));
  EXPECT_EQ(Tape(), tape);
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

}  // namespace
}  // namespace tallix::main_window_gui
