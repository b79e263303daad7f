#pragma once
// The loan's arithmetic: the monthly rate for a compounding, the number of
// monthly payments, the payment and the amortization schedule. Each stored
// value keeps the width the loan window has always given it (a single-precision
// rate, a 32-bit count, double amounts), with extended precision in between,
// so that every cent agrees with the figures users already have on paper.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tallix::loan {

// The compounding choices in the order of the window's drop-down list.
struct Compounding {
  std::string_view text;
  int periodsPerYear;
};
inline constexpr std::array<Compounding, 6> kCompoundings = {
    {{"Daily", 365}, {"Weekly", 52}, {"Monthly", 12}, {"Quarterly", 4}, {"Semi-Annually", 2}, {"Annualy", 1}}};
inline constexpr int kMonthlyCompounding = 2;

// Beyond this a schedule would be an unreadable list of payments (and beyond
// 178 million years the count would not fit its 32 bits at all).
inline constexpr float kMaxYears = 100;

struct LoanInputs {
  double amount = 0;
  float ratePercent = 0;
  float years = 0;
  int periodsPerYear = 12;  // 0 reads as 12
  int firstMonth = 1;       // 1..12
  int firstYear = 2000;
};

enum class LoanProblem {
  kNone,
  kMissingInput,  // an amount, rate or duration that is not above zero
  kTooShort,      // under half a month: not a single payment
  kTooLong,       // more than kMaxYears
  kNotShowable,   // a figure beyond the double range, or a rate too small to change a balance
};

struct LoanTerms {
  LoanProblem problem = LoanProblem::kNone;
  float monthlyRate = 0;
  std::int32_t payments = 0;
  double payment = 0;
};

struct ScheduleRow {
  int number = 0;
  int month = 0;
  int year = 0;
  double principal = 0;
  double interest = 0;
  double totalPrincipal = 0;
  double totalInterest = 0;
  double balance = 0;
};

// The equivalent monthly rate of `periodsPerYear` compoundings a year.
float MonthlyRate(float ratePercent, int periodsPerYear);
// Twelve a year, a half month going to the even count.
std::int32_t PaymentCount(float years);
// The rate, count and payment; only `problem` is set when there is none.
LoanTerms ComputeTerms(const LoanInputs& inputs);
// Whether every figure the terms lead to (the payment, the yearly and total
// sums, each schedule row) is a finite number: a schedule row's values never
// pass the total cost, so the payment and that total decide.
bool FiguresAreFinite(const LoanInputs& inputs, const LoanTerms& terms);
// One row a payment, dated month by month from the first payment.
std::vector<ScheduleRow> ComputeSchedule(const LoanInputs& inputs, const LoanTerms& terms);

}  // namespace tallix::loan
