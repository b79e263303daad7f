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
    NamedKey{vk::kPeriod, "."},        NamedKey{vk::kEquals, "="},            NamedKey{vk::kMinus, "-"},
    NamedKey{vk::kSlash, "/"},         NamedKey{vk::kAdd, "Num +"},           NamedKey{vk::kSubtract, "Num -"},
    NamedKey{vk::kMultiply, "Num *"},  NamedKey{vk::kDivide, "Num /"},        NamedKey{vk::kDecimal, "Num Del"},
};
// clang-format on

std::string ShortcutIn(Key key, std::uint8_t displayMode) {
  enum Held { kNothing, kShift, kCtrl };
  for (const Held held : {kNothing, kShift, kCtrl})
    for (const NamedKey& named : kNamedKeys)
      if (KeyPressedBy(named.virtualKey, held == kShift, displayMode, held == kCtrl) == key)
        return (held == kShift ? "Shift+" : held == kCtrl ? "Ctrl+" : "") + std::string(named.name);
  return {};
}

}  // namespace

std::string KeyboardShortcut(Key key) {
  std::string found = ShortcutIn(key, display_mode::kFloating);
  return found.empty() ? ShortcutIn(key, display_mode::kHex) : found;
}

}  // namespace tallix
