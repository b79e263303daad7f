#pragma once
// The theme the user chose (View > Theme, "Theme" in Tallix.ini) and whether
// the windows draw dark under it. High contrast wins over both: its colours
// are the user's own.
#include <string_view>

#include "services/ascii_case.h"

namespace tallix {

enum class ThemeChoice { kSystem, kLight, kDark };

// What the file keeps; anything but "Light" or "Dark" follows the system.
inline ThemeChoice ThemeChoiceFromText(std::string_view text) {
  if (EqualsIgnoringCase(text, "Light")) return ThemeChoice::kLight;
  if (EqualsIgnoringCase(text, "Dark")) return ThemeChoice::kDark;
  return ThemeChoice::kSystem;
}

inline std::string_view ThemeChoiceText(ThemeChoice choice) {
  constexpr std::string_view kTexts[] = {"System", "Light", "Dark"};
  return kTexts[static_cast<int>(choice)];
}

// `systemDark`: Windows' app mode is dark (AppsUseLightTheme is 0).
inline bool DrawsDark(ThemeChoice choice, bool systemDark, bool highContrast) {
  if (highContrast) return false;
  return choice == ThemeChoice::kDark || (choice == ThemeChoice::kSystem && systemDark);
}

}  // namespace tallix
