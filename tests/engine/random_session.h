#pragma once
// Random sessions of every kind of input, with the outside world's answers
// given at random: what the record and its journal must make again.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/virtual_keys.h"

namespace tallix {

// Answers questions, the clipboard and NumLock at random, as a user would.
class RandomWorldHost : public BasicEngineHost {
 public:
  explicit RandomWorldHost(std::mt19937& random) : random_(random) {}
  bool AskYesNo(std::string_view, std::string_view) override { return random_() % 2; }
  bool IsNumLockOn() override { return random_() % 2; }
  std::string GetClipboardText() override {
    static const char* const kTexts[] = {"12", "1,234.5", "-0.25", "abc", "",
                                         " 7", "1e400",   "FF",    "0.",  "99999999999999999999"};
    return kTexts[random_() % std::size(kTexts)];
  }

 private:
  std::mt19937& random_;
};

inline ::testing::AssertionResult SameState(const EngineState& a, const EngineState& b) {
  if (a == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "states differ (display/entry \"" << a.entryText << "\" vs \"" << b.entryText
                                       << "\")";
}

inline constexpr int kVirtualKeys[] = {vk::kBackspace, vk::kEnter,   vk::kShift,  vk::kControl,  vk::kEscape,
                                       vk::kSpace,     vk::kUp,      vk::kDelete, vk::kMultiply, vk::kAdd,
                                       vk::kSubtract,  vk::kDecimal, vk::kDivide, vk::kF9,       vk::kNumLock,
                                       vk::kSemicolon, vk::kEquals,  vk::kMinus,  vk::kPeriod,   vk::kSlash};

inline void RandomInput(Engine& engine, std::mt19937& random) {
  const unsigned pick = random() % 100;
  if (pick < 55) {
    engine.PressKey(static_cast<Key>(random() % kKeyCount));
  } else if (pick < 75) {
    const unsigned which = random() % 3;
    const int virtualKey = which == 0   ? vk::Digit(static_cast<int>(random() % 10))
                           : which == 1 ? vk::Letter(static_cast<char>('A' + random() % 26))
                                        : kVirtualKeys[random() % std::size(kVirtualKeys)];
    if (random() % 4) {
      engine.OnKeyDown(virtualKey);
    } else {
      engine.OnKeyUp(virtualKey);
    }
  } else if (pick < 78) {
    constexpr int kChoices[] = {0, 1, 2, 3, 4, 10, 7};
    engine.SetDecimals(kChoices[random() % std::size(kChoices)]);
  } else if (pick < 80) {
    engine.ToggleDigitGrouping();
  } else if (pick < 81) {
    engine.ToggleAutoDecimal();
  } else if (pick < 83) {
    engine.CopyDisplay();
  } else if (pick < 88) {
    engine.PasteDisplay();
  } else if (pick < 89) {
    engine.UpdateNumLock();
  } else if (pick < 92) {
    engine.AppendTapeLine("(Length) Feet: " + std::to_string(random() % 1000), random() % 2 ? "ft" : "");
  } else if (pick < 94) {
    engine.SetCalcMode(static_cast<int>(random() % 2));
  } else if (pick < 96) {
    constexpr float kRates[] = {0.0f, 8.25f, 7.0f, -3.5f, 100.0f};
    engine.SetTaxRate(kRates[random() % std::size(kRates)]);
  } else if (pick < 98) {
    engine.SetLaptopKeys(random() % 2);
  } else if (pick < 99) {
    engine.EndEntry();
  } else {
    // The bookkeeping switches, a rule that is none among them, and the grand total.
    switch (random() % 4) {
      case 0: engine.SetRounding(static_cast<RoundingRule>(random() % 4)); break;
      case 1: engine.SetGrandTotal(random() % 2); break;
      default: engine.GrandTotal(); break;
    }
  }
}

}  // namespace tallix
