#include "app/main_window/accessible_names.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "engine/keyboard_shortcut.h"

namespace tallix {
namespace {

struct SpokenName {
  int id;
  const wchar_t* name;
};

// The controls whose caption or text says nothing when read aloud.
// clang-format off
constexpr std::array kSpokenNames = {
    SpokenName{ids::kDisplay, L"Display"},
    SpokenName{ids::kTapeList, L"Tape"},
    SpokenName{ids::kKeySink, L"Display"},
    SpokenName{ids::kOptionFrame, L"Number System"},
    SpokenName{ids::kMemoryPane, L"Memory"},
    SpokenName{ids::kAveragePane, L"Average"},
    SpokenName{ids::kItemsPane, L"Items"},
    SpokenName{ids::kDatePane, L"Date"},
    SpokenName{ids::kNumLockPane, L"Num Lock"},
    SpokenName{ids::kTimeDisplay, L"Stopwatch Time"},
    SpokenName{ids::kKeyDivide, L"Divide"},
    SpokenName{ids::kKeyTimes, L"Multiply"},
    SpokenName{ids::kKeyMinus, L"Minus"},
    SpokenName{ids::kKeyPlus, L"Plus"},
    SpokenName{ids::kKeyEquals, L"Equals"},
    SpokenName{ids::kKeyPercent, L"Percent"},
    SpokenName{ids::kKeyPoint, L"Decimal Point"},
    SpokenName{ids::kKeySign, L"Change Sign"},
    SpokenName{ids::kKeyReciprocal, L"Reciprocal"},
};
// clang-format on

// "Paper Feed (Up Arrow)" is "Paper Feed".
std::wstring WithoutKeystroke(std::wstring_view tooltip) {
  const std::size_t open = tooltip.rfind(L" (");
  if (open != std::wstring_view::npos && tooltip.ends_with(L')')) tooltip = tooltip.substr(0, open);
  return std::wstring(tooltip);
}

}  // namespace

std::wstring MainWindowAccessibleName(int id) {
  if (const auto spoken = std::ranges::find(kSpokenNames, id, &SpokenName::id); spoken != kSpokenNames.end())
    return spoken->name;
  const auto tooltips = MainWindowTooltips();
  if (const auto tip = std::ranges::find(tooltips, id, &TooltipSpec::id); tip != tooltips.end())
    return WithoutKeystroke(tip->text);
  return {};
}

std::wstring KeyShortcutText(Key key) {
  const std::string shortcut = KeyboardShortcut(key);
  return std::wstring(shortcut.begin(), shortcut.end());
}

}  // namespace tallix
