// Proves the decimal conversions exact against a reference written here from
// first principles: the value is m * 2^q exactly, and every claim about it is
// checked by comparing big integers, never by floating-point arithmetic.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "services/number_text.h"

namespace tallix {
namespace {

#ifdef _WIN32
constexpr std::size_t kValueCount = 100000;  // the Windows build runs under Wine
#else
constexpr std::size_t kValueCount = 1000000;
#endif

using U128 = unsigned __int128;

// Unsigned big integer as base-2^32 limbs, least significant first.
class RefInt {
 public:
  explicit RefInt(U128 value = 0) {
    for (; value != 0; value >>= 32) limbs_.push_back(std::uint32_t(value));
  }
  void Multiply(std::uint64_t factor) {
    U128 carry = 0;
    for (auto& limb : limbs_) {
      const U128 product = U128(limb) * factor + carry;
      limb = std::uint32_t(product);
      carry = product >> 32;
    }
    for (; carry != 0; carry >>= 32) limbs_.push_back(std::uint32_t(carry));
  }
  void Multiply(const RefInt& other) {
    std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size() + 1, 0);
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::uint64_t carry = 0;
      for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
        const std::uint64_t sum = std::uint64_t(limbs_[i]) * other.limbs_[j] + product[i + j] + carry;
        product[i + j] = std::uint32_t(sum);
        carry = sum >> 32;
      }
      product[i + other.limbs_.size()] = std::uint32_t(carry);
    }
    limbs_ = std::move(product);
    Trim();
  }
  void ShiftLeft(long long bits) {
    if (limbs_.empty()) return;
    std::vector<std::uint32_t> shifted(std::size_t(bits / 32), 0);
    const int part = int(bits % 32);
    std::uint32_t carry = 0;
    for (std::uint32_t limb : limbs_) {
      shifted.push_back(part == 0 ? limb : (limb << part) | carry);
      carry = part == 0 ? 0 : limb >> (32 - part);
    }
    if (carry != 0) shifted.push_back(carry);
    limbs_ = std::move(shifted);
  }
  friend int Compare(const RefInt& a, const RefInt& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

const RefInt& FivePower(long long exponent) {
  static std::vector<RefInt> powers{RefInt(1)};
  while (powers.size() <= std::size_t(exponent)) {
    RefInt next = powers.back();
    next.Multiply(5);
    powers.push_back(std::move(next));
  }
  return powers[std::size_t(exponent)];
}

// A number d * 10^decimal * 2^binary with an integer d.
struct Exact {
  U128 d = 0;
  long long decimal = 0;
  long long binary = 0;
};

// The sign of a - b, computed exactly.
int CompareExact(const Exact& a, const Exact& b) {
  RefInt left(a.d), right(b.d);
  // 10^k = 5^k 2^k: move every power of five to the side where it is positive.
  const long long fives = a.decimal - b.decimal;
  if (fives > 0)
    left.Multiply(FivePower(fives));
  else
    right.Multiply(FivePower(-fives));
  const long long leftTwos = a.decimal + a.binary;
  const long long rightTwos = b.decimal + b.binary;
  const long long common = std::min(leftTwos, rightTwos);
  left.ShiftLeft(leftTwos - common);
  right.ShiftLeft(rightTwos - common);
  return Compare(left, right);
}

// The reference's own reading of the 80-bit layout.
struct Binary {
  bool negative;
  std::uint64_t mantissa;
  long long exponent;  // value = mantissa * 2^exponent
  int biased;
};

Binary Split(Real value) {
  unsigned char bytes[sizeof(Real)] = {};
  std::memcpy(bytes, &value, sizeof(Real));
  Binary binary{};
  std::memcpy(&binary.mantissa, bytes, 8);
  binary.biased = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
  binary.negative = (bytes[9] & 0x80) != 0;
  binary.exponent = (binary.biased == 0 ? 1 : binary.biased) - 16383 - 63;
  return binary;
}

Real Join(bool negative, std::uint64_t mantissa, int biased) {
  unsigned char bytes[sizeof(Real)] = {};
  std::memcpy(bytes, &mantissa, 8);
  bytes[8] = std::uint8_t(biased & 0xFF);
  bytes[9] = std::uint8_t((biased >> 8) | (negative ? 0x80 : 0));
  Real value;
  std::memcpy(&value, bytes, sizeof(Real));
  return value;
}

// The neighbouring positive finite value one unit away (direction +1 or -1).
Real Neighbour(Real value, int direction) {
  Binary b = Split(value);
  if (direction > 0) {
    if (++b.mantissa == 0) {
      b.mantissa = std::uint64_t(1) << 63;
      ++b.biased;
    } else if (b.biased == 0 && (b.mantissa >> 63) != 0) {
      b.biased = 1;
    }
  } else if (b.mantissa != 0) {
    if (b.biased > 1 && b.mantissa == std::uint64_t(1) << 63) {
      b.mantissa = ~std::uint64_t(0);
      --b.biased;
    } else {
      --b.mantissa;
      if (b.biased == 1 && (b.mantissa >> 63) == 0) b.biased = 0;
    }
  }
  return Join(b.negative, b.mantissa, b.biased);
}

// Checks that n * 10^scale, with exactly `digits` significant digits in n, is
// the value rounded to that many digits, ties to even.
::testing::AssertionResult IsCorrectlyRounded(Real value, int digits, std::uint64_t n, long long scale) {
  const Binary b = Split(value);
  const std::string text = std::to_string(n) + "e" + std::to_string(scale);
  if (b.mantissa == 0) {
    return n == 0 ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "zero gave " << text;
  }
  std::uint64_t low = 1;
  for (int i = 1; i < digits; ++i) low *= 10;
  if (n < low || n >= 10 * low) return ::testing::AssertionFailure() << "not " << digits << " digits: " << text;
  const Exact exact{b.mantissa, 0, b.exponent};
  const Exact upper{2 * U128(n) + 1, scale, -1};
  // Below 10^(digits-1) the next lower number is ten times finer.
  const Exact lower = n == low ? Exact{20 * U128(low) - 1, scale - 1, -1} : Exact{2 * U128(n) - 1, scale, -1};
  const int above = CompareExact(upper, exact);
  const int below = CompareExact(exact, lower);
  const bool even = n % 2 == 0;
  if (above < 0 || below < 0 || (above == 0 && !even) || (below == 0 && !even)) {
    return ::testing::AssertionFailure() << "mantissa " << b.mantissa << " * 2^" << b.exponent << " gave " << text;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsCorrectlyRounded(Real value, const DecimalDigits18& form) {
  std::uint64_t n = 0;
  for (char digit : form.digits) n = n * 10 + std::uint64_t(digit - '0');
  if (form.negative != Split(value).negative && n != 0) return ::testing::AssertionFailure() << "wrong sign";
  if (n == 0 && form.exponent != 0) return ::testing::AssertionFailure() << "zero with an exponent";
  return IsCorrectlyRounded(value, 18, n, form.exponent - 18L);
}

// Reads a plain number text ("-1.5E+20", ".125", "12") back into n * 10^scale
// with `digits` significant digits.
::testing::AssertionResult PlainTextIsCorrectlyRounded(Real value, int digits, const std::string& text) {
  std::uint64_t n = 0;
  long long scale = 0;
  bool afterPoint = false;
  std::size_t i = text[0] == '-' || text[0] == ' ' ? 1 : 0;
  for (; i < text.size() && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      afterPoint = true;
      continue;
    }
    if (text[i] < '0' || text[i] > '9') return ::testing::AssertionFailure() << "bad text " << text;
    n = n * 10 + std::uint64_t(text[i] - '0');
    if (afterPoint) --scale;
  }
  if (i < text.size()) scale += std::stoll(text.substr(i + 1));
  if (afterPoint && text[i - 1] == '0') return ::testing::AssertionFailure() << "trailing zero in " << text;
  for (; n != 0 && n % 10 == 0; n /= 10) ++scale;
  std::uint64_t low = 1;
  for (int j = 1; j < digits; ++j) low *= 10;
  while (n != 0 && n < low) {
    n *= 10;
    --scale;
  }
  return IsCorrectlyRounded(value < 0 ? -value : value, digits, n, scale);
}

// Checks that `result` is the decimal d * 10^k rounded to the nearest value, ties to even.
::testing::AssertionResult IsNearest(std::uint64_t d, long long k, Real result) {
  const Binary r = Split(result);
  const Exact decimal{d, k, 0};
  if (r.biased == 0x7FFF) {
    // Overflow is right only from halfway between the largest value and 2^16384 up.
    const Exact threshold{(U128(~std::uint64_t(0)) << 1) + 1, 0, 16384 - 65};
    return CompareExact(decimal, threshold) >= 0 ? ::testing::AssertionSuccess()
                                                 : ::testing::AssertionFailure() << d << "e" << k << " overflowed";
  }
  const Real up = Neighbour(result, +1);
  const Binary u = Split(up);
  const Exact upperMid{U128(r.mantissa) * 2 + (U128(u.mantissa) << (u.exponent - r.exponent + 1)) / 2, 0,
                       r.exponent - 1};
  const bool even = (r.mantissa & 1) == 0;
  const int above = CompareExact(upperMid, decimal);
  if (above < 0 || (above == 0 && !even))
    return ::testing::AssertionFailure() << d << "e" << k << " rounded down too far";
  if (r.mantissa != 0) {
    const Binary w = Split(Neighbour(result, -1));
    const long long low = std::min(w.exponent, r.exponent);
    const Exact lowerMid{(U128(w.mantissa) << (w.exponent - low)) + (U128(r.mantissa) << (r.exponent - low)), 0,
                         low - 1};
    const int below = CompareExact(decimal, lowerMid);
    if (below < 0 || (below == 0 && !even))
      return ::testing::AssertionFailure() << d << "e" << k << " rounded up too far";
  }
  return ::testing::AssertionSuccess();
}

std::vector<Real> SpecialValues() {
  std::vector<Real> values = {std::numeric_limits<Real>::max(),
                              std::numeric_limits<Real>::min(),
                              std::numeric_limits<Real>::denorm_min(),
                              Join(false, std::uint64_t(1) << 63, 16383 + 16382),  // 2^16382
                              Join(false, std::uint64_t(1) << 63, 1),              // 2^-16382
                              Join(false, ~std::uint64_t(0) >> 1, 0),
                              1,
                              0.1L,
                              2.675L,
                              0.125L};
  for (int k = -4951; k <= 4932; ++k) {
    const Real power = *ParseNumberExact("1e" + std::to_string(k));
    values.push_back(power);
    values.push_back(Neighbour(power, +1));
    values.push_back(Neighbour(power, -1));
  }
  std::erase_if(values, [](Real value) { return Split(value).biased == 0x7FFF; });
  return values;
}

// Values exactly halfway between two 18-digit decimals, and their neighbours.
void AddTies(std::mt19937_64& random, std::size_t count, std::vector<Real>& values) {
  for (std::size_t i = 0; i < count; ++i) {
    const int scale = int(random() % 29) - 2;  // the tie is (2N+1)/2 * 10^-scale
    Real tie;
    if (scale < 0) {
      const std::uint64_t limit = scale == -1 ? 1800000000000000000ull : 360000000000000000ull;
      const std::uint64_t n = 100000000000000000ull + random() % (limit - 100000000000000000ull);
      tie = Real(2 * n + 1) * (scale == -1 ? 5 : 25);
    } else {
      std::uint64_t five = 1;
      for (int j = 0; j < scale; ++j) five *= 5;
      // odd t with 2*10^17 < t * 5^scale < 2*10^18
      const std::uint64_t first = 200000000000000000ull / five + 1;
      const std::uint64_t last = (2000000000000000000ull - 1) / five;
      std::uint64_t t = 0;
      while (t % 2 == 0) t = first + random() % (last - first + 1);
      tie = Real(t);
      for (int j = 0; j <= scale; ++j) tie /= 2;
    }
    values.push_back(tie);
    values.push_back(Neighbour(tie, +1));
    values.push_back(Neighbour(tie, -1));
  }
}

Real RandomBits(std::mt19937_64& random) {
  const bool subnormal = random() % 20 == 0;
  std::uint64_t mantissa = random();
  int biased = int(random() % 32766) + 1;
  if (subnormal) {
    mantissa >>= 1 + random() % 63;
    biased = 0;
  } else {
    mantissa |= std::uint64_t(1) << 63;
  }
  return Join(random() % 2 == 0, mantissa, biased);
}

// Calculator-sized values: magnitudes from 1e-10 to 1e15 with every mantissa bit random.
Real RandomCalculatorValue(std::mt19937_64& random) {
  const int biased = 16383 - 34 + int(random() % 84);
  return Join(random() % 2 == 0, random() | (std::uint64_t(1) << 63), biased);
}

TEST(DecimalExactness, EighteenDigitsAreTheCorrectRoundingOfEveryKindOfValue) {
  std::mt19937_64 random(20261207);
  std::vector<Real> values = SpecialValues();
  AddTies(random, kValueCount / 10, values);
  while (values.size() < kValueCount * 11 / 20) values.push_back(RandomBits(random));
  while (values.size() < kValueCount) values.push_back(RandomCalculatorValue(random));
  std::size_t failures = 0;
  for (Real value : values) {
    const auto verdict = IsCorrectlyRounded(value, ToDecimalDigits18(value));
    if (!verdict && ++failures <= 10) ADD_FAILURE() << verdict.message();
  }
  EXPECT_EQ(failures, 0u) << "of " << values.size() << " values";
}

TEST(DecimalExactness, ParsingGivesTheNearestValue) {
  std::mt19937_64 random(4932);
  std::size_t failures = 0;
  for (std::size_t i = 0; i < kValueCount / 50; ++i) {
    const std::uint64_t d = random() >> (random() % 64);
    // Half of them display-sized, half from the whole range and beyond.
    const long long k = i % 2 ? (long long)(random() % 61) - 30 : (long long)(random() % 9910) - 4970;
    const std::string text = std::to_string(d) + "e" + std::to_string(k);
    const Real parsed = *ParseNumberExact(text);
    const auto verdict = IsNearest(d, k, parsed);
    if (!verdict && ++failures <= 10) ADD_FAILURE() << verdict.message();
    EXPECT_EQ(ParseLeadingNumber(text), parsed);
  }
  EXPECT_EQ(failures, 0u);
}

TEST(DecimalExactness, PlainTextsRoundTheValueItself) {
  // 15 digits come from the value, not from its 18-digit form, so there is
  // no double rounding.
  std::mt19937_64 random(15);
  std::vector<Real> values;
  AddTies(random, kValueCount / 100, values);
  while (values.size() < kValueCount / 20)
    values.push_back(random() % 2 ? RandomBits(random) : RandomCalculatorValue(random));
  for (Real value : values) {
    for (int digits : {15, 18}) {
      const std::string text = PlainNumberText(value, digits, true);
      ASSERT_TRUE(PlainTextIsCorrectlyRounded(value, digits, text)) << text;
      ASSERT_EQ(text[0] == '-', Split(value).negative && value != 0) << text;
    }
  }
}

TEST(DecimalExactness, ReadingBackWithoutTheTextGivesWhatTheTextReads) {
  std::mt19937_64 random(2675);
  std::vector<Real> values = {0.0L,
                              -0.0L,
                              1.0L,
                              -2.675L,
                              0.1L,
                              std::numeric_limits<Real>::denorm_min(),
                              std::numeric_limits<Real>::max(),
                              -std::numeric_limits<Real>::max(),
                              123456789012345678.0L};
  AddTies(random, kValueCount / 100, values);
  while (values.size() < kValueCount / 20)
    values.push_back(random() % 2 ? RandomBits(random) : RandomCalculatorValue(random));
  for (Real value : values) {
    for (int digits : {15, 18}) {
      const Real read = ParseLeadingNumber(PlainNumberText(value, digits));
      const Real readBack = ReadBackPlainNumber(value, digits);
      ASSERT_EQ(std::memcmp(&read, &readBack, 10), 0) << PlainNumberText(value, digits);
    }
  }
}

}  // namespace
}  // namespace tallix
