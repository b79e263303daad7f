#pragma once
// The subcommands of tallix-cli. Each takes the arguments after its own name and
// returns the process exit status.

#include <iosfwd>
#include <string>

#include <string_view>
#include <vector>
#include "services/codepage1252.h"

namespace tallix {
struct EngineSettings;
}

namespace tallix::cli {

using Args = std::vector<std::string>;

int RunFormat(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

// keys [options] KEY...: the keys (keypad captions, or "-" alone to read them
// from `in`) through the engine, after a tape file if --load FILE is given;
// prints the tape as it stands at the end, then the display and panes, and with
// --save FILE writes the tape file as Save Tape does.
int RunKeys(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

// loan AMOUNT RATE YEARS [--compounding C] [--first MM-DD-YYYY] [--csv]: the
// loan window's six results and its schedule, one row a payment, tab-separated
// or as CSV. Inputs that give no payment are told on `err`, with status 1.
int RunLoan(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
inline constexpr const char* kLoanUsage =
    "  tallix-cli loan AMOUNT RATE YEARS [--compounding daily|weekly|monthly|quarterly|semi-annually|annually]\n"
    "                  [--first MM-DD-YYYY] [--csv] [--chart FILE.svg]\n"
    "      the loan calculator's payment, totals and amortization schedule (first payment today unless\n"
    "      --first is given); --csv writes them for a spreadsheet. AMOUNT may hold \"$\" and grouping\n"
    "      commas, RATE \"%\"; other text, and figures too large to show, are refused. --chart also\n"
    "      draws the balance and each year's principal and interest as an SVG 1.1 file, replaced whole\n"
    "      or left as it was; through a link its file is written, and a folder or device never is\n";

// transfer FOLDER --size MIB [--keep]: the transfer test on FOLDER, printing
// the report's table; status 1 when a step failed.
int RunTransfer(const Args& args, std::ostream& out, std::ostream& err);

// The terminal as the paper tape: keyboard keys through the engine's keyboard
// mapping until q, Ctrl+C or Ctrl+D. Needs a terminal on standard input; not on Windows.
int RunInteractive(const Args& args, std::ostream& err);

// The usage of one command as --help prints it (empty for no such command),
// and the usage of them all after "usage:".
std::string_view CommandUsage(std::string_view command);
void PrintUsage(std::ostream& out);

// Removes the leading engine options (--mode, --decimals, ...) from `args` into
// `settings`; false, with a message on `err`, for a bad option.
bool ReadEngineOptions(Args& args, EngineSettings& settings, std::ostream& err);

// convert VALUE UNIT | --list: the converter's tape block, or its units.
int RunConvert(const Args& args, std::ostream& out, std::ostream& err);
// area LENGTH UNIT WIDTH UNIT --to UNIT, volume ... DEPTH UNIT --to UNIT: the
// result text, then the calculator's tape lines.
int RunArea(const Args& args, std::ostream& out, std::ostream& err);
int RunVolume(const Args& args, std::ostream& out, std::ostream& err);

// True when `text` is all a number and the windows' fields, which read its
// leading number, read it as that same number.
bool IsNumberAsTheWindowReadsIt(std::string_view text);
// False, after saying on `err` what it reads as, when `text` (commas aside) is
// not a number: the windows read such a field by its leading number, or as 0.
bool ReportIfNotNumber(std::string_view command, std::string_view argument, std::string_view text, std::ostream& err);

// True when the number `shown` ends with is the text of one out of range
// (Infinity, -Infinity) or NaN, as the windows show a result that overflowed.
bool ShowsNotFinite(std::string_view shown);

// Input (a line, a word) as a message quotes it: in double quotes, at most its
// first 80 characters followed by "..." when there are more, and escaped where
// a terminal would act on it or the quote would become unclear (controls, bytes
// that are not UTF-8, quotes, backslashes).
std::string QuoteInput(std::string_view text);

// Whether `stream` is the process's standard output or error and that goes
// to a terminal, where control characters would act instead of showing.
bool IsTerminal(const std::ostream& stream);

// Ctrl+C, and a request to terminate, during a long command: noted rather than
// obeyed at once, so that the command can remove what it made and then exit
// with the status a shell expects of the signal. From now on, SIGINT and
// SIGTERM (on Windows, the console's Ctrl+C, Ctrl+Break and close) only set
// the stop status.
void CatchStopSignals();
// 0 until a stop arrived; then the exit status it asks for: 130 for an
// interrupt, 143 for a termination.
int StopStatus();

// A command's exit status once its streams are checked: `out` is flushed, and
// when anything written to it was lost, or `in` failed other than by ending,
// the message goes to `err` and the status is 1. Otherwise `status`.
int FinishStreams(std::string_view command, std::istream& in, std::ostream& out, std::ostream& err, int status);

}  // namespace tallix::cli
