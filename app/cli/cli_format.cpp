// tallix-cli format: the format masks applied to numbers read from a stream.

#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "services/format_mask.h"
#include "services/number_text.h"

namespace tallix::cli {

namespace {

enum class Mode { kPicture, kUsing, kPlain, kPlainSpace };

struct FormatOptions {
  Mode mode = Mode::kPicture;
  std::optional<std::string> mask;
  int digits = 18;
};

constexpr const char* kUsage = "usage: tallix-cli format MASK | --using MASK | --plain 15|18 | --plain-space 15|18\n";

// Returns an error text, or an empty one when the options are sound.
std::string ParseOptions(const Args& args, FormatOptions& options) {
  bool onlyMask = false;
  bool modeChosen = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!onlyMask && arg == "--") {
      onlyMask = true;
    } else if (!onlyMask && arg == "--using") {
      if (modeChosen) return "--using cannot be combined with another mode";
      options.mode = Mode::kUsing;
      modeChosen = true;
    } else if (!onlyMask && (arg == "--plain" || arg == "--plain-space")) {
      if (modeChosen) return arg + " cannot be combined with another mode";
      if (i + 1 >= args.size() || (args[i + 1] != "15" && args[i + 1] != "18")) {
        return arg + " needs 15 or 18 significant digits";
      }
      options.mode = arg == "--plain" ? Mode::kPlain : Mode::kPlainSpace;
      options.digits = std::stoi(args[++i]);
      modeChosen = true;
    } else if (!onlyMask && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      return "unknown option \"" + arg + "\"";
    } else if (options.mask) {
      return "more than one MASK given (\"" + *options.mask + "\" and \"" + arg + "\")";
    } else {
      options.mask = arg;
    }
  }
  const bool plain = options.mode == Mode::kPlain || options.mode == Mode::kPlainSpace;
  if (plain && options.mask) return "--plain and --plain-space take no MASK";
  if (!plain && !options.mask) return "missing MASK";
  return {};
}

// One input line formatted, and why a value of it does not show in the text
// (empty when all do).
struct FormattedLine {
  std::string text;
  std::string missingValues;
};

std::string CountOf(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// Nullopt when the line holds something that is not a number.
std::optional<FormattedLine> FormatLine(const std::string& line, const FormatOptions& options) {
  if (options.mode == Mode::kUsing) {
    std::istringstream words(line);
    std::vector<Real> values;
    for (std::string word; words >> word;) {
      const std::optional<Real> value = ParseNumberExact(word);
      if (!value) return std::nullopt;
      values.push_back(*value);
    }
    if (values.empty()) return std::nullopt;
    FormattedLine formatted{FormatUsing(*options.mask, values), {}};
    // The window's masks start over for values beyond their fields; on a
    // command line that runs values together unnoticed.
    if (const std::size_t fields = FieldCount(*options.mask); values.size() > fields) {
      formatted.missingValues = CountOf(values.size(), "value") + " for the mask's " + CountOf(fields, "field") +
                                (fields == 0 ? "; none is shown" : "; it starts over for the rest");
    }
    return formatted;
  }
  const std::optional<Real> value = ParseNumberExact(line);
  if (!value) return std::nullopt;
  switch (options.mode) {
    case Mode::kPlain: return FormattedLine{PlainNumberText(*value, options.digits, false), {}};
    case Mode::kPlainSpace: return FormattedLine{PlainNumberText(*value, options.digits, true), {}};
    default: break;
  }
  FormattedLine formatted{FormatNumber(*value, *options.mask), {}};
  if (!MaskShowsValue(*value, *options.mask)) formatted.missingValues = "the mask has no digit placeholder for it";
  return formatted;
}

}  // namespace

int RunFormat(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  FormatOptions options;
  if (const std::string problem = ParseOptions(args, options); !problem.empty()) {
    err << "tallix-cli format: " << problem << '\n' << kUsage;
    return 2;
  }
  int status = 0;
  std::size_t lineNumber = 0;
  // Output that cannot be written ends the run: the rest would be lost too.
  for (std::string line; out && std::getline(in, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::optional<FormattedLine> formatted = FormatLine(line, options);
    if (formatted) out << formatted->text << '\n';
    if (!formatted || !formatted->missingValues.empty()) {
      err << "tallix-cli format: line " << lineNumber << ": " << QuoteInput(line)
          << (formatted ? ": " + formatted->missingValues : " is not a number") << '\n';
      status = 1;
    }
  }
  return FinishStreams("format", in, out, err, status);
}

}  // namespace tallix::cli
