// The formatting steps every operation applies to the display, and the
// decimal commands of the View menu.
#include <cmath>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/settings_keys.h"
#include "services/format_mask.h"
#include "services/number_text.h"

namespace tallix {

namespace {

// The mask of each fixed or floating setting. "0 Decimal" rounds to whole
// numbers, which also turns an empty or "Div0 Error" display into "0" as the
// other settings do.
std::string_view DecimalsMask(std::uint8_t displayMode) {
  switch (displayMode) {
    case 0: return "###########0";
    case 1: return "###########0.0";
    case 2: return "###########0.00";
    case 3: return "###########0.000";
    case 4: return "###########0.0000";
    case display_mode::kFloating: return "###########0.##########";
    default: return {};
  }
}

bool IsDecimalsChoice(int value) { return (value >= 0 && value <= 4) || value == display_mode::kFloating; }

std::string_view Flag(bool on) { return on ? "1" : "0"; }

void DropTrailingPoint(std::string& text) {
  if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace

// The display text of a value read from the display, under a decimals mask
// (one of DecimalsMask's, told apart by where they are).
const std::string& Engine::MaskedText(Real value, std::string_view mask) {
  // The switch rules the fixed places; floating shows what it shows.
  const RoundingRule rule = state_.displayMode <= 4 ? state_.rounding : RoundingRule::kHalfEven;
  if (lastMasked_.mask.data() == mask.data() && lastMasked_.mask.size() == mask.size() && lastMasked_.rule == rule &&
      SameBits(lastMasked_.value, value)) {
    return lastMasked_.text;
  }
  lastMasked_.value = value;
  lastMasked_.mask = mask;
  lastMasked_.rule = rule;
  if (!std::isfinite(value)) {
    lastMasked_.text = PlainNumberText(value, 18);
  } else if (rule == RoundingRule::kHalfEven) {
    // Values stored a hair below a decimal tie (2.675) are lifted over it.
    if (std::floor(value) != value) value += 0.00000000001L;
    lastMasked_.text = FormatNumber(value, mask);
  } else {
    // Down and Up go by the 18 digits the display holds: a lift would carry
    // 2.9999999999 up to 3 and 0.3 over its own last place.
    lastMasked_.text = FormatNumber(value, mask, rule);
  }
  return lastMasked_.text;
}

std::string Engine::ApplyDecimals() {
  std::string text = host_->GetDisplayText();
  std::erase(text, ',');
  const std::string_view mask = DecimalsMask(state_.displayMode);
  if (!mask.empty()) text = MaskedText(ReadDecimal(text), mask);
  DropTrailingPoint(text);
  host_->SetDisplayText(text);
  return text;
}

void Engine::ShowValue(Real value) {
  const std::string_view mask = DecimalsMask(state_.displayMode);
  if (mask.empty() || !std::isfinite(value)) {
    host_->SetDisplayText(PlainNumberText(value, 18));
    FormatDisplay();
    return;
  }
  host_->SetDisplayText(ShownText(value));
}

std::string Engine::ShownText(Real value) {
  const std::string_view mask = DecimalsMask(state_.displayMode);
  if (mask.empty() || !std::isfinite(value)) {
    // The display's own round trip, which these few cases need.
    ShowValue(value);
    return host_->GetDisplayText();
  }
  // The value the display would read back from its plain text, and the text
  // FormatDisplay would make of it, without the round trip through the host.
  std::string text = MaskedText(ReadBackPlainNumber(value, 18), mask);
  DropTrailingPoint(text);
  return state_.digitGrouping && state_.IsDecimal() ? GroupedText(text) : text;
}

std::string Engine::GroupDigits() {
  std::string text = GroupedText(host_->GetDisplayText());
  host_->SetDisplayText(text);
  return text;
}

void Engine::ApplyAutoDecimal() {
  std::string text = host_->GetDisplayText();
  std::erase(text, ',');
  if (text.find('.') != std::string::npos) return;
  const int places = state_.displayMode;
  if (places >= 1 && places <= 4) {
    constexpr Real kScale[] = {1, 10, 100, 1000, 10000};
    host_->SetDisplayText(PlainNumberText(ParseLeadingNumber(text) / kScale[places], 18));
  }
  ApplyDecimals();
}

void Engine::ChooseDecimals(int value) {
  if (!state_.IsDecimal() || !IsDecimalsChoice(value)) return;
  host_->CheckDecimalsMenuItem(value);
  state_.displayMode = static_cast<std::uint8_t>(value);
  state_.decimalSetting = static_cast<std::uint8_t>(value);
  const std::string text = std::to_string(value);
  recorder_.WriteSettings(
      {{main_keys::kSection, main_keys::kDisplayMode, text}, {main_keys::kSection, main_keys::kDecimalSetting, text}});
  SelectNumberSystem(0);
}

void Engine::ChooseRounding(int rule) {
  const auto chosen = static_cast<RoundingRule>(rule);
  if (chosen == RoundingRule::kHalfEven || chosen == RoundingRule::kTowardZero ||
      chosen == RoundingRule::kAwayFromZero) {
    state_.rounding = chosen;
  }
}

void Engine::FlipDigitGrouping() {
  if (!state_.IsDecimal()) return;
  state_.digitGrouping = !state_.digitGrouping;
  host_->CheckDigitGroupingMenuItem(state_.digitGrouping);
  recorder_.WriteSettings({{main_keys::kSection, main_keys::kDigitGrouping, Flag(state_.digitGrouping)}});
  SelectNumberSystem(0);
}

void Engine::FlipAutoDecimal() {
  if (!state_.IsDecimal()) return;
  state_.autoDecimal = !state_.autoDecimal;
  host_->CheckAutoDecimalMenuItem(state_.autoDecimal);
  recorder_.WriteSettings({{main_keys::kSection, main_keys::kAutoDecimal, Flag(state_.autoDecimal)}});
}

}  // namespace tallix
