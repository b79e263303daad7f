#pragma once
// Everything the engine needs from its window. The main window implements it on
// Win32 controls; tallix-cli and the tests implement it in memory. The engine
// hands over finished texts only: it never formats on the host's behalf.

#include <string>
#include <string_view>

#include "engine/keyboard_shortcut.h"
#include "engine/keypad.h"

namespace tallix {

// The display and the status panes as the host showed them.
struct ShownTexts {
  std::string display, items, average, memory, numLock;
  bool bank2Shown = false;
  bool operator==(const ShownTexts&) const = default;
};

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // The display, the panes and the "Mem2" label, all at once.
  ShownTexts Shown() {
    return {GetDisplayText(), GetItemsText(),   GetAverageText(),
            GetMemoryText(),  GetNumLockText(), IsBank2IndicatorShown()};
  }
  void Show(const ShownTexts& shown) {
    SetDisplayText(shown.display);
    SetItemsText(shown.items);
    SetAverageText(shown.average);
    SetMemoryText(shown.memory);
    SetNumLockText(shown.numLock);
    ShowBank2Indicator(shown.bank2Shown);
  }

  // The display field: its text is the calculator's working value.
  virtual std::string GetDisplayText() = 0;
  virtual void SetDisplayText(std::string_view text) = 0;

  // Status panes.
  virtual void SetItemsText(std::string_view text) = 0;
  virtual void SetAverageText(std::string_view text) = 0;
  virtual std::string GetAverageText() = 0;
  virtual void SetMemoryText(std::string_view text) = 0;
  virtual void SetNumLockText(std::string_view text) = 0;
  // What the panes show now (the record of the tape keeps them).
  virtual std::string GetItemsText() = 0;
  virtual std::string GetMemoryText() = 0;
  virtual std::string GetNumLockText() = 0;
  // The toggle state of the keyboard's NumLock key.
  virtual bool IsNumLockOn() = 0;

  // The small "Mem2" label beside the display.
  virtual void ShowBank2Indicator(bool shown) = 0;
  virtual bool IsBank2IndicatorShown() = 0;

  // Keypad buttons.
  virtual void EnableKey(Key key, bool enabled) = 0;
  virtual void ShowKeyPressed(Key key, bool pressed) = 0;
  // Checks option button `index` (0 "Dec", 1 "Hex", 2 "Bin", 3 "Oct") and
  // unchecks the other three.
  virtual void CheckNumberSystemButton(int index) = 0;

  // Check marks of the View menu: the "Decimals" item of `decimalSetting`
  // (0..4, or 10 for "Floating"; every other item unchecked), "Digit grouping"
  // and "Auto Decimal".
  virtual void CheckDecimalsMenuItem(int decimalSetting) = 0;
  virtual void CheckDigitGroupingMenuItem(bool checked) = 0;
  virtual void CheckAutoDecimalMenuItem(bool checked) = 0;

  // Keyboard focus back to the hidden key sink.
  virtual void FocusKeySink() = 0;

  // Modal question with Yes and No (question icon); true for Yes.
  virtual bool AskYesNo(std::string_view caption, std::string_view text) = 0;

  // The tape list. Lines are Windows-1252 text. AddTapeLine appends and returns
  // the index of the new line.
  virtual int AddTapeLine(std::string_view line) = 0;
  virtual void SelectTapeLine(int index) = 0;
  virtual void ClearTapeLines() = 0;
  // A line the calculator has just written and brought into view, after
  // AddTapeLine; never a line of a loaded tape or of a replay. A window tells
  // a screen reader of a result here; a host without one has nothing to do.
  virtual void TapeLineWritten(std::string_view /*line*/) {}

  // Plain-text clipboard (empty text when it holds none). SetClipboardText is
  // false when the text could not be placed (another program holds the
  // clipboard); the host has told the user so.
  virtual bool SetClipboardText(std::string_view text) = 0;
  virtual std::string GetClipboardText() = 0;

  // Commands of other parts of the main window reached from the keyboard:
  // the stopwatch's start/stop (Space released) and the help window (F1).
  virtual void StartStopStopwatch() = 0;
  virtual void OpenHelp() = 0;
  // A keystroke stands for one of the main window's own keys (a side tool,
  // the stopwatch's Lap and Reset, Always On Top): the window presses it once
  // the keystroke is handled, as a click would.
  virtual void PressWindowKey(Key key) = 0;
  // The note key (Ctrl+N) asks for a note; the window puts it on the tape
  // with AddNote once the key is handled.
  virtual void AskForNote() = 0;
  // A keystroke stands for a command of the main window's own that writes
  // nothing on the tape (Copy Tape, Find, Find Next, Find Previous): the
  // window runs it once the keystroke is handled, as its menu item would. A
  // host without those commands does nothing.
  virtual void RunWindowCommand(MenuCommand /*command*/) {}
  // Whether the find box is open: F3 and Shift+F3 find then, and F3 presses
  // the area calculator's key otherwise.
  virtual bool IsFindOpen() { return false; }
};

}  // namespace tallix
