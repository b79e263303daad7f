// What the Options window opens with and what its Ok stores, on settings
// kept in memory.
#include "app/options/options_choice.h"

#include <gtest/gtest.h>

#include "engine/memory_settings.h"

#include <string>
#include <vector>

namespace tallix {
namespace {

class RecordingSettings : public SettingsPort {
 public:
  std::string Read(std::string_view, std::string_view, std::string_view fallback) override {
    return std::string(fallback);
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    writes.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
  }
  void DeleteSection(std::string_view) override {}
  std::vector<std::string> writes;
};

TEST(OptionsChoice, OpensWithTheRateInSevenDigitsAndTheCurrentFlags) {
  EngineState state;
  state.calcMode = 1;
  state.taxRate = 8.25f;
  state.laptopKeys = true;
  const OptionsChoice choice = CurrentOptions(state, false);
  EXPECT_TRUE(choice.addingMachine);
  EXPECT_EQ(choice.taxText, "8.25");
  EXPECT_TRUE(choice.laptopKeys);
  EXPECT_FALSE(choice.topMost);
  state.taxRate = 1.0f / 3.0f;
  EXPECT_EQ(CurrentOptions(state, true).taxText, ".3333333");
  state.taxRate = 0;
  EXPECT_EQ(CurrentOptions(state, true).taxText, "0");
}

TEST(OptionsChoice, OkWritesExactlyItsFourKeysInOrderAndReadsAnyText) {
  RecordingSettings settings;
  const AppliedOptions applied = StoreOptions(settings, {true, "-7.5%", true, false});
  EXPECT_EQ(settings.writes, (std::vector<std::string>{"Main Settings/TaxRate=-7.5", "Main Settings/LT10Key=1",
                                                       "Main Settings/TopMost=0", "Main Settings/CalcMode=1"}));
  EXPECT_EQ(applied.calcMode, 1);
  EXPECT_EQ(applied.taxRate, -7.5f);
  EXPECT_TRUE(applied.laptopKeys);
  EXPECT_FALSE(applied.topMost);

  for (const auto& [typed, stored] :
       {std::pair{"abc", "0"}, {"", "0"}, {"  12.34567891", "12.34568"}, {"1e999", "3.402823E+38"}}) {
    settings.writes.clear();
    StoreOptions(settings, {false, typed, false, true});
    EXPECT_EQ(settings.writes.front(), std::string("Main Settings/TaxRate=") + stored) << typed;
  }
}

TEST(OptionsChoice, RoundingIsWrittenOnceChosenAwayFromFiveFour) {
  MemorySettings settings;
  const auto stored = [&] { return settings.Read("Main Settings", "Rounding", "<none>"); };
  EXPECT_EQ(StoreOptions(settings, {}).rounding, RoundingRule::kHalfEven);
  EXPECT_EQ(stored(), "<none>");
  for (const auto& [rule, text] : {std::pair{RoundingRule::kTowardZero, "Down"},
                                   {RoundingRule::kAwayFromZero, "Up"},
                                   {RoundingRule::kHalfEven, "54"}}) {
    OptionsChoice choice;
    choice.rounding = rule;
    EXPECT_EQ(StoreOptions(settings, choice).rounding, rule);
    EXPECT_EQ(stored(), text);
  }
  EngineState state;
  state.rounding = RoundingRule::kAwayFromZero;
  EXPECT_EQ(CurrentOptions(state, false).rounding, RoundingRule::kAwayFromZero);
}

TEST(OptionsChoice, GrandTotalIsWrittenOnceSwitchedOn) {
  MemorySettings settings;
  const auto stored = [&] { return settings.Read("Main Settings", "GrandTotal", "<none>"); };
  OptionsChoice choice;
  EXPECT_FALSE(StoreOptions(settings, choice).grandTotal);
  EXPECT_EQ(stored(), "<none>");
  for (const bool on : {true, false}) {
    choice.grandTotal = on;
    EXPECT_EQ(StoreOptions(settings, choice).grandTotal, on);
    EXPECT_EQ(stored(), on ? "1" : "0");
  }
  EngineState state;
  state.grandTotalOn = true;
  EXPECT_TRUE(CurrentOptions(state, false).grandTotal);
}

}  // namespace
}  // namespace tallix
