#pragma once
// Runs one tallix-cli command in-process on text streams, for the commands' tests.
#include <sstream>
#include <string>

#include "app/cli/cli_commands.h"

namespace tallix::cli {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

template <class Command>
CliResult RunCommand(Command command, const Args& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = command(args, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tallix::cli
