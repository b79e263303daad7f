#include "tools/loan/loan_texts.h"

#include <algorithm>
#include <cstdio>

#include "services/format_mask.h"
#include "services/number_text.h"
#include "tools/loan/narrowing.h"

namespace tallix::loan {

namespace {

Real ReadWithout(std::string_view text, std::string_view dropped) {
  std::string kept;
  for (char c : text) {
    if (dropped.find(c) == std::string_view::npos) kept.push_back(c);
  }
  return ParseLeadingNumber(kept);
}

int DaysInMonth(int month, int year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::string Money(Real value) { return FormatNumber(value, kAmountMask); }

std::string ScheduleDate(int month, int year) { return FormatNumber(month, "00") + "/" + FormatNumber(year, "0000"); }

double ReadAmount(std::string_view text) { return NarrowTo<double>(ReadWithout(text, "$,")); }
float ReadRate(std::string_view text) { return NarrowTo<float>(ReadWithout(text, "%")); }
float ReadYears(std::string_view text) { return NarrowTo<float>(ParseLeadingNumber(text)); }

std::string ReformatAmount(std::string_view text) { return Money(ReadWithout(text, "$,")); }

std::string ReformatRate(std::string_view text) {
  if (text.empty()) return {};
  const Real percent = ReadWithout(text, "%");
  const std::string plain = PlainNumberText(percent, 15);
  const std::size_t point = plain.find('.');
  const std::size_t decimals =
      point == std::string::npos || plain.find('E') != std::string::npos ? 0 : plain.size() - point - 1;
  const std::string mask = "0." + std::string(std::clamp<std::size_t>(decimals, 2, 4), '0') + "%";
  return FormatNumber(percent / 100, mask);
}

std::optional<LoanDate> ParseLoanDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '-' || text[5] != '-') return std::nullopt;
  for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  const LoanDate date{number(0, 2), number(3, 2), number(6, 4)};
  // The date picker takes nothing before the Gregorian calendar's use in Windows.
  if (date.year < 1601 || date.month < 1 || date.month > 12) return std::nullopt;
  if (date.day < 1 || date.day > DaysInMonth(date.month, date.year)) return std::nullopt;
  return date;
}

std::string LoanDateText(const LoanDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", date.month, date.day, date.year);
  return text;
}

LoanInputs ReadInputs(const LoanFieldTexts& fields) {
  LoanInputs inputs;
  inputs.amount = ReadAmount(fields.amount);
  inputs.ratePercent = ReadRate(fields.rate);
  inputs.years = ReadYears(fields.years);
  const bool known = fields.compounding >= 0 && fields.compounding < int(kCompoundings.size());
  inputs.periodsPerYear = kCompoundings[known ? fields.compounding : kMonthlyCompounding].periodsPerYear;
  if (const std::optional<LoanDate> date = ParseLoanDate(fields.date)) {
    inputs.firstMonth = date->month;
    inputs.firstYear = date->year;
  }
  return inputs;
}

std::array<std::string, 6> ResultTexts(double amount, const LoanTerms& terms) {
  if (terms.problem != LoanProblem::kNone) return {};
  const Real payment = terms.payment;
  const Real total = terms.payments * payment;
  return {Money(payment), std::to_string(terms.payments), Money(12 * payment),
          Money(amount),  Money(total - amount),          Money(total)};
}

std::string ProblemText(LoanProblem problem) {
  switch (problem) {
    case LoanProblem::kTooShort:
      return "The duration is too short for a single monthly payment (at least 0.0417 years).";
    case LoanProblem::kTooLong: return "The duration is too long: at most 100 years (1,200 payments).";
    case LoanProblem::kNotShowable:
      return "The payment cannot be calculated: the amount or rate is too large (or the rate too small) for "
             "numbers that can be shown.";
    default: return {};
  }
}

ScheduleRowTexts RowTexts(const ScheduleRow& row) {
  return {std::to_string(row.number), ScheduleDate(row.month, row.year), Money(row.principal), Money(row.interest),
          Money(row.totalPrincipal),  Money(row.totalInterest),          Money(row.balance)};
}

std::vector<std::string> TapeBlock(const LoanSheet& sheet) {
  return {"Loan Analysis...",
          "Loan Name: " + sheet.name,
          "Amount Financed: " + sheet.amount,
          "Annual Interest: " + sheet.rate,
          "Duration in Years: " + sheet.years,
          "Compounded: " + sheet.compounding,
          "",
          "Monthly Payments: " + sheet.results[0],
          "Total # Payments: " + sheet.results[1],
          "Yearly Prin + Int: " + sheet.results[2],
          "",
          "Principal Amount: " + sheet.results[3],
          "Finance Charges: " + sheet.results[4],
          "Total Cost: " + sheet.results[5],
          ""};
}

}  // namespace tallix::loan
