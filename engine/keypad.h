#pragma once
// The buttons of the main window's keypad, as the engine names them. The main
// window maps its control identifiers to these; the engine asks the host to
// enable or draw them by this name.

#include <optional>
#include <string_view>

namespace tallix {

enum class Key : unsigned char {
  // Digits keep their value as the enumerator's value: Key::D0 + n.
  D0,
  D1,
  D2,
  D3,
  D4,
  D5,
  D6,
  D7,
  D8,
  D9,
  A,
  B,
  C,
  D,
  E,
  F,
  Point,
  ChangeSign,
  Back,
  ClearEntry,
  Clear,
  ClearTape,
  Plus,
  Minus,
  Times,
  Divide,
  Equals,
  Percent,
  MemoryClear,
  MemoryRecall,
  MemorySet,
  MemoryAdd,
  SecondBank,
  Tax,
  Change,
  Reciprocal,
  Feed,
  // The number-system option buttons.
  Dec,
  Hex,
  Bin,
  Oct,
  // Side-tool and window keys: the engine only draws them (Start, Help) or
  // leaves them to the main window.
  Convert,
  Area,
  Volume,
  Loan,
  Transfer,
  Help,
  Start,
  Lap,
  Reset,
  AlwaysOnTop,
};

inline constexpr int kKeyCount = static_cast<int>(Key::AlwaysOnTop) + 1;

// Digit value 0..15 to its key.
Key DigitKey(int value);
// The key's value 0..15 when it is a digit or hexadecimal letter. Asked for
// every key pressed and every key a number system enables, so it is inline.
inline std::optional<int> DigitValue(Key key) {
  const int index = static_cast<int>(key);
  if (index <= static_cast<int>(Key::F)) return index;
  return std::nullopt;
}

// The button caption in Windows-1252 ("\xD7" for times, "\xF7" for divide), or
// a short name for the keys whose face is not text (the transfer key).
std::string_view KeyCaption(Key key);
// The key whose caption is `caption` (Windows-1252), exactly.
std::optional<Key> KeyFromCaption(std::string_view caption);

// Whether the engine has an operation for the key (PressKey); the side-tool
// keys from Key::Convert on belong to the main window.
inline constexpr bool IsEngineKey(Key key) { return key < Key::Convert; }

// A key named as in a key script (tallix-cli keys, the tests): its caption,
// with "*" and "/" or the UTF-8 "×" and "÷" also naming the two keys whose
// captions are Windows-1252 characters.
std::optional<Key> KeyFromScriptName(std::string_view name);

}  // namespace tallix
