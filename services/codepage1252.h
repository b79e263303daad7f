#pragma once
// The engine speaks Windows-1252 ("×" is 0xD7, "÷" 0xF7); the window speaks
// UTF-16. Converting through our own table keeps those signs right on systems
// whose ANSI code page is not 1252.

#include <string>
#include <string_view>

namespace tallix {

std::u16string Cp1252ToUtf16(std::string_view text);

// Characters with no Windows-1252 form (and lone surrogates) become "?", so
// that pasted text never turns into something the engine misreads as a digit.
std::string Utf16ToCp1252(std::u16string_view text);

// For terminals and files read elsewhere (tallix-cli, the exported tape).
std::string Cp1252ToUtf8(std::string_view text);

// Text from a terminal (tallix-cli's arguments): characters with no
// Windows-1252 form, and bytes that are not UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view text);

// The characters of UTF-8 `text` that Windows-1252 has no form for, each once,
// in the order they first come; a byte that is not UTF-8 stands as U+FFFD.
std::u32string CharactersWithoutCp1252(std::string_view utf8);

std::string CodePointToUtf8(char32_t point);

// A Windows-1252 letter in lower case (A-Z, the accented capitals but the
// times sign, and the capitals of the upper block: S and Z with caron, the OE
// ligature, Y with diaeresis); every other byte as it is.
constexpr char LowerCp1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
    return static_cast<char>(byte + 0x20);
  if (byte == 0x8A || byte == 0x8C || byte == 0x8E) return static_cast<char>(byte + 0x10);
  if (byte == 0x9F) return static_cast<char>(0xFF);
  return c;
}

// A Windows-1252 text made safe to show (on a terminal, in the tape pane):
// each control character, C0 with DEL and the five bytes that stand for C1
// controls, becomes "?", so that a line read from a file can never drive a
// terminal. Only for showing: files keep the text as it was.
std::string ShownText(std::string_view cp1252);

}  // namespace tallix
