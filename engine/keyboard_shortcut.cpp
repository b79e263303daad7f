#include "engine/keyboard_shortcut.h"

#include <array>
#include <string_view>

#include "engine/engine_state.h"
#include "engine/virtual_keys.h"

namespace tallix {
namespace {

struct NamedKey {
  int virtualKey;
  std::string_view name;
};

// Every keystroke the mapping knows, in the order a shortcut is looked for.
// clang-format off
constexpr std::array kNamedKeys = {
    NamedKey{vk::kEscape, "Esc"},      NamedKey{vk::kBackspace, "Backspace"}, NamedKey{vk::kDelete, "Del"},
    NamedKey{vk::kSpace, "Space"},     NamedKey{vk::kUp, "Up"},               NamedKey{vk::kEnter, "Enter"},
    NamedKey{vk::kF1, "F1"},           NamedKey{vk::Function(2), "F2"},       NamedKey{vk::Function(3), "F3"},
    NamedKey{vk::Function(4), "F4"},   NamedKey{vk::Function(5), "F5"},       NamedKey{vk::Function(6), "F6"},
    NamedKey{vk::Function(7), "F7"},   NamedKey{vk::Function(8), "F8"},
    NamedKey{vk::kF9, "F9"},           NamedKey{vk::Digit(0), "0"},
    NamedKey{vk::Digit(1), "1"},       NamedKey{vk::Digit(2), "2"},           NamedKey{vk::Digit(3), "3"},
    NamedKey{vk::Digit(4), "4"},       NamedKey{vk::Digit(5), "5"},           NamedKey{vk::Digit(6), "6"},
    NamedKey{vk::Digit(7), "7"},       NamedKey{vk::Digit(8), "8"},           NamedKey{vk::Digit(9), "9"},
    NamedKey{vk::Letter('A'), "A"},    NamedKey{vk::Letter('B'), "B"},        NamedKey{vk::Letter('C'), "C"},
    NamedKey{vk::Letter('D'), "D"},    NamedKey{vk::Letter('E'), "E"},        NamedKey{vk::Letter('F'), "F"},
    NamedKey{vk::Letter('G'), "G"},    NamedKey{vk::Letter('R'), "R"},        NamedKey{vk::Letter('T'), "T"},
    NamedKey{vk::Letter('L'), "L"},    NamedKey{vk::Letter('M'), "M"},        NamedKey{vk::Letter('P'), "P"},
    NamedKey{vk::Letter('N'), "N"},    NamedKey{vk::Letter('V'), "V"},        NamedKey{vk::Letter('H'), "H"},
    NamedKey{vk::Letter('O'), "O"},
    NamedKey{vk::kPeriod, "."},        NamedKey{vk::kEquals, "="},            NamedKey{vk::kMinus, "-"},
    NamedKey{vk::kSlash, "/"},         NamedKey{vk::kAdd, "Num +"},           NamedKey{vk::kSubtract, "Num -"},
    NamedKey{vk::kMultiply, "Num *"},  NamedKey{vk::kDivide, "Num /"},        NamedKey{vk::kDecimal, "Num Del"},
};
// clang-format on

// The first keystroke of which `runs` holds, by the order above.
template <class Runs>
std::string ShortcutWhere(Runs runs) {
  struct Held {
    bool shift, ctrl;
    std::string_view name;
  };
  constexpr Held kHeld[] = {
      {false, false, ""}, {true, false, "Shift+"}, {false, true, "Ctrl+"}, {true, true, "Ctrl+Shift+"}};
  for (const Held& held : kHeld)
    for (const NamedKey& named : kNamedKeys)
      if (runs(named.virtualKey, held.shift, held.ctrl)) return std::string(held.name) + std::string(named.name);
  return {};
}

std::string ShortcutIn(Key key, std::uint8_t displayMode) {
  return ShortcutWhere(
      [&](int virtualKey, bool shift, bool ctrl) { return KeyPressedBy(virtualKey, shift, displayMode, ctrl) == key; });
}

}  // namespace

std::string KeyboardShortcut(Key key) {
  std::string found = ShortcutIn(key, display_mode::kFloating);
  return found.empty() ? ShortcutIn(key, display_mode::kHex) : found;
}

std::string KeyboardShortcut(MenuCommand command) {
  return ShortcutWhere([&](int virtualKey, bool shift, bool ctrl) {
    return CommandRunBy(virtualKey, shift, display_mode::kFloating, ctrl) == command;
  });
}

}  // namespace tallix
