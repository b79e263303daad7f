#pragma once
// The subcommands of tallix-cli. Each takes the arguments after its own name and
// returns the process exit status.

#include <iosfwd>
#include <string>
#include <vector>

namespace tallix::cli {

using Args = std::vector<std::string>;

int RunFormat(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tallix::cli
