#pragma once
// Keypad captions are coloured by meaning: digits, operators, side calculators.
// The three group colours are application settings; buttons read them at every
// paint, so changing one and repainting is enough.
#include <windows.h>

#include <string_view>

namespace tallix::ui {

// 1 digits and digit-like keys, 2 operators/clear/memory/stopwatch,
// 3 side calculators, 4 tape feed and help, 0 anything else.
int CaptionGroup(std::wstring_view caption);

// Colour of a caption of an enabled button (system button text for group 0,
// and for every group in high contrast).
COLORREF CaptionColor(std::wstring_view caption);

// Groups 1 to 3 are adjustable; other groups are ignored.
COLORREF GetCaptionGroupColor(int group);
void SetCaptionGroupColor(int group, COLORREF color);

}  // namespace tallix::ui
