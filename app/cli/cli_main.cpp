#include <iostream>
#include <string>

#include "app/cli/cli_commands.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage:\n"
         "  tallix-cli format [--using] [--plain 15|18] [--plain-space 15|18] [MASK]\n"
         "      formats the values on standard input, one per line\n";
}

}  // namespace

int main(int argc, char** argv) {
  tallix::cli::Args args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr);
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "format") return tallix::cli::RunFormat(args, std::cin, std::cout, std::cerr);
  if (command == "--help" || command == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  std::cerr << "tallix-cli: unknown command \"" << command << "\"\n";
  PrintUsage(std::cerr);
  return 2;
}
