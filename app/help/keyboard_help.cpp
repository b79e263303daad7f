#include "app/help/keyboard_help.h"

#include <algorithm>
#include <array>

#include "services/codepage1252.h"

namespace tallix {
namespace {

using enum Key;

// clang-format off
constexpr std::array<KeyboardHelpRow, 45> kRows = {{
    {D0, {}, D9}, {A, {}, F}, {Point}, {ChangeSign}, {Back}, {ClearEntry}, {Clear}, {ClearTape},
    {Plus}, {Minus}, {Times}, {Divide}, {Equals}, {Percent}, {Reciprocal}, {Tax}, {Change}, {Feed}, {Help},
    {MenuCommand::Copy, "Copy"}, {MenuCommand::Paste, "Paste"}, {MenuCommand::AddNote, "Add Note"},
    {MenuCommand::GrandTotal, "Grand Total"}, {MenuCommand::CopyTape, "Copy Tape"}, {MenuCommand::Find, "Find"},
    {MenuCommand::FindNext, "Find Next"}, {MenuCommand::FindPrevious, "Find Previous"},
    {MemoryClear}, {MemoryRecall}, {MemorySet}, {MemoryAdd}, {SecondBank}, {AlwaysOnTop},
    {Convert}, {Area}, {Volume}, {Loan}, {Transfer, "File transfer"}, {Start}, {Lap}, {Reset},
    {Dec}, {Hex}, {Bin}, {Oct},
}};
// clang-format on

// The signs the laptop keys type, in the help's order.
constexpr std::array kLaptopSigns = {Divide, Plus, Minus, Times};

// What Shift and a digit type on the layout the key map assumes (Shift+8 is
// the times sign).
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

// A keystroke as the help names it: a numeric keypad key by the character it
// types, a letter as typed unless it enters a hexadecimal digit, Shift and a
// digit by the sign they type.
std::string HelpName(const Keystroke& keystroke, std::optional<Key> pressed) {
  std::string name(keystroke.name);
  if (name == "Num Del") name = ".";
  if (name.starts_with("Num ")) name.erase(0, 4);
  if (name == "Del") name = "Delete";
  if (name == "Up") name = "<UP ARROW>";
  const bool single = name.size() == 1;
  if (keystroke.ctrl) return (keystroke.shift ? "Ctrl-Shift-" : "Ctrl-") + name;
  const bool digit = single && name[0] >= '0' && name[0] <= '9';
  if (keystroke.shift) return digit ? std::string(1, kShiftedDigits[name[0] - '0']) : "Shift + " + name;
  if (single && name[0] >= 'A' && name[0] <= 'Z' && !(pressed && DigitValue(*pressed))) name[0] += 'a' - 'A';
  return name;
}

std::string Caption(Key key) { return Cp1252ToUtf8(KeyCaption(key)); }

// Each name once; the keys that type a character before the keys with names.
std::string KeyboardColumn(const KeyboardHelpRow& row) {
  const std::vector<Keystroke> keystrokes = KeystrokesNamed(row);
  if (keystrokes.empty()) return {};
  const Key* key = std::get_if<Key>(&row.what);
  const std::optional<Key> pressed = key ? std::optional(*key) : std::nullopt;
  if (row.through) return HelpName(keystrokes.front(), pressed) + "-" + HelpName(keystrokes.back(), row.through);
  std::vector<std::string> names;
  for (const Keystroke& keystroke : keystrokes) {
    std::string name = HelpName(keystroke, pressed);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  std::stable_partition(names.begin(), names.end(), [](const std::string& name) { return name.size() == 1; });
  std::string column;
  for (const std::string& name : names) column += (column.empty() ? "" : " or ") + name;
  return column;
}

bool Same(const Keystroke& a, const Keystroke& b) {
  return a.virtualKey == b.virtualKey && a.shift == b.shift && a.ctrl == b.ctrl;
}

}  // namespace

std::span<const KeyboardHelpRow> KeyboardHelpRows() { return kRows; }

std::vector<Keystroke> KeystrokesNamed(const KeyboardHelpRow& row) {
  const auto* command = std::get_if<MenuCommand>(&row.what);
  std::vector<Keystroke> keystrokes =
      command ? KeystrokesRunning(*command) : KeystrokesPressing(std::get<Key>(row.what));
  if (keystrokes.empty()) return {};
  if (row.through) {
    const std::vector<Keystroke> last = KeystrokesPressing(*row.through);
    return last.empty() ? std::vector<Keystroke>{} : std::vector{keystrokes.front(), last.front()};
  }
  if (keystrokes.front().shift || keystrokes.front().ctrl) keystrokes.resize(1, keystrokes.front());
  return keystrokes;
}

std::vector<std::pair<Keystroke, Key>> LaptopHelpKeys() {
  std::vector<Key> keys;
  for (int digit = 0; digit <= 9; ++digit) keys.push_back(DigitKey(digit));
  keys.insert(keys.end(), kLaptopSigns.begin(), kLaptopSigns.end());
  std::vector<std::pair<Keystroke, Key>> moved;
  for (const Key key : keys) {
    const std::vector<Keystroke> without = KeystrokesPressing(key);
    for (const Keystroke& keystroke : KeystrokesPressing(key, /*laptop=*/true)) {
      const auto same = [&](const Keystroke& other) { return Same(keystroke, other); };
      if (std::none_of(without.begin(), without.end(), same)) moved.emplace_back(keystroke, key);
    }
  }
  return moved;
}

std::optional<std::string> KeyboardHelpLines(std::string_view mark) {
  std::string lines;
  if (mark == "@KEYS@") {
    for (const KeyboardHelpRow& row : kRows) {
      const Key* key = std::get_if<Key>(&row.what);
      std::string button(row.button);
      if (button.empty()) button = Caption(*key) + (row.through ? "-" + Caption(*row.through) : "");
      lines += button + "\t" + KeyboardColumn(row) + "\n";
    }
    return lines;
  }
  if (mark != "@LAPTOP_DIGITS@" && mark != "@LAPTOP_SIGNS@") return std::nullopt;
  for (const auto& [keystroke, key] : LaptopHelpKeys()) {
    if (DigitValue(key).has_value() == (mark == "@LAPTOP_DIGITS@"))
      lines += std::string(keystroke.name) + " = " + Caption(key) + "\n";
  }
  return lines;
}

}  // namespace tallix
