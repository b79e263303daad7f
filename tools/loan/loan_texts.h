#pragma once
// The loan window's texts: how its input fields are read and re-formatted,
// and the texts of the result fields, the schedule rows and the tape block.
// tallix-cli loan uses the same texts, so that both show the same figures.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/real.h"
#include "tools/loan/loan_math.h"

namespace tallix::loan {

inline constexpr std::string_view kAmountMask = "$#,###,###.00";
// An amount as the window shows every amount ("$1,234.50"), and a payment's
// month as the schedule dates it ("03/2010").
std::string Money(Real value);
std::string ScheduleDate(int month, int year);

// The leading number of the text once every "$" and "," is removed; 0 if none.
double ReadAmount(std::string_view text);
// The same once every "%" is removed.
float ReadRate(std::string_view text);
float ReadYears(std::string_view text);

// What a field shows once it has lost the focus: the amount as "$100,000.00"
// (an empty field as "$0.00"); the rate as "8.25%", with up to four decimals
// when it was typed with more than two ("6.125%"), since a rate rounded to
// cents of a percent would change the payment. An empty rate stays empty.
std::string ReformatAmount(std::string_view text);
std::string ReformatRate(std::string_view text);

struct LoanDate {
  int month = 1;
  int day = 1;
  int year = 2000;
};
// "MM-dd-yyyy"; nullopt unless the text is exactly that, with a real date.
std::optional<LoanDate> ParseLoanDate(std::string_view text);
std::string LoanDateText(const LoanDate& date);

// The inputs as the fields show them: the amount and rate once re-formatted,
// the date as "MM-dd-yyyy", the compounding as its position in kCompoundings
// (anything else reads as monthly).
struct LoanFieldTexts {
  std::string amount;
  std::string rate;
  std::string years;
  std::string date;
  int compounding = kMonthlyCompounding;
};
LoanInputs ReadInputs(const LoanFieldTexts& fields);

// The six result fields, in the window's order; all empty for terms with a problem.
inline constexpr std::array<std::string_view, 6> kResultLabels = {
    "Monthly Payments", "Total Number of Payments", "Yearly Principal + Interest",
    "Principal Amount", "Finance Charges",          "Total Cost"};
std::array<std::string, 6> ResultTexts(double amount, const LoanTerms& terms);

// Why nothing was computed, for the window and the command line; empty for
// kNone and kMissingInput (an empty field says that by itself).
std::string ProblemText(LoanProblem problem);

// The list view's seven columns with their widths, and one row's texts.
struct ScheduleColumn {
  std::string_view title;
  int width;
};
inline constexpr std::array<ScheduleColumn, 7> kScheduleColumns = {{{"#", 30},
                                                                    {"Date", 60},
                                                                    {"Principal", 80},
                                                                    {"Interest", 80},
                                                                    {"T.Principal", 80},
                                                                    {"T.Interest", 80},
                                                                    {"Balance", 80}}};
using ScheduleRowTexts = std::array<std::string, 7>;
ScheduleRowTexts RowTexts(const ScheduleRow& row);

// The window's inputs and results as they show, for the tape block and the
// printed report.
struct LoanSheet {
  std::string name;
  std::string amount;
  std::string rate;
  std::string years;
  std::string compounding;
  std::array<std::string, 6> results;
};
// The block Calculate adds to the tape, a line each, empty lines included.
std::vector<std::string> TapeBlock(const LoanSheet& sheet);

}  // namespace tallix::loan
