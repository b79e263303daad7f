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
    NamedKey{vk::Letter('O'), "O"},    NamedKey{vk::Letter('J'), "J"},        NamedKey{vk::Letter('K'), "K"},
    NamedKey{vk::Letter('U'), "U"},    NamedKey{vk::Letter('I'), "I"},
    NamedKey{vk::kPeriod, "."},        NamedKey{vk::kEquals, "="},            NamedKey{vk::kMinus, "-"},
    NamedKey{vk::kSlash, "/"},         NamedKey{vk::kSemicolon, ";"},
    NamedKey{vk::kAdd, "Num +"},       NamedKey{vk::kSubtract, "Num -"},      NamedKey{vk::kMultiply, "Num *"},
    NamedKey{vk::kDivide, "Num /"},    NamedKey{vk::kDecimal, "Num Del"},
};
// clang-format on

// Every keystroke of which `runs` holds, of the first way of holding Shift
// and Ctrl that has any, by the order above.
template <class Runs>
std::vector<Keystroke> KeystrokesWhere(Runs runs) {
  std::vector<Keystroke> found;
  for (const bool ctrl : {false, true})
    for (const bool shift : {false, true}) {
      for (const NamedKey& named : kNamedKeys)
        if (runs(named.virtualKey, shift, ctrl)) found.push_back({named.virtualKey, named.name, shift, ctrl});
      if (!found.empty()) return found;
    }
  return found;
}

std::string Named(const std::vector<Keystroke>& keystrokes) {
  if (keystrokes.empty()) return {};
  const Keystroke& first = keystrokes.front();
  return std::string(first.ctrl ? "Ctrl+" : "") + (first.shift ? "Shift+" : "") + std::string(first.name);
}

}  // namespace

std::vector<Keystroke> KeystrokesPressing(Key key, bool laptop) {
  for (const std::uint8_t mode : {display_mode::kFloating, display_mode::kHex}) {
    auto found = KeystrokesWhere([&](int virtualKey, bool shift, bool ctrl) {
      return KeyPressedBy(virtualKey, shift, mode, ctrl, laptop) == key;
    });
    if (!found.empty()) return found;
  }
  return {};
}

std::string KeyboardShortcut(Key key) { return Named(KeystrokesPressing(key)); }

std::vector<Keystroke> KeystrokesRunning(MenuCommand command) {
  return KeystrokesWhere([&](int virtualKey, bool shift, bool ctrl) {
    return CommandRunBy(virtualKey, shift, display_mode::kFloating, ctrl) == command;
  });
}

std::string KeyboardShortcut(MenuCommand command) { return Named(KeystrokesRunning(command)); }

}  // namespace tallix
