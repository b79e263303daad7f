// The payments against the textbook formula M = P i (1+i)^N / ((1+i)^N - 1),
// worked here in 30-decimal fixed point on 128-bit integers, without any of
// the loan code's arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tools/loan/loan_math.h"
#include "tools/loan/loan_texts.h"

namespace {

using Fixed = unsigned __int128;                // value * 10^30, for values below 100
constexpr Fixed kHalf = 1'000'000'000'000'000;  // 10^15
constexpr Fixed kOne = kHalf * kHalf;

// a * b / 10^30, truncated, in halves that keep every product within 128 bits.
Fixed Mul(Fixed a, Fixed b) {
  const Fixed a1 = a / kHalf, a0 = a % kHalf, b1 = b / kHalf, b0 = b % kHalf;
  return a1 * b1 + (a1 * b0 + a0 * b1) / kHalf + a0 * b0 / kOne;
}
Fixed Pow(Fixed x, int n) {
  Fixed result = kOne;
  for (; n; n >>= 1, x = Mul(x, x)) {
    if (n & 1) result = Mul(result, x);
  }
  return result;
}
// The largest q in [0, high) with grows(q) false, for an increasing test.
template <class Test>
Fixed Bisect(Fixed high, Test grows) {
  Fixed low = 0;
  while (high - low > 1) {
    const Fixed mid = low + (high - low) / 2;
    (grows(mid) ? high : low) = mid;
  }
  return low;
}

// The exact monthly rate of n compoundings of `rateThousandths` / 1000 percent
// a year: the root of (1+i)^12 = (1 + r/100n)^n.
Fixed MonthlyRate(std::uint64_t rateThousandths, int n) {
  const Fixed periodic = rateThousandths * kOne / (100'000 * Fixed(n));
  if (n == 12) return periodic;
  const Fixed target = Pow(kOne + periodic, n);
  return Bisect(kOne / 10, [&](Fixed i) { return Pow(kOne + i, 12) > target; });
}

// The payment in millionths of a dollar.
std::uint64_t ExactPaymentMicros(std::uint64_t amountCents, std::uint64_t rateThousandths, int n, int payments) {
  const Fixed i = MonthlyRate(rateThousandths, n);
  const Fixed growth = Pow(kOne + i, payments);
  const Fixed factor = Bisect(kOne, [&](Fixed q) { return Mul(q, growth - kOne) > Mul(i, growth); });
  return std::uint64_t(amountCents * factor / (kOne / 10'000));
}

TEST(LoanCrossCheck, PaymentsAgreeToTheCentWithExactArithmetic) {
  EXPECT_EQ((ExactPaymentMicros(500'000, 6000, 12, 15) + 5000) / 10'000, 34682u);  // 346.82 a month
  for (std::uint64_t cents : {500'000ull, 10'000'000ull, 23'456'789ull}) {
    for (std::uint64_t rate : {3875ull, 6000ull, 6125ull, 8250ull, 12'500ull}) {
      for (int months : {15, 180, 360}) {
        for (int position = 0; position < 6; ++position) {
          using namespace tallix::loan;
          const LoanInputs inputs{double(cents) / 100,
                                  float(rate) / 1000,
                                  float(months) / 12,
                                  kCompoundings[position].periodsPerYear,
                                  1,
                                  2020};
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
        }
      }
    }
  }
}

}  // namespace
