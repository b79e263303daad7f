#pragma once
// The colour of a tape line follows from its text alone.

#include <cstdint>
#include <string_view>

namespace tallix {

using ColourRef = std::uint32_t;  // 0x00BBGGRR

inline constexpr ColourRef kTapeRed = 255;
inline constexpr ColourRef kTapeBlue = 16711680;
inline constexpr ColourRef kTapeGreen = 0x008000;  // dark green, which no other line takes

enum class TapeMedium { Screen, Paper };

// `normal` is the colour of an ordinary line: the window-text colour on
// screen, black on paper. Negative numbers and subtractions are red; on screen
// the lines that record events rather than numbers (copies, clears, number
// system switches, memory stores) are blue. The grand total's lines are
// green on both, whatever their sign.
ColourRef TapeLineColour(std::string_view line, TapeMedium medium, ColourRef normal);

}  // namespace tallix
