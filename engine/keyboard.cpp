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
    Action run;
    std::optional<Key> pressed;
    std::optional<MenuCommand> command{};  // the menu command it runs too
  };

  static const Row* Find(const KeyContext& context);
  static const std::array<Row, 61> kRows;

  // One of the main window's own keys; a replay leaves the window alone.
  template <Key key>
  static void WindowKey(Engine& e) {
    if (!e.recorder_.replaying()) e.host_->PressWindowKey(key);
  }
};

namespace {

constexpr bool Always(const KeyContext&) { return true; }
constexpr bool Ctrl(const KeyContext& c) { return c.ctrl; }
constexpr bool CtrlShift(const KeyContext& c) { return c.ctrl && c.shift; }
constexpr int kNone = -1;

}  // namespace

// clang-format off
const std::array<KeyboardRows::Row, 61> KeyboardRows::kRows = {{
    // The keys no typing key stands for: first, as the laptop keys and the
    // hexadecimal letters would otherwise take the letters. The number
    // systems by their initials with Ctrl and Shift, before Ctrl alone takes
    // B; the memory keys as other Windows calculators have them; the window's
    // keys on F2 to F8.
    {{vk::Letter('D'), kNone, kNone}, CtrlShift, [](Engine& e) { e.RunKey(Key::Dec); }, Key::Dec},
    {{vk::Letter('H'), kNone, kNone}, CtrlShift, [](Engine& e) { e.RunKey(Key::Hex); }, Key::Hex},
    {{vk::Letter('B'), kNone, kNone}, CtrlShift, [](Engine& e) { e.RunKey(Key::Bin); }, Key::Bin},
    {{vk::Letter('O'), kNone, kNone}, CtrlShift, [](Engine& e) { e.RunKey(Key::Oct); }, Key::Oct},
    {{vk::Letter('L'), kNone, kNone}, Ctrl, [](Engine& e) { e.RunKey(Key::MemoryClear); }, Key::MemoryClear},
    {{vk::Letter('R'), kNone, kNone}, Ctrl, [](Engine& e) { e.RunKey(Key::MemoryRecall); }, Key::MemoryRecall},
    {{vk::Letter('M'), kNone, kNone}, Ctrl, [](Engine& e) { e.RunKey(Key::MemorySet); }, Key::MemorySet},
    {{vk::Letter('P'), kNone, kNone}, Ctrl, [](Engine& e) { e.RunKey(Key::MemoryAdd); }, Key::MemoryAdd},
    {{vk::Letter('B'), kNone, kNone}, Ctrl, [](Engine& e) { e.RunKey(Key::SecondBank); }, Key::SecondBank},
    {{vk::Letter('T'), kNone, kNone}, Ctrl, WindowKey<Key::AlwaysOnTop>, Key::AlwaysOnTop},
    {{vk::Function(2), kNone, kNone}, Always, WindowKey<Key::Convert>, Key::Convert},
    {{vk::Function(3), kNone, kNone}, Always, WindowKey<Key::Area>, Key::Area},
    {{vk::Function(4), kNone, kNone}, Always, WindowKey<Key::Volume>, Key::Volume},
    {{vk::Function(5), kNone, kNone}, Always, WindowKey<Key::Loan>, Key::Loan},
    {{vk::Function(6), kNone, kNone}, Always, WindowKey<Key::Transfer>, Key::Transfer},
    {{vk::Function(7), kNone, kNone}, Always, WindowKey<Key::Lap>, Key::Lap},
    {{vk::Function(8), kNone, kNone}, Always, WindowKey<Key::Reset>, Key::Reset},
    {{vk::kBackspace, kNone, kNone}, Always, [](Engine& e) { e.Backspace(); }, Key::Back},
    {{vk::kShift, kNone, kNone}, Always, [](Engine& e) { e.state_.shiftDown = true; }, std::nullopt},
    {{vk::kControl, kNone, kNone}, Always, [](Engine& e) { e.state_.ctrlDown = true; }, std::nullopt},
    {{vk::kDelete, kNone, kNone}, Always, [](Engine& e) { e.ClearEntry(); }, Key::ClearEntry},
    {{vk::kEscape, kNone, kNone}, [](const KeyContext& c) { return !c.shift; },
     [](Engine& e) { e.ClearAll(); }, Key::Clear},
    {{vk::kEscape, kNone, kNone}, Always,
     [](Engine& e) {
       e.ClearTape();
       e.state_.shiftDown = false;
     },
     Key::ClearTape},
    {{vk::kSpace, kNone, kNone}, Always, [](Engine&) {}, Key::Start},
    {{vk::kUp, kNone, kNone}, Always, [](Engine& e) { e.FeedTape(); }, Key::Feed},
    {{vk::Digit(0), vk::Numpad(0), vk::Letter('M')},
     [](const KeyContext& c) { return c.laptop && c.vk == vk::Digit(0); },
     [](Engine& e) { e.PressOperator(Operator::Divide); }, Key::Divide},
    {{vk::Digit(0), vk::Numpad(0), vk::Letter('M')},
     [](const KeyContext& c) { return c.laptop ? c.vk != vk::Digit(0) : c.vk != vk::Letter('M'); },
     [](Engine& e) { e.EnterDigit(0); }, Key::D0},
    {{vk::Digit(1), vk::Numpad(1), vk::Letter('J')}, [](const KeyContext& c) { return c.digitKey(1); },
     [](Engine& e) { e.EnterDigit(1); }, Key::D1},
    {{vk::Digit(2), vk::Numpad(2), vk::Letter('K')},
     [](const KeyContext& c) { return c.digitKey(2) && !c.binary(); }, [](Engine& e) { e.EnterDigit(2); },
     Key::D2},
    {{vk::Digit(3), vk::Numpad(3), vk::Letter('L')},
     [](const KeyContext& c) { return c.digitKey(3) && !c.binary(); }, [](Engine& e) { e.EnterDigit(3); },
     Key::D3},
    {{vk::Digit(4), vk::Numpad(4), vk::Letter('U')},
     [](const KeyContext& c) { return c.digitKey(4) && !c.binary(); }, [](Engine& e) { e.EnterDigit(4); },
     Key::D4},
    {{vk::Digit(5), vk::Numpad(5), vk::Letter('I')}, [](const KeyContext& c) { return c.shift && c.decimal(); },
     [](Engine& e) { e.PressPercent(); }, Key::Percent},
    {{vk::Digit(5), vk::Numpad(5), vk::Letter('I')},
     [](const KeyContext& c) { return !c.shift && c.digitKey(5) && !c.binary(); },
     [](Engine& e) { e.EnterDigit(5); }, Key::D5},
    {{vk::Digit(6), vk::Numpad(6), vk::Letter('O')},
     [](const KeyContext& c) { return c.digitKey(6) && !c.binary(); }, [](Engine& e) { e.EnterDigit(6); },
     Key::D6},
    {{vk::Digit(7), vk::Numpad(7), kNone}, [](const KeyContext& c) { return !c.binary(); },
     [](Engine& e) { e.EnterDigit(7); }, Key::D7},
    {{vk::Digit(8), vk::Numpad(8), kNone}, [](const KeyContext& c) { return c.shift; },
     [](Engine& e) { e.PressOperator(Operator::Times); }, Key::Times},
    {{vk::Digit(8), vk::Numpad(8), kNone}, [](const KeyContext& c) { return c.decimal() || c.hex(); },
     [](Engine& e) { e.EnterDigit(8); }, Key::D8},
    {{vk::Digit(9), vk::Numpad(9), kNone}, [](const KeyContext& c) { return c.decimal() || c.hex(); },
     [](Engine& e) { e.EnterDigit(9); }, Key::D9},
    {{vk::kPeriod, vk::kDecimal, kNone}, [](const KeyContext& c) { return c.decimal(); },
     [](Engine& e) { e.EnterPoint(); }, Key::Point},
    {{vk::kEquals, kNone, kNone}, [](const KeyContext& c) { return !c.shift; },
     [](Engine& e) { e.PressEquals(); }, Key::Equals},
    {{vk::kEquals, vk::kAdd, kNone}, Always, [](Engine& e) { e.PressOperator(Operator::Plus); }, Key::Plus},
    {{vk::kEnter, kNone, kNone}, Always, [](Engine& e) { e.PressEquals(); }, Key::Equals},
    {{vk::kMultiply, vk::Letter('P'), kNone}, [](const KeyContext& c) { return c.laptop || c.vk == vk::kMultiply; },
     [](Engine& e) { e.PressOperator(Operator::Times); }, Key::Times},
    {{vk::kSubtract, vk::kMinus, vk::kSemicolon},
     [](const KeyContext& c) { return c.laptop || c.vk != vk::kSemicolon; },
     [](Engine& e) { e.PressOperator(Operator::Minus); }, Key::Minus},
    {{vk::kSlash, vk::kDivide, kNone}, [](const KeyContext& c) { return c.laptop && c.vk == vk::kSlash; },
     [](Engine& e) { e.PressOperator(Operator::Plus); }, Key::Plus},
    {{vk::kSlash, vk::kDivide, kNone}, Always, [](Engine& e) { e.PressOperator(Operator::Divide); }, Key::Divide},
    {{vk::Letter('A'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(10); }, Key::A},
    {{vk::Letter('B'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(11); }, Key::B},
    {{vk::Letter('C'), kNone, kNone}, [](const KeyContext& c) { return c.ctrl; },
     [](Engine& e) { e.Copy(); }, std::nullopt, MenuCommand::Copy},
    {{vk::Letter('C'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(12); }, Key::C},
    {{vk::Letter('D'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(13); }, Key::D},
    {{vk::Letter('E'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(14); }, Key::E},
    {{vk::Letter('F'), kNone, kNone}, [](const KeyContext& c) { return c.hex(); },
     [](Engine& e) { e.EnterDigit(15); }, Key::F},
    {{vk::Letter('G'), kNone, kNone}, [](const KeyContext& c) { return c.decimal(); },
     [](Engine& e) { e.MakeChange(); }, Key::Change},
    {{vk::Letter('N'), kNone, kNone}, [](const KeyContext& c) { return c.ctrl; }, [](Engine& e) {
       if (!e.recorder_.replaying()) e.host_->AskForNote();
     }, std::nullopt, MenuCommand::AddNote},
    {{vk::Letter('R'), kNone, kNone}, [](const KeyContext& c) { return c.decimal(); },
     [](Engine& e) { e.Reciprocal(); }, Key::Reciprocal},
    {{vk::Letter('T'), kNone, kNone}, [](const KeyContext& c) { return c.decimal(); },
     [](Engine& e) { e.AddTax(); }, Key::Tax},
    {{vk::Letter('V'), kNone, kNone}, [](const KeyContext& c) { return c.ctrl; },
     [](Engine& e) { e.Paste(); }, std::nullopt, MenuCommand::Paste},
    {{vk::kF9, kNone, kNone}, [](const KeyContext& c) { return c.decimal(); },
     [](Engine& e) { e.ChangeSign(); }, Key::ChangeSign},
    {{vk::kF1, kNone, kNone}, Always, [](Engine& e) {
       if (!e.recorder_.replaying()) e.host_->OpenHelp();
     }, Key::Help, MenuCommand::Help},
    {{vk::kNumLock, kNone, kNone}, Always, [](Engine& e) { e.ReadNumLock(); }, std::nullopt},
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
  const KeyContext context{virtualKey, laptop, shift, ctrl, displayMode};
  const auto* row = KeyboardRows::Find(context);
  return row ? row->pressed : std::nullopt;
}

std::optional<MenuCommand> CommandRunBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl) {
  const KeyContext context{virtualKey, false, shift, ctrl, displayMode};
  const auto* row = KeyboardRows::Find(context);
  return row ? row->command : std::nullopt;
}

int Engine::KeyDown(int virtualKey) {
  const KeyContext context{virtualKey, state_.laptopKeys, state_.shiftDown, state_.ctrlDown, state_.displayMode};
  if (const auto* row = KeyboardRows::Find(context)) {
    if (row->pressed) host_->ShowKeyPressed(*row->pressed, true);
    row->run(*this);
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
