#pragma once

#include <cstring>

namespace tallix {

// Every calculator value: the 80-bit x87 extended type (64-bit mantissa).
using Real = long double;

static_assert(sizeof(Real) >= 10 && __LDBL_MANT_DIG__ == 64,
              "Tallix needs the 80-bit x87 extended long double (GCC or Clang; MinGW-w64 on Windows)");

// The same value bit for bit (+0 and -0 differ, a NaN equals itself): the
// format's 10 bytes, the rest of a long double being padding.
inline bool SameBits(const Real& a, const Real& b) { return std::memcmp(&a, &b, 10) == 0; }

}  // namespace tallix
