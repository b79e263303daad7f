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

constexpr const char* kUsage =
    "usage: tallix-cli format MASK | --using MASK | --plain 15|18 | --plain-space 15|18\n";

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

// Formats one input line, or returns nullopt when it holds something that is
// not a number.
std::optional<std::string> FormatLine(const std::string& line, const FormatOptions& options) {
  if (options.mode == Mode::kUsing) {
    std::istringstream words(line);
    std::vector<Real> values;
    for (std::string word; words >> word;) {
      const std::optional<Real> value = ParseNumberExact(word);
      if (!value) return std::nullopt;
      values.push_back(*value);
    }
    if (values.empty()) return std::nullopt;
    return FormatUsing(*options.mask, values);
  }
  const std::optional<Real> value = ParseNumberExact(line);
  if (!value) return std::nullopt;
  switch (options.mode) {
    case Mode::kPlain: return PlainNumberText(*value, options.digits, false);
    case Mode::kPlainSpace: return PlainNumberText(*value, options.digits, true);
    default: return FormatNumber(*value, *options.mask);
  }
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
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const std::optional<std::string> text = FormatLine(line, options)) {
      out << *text << '\n';
    } else {
      err << "tallix-cli format: line " << lineNumber << ": \"" << line << "\" is not a number\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace tallix::cli
