#pragma once
// The standard output of a shell command line, for the tests of real programs.
#include <cstdio>
#include <string>

namespace tallix::test {

inline std::string Shell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "<popen failed>";
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

}  // namespace tallix::test
