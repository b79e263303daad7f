// The payments against the textbook formula M = P i (1+i)^N / ((1+i)^N - 1),
// worked here in 45-decimal fixed point on big integers of our own, without
// any of the loan code's arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/loan/loan_math.h"
#include "tools/loan/loan_texts.h"

namespace {

// Unsigned, base 10^9, least significant limb first.
struct Big {
  std::vector<std::uint64_t> limbs;
};
constexpr std::uint64_t kBase = 1'000'000'000;
constexpr int kScaleLimbs = 5;  // fixed point: value * 10^45

Big Trim(Big a) {
  while (!a.limbs.empty() && a.limbs.back() == 0) a.limbs.pop_back();
  return a;
}
Big FromInt(std::uint64_t v) {
  Big a;
  for (; v; v /= kBase) a.limbs.push_back(v % kBase);
  return a;
}
Big Add(const Big& a, const Big& b) {
  Big r;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < std::max(a.limbs.size(), b.limbs.size()) || carry; ++i) {
    carry += (i < a.limbs.size() ? a.limbs[i] : 0) + (i < b.limbs.size() ? b.limbs[i] : 0);
    r.limbs.push_back(carry % kBase);
    carry /= kBase;
  }
  return Trim(r);
}
Big Sub(const Big& a, const Big& b) {  // a >= b
  Big r = a;
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < r.limbs.size(); ++i) {
    std::int64_t d = std::int64_t(r.limbs[i]) - borrow - std::int64_t(i < b.limbs.size() ? b.limbs[i] : 0);
    borrow = d < 0;
    r.limbs[i] = std::uint64_t(d + (borrow ? std::int64_t(kBase) : 0));
  }
  return Trim(r);
}
Big Mul(const Big& a, const Big& b) {
  std::vector<std::uint64_t> r(a.limbs.size() + b.limbs.size() + 1, 0);
  for (std::size_t i = 0; i < a.limbs.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.limbs.size() || carry; ++j) {
      carry += r[i + j] + a.limbs[i] * (j < b.limbs.size() ? b.limbs[j] : 0);
      r[i + j] = carry % kBase;
      carry /= kBase;
    }
  }
  return Trim({r});
}
Big DivSmall(const Big& a, std::uint64_t d) {
  Big r = a;
  std::uint64_t rest = 0;
  for (std::size_t i = r.limbs.size(); i-- > 0;) {
    const std::uint64_t cur = r.limbs[i] + rest * kBase;
    r.limbs[i] = cur / d;
    rest = cur % d;
  }
  return Trim(r);
}
int Compare(const Big& a, const Big& b) {
  if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
  for (std::size_t i = a.limbs.size(); i-- > 0;) {
    if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
  }
  return 0;
}
Big Unscale(const Big& a) {  // divides by 10^45, truncating
  if (a.limbs.size() <= kScaleLimbs) return {};
  return {std::vector<std::uint64_t>(a.limbs.begin() + kScaleLimbs, a.limbs.end())};
}
Big One() {
  Big one;
  one.limbs.assign(kScaleLimbs, 0);
  one.limbs.push_back(1);
  return one;
}
Big FixedMul(const Big& a, const Big& b) { return Unscale(Mul(a, b)); }
Big FixedPow(Big x, int n) {
  Big r = One();
  for (; n; n >>= 1, x = FixedMul(x, x)) {
    if (n & 1) r = FixedMul(r, x);
  }
  return r;
}
// Largest q with q * den <= num.
std::uint64_t Quotient(const Big& num, const Big& den) {
  std::uint64_t low = 0, high = std::uint64_t(1) << 62;
  while (low < high) {
    const std::uint64_t mid = low + (high - low + 1) / 2;
    if (Compare(Mul(FromInt(mid), den), num) <= 0) low = mid; else high = mid - 1;
  }
  return low;
}

// The exact monthly rate of n compoundings of `rateThousandths` / 1000 percent
// a year: the root of (1+i)^12 = (1 + r/100n)^n, found by bisection.
Big MonthlyRate(std::uint64_t rateThousandths, int n) {
  const Big periodic = DivSmall(Mul(FromInt(rateThousandths), One()), 100'000 * std::uint64_t(n));
  if (n == 12) return periodic;
  const Big target = FixedPow(Add(One(), periodic), n);
  Big low, high = periodic;  // the monthly rate lies below the periodic one for n < 12
  if (n > 12) high = DivSmall(Mul(FromInt(rateThousandths), One()), 100'000 * 11);
  for (int step = 0; step < 160; ++step) {
    const Big mid = DivSmall(Add(Add(low, high), FromInt(1)), 2);
    if (Compare(FixedPow(Add(One(), mid), 12), target) <= 0) low = mid; else high = Sub(mid, FromInt(1));
  }
  return low;
}

// The payment in millionths of a dollar.
std::uint64_t ExactPaymentMicros(std::uint64_t amountCents, std::uint64_t rateThousandths, int n, int payments) {
  const Big i = MonthlyRate(rateThousandths, n);
  const Big growth = FixedPow(Add(One(), i), payments);
  const Big numerator = Mul(FromInt(amountCents * 10'000), FixedMul(i, growth));
  return Quotient(numerator, Sub(growth, One()));
}

TEST(LoanCrossCheck, PaymentsAgreeToTheCentWithExactArithmetic) {
  EXPECT_EQ((ExactPaymentMicros(500'000, 6000, 12, 15) + 5000) / 10'000, 34682u);  // 346.82 a month
  int compared = 0;
  for (std::uint64_t cents : {500'000ull, 10'000'000ull, 23'456'789ull}) {
    for (std::uint64_t rate : {3875ull, 6000ull, 6125ull, 8250ull, 12'500ull}) {
      for (int months : {15, 180, 360}) {
        for (int position = 0; position < 6; ++position) {
          using namespace tallix::loan;
          const LoanInputs inputs{double(cents) / 100, float(rate) / 1000, float(months) / 12,
                                  kCompoundings[position].periodsPerYear, 1, 2020};
          const LoanTerms terms = ComputeTerms(inputs);
          ASSERT_EQ(terms.payments, months);
          const std::uint64_t exact = ExactPaymentMicros(cents, rate, inputs.periodsPerYear, months);
          const double difference = terms.payment - double(exact) / 1e6;
          // The rate is kept in single precision: a few parts in 10^8 of the payment.
          EXPECT_LT(std::abs(difference), 5e-4) << cents << " " << rate << " " << months << " " << position;
          const std::string shown = ResultTexts(inputs.amount, terms)[0];
          const double shownValue = ReadAmount(shown);
          const std::uint64_t exactCents = (exact + 5000) / 10'000;
          const bool nearHalfCent = (exact % 10'000 > 4'500) && (exact % 10'000 < 5'500);
          if (!nearHalfCent) {
            EXPECT_EQ(std::llround(shownValue * 100), std::int64_t(exactCents)) << shown;
          }
          EXPECT_LT(ComputeSchedule(inputs, terms).back().balance, 0.01);
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 270);
}

}  // namespace
