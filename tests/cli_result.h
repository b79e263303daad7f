#pragma once
// What a tallix-cli command run in-process leaves: its status and both streams.
#include <string>

namespace tallix::cli {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

}  // namespace tallix::cli
