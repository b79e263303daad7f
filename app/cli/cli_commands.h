#pragma once
// The subcommands of tallix-cli. Each takes the arguments after its own name and
// returns the process exit status.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {
struct EngineSettings;
}

namespace tallix::cli {

using Args = std::vector<std::string>;

int RunFormat(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

// keys [options] KEY...: the keys (keypad captions, or "-" alone to read them
// from `in`) through the engine; prints the tape lines, then the display and panes.
int RunKeys(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

// The terminal as the paper tape: keyboard keys through the engine's keyboard
// mapping until q, Ctrl+C or Ctrl+D. Needs a terminal on standard input; not on Windows.
int RunInteractive(const Args& args, std::ostream& err);

// Removes the leading engine options (--mode, --decimals, ...) from `args` into
// `settings`; false, with a message on `err`, for a bad option.
bool ReadEngineOptions(Args& args, EngineSettings& settings, std::ostream& err);

// Tape and display texts are Windows-1252; terminals want UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace tallix::cli
