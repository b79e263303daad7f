#include "tools/loan/loan_chart.h"

#include "tools/loan/loan_texts.h"

namespace tallix::loan {

namespace {

std::string Counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "30 years", "6 months", "2 years and 6 months".
std::string Duration(int payments) {
  const int years = payments / 12, months = payments % 12;
  if (months == 0) return Counted(years, "year", "years");
  if (years == 0) return Counted(months, "month", "months");
  return Counted(years, "year", "years") + " and " + Counted(months, "month", "months");
}

}  // namespace

LoanChartData ChartDataOf(double amount, std::span<const ScheduleRow> rows) {
  LoanChartData data;
  data.amount = amount;
  if (rows.empty()) return data;
  data.firstMonth = rows.front().month;
  data.firstYear = rows.front().year;
  data.balances.reserve(rows.size());
  data.years.reserve(rows.size() / 12 + 1);
  Real principal = 0, interest = 0;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    data.balances.push_back(rows[k].balance);
    principal += rows[k].principal;
    interest += rows[k].interest;
    if (k % 12 == 11 || k + 1 == rows.size()) {
      data.years.push_back({double(principal), double(interest), int(k % 12) + 1});
      principal = interest = 0;
    }
  }
  for (std::size_t year = 0; year < data.years.size(); ++year) {
    if (data.years[year].principal > data.years[year].interest) {
      data.crossoverYear = int(year) + 1;
      break;
    }
  }
  return data;
}

std::string DescribeLoanChart(const LoanChartData& data) {
  if (data.Empty()) return "No loan calculated.";
  std::string words = "Balance falls from " + Money(data.amount) + " to " + Money(data.balances.back()) + " over " +
                      Duration(int(data.balances.size())) + "; ";
  if (data.crossoverYear == 0) return words + "interest exceeds principal in every year.";
  return words + "principal exceeds interest from year " + std::to_string(data.crossoverYear) + ".";
}

}  // namespace tallix::loan
