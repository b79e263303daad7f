#include <algorithm>
#include <iostream>
#include <string>

#include "app/about/version_text.h"
#include "app/cli/cli_commands.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// The status of a command that writes only to standard output, once that is
// known to have been written.
int Finished(const std::string& command, int status) {
  return tallix::cli::FinishStreams(command, std::cin, std::cout, std::cerr, status);
}

bool AsksForHelp(const tallix::cli::Args& args) {
  return std::ranges::any_of(args, [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
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
    tallix::cli::PrintUsage(std::cerr);
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "--version") {
    std::cout << "tallix-cli " << tallix::VersionNumber() << '\n';
    return Finished(command, 0);
  }
  if (command == "--help" || command == "-h") {
    tallix::cli::PrintUsage(std::cout);
    return Finished(command, 0);
  }
  if (const std::string_view usage = tallix::cli::CommandUsage(command); !usage.empty() && AsksForHelp(args)) {
    std::cout << "usage:\n" << usage;
    return Finished(command, 0);
  }
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
  std::cerr << "tallix-cli: unknown command \"" << command << "\"\n";
  tallix::cli::PrintUsage(std::cerr);
  return 2;
}
