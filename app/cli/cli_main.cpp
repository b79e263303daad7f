#include <iostream>
#include <string>

#include "app/cli/cli_commands.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage:\n"
         "  tallix-cli format [--using] [--plain 15|18] [--plain-space 15|18] [MASK]\n"
         "      formats the values on standard input, one per line\n"
         "  tallix-cli keys [--load FILE] [--save FILE] [--csv] [--correct N=VALUE]... [--mode standard|adding] [--decimals F|0|1|2|3|4]\n"
         "                  [--grouping on|off] [--auto-decimal on|off] [--tax RATE] [--system dec|hex|bin|oct]\n"
         "                  KEY... | -\n"
         "      runs keypad keys through the calculator, after the tape file FILE if loaded, and prints\n"
         "      the tape as it ends, the display and the panes; --save writes the tape file as Tallix does;\n"
         "      --csv prints the tape alone as Export Tape writes it (UTF-8 CSV with a header row);\n"
         "      --correct retypes the Nth typed number (from 1) as VALUE and replays the keys, as a\n"
         "      correction on the tape does\n"
         "  tallix-cli convert VALUE UNIT | --list\n"
         "      the converter's tape block for the display text VALUE in UNIT (name as listed, any case)\n"
         "  tallix-cli area LENGTH UNIT WIDTH UNIT --to UNIT\n"
         "  tallix-cli volume LENGTH UNIT WIDTH UNIT DEPTH UNIT --to UNIT\n"
         "      the calculator's result and tape lines; units by name or abbreviation, one system at a time\n"
         "  tallix-cli transfer FOLDER --size MIB [--keep]\n"
         "      writes a test file of MIB mebibytes to FOLDER and reads it back past the file cache, printing\n"
         "      the write and read rates; --keep leaves the file there\n"
      << tallix::cli::kLoanUsage;
#ifndef _WIN32
  out << "  tallix-cli [interactive [options] [--laptop on|off]]\n"
         "      on a terminal: the keyboard drives the calculator, the terminal is the tape\n";
#endif
}

// The status of a command that writes only to standard output, once that is
// known to have been written.
int Finished(const std::string& command, int status) {
  return tallix::cli::FinishStreams(command, std::cin, std::cout, std::cerr, status);
}

}  // namespace

int main(int argc, char** argv) {
  // Unsynchronised, the standard streams report a failed read of standard
  // input (a folder, a device error) as an error instead of as its end.
  std::ios::sync_with_stdio(false);
  tallix::cli::Args args(argv + 1, argv + argc);
  if (args.empty()) {
#ifndef _WIN32
    if (isatty(STDIN_FILENO)) return tallix::cli::RunInteractive(args, std::cerr);
#endif
    PrintUsage(std::cerr);
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "format") return tallix::cli::RunFormat(args, std::cin, std::cout, std::cerr);
  if (command == "loan") return tallix::cli::RunLoan(args, std::cin, std::cout, std::cerr);
  if (command == "keys") return tallix::cli::RunKeys(args, std::cin, std::cout, std::cerr);
  if (command == "convert") return Finished(command, tallix::cli::RunConvert(args, std::cout, std::cerr));
  if (command == "area") return Finished(command, tallix::cli::RunArea(args, std::cout, std::cerr));
  if (command == "volume") return Finished(command, tallix::cli::RunVolume(args, std::cout, std::cerr));
  if (command == "transfer") return tallix::cli::RunTransfer(args, std::cout, std::cerr);
#ifndef _WIN32
  if (command == "interactive") return tallix::cli::RunInteractive(args, std::cerr);
#endif
  if (command == "--help" || command == "-h") {
    PrintUsage(std::cout);
    return tallix::cli::FinishStreams("--help", std::cin, std::cout, std::cerr, 0);
  }
  std::cerr << "tallix-cli: unknown command \"" << command << "\"\n";
  PrintUsage(std::cerr);
  return 2;
}
