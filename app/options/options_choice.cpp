#include "app/options/options_choice.h"

#include "app/settings/main_settings.h"
#include "engine/settings_keys.h"

namespace tallix {

OptionsChoice CurrentOptions(const EngineState& state, bool topMost) {
  return {state.calcMode == 1, PlainSingleText(state.taxRate), state.laptopKeys, topMost};
}

AppliedOptions StoreOptions(SettingsPort& settings, const OptionsChoice& choice) {
  const AppliedOptions applied{choice.addingMachine ? 1 : 0, TaxRateFromText(choice.taxText), choice.laptopKeys,
                               choice.topMost};
  using namespace main_keys;
  settings.Write(kSection, kTaxRate, PlainSingleText(applied.taxRate));
  settings.Write(kSection, kLaptopKeys, applied.laptopKeys ? "1" : "0");
  settings.Write(kSection, kTopMost, applied.topMost ? "1" : "0");
  settings.Write(kSection, kCalcMode, std::to_string(applied.calcMode));
  return applied;
}

}  // namespace tallix
