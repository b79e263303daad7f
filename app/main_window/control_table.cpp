#include "app/main_window/control_table.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/main_window/accessible_names.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/key_sink.h"
#include "ui/control_presets.h"
#include "ui/exports.h"
#include "ui/fire_lines.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

namespace f = fonts;
using ui::ControlSpec;

constexpr int kCol[] = {12, 44, 76, 108, 140, 172, 204, 236};
constexpr int kRow[] = {104, 132, 160, 188, 216};

// The control value of a row that stands for a keypad key; 0 for the others.
LPARAM KeyValue(Key key) { return static_cast<LPARAM>(key) + 1; }

std::optional<Key> KeyOfRow(const ControlSpec& row) {
  if (row.properties.value <= 0 || row.properties.value > kKeyCount) return std::nullopt;
  return static_cast<Key>(row.properties.value - 1);
}

ControlSpec StandsFor(ControlSpec row, Key key) {
  row.properties.value = KeyValue(key);
  return row;
}

ControlSpec KeyAt(int id, const wchar_t* caption, int x, int y, const wchar_t* font, Key key, int w = 28, int h = 24) {
  return StandsFor(ui::KeyButton(id, caption, {x, y, w, h}, font), key);
}

ControlSpec Digit(int id, const wchar_t* caption, int column, int row, int value) {
  return KeyAt(id, caption, kCol[column], kRow[row], f::kF1, static_cast<Key>(value));
}

ControlSpec Option(int id, const wchar_t* caption, int x, Key key) {
  return StandsFor(ui::OptionButton(id, caption, {x, 36, 36, 12}, f::kTahoma11, key == Key::Dec), key);
}

ControlSpec KeySink() {
  // Never shown, unframed: it only holds the focus.
  return {.id = ids::kKeySink,
          .className = L"EDIT",
          .text = L"Text2",
          .x = 188,
          .width = 52,
          .height = 16,
          .style = ES_MULTILINE | ES_READONLY,
          .properties = {.fontSpec = f::kTahoma12, .subclassProc = KeySinkProcedure},
          .hidden = true,
          .finish = ui::RemoveEditMarginsAndLimit};
}

ControlSpec NumberDisplay() {
  ControlSpec row = ui::Display(ids::kDisplay, L"0", {4, 8, 252, 20}, f::kTahoma12);
  // Ends the option buttons' group just before it; without an end, checking
  // an option walks every key of the window looking for one.
  row.style |= WS_GROUP;
  row.properties.subclassProc = KeySinkProcedure;
  return row;
}

ControlSpec TapeList() {
  ControlSpec row = ui::ListBox(ids::kTapeList, {276, 8, 224, 254}, f::kTape);
  // Each line drawn in its own colour (tape_drawing.cpp); nothing to select
  // and no tab stop: the key sink keeps the focus.
  row.style = (row.style & ~WS_TABSTOP) | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL | LBS_DISABLENOSCROLL |
              LBS_NOTIFY;  // a double click corrects a typed number
  // Never focused, so nothing for the framework's subclass to do; and a
  // loaded tape sends it a message per line.
  row.properties.subclass = false;
  return row;
}

// A solid line one pixel wide along the top of a filled face, as the control
// draws by default, in colours of its own.
void PaintStatusLine(HWND line) {
  SendMessageW(line, ui::kFlSetBackColor, RGB(236, 233, 216), FALSE);
  SendMessageW(line, ui::kFlSetPenColor, RGB(128, 128, 128), TRUE);
}

ControlSpec StatusLine() {
  ControlSpec row = ui::Separator(ids::kSeparatorLine, {0, 269, 513, 8});
  row.finish = PaintStatusLine;
  return row;
}

void ShowTransferIcon(HWND key) {
  // Handed over with keep 0: the button deletes the icon with itself, or
  // when the next one replaces it after a change of DPI.
  // Drawn 16 design pixels wide: loaded at the size that makes at the key's DPI.
  HANDLE icon = ui::LoadIconOfSize(L"IMAGE_GENERAL", ui::Scaled(key, 16));
  if (icon) TB_XPBUTTON_SETIMAGE(key, icon, 1, 1, FALSE, FALSE);
  TB_XPBUTTON_SETIMAGEPOS(key, ui::kImageCenter | ui::kImageVCenter, FALSE);
  TB_XPBUTTON_SETIMAGEMARGIN(key, 4, FALSE);
  TB_XPBUTTON_SETTEXTMARGIN(key, 4, TRUE);
}

ControlSpec TransferKey() {
  ControlSpec row = KeyAt(ids::kKeyTransfer, L"XPButton", kCol[0], kRow[4], f::kF2, Key::Transfer);
  row.exStyle = 0;  // the one key drawn opaque
  row.finish = ShowTransferIcon;
  return row;
}

// Every row with what a screen reader calls it, and a key with its keystroke.
std::vector<ControlSpec> Named(std::vector<ControlSpec> rows) {
  for (ControlSpec& row : rows) {
    row.accessibleName = MainWindowAccessibleName(row.id);
    if (const std::optional<Key> key = KeyOfRow(row)) row.accessibleShortcut = KeyShortcutText(*key);
  }
  return rows;
}

const std::vector<ControlSpec>& Controls() {
  // clang-format off
  static const std::vector<ControlSpec> controls = Named({
      ui::Pane(1000, L"", {466, 270, 46, 22}, f::kPane, SS_CENTER),
      ui::Pane(1001, L"", {366, 270, 100, 22}, f::kPane),
      ui::Pane(1002, L" 0 Items", {266, 270, 100, 22}, f::kPane),
      ui::Pane(1003, L" Avg = 0.00", {133, 270, 133, 22}, f::kPane),
      ui::Pane(1004, L" M1", {0, 270, 133, 22}, f::kPane),
      KeySink(),
      Option(1006, L"Dec", 20, Key::Dec),
      Option(1007, L"Hex", 64, Key::Hex),
      Option(1008, L"Bin", 108, Key::Bin),
      Option(1009, L"Oct", 152, Key::Oct),
      NumberDisplay(),
      ui::GroupBox(1012, L"", {12, 25, 184, 28}, f::kTahoma12),
      ui::Hidden(ui::Static(1013, L"Mem2", {44, 88, 32, 12}, f::kTahoma11)),
      TapeList(),
      StatusLine(),
      ui::Hidden(ui::Static(1017, L"Laptop 10 Key", {78, 88, 89, 12}, f::kTahoma11)),

      StandsFor(ui::ToggleKey(1018, L"[O]", {240, 34, 22, 18}, f::kF4), Key::AlwaysOnTop),
      Digit(1019, L"1", 2, 2, 1),
      Digit(1020, L"2", 3, 2, 2),
      Digit(1021, L"3", 4, 2, 3),
      Digit(1022, L"4", 2, 1, 4),
      Digit(1023, L"5", 3, 1, 5),
      Digit(1024, L"6", 4, 1, 6),
      Digit(1025, L"7", 2, 0, 7),
      Digit(1026, L"8", 3, 0, 8),
      Digit(1027, L"9", 4, 0, 9),
      Digit(1028, L"A", 2, 4, 10),
      Digit(1029, L"B", 3, 4, 11),
      Digit(1030, L"C", 4, 4, 12),
      Digit(1031, L"D", 5, 4, 13),
      Digit(1032, L"E", 6, 4, 14),
      Digit(1033, L"F", 7, 4, 15),
      StandsFor(ui::ToggleKey(1034, L"2nd", {kCol[1], kRow[0], 28, 24}, f::kF3), Key::SecondBank),
      KeyAt(1035, L"Area", kCol[0], kRow[1], f::kF4, Key::Area),
      KeyAt(1036, L"Back", 12, 56, f::kF1, Key::Back, 60, 24),
      KeyAt(1037, L"CE", 76, 56, f::kF1, Key::ClearEntry, 60, 24),
      KeyAt(1038, L"Chg", kCol[7], kRow[2], f::kF4, Key::Change),
      KeyAt(1039, L"Clear", 140, 56, f::kF1, Key::Clear, 60, 24),
      KeyAt(1040, L"Cnv", kCol[0], kRow[0], f::kF4, Key::Convert),
      KeyAt(1041, L"CT", 204, 56, f::kF1, Key::ClearTape, 60, 24),
      KeyAt(1042, L"\u00F7", kCol[6], kRow[0], f::kF1, Key::Divide),
      KeyAt(1043, L".", kCol[4], kRow[3], f::kF1, Key::Point),
      KeyAt(1044, L"=", kCol[6], kRow[2], f::kF1, Key::Equals, 28, 52),
      KeyAt(1045, L"Feed", kCol[7], kRow[0], f::kF4, Key::Feed),
      KeyAt(1046, L"Help", 204, 34, f::kF4, Key::Help, 28, 18),
      KeyAt(1047, L"1/x", kCol[7], kRow[3], f::kF4, Key::Reciprocal),
      KeyAt(1048, L"Loan", kCol[0], kRow[3], f::kF4, Key::Loan),
      KeyAt(1049, L"M+", kCol[1], kRow[4], f::kF3, Key::MemoryAdd),
      KeyAt(1050, L"MC", kCol[1], kRow[1], f::kF3, Key::MemoryClear),
      KeyAt(1051, L"MR", kCol[1], kRow[2], f::kF3, Key::MemoryRecall),
      KeyAt(1052, L"MS", kCol[1], kRow[3], f::kF3, Key::MemorySet),
      KeyAt(1053, L"-", kCol[5], kRow[1], f::kF1, Key::Minus),
      KeyAt(1054, L"\u00D7", kCol[6], kRow[1], f::kF1, Key::Times),
      KeyAt(1055, L"%", kCol[5], kRow[0], f::kF2, Key::Percent),
      KeyAt(1056, L"+", kCol[5], kRow[2], f::kF1, Key::Plus, 28, 52),
      KeyAt(1057, L"+/-", kCol[2], kRow[3], f::kF2, Key::ChangeSign),
      KeyAt(1058, L"+Tax", kCol[7], kRow[1], f::kF4, Key::Tax),
      KeyAt(1059, L"Vol", kCol[0], kRow[2], f::kF4, Key::Volume),
      Digit(1060, L"0", 3, 3, 0),
      TransferKey(),
      KeyAt(1062, L"Start", 12, 245, f::kF2, Key::Start, 60, 18),
      ui::Disabled(KeyAt(1063, L"Lap", 76, 245, f::kF2, Key::Lap, 60, 18)),
      ui::Static(1064, L"00:00:00:00", {142, 245, 88, 18}, f::kTime, SS_CENTER | WS_BORDER),
      ui::Disabled(KeyAt(1065, L"Reset", 236, 245, f::kReset, Key::Reset, 28, 18)),
  });
  // clang-format on
  return controls;
}

constexpr std::array kTooltips = {
    TooltipSpec{ids::kKeyAlwaysOnTop, L"Always On Top"},
    TooltipSpec{ids::kKeyClear, L"Clear (ESC)"},
    TooltipSpec{ids::kKeyBack, L"Backspace (Backspace)"},
    TooltipSpec{ids::kKeyCE, L"Clear Error (Delete)"},
    TooltipSpec{ids::kKeyCT, L"Clear Tape (Shift + ESC)"},
    TooltipSpec{ids::kKeyFeed, L"Paper Feed (Up Arrow)"},
    TooltipSpec{ids::kKeyTax, L"Add Tax to Total (t)"},
    TooltipSpec{ids::kKeyChg, L"Calculate change to give back (g)"},
    TooltipSpec{ids::kKeyCnv, L"Conversion Calculator"},
    TooltipSpec{ids::kKeyArea, L"Area Calculator"},
    TooltipSpec{ids::kKeyVol, L"Volume Calculator"},
    TooltipSpec{ids::kKeyLoan, L"Loan Calculator / Amortization Schedule"},
    TooltipSpec{ids::kKey2nd, L"Memory Bank Select"},
    TooltipSpec{ids::kKeyMC, L"Memory Clear"},
    TooltipSpec{ids::kKeyMR, L"Memory Recall"},
    TooltipSpec{ids::kKeyMS, L"Memory Set"},
    TooltipSpec{ids::kKeyMPlus, L"Memory Add"},
    TooltipSpec{ids::kKeyTransfer, L"File Transfer / Network Performance Calculator"},
    TooltipSpec{ids::kKeyStart, L"Stopwatch Start/Stop (Space)"},
    TooltipSpec{ids::kKeyLap, L"Stopwatch Lap Time"},
    TooltipSpec{ids::kKeyReset, L"Stopwatch Reset"},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() { return Controls(); }

const ControlSpec* FindControl(int id) {
  const auto& controls = Controls();
  const auto it = std::ranges::find(controls, id, &ControlSpec::id);
  return it == controls.end() ? nullptr : &*it;
}

std::optional<Key> KeyOfControl(int id) {
  const ControlSpec* row = FindControl(id);
  return row ? KeyOfRow(*row) : std::nullopt;
}

std::span<const TooltipSpec> MainWindowTooltips() { return kTooltips; }

}  // namespace tallix
