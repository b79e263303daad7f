#pragma once
// The program's version as the About and Help windows show it:
// "Version 2.7.0 " (with its trailing blank).
#include <string>

#include "resources/resource_ids.h"

namespace tallix {

inline std::wstring VersionText() {
  return L"Version " + std::to_wstring(TALLIX_VERSION_MAJOR) + L"." + std::to_wstring(TALLIX_VERSION_MINOR) + L"." +
         std::to_wstring(TALLIX_VERSION_REVISION) + L" ";
}

}  // namespace tallix
