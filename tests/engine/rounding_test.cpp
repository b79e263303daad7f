// The rounding switch: what the fixed decimals show on the display and the
// tape, and go on with, under Down, 5/4 and Up; against a table, and in random
// sessions against exact decimal arithmetic on the 18 digits the value has.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

constexpr RoundingRule kRules[] = {RoundingRule::kTowardZero, RoundingRule::kHalfEven, RoundingRule::kAwayFromZero};

EngineSettings Rounded(int places, RoundingRule rule) {
  EngineSettings settings = Decimals(places, NoGrouping());
  settings.rounding = rule;
  return settings;
}

// The keys that type `number`: its characters, then the sign key.
std::string Typed(std::string_view number) {
  std::string keys;
  for (const char c : number.substr(number.starts_with('-') ? 1 : 0)) keys += std::string(1, c) + " ";
  return keys + (number.starts_with('-') ? "+/- " : "");
}

struct Case {
  const char* typed;
  int places;
  const char* down;
  const char* fiveFour;
  const char* up;
};

// Ties decimal and binary, negatives, the hair-below ties 5/4 has always
// lifted (upwards, so a negative one falls back), a value too small for its
// places, and values at the display's 18 digits.
constexpr Case kCases[] = {
    {"2.675", 2, "2.67", "2.68", "2.68"},
    {"-2.675", 2, "-2.67", "-2.67", "-2.68"},
    {"0.125", 2, "0.12", "0.13", "0.13"},
    {"2.5", 0, "2", "3", "3"},
    {"-2.5", 0, "-2", "-2", "-3"},
    {"0.5", 0, "0", "1", "1"},
    {"-0.4", 0, "0", "0", "-1"},
    {"0.0049", 2, "0.00", "0.00", "0.01"},
    {"-0.0049", 2, "-0.00", "-0.00", "-0.01"},
    {"0.3", 1, "0.3", "0.3", "0.3"},
    {"12.34", 1, "12.3", "12.3", "12.4"},
    {"1.0005", 3, "1.000", "1.001", "1.001"},
    {"-7.77777", 4, "-7.7777", "-7.7778", "-7.7778"},
    {"2.9999999999", 2, "2.99", "3.00", "3.00"},
    {"9999999999999999.9", 0, "9999999999999999", "10000000000000000", "10000000000000000"},
    {"0.9999999999999999", 4, "0.9999", "1.0000", "1.0000"},
    {".00000000000000001", 4, "0.0000", "0.0000", "0.0001"},
    {"123456789012345678", 4, "123456789012345678.0000", "123456789012345678.0000", "123456789012345678.0000"},
};

// A zero is never signed once it is a value: "-0.00" taken on is 0.
std::string AsValue(std::string shown) {
  if (shown.starts_with('-') && shown.find_first_not_of("-0.") == std::string::npos) shown.erase(0, 1);
  return shown;
}

TEST(Rounding, EachRuleAtEveryFixedPlaceShowsAndTapesTheTable) {
  for (const Case& c : kCases) {
    const char* const expected[] = {c.down, c.fiveFour, c.up};
    const std::string zero = c.places == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(c.places), '0');
    for (int rule = 0; rule < 3; ++rule) {
      Calculator calc(Rounded(c.places, kRules[rule]));
      calc.Keys(Typed(c.typed) + "+");
      EXPECT_EQ(calc.display(), expected[rule]) << c.typed << " rule " << rule;
      // What the display shows is what the next operation takes.
      calc.Keys("0 =");
      EXPECT_EQ(calc.NewTape(),
                (Lines{std::string(expected[rule]) + "  ", zero + " +", kDashes, AsValue(expected[rule]) + " =", ""}))
          << c.typed << " rule " << rule;
    }
  }
}

TEST(Rounding, FloatingAutomaticDecimalsAndTheOtherSystemsIgnoreTheSwitch) {
  for (const RoundingRule rule : kRules) {
    EngineSettings floating = NoGrouping();
    floating.rounding = rule;
    Calculator calc(floating);
    calc.Keys("2 / 3 =");
    EXPECT_EQ(calc.display(), "0.6666666667");
    calc.Keys("Hex 7 / 2 =");
    EXPECT_EQ(calc.display(), "4");
    EXPECT_EQ(calc.engine.state().rounding, rule);
    // The automatic point places typed digits, which need no rounding.
    EngineSettings automatic = Rounded(2, rule);
    automatic.autoDecimal = true;
    Calculator typed(automatic);
    typed.Keys("1 2 3 4 5");
    EXPECT_EQ(typed.display(), "123.45");
  }
}

TEST(Rounding, AChangeTakesEffectAtTheNextValueShown) {
  Calculator calc(Rounded(2, RoundingRule::kHalfEven));
  calc.Keys("2 / 3 =");
  EXPECT_EQ(calc.display(), "0.67");
  calc.engine.SetRounding(RoundingRule::kTowardZero);
  calc.Keys("2 / 3 =");
  EXPECT_EQ(calc.display(), "0.66");
  calc.engine.SetRounding(static_cast<RoundingRule>(7));  // no rule: ignored
  EXPECT_EQ(calc.engine.state().rounding, RoundingRule::kTowardZero);
  EXPECT_EQ(calc.engine.record().inputs.back().kind, EngineInput::Kind::SetRounding);
}

// The rule done by hand on the value's 18 significant digits, as exact
// decimal text; the sign printed as the fixed masks print it.
std::string ModelRounded(Real value, int places, RoundingRule rule) {
  char printed[48];
  std::snprintf(printed, sizeof printed, "%.17Le", value);  // d.ddd...e+XX, 18 digits
  const std::string text = printed;
  const bool negative = text.front() == '-';
  const std::size_t first = negative ? 1 : 0;
  std::string digits = text.substr(first, 1) + text.substr(first + 2, 17);
  const int exponent = std::stoi(text.substr(text.find('e') + 1));
  // Digits of integer and fraction with the point after `point` of them.
  const int point = exponent + 1;
  if (point <= 0) digits.insert(0, static_cast<std::size_t>(1 - point), '0');
  const std::size_t integerLength = static_cast<std::size_t>(std::max(point, 1));
  if (digits.size() < integerLength + static_cast<std::size_t>(places) + 1)
    digits.resize(integerLength + static_cast<std::size_t>(places) + 1, '0');
  std::string kept = digits.substr(0, integerLength + static_cast<std::size_t>(places));
  const std::string dropped = digits.substr(kept.size());
  const bool anyDropped = dropped.find_first_not_of('0') != std::string::npos;
  bool up = false;
  if (rule == RoundingRule::kAwayFromZero) up = anyDropped;
  if (rule == RoundingRule::kHalfEven) {
    const bool beyondHalf =
        dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != dropped.npos);
    up = beyondHalf || (dropped[0] == '5' && !beyondHalf && (kept.back() - '0') % 2 == 1);
  }
  for (std::size_t i = kept.size(); up && i-- > 0;) {
    up = kept[i] == '9';
    kept[i] = up ? '0' : static_cast<char>(kept[i] + 1);
  }
  if (up) kept.insert(0, "1");
  std::string integer = kept.substr(0, kept.size() - static_cast<std::size_t>(places));
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  std::string shown = integer;
  if (places > 0) shown += "." + kept.substr(kept.size() - static_cast<std::size_t>(places));
  const bool zero = value == 0;
  return (negative && !zero && !(places == 0 && integer == "0") ? "-" : "") + shown;
}

// What the display shows of a value: its 18 digits read back, 5/4 lifting a
// value that is no whole number by 1e-11 first as it always has.
std::string ModelShown(Real value, int places, RoundingRule rule) {
  char printed[48];
  std::snprintf(printed, sizeof printed, "%.17Le", value);
  Real shown = std::strtold(printed, nullptr);
  if (rule == RoundingRule::kHalfEven && std::floor(shown) != shown) shown += 0.00000000001L;
  return ModelRounded(shown, places, rule);
}

// Chains of typed numbers and operators in the standard mode, each "=" or a
// result taken straight on into the next chain: the tape and the display as
// the rule on exact decimals gives them.
TEST(Rounding, RandomSessionsMatchExactDecimalRounding) {
  std::mt19937 random(20261209);
  const char* const kKeys[] = {"+", "-", "*", "/"};
  const char* const kSymbols[] = {"+", "-", "\xD7", "\xF7"};
  for (int session = 0; session < 400; ++session) {
    const int places = static_cast<int>(random() % 5);
    const RoundingRule rule = kRules[random() % 3];
    Calculator calc(Rounded(places, rule));
    Lines expected;
    std::string keys;
    Real total = 0;
    std::string shown = "0.00";  // a result not yet there
    bool resultShown = false;
    const auto number = [&] {
      std::string typed = std::to_string(1 + random() % 99999);
      if (random() % 2) typed += "." + std::to_string(random() % 100000);
      if (random() % 4 == 0) typed.insert(0, "-");
      return typed;
    };
    for (int chain = 0; chain < 4; ++chain) {
      // The first number: typed, or the result shown, as the display takes it.
      if (!resultShown || random() % 2) {
        const std::string typed = number();
        keys += Typed(typed);
        shown = ModelShown(std::strtold(typed.c_str(), nullptr), places, rule);
      }
      total = std::strtold(shown.c_str(), nullptr);
      expected.push_back(shown + "  ");
      int op = static_cast<int>(random() % 4);
      keys += std::string(kKeys[op]) + " ";
      for (int more = 1 + static_cast<int>(random() % 3); more > 0; --more) {
        const std::string typed = number();
        const Real operand = std::strtold(typed.c_str(), nullptr);
        total = op == 0 ? total + operand : op == 1 ? total - operand : op == 2 ? total * operand : total / operand;
        expected.push_back(ModelShown(operand, places, rule) + " " + kSymbols[op]);
        op = static_cast<int>(random() % 4);
        keys += Typed(typed) + (more > 1 ? std::string(kKeys[op]) : "=") + " ";
      }
      // Equals shows again what the display reads back: a negative zero loses its sign.
      shown = ModelShown(std::strtold(ModelShown(total, places, rule).c_str(), nullptr), places, rule);
      expected.insert(expected.end(), {kDashes, shown + " =", ""});
      resultShown = true;
    }
    calc.Keys(keys);
    ASSERT_EQ(calc.host.tape, expected) << "session " << session << ": " << keys;
    ASSERT_EQ(calc.display(), shown) << "session " << session;
  }
}

}  // namespace
}  // namespace tallix::testing
