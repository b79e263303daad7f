// What tallix-cli prints for --help: each command's usage, and all of them.
#include <ostream>

#include "app/cli/cli_commands.h"

namespace tallix::cli {

namespace {

struct CommandUsageText {
  std::string_view command;
  std::string_view text;
};

constexpr CommandUsageText kUsages[] = {
    {"format",
     "  tallix-cli format [--using] [--plain 15|18] [--plain-space 15|18] [MASK]\n"
     "      formats the values on standard input, one per line\n"},
    {"keys",
     "  tallix-cli keys [--load FILE] [--save FILE] [--csv] [--correct N=VALUE]... [--mode standard|adding] "
     "[--decimals F|0|1|2|3|4]\n"
     "                  [--grouping on|off] [--auto-decimal on|off] [--tax RATE] [--system dec|hex|bin|oct]\n"
     "                  [--round down|54|up] [--grand-total] KEY... | -\n"
     "      runs keypad keys through the calculator, after the tape file FILE if loaded, and prints\n"
     "      the tape as it ends, the display and the panes; --save writes the tape file as Tallix does;\n"
     "      --csv prints the tape alone as Export Tape writes it (UTF-8 CSV with a header row);\n"
     "      --correct retypes the Nth typed number (from 1) as VALUE and replays the keys, as a\n"
     "      correction on the tape does; a KEY \"#TEXT\" puts the note TEXT on the tape; --round is\n"
     "      how fixed decimals round: down (towards zero), 54 (to nearest) or up (away from zero);\n"
     "      --grand-total adds every result into the grand total, which the KEY GT shows (twice: clears)\n"},
    {"convert",
     "  tallix-cli convert VALUE UNIT | --list\n"
     "      the converter's tape block for the display text VALUE in UNIT (name as listed, any case)\n"},
    {"area",
     "  tallix-cli area LENGTH UNIT WIDTH UNIT --to UNIT\n"
     "      the area calculator's result and tape lines; units by name or abbreviation, one system at a time\n"},
    {"volume",
     "  tallix-cli volume LENGTH UNIT WIDTH UNIT DEPTH UNIT --to UNIT\n"
     "      the volume calculator's result and tape lines; units by name or abbreviation, one system at a time\n"},
    {"transfer",
     "  tallix-cli transfer FOLDER --size MIB [--keep]\n"
     "      writes a test file of MIB mebibytes to FOLDER and reads it back past the file cache, printing\n"
     "      the write and read rates; --keep leaves the file there\n"},
    {"loan", kLoanUsage},
#ifndef _WIN32
    {"interactive",
     "  tallix-cli [interactive [options] [--laptop on|off]]\n"
     "      on a terminal: the keyboard drives the calculator, the terminal is the tape\n"},
#endif
};

}  // namespace

std::string_view CommandUsage(std::string_view command) {
  for (const CommandUsageText& usage : kUsages) {
    if (usage.command == command) return usage.text;
  }
  return {};
}

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const CommandUsageText& usage : kUsages) out << usage.text;
  out << "  tallix-cli --version | --help | COMMAND --help\n"
         "      the program's version, or how it or one command is used\n";
}

}  // namespace tallix::cli
