#pragma once
// Whether the user asked Windows for high contrast. While it is on, every
// window of Tallix draws in the system colours the user chose: the keys'
// faces and captions, the tape, the separator lines and any fixed colour a
// form gives its controls. The forms repaint everything when it changes
// (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE).
#include <optional>

namespace tallix::ui {

// Asked of the system at each call: a paint always sees the current setting.
bool HighContrastOn();

// For tests on a system that does not keep the setting (Wine answers "off"
// whatever was set): the answer HighContrastOn gives until reset with nullopt.
void OverrideHighContrast(std::optional<bool> on);

}  // namespace tallix::ui
