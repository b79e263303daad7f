#pragma once
// The tape pane draws each line right-aligned, ending at the same place: a
// line wider than that loses its left end. The pointer resting on such a line
// shows it whole in a tooltip of its own.
#include <windows.h>

#include <string>
#include <string_view>

namespace tallix {

// A tape line (Windows-1252) as the pane shows it.
std::wstring ShownTapeLine(std::string_view cp1252);

// Where the pane draws the text of the line whose item is `item`.
RECT TapeTextArea(HWND list, const RECT& item);

class TapeLineTip {
 public:
  TapeLineTip() = default;
  TapeLineTip(const TapeLineTip&) = delete;
  TapeLineTip& operator=(const TapeLineTip&) = delete;

  // Made once the tape list exists; the tooltip goes with its owner.
  void Create(HWND owner, HWND list);
  // The pointer is over the list (the list's WM_SETCURSOR, which reaches its
  // parent), with `mouseMessage` on the way: the tip follows the line under
  // it. Seen from the parent, the list itself needs no subclass, which would
  // cost every one of a long load's lines a look-up.
  void Follow(UINT mouseMessage);

 private:
  HWND tooltip_ = nullptr;
  HWND list_ = nullptr;
  std::wstring text_;  // empty: the tip does not show
};

}  // namespace tallix
