// Switching between decimal, hexadecimal, binary and octal display, and which
// keypad keys each system enables.
#include <string>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/settings_keys.h"
#include "services/format_mask.h"
#include "services/number_text.h"

namespace tallix {

namespace {

// The keys a number-system switch disables before enabling its own.
constexpr Key kSystemKeys[] = {
    Key::D0,         Key::D1,    Key::D2,      Key::D3,  Key::D4,         Key::D5,     Key::D6,      Key::D7,
    Key::D8,         Key::D9,    Key::A,       Key::B,   Key::C,          Key::D,      Key::E,       Key::F,
    Key::ChangeSign, Key::Point, Key::Percent, Key::Tax, Key::Reciprocal, Key::Change, Key::Convert,
};

constexpr int kEntryLimit[] = {18, 8, 32, 11};

void RemoveAll(std::string& text, std::string_view word) {
  for (auto at = text.find(word); !word.empty() && at != std::string::npos; at = text.find(word)) {
    text.erase(at, word.size());
  }
}

}  // namespace

bool Engine::IsKeyEnabled(Key key) const {
  const int radix = RadixOf(state_.displayMode);
  if (const auto digit = DigitValue(key)) return *digit < radix;
  switch (key) {
    case Key::ChangeSign:
    case Key::Point:
    case Key::Percent:
    case Key::Tax:
    case Key::Reciprocal:
    case Key::Change:
    case Key::Convert: return radix == 10;
    default: return true;
  }
}

void Engine::SelectNumberSystem(int index) {
  if (index < 0 || index > 3) return;
  EngineState& s = state_;
  for (Key key : kSystemKeys) host_->EnableKey(key, false);

  // Both values are read in the system being left.
  const Real current = DisplayValue();
  std::string averageText = host_->GetAverageText();
  RemoveAll(averageText, " AVG = ");
  if (!s.IsDecimal()) RemoveAll(averageText, " (" + std::string(SystemName(s.displayMode)) + ")");
  const Real average =
      s.IsDecimal() ? ReadDecimal(averageText) : ReadInRadix(WithoutCommas(averageText), RadixOf(s.displayMode));
  s.entryText.clear();

  s.maxEntryLength = kEntryLimit[index];
  if (index == 0) {
    if (s.displayMode != s.decimalSetting) {
      WriteTapeLine("(Dec)", "");
      s.displayMode = s.decimalSetting;
    }
  } else {
    s.displayMode = static_cast<std::uint8_t>(display_mode::kHex + index - 1);
  }
  for (Key key : kSystemKeys) {
    if (IsKeyEnabled(key)) host_->EnableKey(key, true);
  }
  host_->CheckNumberSystemButton(index);
  if (index == 0) {
    ShowValue(current);
  } else {
    host_->SetDisplayText(SystemText(current));
    WriteTapeLine("(" + std::string(SystemName(s.displayMode)) + ")", "");
  }
  if (s.averageShown) WriteAverage(average);
  recorder_.WriteSettings({{main_keys::kSection, main_keys::kDisplayMode, std::to_string(s.displayMode)}});
  Focus();
}

}  // namespace tallix
