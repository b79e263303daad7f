#pragma once
// Virtual-key codes of the keys the keyboard mapping knows. Plain integers, so
// the portable engine needs no system header; the values are those Windows
// reports in its key messages.

namespace tallix::vk {

inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kUp = 38;
inline constexpr int kDelete = 46;
inline constexpr int k0 = 48;        // "0".."9" are 48..57
inline constexpr int kA = 65;        // "A".."Z" are 65..90
inline constexpr int kNumpad0 = 96;  // numeric keypad 0..9 are 96..105
inline constexpr int kMultiply = 106;
inline constexpr int kAdd = 107;
inline constexpr int kSubtract = 109;
inline constexpr int kDecimal = 110;
inline constexpr int kDivide = 111;
inline constexpr int kF1 = 112;
constexpr int Function(int n) { return kF1 + n - 1; }  // F1..F12
inline constexpr int kF9 = 120;
inline constexpr int kNumLock = 144;
inline constexpr int kSemicolon = 186;
inline constexpr int kEquals = 187;
inline constexpr int kMinus = 189;
inline constexpr int kPeriod = 190;
inline constexpr int kSlash = 191;

constexpr int Digit(int n) { return k0 + n; }
constexpr int Numpad(int n) { return kNumpad0 + n; }
constexpr int Letter(char upper) { return kA + (upper - 'A'); }

}  // namespace tallix::vk
