// The keyboard mapping of the key sink: which key runs which operation under
// which condition, and which keypad button is drawn pressed meanwhile.
#include <array>
#include <optional>

#include "engine/engine.h"
#include "engine/keyboard_shortcut.h"
#include "engine/virtual_keys.h"

namespace tallix {

namespace {

struct KeyContext {
  int vk;
  bool laptop;
  bool shift;
  bool ctrl;
  std::uint8_t mode;
  bool grandTotal = true;  // the grand total is on
  bool finding = true;     // the find box is open

  bool decimal() const { return mode < display_mode::kHex; }
  bool hex() const { return mode == display_mode::kHex; }
  bool binary() const { return mode == display_mode::kBinary; }
  // A letter of the laptop keypad counts only with the laptop mapping on;
  // the top-row digit and the numeric keypad always count.
  bool digitKey(int n) const { return laptop || vk == vk::Digit(n) || vk == vk::Numpad(n); }
};

using Condition = bool (*)(const KeyContext&);

}  // namespace

// One row of the mapping; the first row that lists the key and whose
// condition holds applies.
struct KeyboardRows {
  using Action = void (*)(Engine&);
  struct Row {
    std::array<int, 3> keys;
    Condition when;
    std::optional<Key> pressed;
    Action run = nullptr;                  // nullptr: the operation of the key drawn pressed
    std::optional<MenuCommand> command{};  // the menu command it runs too
  };

  static const Row* Find(const KeyContext& context);
  static const std::array<Row, 66> kRows;

  // One of the main window's own keys or commands; a replay leaves the window alone.
  template <Key key>
  static void WindowKey(Engine& e) {
    if (!e.recorder_.replaying()) e.host_->PressWindowKey(key);
  }
  template <MenuCommand command>
  static void WindowCommand(Engine& e) {
    if (!e.recorder_.replaying()) e.host_->RunWindowCommand(command);
  }
};

namespace {

constexpr bool Always(const KeyContext&) { return true; }
constexpr bool Ctrl(const KeyContext& c) { return c.ctrl; }
constexpr bool CtrlShift(const KeyContext& c) { return c.ctrl && c.shift; }
bool Decimal(const KeyContext& c) { return c.decimal(); }
bool Hex(const KeyContext& c) { return c.hex(); }
constexpr int kNone = -1;

}  // namespace

// clang-format off
const std::array<KeyboardRows::Row, 66> KeyboardRows::kRows = {{
    // The keys no typing key stands for: first, as the laptop keys and the
    // hexadecimal letters would otherwise take the letters. The number
    // systems by their initials with Ctrl and Shift, before Ctrl alone takes
    // B; the memory keys as other Windows calculators have them; the window's
    // keys on F2 to F8.
    {{vk::Letter('D'), kNone, kNone}, CtrlShift, Key::Dec},
    {{vk::Letter('H'), kNone, kNone}, CtrlShift, Key::Hex},
    {{vk::Letter('B'), kNone, kNone}, CtrlShift, Key::Bin},
    {{vk::Letter('O'), kNone, kNone}, CtrlShift, Key::Oct},
    {{vk::Letter('L'), kNone, kNone}, Ctrl, Key::MemoryClear},
    {{vk::Letter('R'), kNone, kNone}, Ctrl, Key::MemoryRecall},
    {{vk::Letter('M'), kNone, kNone}, Ctrl, Key::MemorySet},
    {{vk::Letter('P'), kNone, kNone}, Ctrl, Key::MemoryAdd},
    {{vk::Letter('B'), kNone, kNone}, Ctrl, Key::SecondBank},
    {{vk::Letter('T'), kNone, kNone}, Ctrl, Key::AlwaysOnTop, WindowKey<Key::AlwaysOnTop>},
    {{vk::Function(2), kNone, kNone}, Always, Key::Convert, WindowKey<Key::Convert>},
    // F3 finds while the find box is open, and is the area calculator's key otherwise.
    {{vk::Function(3), kNone, kNone}, [](const KeyContext& c) { return c.finding && c.shift; }, std::nullopt,
     WindowCommand<MenuCommand::FindPrevious>, MenuCommand::FindPrevious},
    {{vk::Function(3), kNone, kNone}, [](const KeyContext& c) { return c.finding; }, std::nullopt,
     WindowCommand<MenuCommand::FindNext>, MenuCommand::FindNext},
    {{vk::Function(3), kNone, kNone}, Always, Key::Area, WindowKey<Key::Area>},
    {{vk::Function(4), kNone, kNone}, Always, Key::Volume, WindowKey<Key::Volume>},
    {{vk::Function(5), kNone, kNone}, Always, Key::Loan, WindowKey<Key::Loan>},
    {{vk::Function(6), kNone, kNone}, Always, Key::Transfer, WindowKey<Key::Transfer>},
    {{vk::Function(7), kNone, kNone}, Always, Key::Lap, WindowKey<Key::Lap>},
    {{vk::Function(8), kNone, kNone}, Always, Key::Reset, WindowKey<Key::Reset>},
    {{vk::kBackspace, kNone, kNone}, Always, Key::Back},
    {{vk::kShift, kNone, kNone}, Always, std::nullopt, [](Engine& e) { e.state_.shiftDown = true; }},
    {{vk::kControl, kNone, kNone}, Always, std::nullopt, [](Engine& e) { e.state_.ctrlDown = true; }},
    {{vk::kDelete, kNone, kNone}, Always, Key::ClearEntry},
    {{vk::kEscape, kNone, kNone}, [](const KeyContext& c) { return !c.shift; }, Key::Clear},
    {{vk::kEscape, kNone, kNone}, Always, Key::ClearTape,
     [](Engine& e) {
       e.ClearTape();
       e.state_.shiftDown = false;
     }},
    {{vk::kSpace, kNone, kNone}, Always, Key::Start, [](Engine&) {}},
    {{vk::kUp, kNone, kNone}, Always, Key::Feed},
    {{vk::Digit(0), vk::Numpad(0), vk::Letter('M')},
     [](const KeyContext& c) { return c.laptop && c.vk == vk::Digit(0); }, Key::Divide},
    {{vk::Digit(0), vk::Numpad(0), vk::Letter('M')},
     [](const KeyContext& c) { return c.laptop ? c.vk != vk::Digit(0) : c.vk != vk::Letter('M'); }, Key::D0},
    {{vk::Digit(1), vk::Numpad(1), vk::Letter('J')}, [](const KeyContext& c) { return c.digitKey(1); }, Key::D1},
    {{vk::Digit(2), vk::Numpad(2), vk::Letter('K')},
     [](const KeyContext& c) { return c.digitKey(2) && !c.binary(); }, Key::D2},
    {{vk::Digit(3), vk::Numpad(3), vk::Letter('L')},
     [](const KeyContext& c) { return c.digitKey(3) && !c.binary(); }, Key::D3},
    {{vk::Digit(4), vk::Numpad(4), vk::Letter('U')},
     [](const KeyContext& c) { return c.digitKey(4) && !c.binary(); }, Key::D4},
    {{vk::Digit(5), vk::Numpad(5), vk::Letter('I')}, [](const KeyContext& c) { return c.shift && c.decimal(); },
     Key::Percent},
    {{vk::Digit(5), vk::Numpad(5), vk::Letter('I')},
     [](const KeyContext& c) { return !c.shift && c.digitKey(5) && !c.binary(); }, Key::D5},
    {{vk::Digit(6), vk::Numpad(6), vk::Letter('O')},
     [](const KeyContext& c) { return c.digitKey(6) && !c.binary(); }, Key::D6},
    {{vk::Digit(7), vk::Numpad(7), kNone}, [](const KeyContext& c) { return !c.binary(); }, Key::D7},
    {{vk::Digit(8), vk::Numpad(8), kNone}, [](const KeyContext& c) { return c.shift; }, Key::Times},
    {{vk::Digit(8), vk::Numpad(8), kNone}, [](const KeyContext& c) { return c.decimal() || c.hex(); }, Key::D8},
    {{vk::Digit(9), vk::Numpad(9), kNone}, [](const KeyContext& c) { return c.decimal() || c.hex(); }, Key::D9},
    {{vk::kPeriod, vk::kDecimal, kNone}, Decimal, Key::Point},
    {{vk::kEquals, kNone, kNone}, [](const KeyContext& c) { return !c.shift; }, Key::Equals},
    {{vk::kEquals, vk::kAdd, kNone}, Always, Key::Plus},
    {{vk::kEnter, kNone, kNone}, Always, Key::Equals},
    {{vk::kMultiply, vk::Letter('P'), kNone}, [](const KeyContext& c) { return c.laptop || c.vk == vk::kMultiply; },
     Key::Times},
    {{vk::kSubtract, vk::kMinus, vk::kSemicolon},
     [](const KeyContext& c) { return c.laptop || c.vk != vk::kSemicolon; }, Key::Minus},
    {{vk::kSlash, vk::kDivide, kNone}, [](const KeyContext& c) { return c.laptop && c.vk == vk::kSlash; }, Key::Plus},
    {{vk::kSlash, vk::kDivide, kNone}, Always, Key::Divide},
    {{vk::Letter('A'), kNone, kNone}, Hex, Key::A},
    {{vk::Letter('B'), kNone, kNone}, Hex, Key::B},
    {{vk::Letter('C'), kNone, kNone}, CtrlShift, std::nullopt, WindowCommand<MenuCommand::CopyTape>,
     MenuCommand::CopyTape},
    {{vk::Letter('C'), kNone, kNone}, Ctrl, std::nullopt, [](Engine& e) { e.Copy(); }, MenuCommand::Copy},
    {{vk::Letter('C'), kNone, kNone}, Hex, Key::C},
    {{vk::Letter('D'), kNone, kNone}, Hex, Key::D},
    {{vk::Letter('E'), kNone, kNone}, Hex, Key::E},
    {{vk::Letter('F'), kNone, kNone}, Ctrl, std::nullopt, WindowCommand<MenuCommand::Find>, MenuCommand::Find},
    {{vk::Letter('F'), kNone, kNone}, Hex, Key::F},
    // Only while the grand total is on: before it, Ctrl+G gave change as G does.
    {{vk::Letter('G'), kNone, kNone}, [](const KeyContext& c) { return c.ctrl && c.grandTotal; }, std::nullopt,
     [](Engine& e) { e.PressGrandTotal(); }, MenuCommand::GrandTotal},
    {{vk::Letter('G'), kNone, kNone}, Decimal, Key::Change},
    {{vk::Letter('N'), kNone, kNone}, Ctrl, std::nullopt, [](Engine& e) {
       if (!e.recorder_.replaying()) e.host_->AskForNote();
     }, MenuCommand::AddNote},
    {{vk::Letter('R'), kNone, kNone}, Decimal, Key::Reciprocal},
    {{vk::Letter('T'), kNone, kNone}, Decimal, Key::Tax},
    {{vk::Letter('V'), kNone, kNone}, Ctrl, std::nullopt, [](Engine& e) { e.Paste(); }, MenuCommand::Paste},
    {{vk::kF9, kNone, kNone}, Decimal, Key::ChangeSign},
    {{vk::kF1, kNone, kNone}, Always, Key::Help, [](Engine& e) {
       if (!e.recorder_.replaying()) e.host_->OpenHelp();
     }, MenuCommand::Help},
    {{vk::kNumLock, kNone, kNone}, Always, std::nullopt, [](Engine& e) { e.ReadNumLock(); }},
}};
// clang-format on

const KeyboardRows::Row* KeyboardRows::Find(const KeyContext& context) {
  for (const Row& row : kRows) {
    const bool listed = row.keys[0] == context.vk || row.keys[1] == context.vk || row.keys[2] == context.vk;
    if (listed && row.when(context)) return &row;
  }
  return nullptr;
}

std::optional<Key> KeyPressedBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl, bool laptop) {
  const KeyContext context{virtualKey, laptop, shift, ctrl, displayMode, true, false};
  const auto* row = KeyboardRows::Find(context);
  return row ? row->pressed : std::nullopt;
}

std::optional<MenuCommand> CommandRunBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl) {
  const KeyContext context{virtualKey, false, shift, ctrl, displayMode};
  const auto* row = KeyboardRows::Find(context);
  return row ? row->command : std::nullopt;
}

int Engine::KeyDown(int virtualKey) {
  const KeyContext context{virtualKey,         state_.laptopKeys,   state_.shiftDown,   state_.ctrlDown,
                           state_.displayMode, state_.grandTotalOn, host_->IsFindOpen()};
  const auto* row = KeyboardRows::Find(context);
  // A key that presses nothing and runs no command (Shift, Ctrl, NumLock, an
  // unmapped one) comes between two presses of Grand Total as no key does.
  if (!row || (!row->pressed && !row->command)) state_.grandTotalPressed = grandTotalBefore_;
  if (row) {
    if (row->pressed) host_->ShowKeyPressed(*row->pressed, true);
    if (row->run) {
      row->run(*this);
    } else {
      RunKey(*row->pressed);
    }
  }
  // The edit field must not act on Esc itself.
  return virtualKey == vk::kEscape ? 0 : virtualKey;
}

void Engine::KeyUp(int virtualKey) {
  if (virtualKey == vk::kShift) state_.shiftDown = false;
  if (virtualKey == vk::kControl) state_.ctrlDown = false;
  // Every button the key can stand for: Shift, the number system or the
  // laptop mapping may have changed since the key went down.
  std::array<bool, kKeyCount> released{};
  for (const auto& row : KeyboardRows::kRows) {
    const bool listed = row.keys[0] == virtualKey || row.keys[1] == virtualKey || row.keys[2] == virtualKey;
    if (!listed || !row.pressed || released[static_cast<int>(*row.pressed)]) continue;
    released[static_cast<int>(*row.pressed)] = true;
    host_->ShowKeyPressed(*row.pressed, false);
  }
  if (virtualKey == vk::kSpace && !recorder_.replaying()) host_->StartStopStopwatch();
  Focus();
}

void Engine::ReadNumLock() {
  host_->SetNumLockText(recorder_.Outside(&InputRecord::answers, [this] { return host_->IsNumLockOn(); }) ? "NUM" : "");
}

}  // namespace tallix
