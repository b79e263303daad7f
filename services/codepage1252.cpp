#include "services/codepage1252.h"

#include <array>

namespace tallix {
namespace {

// 0x80 to 0x9F. The five unassigned bytes keep their C1 code points, as the
// system's own conversion does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCp1252(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
    if (kHighControlBlock[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::u16string Cp1252ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControlBlock[byte - 0x80] : char16_t{byte});
  }
  return out;
}

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;  // one character outside the BMP: one "?"
      out.push_back('?');
      continue;
    }
    out.push_back(ToCp1252(unit));
  }
  return out;
}

namespace {

// A lead byte with the point's top bits, then six bits a byte.
void AppendUtf8(std::string& out, char32_t point) {
  constexpr unsigned kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  const int following = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
  out.push_back(static_cast<char>(kLead[following] | (point >> (6 * following))));
  for (int k = following - 1; k >= 0; --k) out.push_back(static_cast<char>(0x80 | ((point >> (6 * k)) & 0x3F)));
}

constexpr char32_t kReplacement = 0xFFFD;

// The characters of UTF-8 text; a byte that starts no whole sequence is U+FFFD.
std::u32string Utf8CodePoints(std::string_view text) {
  std::u32string points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    char32_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool whole = length > 0 && i + length <= text.size();
    for (int k = 1; whole && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      whole = (next >> 6) == 2;
      point = point << 6 | (next & 0x3F);
    }
    points.push_back(whole && (point < 0xD800 || point > 0xDFFF) && point <= 0x10FFFF ? point : kReplacement);
    i += whole ? static_cast<std::size_t>(length) : 1;
  }
  return points;
}

bool HasCp1252Form(char32_t point) {
  return point == U'?' || (point < 0x10000 && ToCp1252(static_cast<char16_t>(point)) != '?');
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // Every Windows-1252 character lies in the basic plane: one UTF-16 unit each.
  for (char16_t unit : Cp1252ToUtf16(text)) AppendUtf8(out, unit);
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  for (const char32_t point : Utf8CodePoints(text)) {
    // Anything not a character of the Basic Multilingual Plane has no Windows-1252 form either.
    out.push_back(HasCp1252Form(point) ? ToCp1252(static_cast<char16_t>(point)) : '?');
  }
  return out;
}

std::u32string CharactersWithoutCp1252(std::string_view utf8) {
  std::u32string missing;
  for (const char32_t point : Utf8CodePoints(utf8)) {
    if (!HasCp1252Form(point) && missing.find(point) == std::u32string::npos) missing.push_back(point);
  }
  return missing;
}

std::string CodePointToUtf8(char32_t point) {
  std::string out;
  AppendUtf8(out, point);
  return out;
}

std::string ShownText(std::string_view cp1252) {
  std::string shown(cp1252);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    const bool c1 = byte >= 0x80 && byte <= 0x9F && kHighControlBlock[byte - 0x80] == byte;
    if (byte < 0x20 || byte == 0x7F || c1) c = '?';
  }
  return shown;
}

}  // namespace tallix
