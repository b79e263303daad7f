// What tallix-cli's commands share about their input and output: input quoted
// safely in messages, and the streams checked before a command says it is done.
#include <iostream>
#include <istream>
#include <ostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/cli/cli_commands.h"
#include "services/number_text.h"

namespace tallix::cli {

namespace {

constexpr std::size_t kQuotedCharacters = 80;

// Length of the valid UTF-8 sequence `text` starts with; 0 when it starts
// with a byte that is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Controls of either set (C0 with DEL, and C1 as UTF-8): a terminal acts on them.
bool IsControl(std::string_view sequence) {
  const auto first = static_cast<unsigned char>(sequence.front());
  if (sequence.size() == 1) return first < 0x20 || first == 0x7F;
  return first == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

void AppendEscapedBytes(std::string& out, std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
  }
}

}  // namespace

std::string QuoteInput(std::string_view text) {
  std::string quoted = "\"";
  std::size_t characters = 0;
  for (; !text.empty() && characters < kQuotedCharacters; ++characters) {
    const std::size_t length = Utf8SequenceLength(text);
    const std::string_view sequence = text.substr(0, length == 0 ? 1 : length);
    if (sequence == "\"" || sequence == "\\") {
      quoted.append("\\").append(sequence);
    } else if (sequence == "\t") {
      quoted += "\\t";
    } else if (length == 0 || IsControl(sequence)) {
      AppendEscapedBytes(quoted, sequence);
    } else {
      quoted += sequence;
    }
    text.remove_prefix(sequence.size());
  }
  quoted += '"';
  if (!text.empty()) quoted += "...";
  return quoted;
}

bool IsNumberAsTheWindowReadsIt(std::string_view text) {
  // The windows read digits only: "Infinity" is a number here but 0 there.
  const auto number = ParseNumberExact(text);
  return number && *number == ParseLeadingNumber(text);
}

bool ReportIfNotNumber(std::string_view command, std::string_view argument, std::string_view text, std::ostream& err) {
  std::string digits(text);
  std::erase(digits, ',');
  if (IsNumberAsTheWindowReadsIt(digits)) return true;
  const Real read = ParseLeadingNumber(digits);
  err << "tallix-cli " << command << ": " << argument << ' ' << QuoteInput(text) << " is not a number; read as "
      << PlainNumberText(read, 15) << " as the window reads it\n";
  return false;
}

bool ShowsNotFinite(std::string_view shown) { return shown.ends_with(kInfinityText) || shown.ends_with(kNaNText); }

int FinishStreams(std::string_view command, std::istream& in, std::ostream& out, std::ostream& err, int status) {
  out.flush();
  if (!out) {
    err << "tallix-cli " << command << ": cannot write to standard output\n";
    return 1;
  }
  if (in.bad()) {
    err << "tallix-cli " << command << ": cannot read standard input\n";
    return 1;
  }
  return status;
}

bool IsTerminal(const std::ostream& stream) {
#ifdef _WIN32
  const auto terminal = [](FILE* file) { return _isatty(_fileno(file)) != 0; };
#else
  const auto terminal = [](FILE* file) { return isatty(fileno(file)) != 0; };
#endif
  if (&stream == &std::cout) return terminal(stdout);
  if (&stream == &std::cerr) return terminal(stderr);
  return false;
}

}  // namespace tallix::cli
