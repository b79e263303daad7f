#pragma once
// The engine's Windows-1252 texts as the window's UTF-16 texts (Wide) and
// back (Cp1252FromWide).
#include <string>
#include <string_view>

#include "services/codepage1252.h"

namespace tallix {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the window's text is UTF-16");

inline std::wstring Wide(std::string_view cp1252) {
  const std::u16string text = Cp1252ToUtf16(cp1252);
  return std::wstring(text.begin(), text.end());
}

inline std::string Cp1252FromWide(std::wstring_view wide) {
  return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace tallix
