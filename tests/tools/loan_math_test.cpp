#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "tools/loan/loan_math.h"
#include "tools/loan/loan_texts.h"

namespace tallix::loan {
namespace {

struct Loan {
  LoanInputs inputs;
  LoanTerms terms;
  std::array<std::string, 6> results;
  std::vector<ScheduleRow> rows;
};

// As the window computes once the fields have lost the focus.
Loan Compute(const std::string& amount, const std::string& rate, const std::string& years,
             int compounding = kMonthlyCompounding, const std::string& date = "03-15-2010") {
  Loan loan;
  loan.inputs = ReadInputs({ReformatAmount(amount), ReformatRate(rate), years, date, compounding});
  loan.terms = ComputeTerms(loan.inputs);
  loan.results = ResultTexts(loan.inputs.amount, loan.terms);
  loan.rows = ComputeSchedule(loan.inputs, loan.terms);
  return loan;
}

TEST(LoanMath, WorkedExampleFieldsAndSchedule) {
  const Loan loan = Compute("100000", "8.25", "30");
  EXPECT_EQ(loan.terms.monthlyRate, 0.006875f);
  EXPECT_EQ(loan.results,
            (std::array<std::string, 6>{"$751.27", "360", "$9,015.20", "$100,000.00", "$170,455.98", "$270,455.98"}));
  ASSERT_EQ(loan.rows.size(), 360u);
  EXPECT_EQ(RowTexts(loan.rows[0]),
            (ScheduleRowTexts{"1", "03/2010", "$63.77", "$687.50", "$63.77", "$687.50", "$99,936.23"}));
  EXPECT_EQ(RowTexts(loan.rows[1])[1], "04/2010");
  EXPECT_EQ(RowTexts(loan.rows[9])[1], "12/2010");
  EXPECT_EQ(RowTexts(loan.rows[10])[1], "01/2011");
  EXPECT_EQ(RowTexts(loan.rows[359])[0], "360");
  EXPECT_EQ(RowTexts(loan.rows[359])[6].find('-'), std::string::npos);
  EXPECT_EQ(Compute("100000", "8.25", "30", 2, "11-01-2010").rows[2].year, 2011);
}

TEST(LoanMath, DurationsRoundToWholePaymentsHalvesToEven) {
  for (const auto& [years, payments] : std::vector<std::pair<const char*, int>>{
           {".5", 6}, {"2.5", 30}, {"1.04", 12}, {"1.0416666", 12}, {"1.125", 14}, {"1.375", 16}, {"100", 1200}}) {
    const Loan loan = Compute("1000", "5", years);
    EXPECT_EQ(loan.terms.payments, payments) << years;
    EXPECT_EQ(loan.rows.size(), std::size_t(payments)) << years;
  }
}

TEST(LoanMath, InputsThatGiveNoPaymentBlankTheResultsAndSayWhy) {
  for (const auto& [amount, rate, years] : std::vector<std::array<const char*, 3>>{{"100000", "0", "30"},
                                                                                   {"100000", "", "30"},
                                                                                   {"0", "8", "30"},
                                                                                   {"-5", "8", "30"},
                                                                                   {"abc", "8", "30"},
                                                                                   {"1000", "8", "-1"}}) {
    const Loan loan = Compute(amount, rate, years);
    EXPECT_EQ(loan.terms.problem, LoanProblem::kMissingInput) << amount << " " << rate << " " << years;
    EXPECT_TRUE(loan.rows.empty());
  }
  // Under half a month (1/24 year) there is no payment to divide by.
  const Loan tooShort = Compute("1000", "8", "0.04");
  EXPECT_EQ(tooShort.terms.problem, LoanProblem::kTooShort);
  EXPECT_EQ(tooShort.results, (std::array<std::string, 6>{}));
  EXPECT_TRUE(tooShort.rows.empty());
  EXPECT_FALSE(ProblemText(LoanProblem::kTooShort).empty());
  for (const char* years : {"100.1", "1e9", "1e400"}) {
    const Loan tooLong = Compute("1000", "8", years);
    EXPECT_EQ(tooLong.terms.problem, LoanProblem::kTooLong) << years;
    EXPECT_TRUE(tooLong.rows.empty());
  }
  EXPECT_FALSE(ProblemText(LoanProblem::kTooLong).empty());
  EXPECT_EQ(PaymentCount(3e9f), std::numeric_limits<std::int32_t>::max());
  // Figures beyond range would show as Infinity or NaN: nothing is computed.
  for (const auto& [amount, rate, years, compounding] :
       std::vector<std::tuple<const char*, const char*, const char*, int>>{{"1e309", "6", "30", 2},
                                                                           {"1000", "1e39", "30", 2},
                                                                           {"1000", "1e4932", "30", 2},
                                                                           {"1000", "1e40", "1", 2},
                                                                           {"1e308", "6", "30", 2},
                                                                           {"1e306", "1e30", "1", 2},
                                                                           {"1000", "1e30", "30", 0}}) {
    const Loan loan = Compute(amount, rate, years, compounding);
    EXPECT_EQ(loan.terms.problem, LoanProblem::kNotShowable) << amount << " " << rate;
    EXPECT_EQ(loan.results, (std::array<std::string, 6>{}));
    EXPECT_TRUE(loan.rows.empty());
  }
  EXPECT_FALSE(ProblemText(LoanProblem::kNotShowable).empty());
  EXPECT_EQ(Compute("1e300", "6", "30").terms.problem, LoanProblem::kNone);
}

TEST(LoanMath, CompoundingChangesTheMonthlyRate) {
  EXPECT_NEAR(MonthlyRate(8.25f, 365), 0.0068979, 1e-7);
  EXPECT_EQ(MonthlyRate(12, 1), static_cast<float>(std::pow(1.12L, 1.0L / 12) - 1));
  EXPECT_GT(Compute("100000", "8.25", "30", 0).terms.payment, Compute("100000", "8.25", "30", 5).terms.payment);
  // A position outside the list reads as monthly.
  EXPECT_EQ(Compute("100000", "8.25", "30", 9).results[0], "$751.27");
}

TEST(LoanTexts, FieldsReadWithTheirSignsAndReformatOnFocusLoss) {
  EXPECT_EQ(ReadAmount("$100,000.00"), 100000);
  EXPECT_EQ(ReadRate("8.25%"), 8.25f);
  EXPECT_EQ(ReadYears(".5 years"), 0.5f);
  EXPECT_EQ(ReformatAmount("100000"), "$100,000.00");
  EXPECT_EQ(ReformatAmount(""), "$0.00");
  EXPECT_EQ(ReformatRate("8.25"), "8.25%");
  EXPECT_EQ(ReformatRate("8.1%"), "8.10%");
  EXPECT_EQ(ReformatRate(""), "");
  // Eighths and other finer rates keep up to four decimals, and so their payment.
  EXPECT_EQ(ReformatRate("6.125"), "6.125%");
  EXPECT_EQ(ReformatRate("6.125%"), "6.125%");
  EXPECT_EQ(ReformatRate("6.123456"), "6.1235%");
  EXPECT_NE(Compute("200000", "6.125", "30").results[0], Compute("200000", "6.12", "30").results[0]);
}

TEST(LoanTexts, DatesAreExactlyMonthDayYear) {
  EXPECT_EQ(LoanDateText(*ParseLoanDate("02-29-2012")), "02-29-2012");
  for (const char* bad : {"02-29-2011", "13-01-2010", "3-15-2010", "03/15/2010", "03-15-10", "00-10-2010", ""}) {
    EXPECT_FALSE(ParseLoanDate(bad)) << bad;
  }
}

TEST(LoanTexts, TapeBlockLinesInOrder) {
  const std::vector<std::string> block =
      TapeBlock({"Home", "$100,000.00", "8.25%", "30", "Monthly", {"a", "b", "c", "d", "e", "f"}});
  ASSERT_EQ(block.size(), 15u);
  EXPECT_EQ(block[0], "Loan Analysis...");
  EXPECT_EQ(block[1], "Loan Name: Home");
  EXPECT_EQ(block[5], "Compounded: Monthly");
  EXPECT_EQ(block[6], "");
  EXPECT_EQ(block[9], "Yearly Prin + Int: c");
  EXPECT_EQ(block[13], "Total Cost: f");
  EXPECT_EQ(block[14], "");
}

}  // namespace
}  // namespace tallix::loan
