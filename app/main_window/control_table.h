#pragma once
// Every control of the main window as data: what it is, where it sits, how it
// is labelled and which keypad key it stands for. The window creates its controls by
// walking this table, and the tests check the window against it.

#include <optional>
#include <span>

#include "engine/keypad.h"

namespace tallix {

enum class ControlKind {
  Pane,          // status-bar static with a thin edge
  Label,         // plain static ("Mem2", "Laptop 10 Key")
  KeySink,       // the never-visible edit field that holds the focus
  Display,       // the read-only, right-aligned number display
  OptionButton,  // "Dec", "Hex", "Bin", "Oct"
  GroupBox,
  TapeList,
  SeparatorLine,
  Key,          // themed push button
  TimeDisplay,  // the stopwatch's bordered static
};

enum ControlFlags : unsigned {
  kNoFlags = 0,
  kStartsDisabled = 1u << 0,
  kStartsHidden = 1u << 1,
  kToggleKey = 1u << 2,
  kNotTransparent = 1u << 3,  // the transfer key alone is drawn opaque
  kCentredText = 1u << 4,
};

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* caption;  // Windows-1252
  int x, y, width, height;
  const char* font;        // font spec string, or "" for none
  std::optional<Key> key;  // what a click runs; keys and option buttons only
  unsigned flags;
};

struct TooltipSpec {
  int id;
  const char* text;
};

namespace fonts {
inline constexpr const char* kPane = "Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const char* kTahoma12 = "Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const char* kTahoma11 = "Tahoma,-11,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const char* kF1 = "Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34";
inline constexpr const char* kF2 = "Tahoma,-13,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const char* kF3 = kTahoma12;
inline constexpr const char* kF4 = kTahoma11;
inline constexpr const char* kTape = "Courier New,-12,0,0,0,400,0,0,0,0,3,2,1,49";
inline constexpr const char* kTime = "Tahoma,-15,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const char* kReset = "Tahoma,-9,0,0,0,400,0,0,0,0,3,2,1,34";
}  // namespace fonts

// In creation order.
std::span<const ControlSpec> MainWindowControls();
const ControlSpec* FindControl(int id);
// In the order the tools are added.
std::span<const TooltipSpec> MainWindowTooltips();

}  // namespace tallix
