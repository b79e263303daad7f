#pragma once
// The program's version as the About and Help windows show it:
// "Version 2.7.0 " (with its trailing blank), and as tallix-cli tells it.
#include <string>

#include "resources/resource_ids.h"

namespace tallix {

// "2.7.0", as tallix-cli --version prints it too.
inline std::string VersionNumber() {
  return std::to_string(TALLIX_VERSION_MAJOR) + "." + std::to_string(TALLIX_VERSION_MINOR) + "." +
         std::to_string(TALLIX_VERSION_REVISION);
}

inline std::wstring VersionText() {
  const std::string number = VersionNumber();
  return L"Version " + std::wstring(number.begin(), number.end()) + L" ";
}

}  // namespace tallix
