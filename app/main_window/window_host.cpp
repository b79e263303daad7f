// The engine's services on the main window's controls. The engine speaks
// Windows-1252; every text is converted here, whatever the system code page.
#include <algorithm>
#include <string>
#include <vector>

#include "app/help/help_window.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/main_window_impl.h"
#include "app/main_window/stopwatch_bar.h"
#include "app/main_window/tape_line_kind.h"
#include "app/main_window/tape_list.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/exports.h"
#include "ui/screen_reader_notice.h"

namespace tallix {

// A screen reader hears the display and the panes when what they show is set.
void MainWindow::SetControlText(int id, std::string_view cp1252) {
  HWND control = Control(id);
  SetWindowTextW(control, Wide(cp1252).c_str());
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

std::string MainWindow::ControlText(int id) const { return Cp1252FromWide(ui::GetText(Control(id))); }

HWND MainWindow::KeyButton(Key key) const {
  const int index = static_cast<int>(key);
  return index >= 0 && index < kKeyCount ? keyButtons_[index] : nullptr;
}

std::string MainWindow::GetDisplayText() { return ControlText(ids::kDisplay); }
void MainWindow::SetDisplayText(std::string_view text) {
  SetControlText(ids::kDisplay, text);
  // Said by the focused key sink too: a screen reader reads out the changes
  // of the object that has the focus.
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Control(ids::kKeySink), OBJID_CLIENT, CHILDID_SELF);
}
void MainWindow::SetItemsText(std::string_view text) { SetControlText(ids::kItemsPane, text); }
void MainWindow::SetAverageText(std::string_view text) { SetControlText(ids::kAveragePane, text); }
std::string MainWindow::GetAverageText() { return ControlText(ids::kAveragePane); }
void MainWindow::SetMemoryText(std::string_view text) { SetControlText(ids::kMemoryPane, text); }
void MainWindow::SetNumLockText(std::string_view text) { SetControlText(ids::kNumLockPane, text); }
std::string MainWindow::GetItemsText() { return ControlText(ids::kItemsPane); }
std::string MainWindow::GetMemoryText() { return ControlText(ids::kMemoryPane); }
std::string MainWindow::GetNumLockText() { return ControlText(ids::kNumLockPane); }
bool MainWindow::IsNumLockOn() { return (GetKeyState(VK_NUMLOCK) & 1) != 0; }

void MainWindow::ShowBank2Indicator(bool shown) { ShowWindow(Control(ids::kMem2Label), shown ? SW_SHOW : SW_HIDE); }
bool MainWindow::IsBank2IndicatorShown() {
  return (GetWindowLongW(Control(ids::kMem2Label), GWL_STYLE) & WS_VISIBLE) != 0;
}

void MainWindow::EnableKey(Key key, bool enabled) {
  if (HWND button = KeyButton(key)) EnableWindow(button, enabled);
}

void MainWindow::ShowKeyPressed(Key key, bool pressed) {
  HWND button = KeyButton(key);
  if (!button || key == Key::AlwaysOnTop || key == Key::SecondBank) return;
  // A button draws its toggle state only in toggle mode, so the key is a
  // toggle button for as long as it is held.
  if (pressed) TB_XPBUTTON_SETTOGGLEMODE(button, 1, FALSE);
  TB_XPBUTTON_SETTOGGLESTATE(button, pressed ? 1 : 0, TRUE);
  if (!pressed) TB_XPBUTTON_SETTOGGLEMODE(button, 0, TRUE);
}

void MainWindow::CheckNumberSystemButton(int index) {
  if (index < 0 || index > 3) return;
  view_.numberSystem = index;
  // Each option button on its own: CheckRadioButton walks every child of the
  // window, and the keys make that walk dear.
  for (int id = ids::kOptionDec; id <= ids::kOptionOct; ++id) {
    SendMessageW(Control(id), BM_SETCHECK, id == ids::kOptionDec + view_.numberSystem ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void MainWindow::CheckDecimalsMenuItem(int decimalSetting) { ShowChoice(view_.decimalSetting, decimalSetting); }
void MainWindow::CheckDigitGroupingMenuItem(bool checked) { ShowChoice(view_.digitGrouping, checked); }
void MainWindow::CheckAutoDecimalMenuItem(bool checked) { ShowChoice(view_.autoDecimal, checked); }

void MainWindow::FocusKeySink() {
  if (keyboardOnOptions_ && IsNumberSystemOption(GetFocus())) return;
  SetFocus(Control(ids::kKeySink));
}

bool MainWindow::AskYesNo(std::string_view caption, std::string_view text) {
  return MessageBoxW(window, Wide(text).c_str(), Wide(caption).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

HWND MainWindow::Control(int id) const {
  if (controlHandlesOf_ != window) {
    controlHandles_.clear();
    controlHandlesOf_ = window;
  }
  if (const auto found = controlHandles_.find(id); found != controlHandles_.end()) return found->second;
  HWND control = GetDlgItem(window, id);
  if (control) controlHandles_.emplace(id, control);
  return control;
}

int MainWindow::AddTapeLine(std::string_view line) {
  HWND tape = Control(ids::kTapeList);
  const LRESULT index = SendMessageW(tape, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(line).c_str()));
  if (index < 0) return -1;
  tapeLines_.emplace_back(line);
  // The new line is the list's child numbered from 1: a screen reader reads it out.
  NotifyWinEvent(EVENT_OBJECT_CREATE, tape, OBJID_CLIENT, static_cast<LONG>(index) + 1);
  return static_cast<int>(index);
}

void MainWindow::SelectTapeLine(int index) {
  // The tape allows no selection: bring the line into view instead.
  HWND tape = Control(ids::kTapeList);
  const LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
  if (index < 0 || index >= count) return;
  RECT client{};
  GetClientRect(tape, &client);
  const LRESULT itemHeight = SendMessageW(tape, LB_GETITEMHEIGHT, 0, 0);
  const int visible = itemHeight > 0 ? std::max<int>(1, static_cast<int>(client.bottom / itemHeight)) : 1;
  const LRESULT top = SendMessageW(tape, LB_GETTOPINDEX, 0, 0);
  if (index < top) {
    SendMessageW(tape, LB_SETTOPINDEX, index, 0);
  } else if (index >= top + visible) {
    SendMessageW(tape, LB_SETTOPINDEX, index - visible + 1, 0);
  }
}

void MainWindow::ShowNewestTapeLine() {
  SelectTapeLine(static_cast<int>(SendMessageW(Control(ids::kTapeList), LB_GETCOUNT, 0, 0)) - 1);
}

void MainWindow::ClearTapeLines() {
  SendMessageW(Control(ids::kTapeList), LB_RESETCONTENT, 0, 0);
  tapeLines_.clear();
  markedLine_.reset();
}

void MainWindow::MarkTapeLine(std::optional<std::size_t> line, std::wstring_view spoken) {
  HWND tape = Control(ids::kTapeList);
  const auto redraw = [tape](std::optional<std::size_t> index) {
    RECT item{};
    if (index && SendMessageW(tape, LB_GETITEMRECT, *index, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
      InvalidateRect(tape, &item, TRUE);
  };
  redraw(markedLine_);
  markedLine_ = line;
  if (!line) return;
  SelectTapeLine(static_cast<int>(*line));
  redraw(line);
  if (!spoken.empty()) ui::AnnounceText(tape, spoken, L"TapeFind");
}

// Most screen readers say nothing of a new list item: a result is said in
// words as it is written, on the tape's behalf.
void MainWindow::TapeLineWritten(std::string_view line) {
  const std::string words = SpokenTapeLine(line);
  if (!words.empty()) ui::AnnounceText(Control(ids::kTapeList), Wide(words), L"TapeResult");
}

std::vector<std::string> MainWindow::TapeLinesFrom(std::size_t first) const {
  if (first >= tapeLines_.size()) return {};
  return {tapeLines_.begin() + static_cast<std::ptrdiff_t>(first), tapeLines_.end()};
}

bool MainWindow::SetClipboardText(std::string_view text) {
  if (ui::SetClipboardText(window, Wide(text))) return true;
  MessageBoxW(window, ui::ClipboardBusyMessage(L"display").c_str(), L"Tallix",
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  return false;
}
std::string MainWindow::GetClipboardText() { return Cp1252FromWide(ui::GetClipboardText(window)); }

void MainWindow::StartStopStopwatch() { StopwatchStartStop(*this); }
void MainWindow::OpenHelp() { FocusOrOpenHelp(*this); }

}  // namespace tallix
