#include "tools/loan/loan_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "tools/loan/narrowing.h"

namespace tallix::loan {

namespace {
using Extended = long double;
}  // namespace

float MonthlyRate(float ratePercent, int periodsPerYear) {
  const Extended n = periodsPerYear == 0 ? 12 : periodsPerYear;
  return NarrowTo<float>(std::pow(1 + (Extended{ratePercent} / 100) / n, n / 12) - 1);
}

std::int32_t PaymentCount(float years) {
  // Rounds to nearest, ties to even, in the default rounding mode.
  const Extended count = std::nearbyint(12 * Extended{years});
  constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(count)) return 0;
  if (std::fabs(count) > kMost) return count < 0 ? -kMost : kMost;
  return static_cast<std::int32_t>(count);
}

LoanTerms ComputeTerms(const LoanInputs& inputs) {
  LoanTerms terms;
  // Written so that a NaN fails the tests too.
  if (!(inputs.amount > 0) || !(inputs.ratePercent > 0) || !(inputs.years > 0)) {
    terms.problem = LoanProblem::kMissingInput;
  } else if (!(inputs.years <= kMaxYears)) {
    terms.problem = LoanProblem::kTooLong;
  } else if (PaymentCount(inputs.years) == 0) {
    terms.problem = LoanProblem::kTooShort;
  }
  if (terms.problem != LoanProblem::kNone) return terms;
  terms.monthlyRate = MonthlyRate(inputs.ratePercent, inputs.periodsPerYear);
  terms.payments = PaymentCount(inputs.years);
  const Extended i = terms.monthlyRate;
  const Extended shrink = std::pow(1 + i, -static_cast<Extended>(terms.payments));
  terms.payment = NarrowTo<double>(inputs.amount * i / (1 - shrink));
  if (!FiguresAreFinite(inputs, terms)) return LoanTerms{LoanProblem::kNotShowable};
  return terms;
}

bool FiguresAreFinite(const LoanInputs& inputs, const LoanTerms& terms) {
  const Extended periods = std::max<Extended>(12, terms.payments);
  return std::isfinite(inputs.amount) && std::isfinite(terms.monthlyRate) && std::isfinite(terms.payment) &&
         std::isfinite(NarrowTo<double>(periods * Extended{terms.payment}));
}

std::vector<ScheduleRow> ComputeSchedule(const LoanInputs& inputs, const LoanTerms& terms) {
  std::vector<ScheduleRow> rows;
  if (terms.problem != LoanProblem::kNone) return rows;
  rows.reserve(static_cast<std::size_t>(terms.payments));
  const Extended i = terms.monthlyRate;
  ScheduleRow row;
  row.month = inputs.firstMonth;
  row.year = inputs.firstYear;
  row.balance = inputs.amount;
  for (std::int32_t k = 1; k <= terms.payments; ++k) {
    if (k > 1 && ++row.month > 12) {
      row.month = 1;
      ++row.year;
    }
    row.number = k;
    row.interest = NarrowTo<double>(row.balance * i);
    row.principal = NarrowTo<double>(Extended{terms.payment} - row.interest);
    // The last payment may overshoot by a fraction of a cent; a balance
    // never shows a minus sign.
    row.balance = NarrowTo<double>(std::fabs(Extended{row.balance} - row.principal));
    row.totalInterest = NarrowTo<double>(Extended{row.totalInterest} + row.interest);
    row.totalPrincipal = NarrowTo<double>(Extended{row.totalPrincipal} + row.principal);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace tallix::loan
