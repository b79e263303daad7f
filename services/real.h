#pragma once

#include <concepts>
#include <cstring>

namespace tallix {

// Every calculator value: the 80-bit x87 extended type (64-bit mantissa).
using Real = long double;

static_assert(sizeof(Real) >= 10 && __LDBL_MANT_DIG__ == 64,
              "Tallix needs the 80-bit x87 extended long double (GCC or Clang; MinGW-w64 on Windows)");

inline constexpr std::size_t kRealBytes = 10;  // the format's; the rest of a long double is padding

// The same value bit for bit (+0 and -0 differ, a NaN equals itself).
inline bool SameBits(const Real& a, const Real& b) { return std::memcmp(&a, &b, kRealBytes) == 0; }

// A number that reads and assigns as the number it holds, and equals another
// of its kind bit for bit, as SameBits (against a plain number, by value).
template <class Number>
struct Exact {
  static constexpr std::size_t kBytes = std::same_as<Number, Real> ? kRealBytes : sizeof(Number);
  Number number;
  Exact(Number n = 0) : number(n) {}
  operator Number() const { return number; }
  template <std::same_as<Exact> Same>
  friend bool operator==(const Same& a, const Same& b) {
    return std::memcmp(&a.number, &b.number, kBytes) == 0;
  }
};

}  // namespace tallix
