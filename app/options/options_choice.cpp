#include "app/options/options_choice.h"

#include "app/settings/main_settings.h"
#include "engine/settings_keys.h"
#include "services/rounding_choice.h"

namespace tallix {

namespace {

// A key the options gained later: written once it is set, or to set it back.
void WriteIfChosen(SettingsPort& settings, std::string_view key, std::string_view value, std::string_view unset) {
  if (value != unset || !settings.Read(main_keys::kSection, key, "").empty())
    settings.Write(main_keys::kSection, key, value);
}

}  // namespace

OptionsChoice CurrentOptions(const EngineState& state, bool topMost) {
  return {state.calcMode == 1, PlainSingleText(state.taxRate), state.laptopKeys, topMost, state.rounding,
          state.grandTotalOn};
}

AppliedOptions StoreOptions(SettingsPort& settings, const OptionsChoice& choice) {
  const AppliedOptions applied{choice.addingMachine ? 1 : 0,
                               TaxRateFromText(choice.taxText),
                               choice.laptopKeys,
                               choice.topMost,
                               choice.rounding,
                               choice.grandTotal};
  using namespace main_keys;
  settings.Write(kSection, kTaxRate, PlainSingleText(applied.taxRate));
  settings.Write(kSection, kLaptopKeys, applied.laptopKeys ? "1" : "0");
  settings.Write(kSection, kTopMost, applied.topMost ? "1" : "0");
  settings.Write(kSection, kCalcMode, std::to_string(applied.calcMode));
  WriteIfChosen(settings, kRounding, RoundingRuleText(applied.rounding), RoundingRuleText(RoundingRule::kHalfEven));
  WriteIfChosen(settings, kGrandTotal, applied.grandTotal ? "1" : "0", "0");
  return applied;
}

}  // namespace tallix
