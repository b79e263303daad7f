#pragma once
// Text shown by a window: messages made by portable code are UTF-8, Win32
// wants UTF-16. Paths are converted by services/file_io.h (WidePath, which
// refuses invalid UTF-8, and Utf8FromWide), which this brings along.
#include <windows.h>

#include <string>
#include <string_view>

#include "services/file_io.h"

namespace tallix::ui {

// Only for text that is shown: invalid UTF-8 comes out as U+FFFD rather than
// as nothing, so a message with a mangled path still says what happened.
inline std::wstring ShownText(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace tallix::ui
