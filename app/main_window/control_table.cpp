#include "app/main_window/control_table.h"

#include <algorithm>
#include <array>

#include "app/main_window/control_ids.h"

namespace tallix {
namespace {

using enum ControlKind;
namespace f = fonts;

constexpr int kCol[] = {12, 44, 76, 108, 140, 172, 204, 236};
constexpr int kRow[] = {104, 132, 160, 188, 216};

constexpr ControlSpec KeypadKey(int id, const char* caption, int x, int y, const char* font, tallix::Key key,
                                unsigned flags = kNoFlags, int w = 28, int h = 24) {
  return {id, ControlKind::Key, caption, x, y, w, h, font, key, flags};
}

constexpr ControlSpec Digit(int id, const char* caption, int column, int row, int value) {
  return KeypadKey(id, caption, kCol[column], kRow[row], f::kF1, static_cast<tallix::Key>(value));
}

constexpr std::array kControls = {
    ControlSpec{1000, Pane, "", 466, 270, 46, 22, f::kPane, std::nullopt, kCentredText},
    ControlSpec{1001, Pane, "", 366, 270, 100, 22, f::kPane, std::nullopt, kNoFlags},
    ControlSpec{1002, Pane, " 0 Items", 266, 270, 100, 22, f::kPane, std::nullopt, kNoFlags},
    ControlSpec{1003, Pane, " Avg = 0.00", 133, 270, 133, 22, f::kPane, std::nullopt, kNoFlags},
    ControlSpec{1004, Pane, " M1", 0, 270, 133, 22, f::kPane, std::nullopt, kNoFlags},
    ControlSpec{1005, KeySink, "Text2", 188, 0, 52, 16, f::kTahoma12, std::nullopt, kNoFlags},
    ControlSpec{1006, OptionButton, "Dec", 20, 36, 36, 12, f::kTahoma11, tallix::Key::Dec, kNoFlags},
    ControlSpec{1007, OptionButton, "Hex", 64, 36, 36, 12, f::kTahoma11, tallix::Key::Hex, kNoFlags},
    ControlSpec{1008, OptionButton, "Bin", 108, 36, 36, 12, f::kTahoma11, tallix::Key::Bin, kNoFlags},
    ControlSpec{1009, OptionButton, "Oct", 152, 36, 36, 12, f::kTahoma11, tallix::Key::Oct, kNoFlags},
    ControlSpec{1011, Display, "0", 4, 8, 252, 20, f::kTahoma12, std::nullopt, kNoFlags},
    ControlSpec{1012, GroupBox, "", 12, 25, 184, 28, f::kTahoma12, std::nullopt, kNoFlags},
    ControlSpec{1013, Label, "Mem2", 44, 88, 32, 12, f::kTahoma11, std::nullopt, kStartsHidden},
    ControlSpec{1014, TapeList, "", 276, 8, 224, 254, f::kTape, std::nullopt, kNoFlags},
    ControlSpec{1015, SeparatorLine, "", 0, 269, 513, 8, "", std::nullopt, kNoFlags},
    ControlSpec{1017, Label, "Laptop 10 Key", 78, 88, 89, 12, f::kTahoma11, std::nullopt, kStartsHidden},

    KeypadKey(1018, "[O]", 240, 34, f::kF4, tallix::Key::AlwaysOnTop, kToggleKey, 22, 18),
    Digit(1019, "1", 2, 2, 1),
    Digit(1020, "2", 3, 2, 2),
    Digit(1021, "3", 4, 2, 3),
    Digit(1022, "4", 2, 1, 4),
    Digit(1023, "5", 3, 1, 5),
    Digit(1024, "6", 4, 1, 6),
    Digit(1025, "7", 2, 0, 7),
    Digit(1026, "8", 3, 0, 8),
    Digit(1027, "9", 4, 0, 9),
    Digit(1028, "A", 2, 4, 10),
    Digit(1029, "B", 3, 4, 11),
    Digit(1030, "C", 4, 4, 12),
    Digit(1031, "D", 5, 4, 13),
    Digit(1032, "E", 6, 4, 14),
    Digit(1033, "F", 7, 4, 15),
    KeypadKey(1034, "2nd", kCol[1], kRow[0], f::kF3, tallix::Key::SecondBank, kToggleKey),
    KeypadKey(1035, "Area", kCol[0], kRow[1], f::kF4, tallix::Key::Area),
    KeypadKey(1036, "Back", 12, 56, f::kF1, tallix::Key::Back, kNoFlags, 60, 24),
    KeypadKey(1037, "CE", 76, 56, f::kF1, tallix::Key::ClearEntry, kNoFlags, 60, 24),
    KeypadKey(1038, "Chg", kCol[7], kRow[2], f::kF4, tallix::Key::Change),
    KeypadKey(1039, "Clear", 140, 56, f::kF1, tallix::Key::Clear, kNoFlags, 60, 24),
    KeypadKey(1040, "Cnv", kCol[0], kRow[0], f::kF4, tallix::Key::Convert),
    KeypadKey(1041, "CT", 204, 56, f::kF1, tallix::Key::ClearTape, kNoFlags, 60, 24),
    KeypadKey(1042, "\xF7", kCol[6], kRow[0], f::kF1, tallix::Key::Divide),
    KeypadKey(1043, ".", kCol[4], kRow[3], f::kF1, tallix::Key::Point),
    KeypadKey(1044, "=", kCol[6], kRow[2], f::kF1, tallix::Key::Equals, kNoFlags, 28, 52),
    KeypadKey(1045, "Feed", kCol[7], kRow[0], f::kF4, tallix::Key::Feed),
    KeypadKey(1046, "Help", 204, 34, f::kF4, tallix::Key::Help, kNoFlags, 28, 18),
    KeypadKey(1047, "1/x", kCol[7], kRow[3], f::kF4, tallix::Key::Reciprocal),
    KeypadKey(1048, "Loan", kCol[0], kRow[3], f::kF4, tallix::Key::Loan),
    KeypadKey(1049, "M+", kCol[1], kRow[4], f::kF3, tallix::Key::MemoryAdd),
    KeypadKey(1050, "MC", kCol[1], kRow[1], f::kF3, tallix::Key::MemoryClear),
    KeypadKey(1051, "MR", kCol[1], kRow[2], f::kF3, tallix::Key::MemoryRecall),
    KeypadKey(1052, "MS", kCol[1], kRow[3], f::kF3, tallix::Key::MemorySet),
    KeypadKey(1053, "-", kCol[5], kRow[1], f::kF1, tallix::Key::Minus),
    KeypadKey(1054, "\xD7", kCol[6], kRow[1], f::kF1, tallix::Key::Times),
    KeypadKey(1055, "%", kCol[5], kRow[0], f::kF2, tallix::Key::Percent),
    KeypadKey(1056, "+", kCol[5], kRow[2], f::kF1, tallix::Key::Plus, kNoFlags, 28, 52),
    KeypadKey(1057, "+/-", kCol[2], kRow[3], f::kF2, tallix::Key::ChangeSign),
    KeypadKey(1058, "+Tax", kCol[7], kRow[1], f::kF4, tallix::Key::Tax),
    KeypadKey(1059, "Vol", kCol[0], kRow[2], f::kF4, tallix::Key::Volume),
    Digit(1060, "0", 3, 3, 0),
    KeypadKey(1061, "XPButton", kCol[0], kRow[4], f::kF2, tallix::Key::Transfer, kNotTransparent),
    KeypadKey(1062, "Start", 12, 245, f::kF2, tallix::Key::Start, kNoFlags, 60, 18),
    KeypadKey(1063, "Lap", 76, 245, f::kF2, tallix::Key::Lap, kStartsDisabled, 60, 18),
    ControlSpec{1064, TimeDisplay, "00:00:00:00", 142, 245, 88, 18, f::kTime, std::nullopt, kCentredText},
    KeypadKey(1065, "Reset", 236, 245, f::kReset, tallix::Key::Reset, kStartsDisabled, 28, 18),
};

constexpr std::array kTooltips = {
    TooltipSpec{ids::kKeyAlwaysOnTop, "Always On Top"},
    TooltipSpec{ids::kKeyClear, "Clear (ESC)"},
    TooltipSpec{ids::kKeyBack, "Backspace (Backspace)"},
    TooltipSpec{ids::kKeyCE, "Clear Error (Delete)"},
    TooltipSpec{ids::kKeyCT, "Clear Tape (Shift + ESC)"},
    TooltipSpec{ids::kKeyFeed, "Paper Feed (Up Arrow)"},
    TooltipSpec{ids::kKeyTax, "Add Tax to Total (t)"},
    TooltipSpec{ids::kKeyChg, "Calculate change to give back (g)"},
    TooltipSpec{ids::kKeyCnv, "Conversion Calculator"},
    TooltipSpec{ids::kKeyArea, "Area Calculator"},
    TooltipSpec{ids::kKeyVol, "Volume Calculator"},
    TooltipSpec{ids::kKeyLoan, "Loan Calculator / Amortization Schedule"},
    TooltipSpec{ids::kKey2nd, "Memory Bank Select"},
    TooltipSpec{ids::kKeyMC, "Memory Clear"},
    TooltipSpec{ids::kKeyMR, "Memory Recall"},
    TooltipSpec{ids::kKeyMS, "Memory Set"},
    TooltipSpec{ids::kKeyMPlus, "Memory Add"},
    TooltipSpec{ids::kKeyTransfer, "File Transfer / Network Performance Calculator"},
    TooltipSpec{ids::kKeyStart, "Stopwatch Start/Stop (Space)"},
    TooltipSpec{ids::kKeyLap, "Stopwatch Lap Time"},
    TooltipSpec{ids::kKeyReset, "Stopwatch Reset"},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() { return kControls; }

const ControlSpec* FindControl(int id) {
  const auto it = std::ranges::find(kControls, id, &ControlSpec::id);
  return it == kControls.end() ? nullptr : &*it;
}

std::span<const TooltipSpec> MainWindowTooltips() { return kTooltips; }

}  // namespace tallix
