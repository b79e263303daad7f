// tallix-cli loan: the loan window's results and schedule for the inputs given
// as arguments, read and shown exactly as the window reads and shows them.

#include <array>
#include <ctime>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "app/settings/settings_io.h"
#include "services/ascii_case.h"
#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_chart_svg.h"
#include "tools/loan/loan_math.h"
#include "tools/loan/loan_texts.h"

namespace tallix::cli {

namespace {

using namespace tallix::loan;

constexpr std::string_view kOptionNames[] = {"daily", "weekly", "monthly", "quarterly", "semi-annually", "annually"};

struct LoanOptions {
  std::vector<std::string> values;  // AMOUNT, RATE and YEARS as given
  LoanFieldTexts fields;
  bool csv = false;
  std::string chart;  // the SVG file to write, if any
};

std::string Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return LoanDateText({local->tm_mon + 1, local->tm_mday, local->tm_year + 1900});
}

// Returns an error text, or an empty one when the arguments are sound.
std::string ParseOptions(const Args& args, LoanOptions& options) {
  options.fields.date = Today();
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--compounding" || arg == "--first" || arg == "--chart";
    if (takesValue && i + 1 >= args.size()) return arg + " needs a value";
    if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--compounding") {
      const std::string& name = args[++i];
      int position = 0;
      while (position < int(std::size(kOptionNames)) && !EqualsIgnoringCase(kOptionNames[position], name)) ++position;
      if (position == int(std::size(kOptionNames))) return "unknown compounding " + QuoteInput(name);
      options.fields.compounding = position;
    } else if (arg == "--chart") {
      options.chart = args[++i];
      if (options.chart.empty()) return "--chart needs a file name";
    } else if (arg == "--first") {
      options.fields.date = args[++i];
      if (!ParseLoanDate(options.fields.date)) return "--first needs a date as MM-DD-YYYY, not " + QuoteInput(args[i]);
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      return "unknown option " + QuoteInput(arg);
    } else {
      options.values.push_back(arg);
    }
  }
  if (options.values.size() != 3) return "needs AMOUNT, RATE and YEARS";
  return {};
}

// True when the commas of `text` stand only between groups of three digits:
// the window drops every comma of an amount, so "1,5" would be read as 15.
bool CommasGroupThousands(std::string_view text) {
  const auto digit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  const std::size_t fraction = text.find_first_of(".eE");
  for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',', comma + 1)) {
    const bool grouping = comma > 0 && comma < fraction && digit(comma - 1) && digit(comma + 1) && digit(comma + 2) &&
                          digit(comma + 3) && !digit(comma + 4);
    if (!grouping) return false;
  }
  return true;
}

std::string Without(std::string text, std::string_view dropped) {
  std::erase_if(text, [&](char c) { return dropped.find(c) != std::string_view::npos; });
  return text;
}

// The window reads each field by its leading number once its "$", "," or "%"
// are gone, dropping whatever follows ("30abc", "1,5" meant as 1.5) without
// a word; here such text is refused. Returns the refusal, or an empty text.
std::string NotANumber(const std::vector<std::string>& values) {
  const std::string amount = Without(values[0], "$");
  const std::string digits[] = {CommasGroupThousands(amount) ? Without(amount, ",") : amount, Without(values[1], "%"),
                                values[2]};
  constexpr std::string_view kNames[] = {"AMOUNT", "RATE", "YEARS"};
  for (std::size_t i = 0; i < std::size(digits); ++i) {
    if (!IsNumberAsTheWindowReadsIt(digits[i])) {
      return std::string(kNames[i]) + " " + QuoteInput(values[i]) + " is not a number";
    }
  }
  return {};
}

// A CSV field, quoted when it holds a separator (the amounts' grouping commas).
std::string CsvField(const std::string& text) {
  return text.find_first_of(",\"") == std::string::npos ? text : "\"" + text + "\"";
}

void PrintRow(std::ostream& out, std::span<const std::string> texts, bool csv) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out << (csv ? ',' : '\t');
    out << (csv ? CsvField(texts[i]) : texts[i]);
  }
  out << '\n';
}

}  // namespace

int RunLoan(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  LoanOptions options;
  if (const std::string problem = ParseOptions(args, options); !problem.empty()) {
    err << "tallix-cli loan: " << problem << "\nusage:\n" << kLoanUsage;
    return 2;
  }
  if (const std::string problem = NotANumber(options.values); !problem.empty()) {
    err << "tallix-cli loan: " << problem << "\n";
    return 1;
  }
  // As the window's fields show them once they have lost the focus.
  options.fields.amount = ReformatAmount(options.values[0]);
  options.fields.rate = ReformatRate(options.values[1]);
  options.fields.years = options.values[2];
  const LoanInputs inputs = ReadInputs(options.fields);
  const LoanTerms terms = ComputeTerms(inputs);
  if (terms.problem != LoanProblem::kNone) {
    const std::string why = ProblemText(terms.problem);
    err << "tallix-cli loan: " << (why.empty() ? "AMOUNT, RATE and YEARS must be numbers above zero." : why) << "\n";
    return 1;
  }
  const std::vector<ScheduleRow> rows = ComputeSchedule(inputs, terms);
  // Written before the table, so that a file that cannot be written stops
  // the command before anything is printed as if all went well.
  if (!options.chart.empty()) {
    std::string reason;
    if (!ReplaceFileAtomically(options.chart, LoanChartSvg(ChartDataOf(inputs.amount, rows)), &reason)) {
      err << "tallix-cli loan: the chart could not be written to " << options.chart << ": " << reason << "\n";
      return 1;
    }
  }
  const std::array<std::string, 6> results = ResultTexts(inputs.amount, terms);
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (options.csv) {
      PrintRow(out, std::array{std::string(kResultLabels[i]), results[i]}, true);
    } else {
      out << kResultLabels[i] << ": " << results[i] << '\n';
    }
  }
  out << '\n';
  ScheduleRowTexts heading;
  for (std::size_t i = 0; i < heading.size(); ++i) heading[i] = kScheduleColumns[i].title;
  PrintRow(out, heading, options.csv);
  for (const ScheduleRow& row : rows) PrintRow(out, RowTexts(row), options.csv);
  return FinishStreams("loan", in, out, err, 0);
}

}  // namespace tallix::cli
