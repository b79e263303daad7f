#pragma once

namespace tallix {

// Every calculator value: the 80-bit x87 extended type (64-bit mantissa).
using Real = long double;

static_assert(sizeof(Real) >= 10 && __LDBL_MANT_DIG__ == 64,
              "Tallix needs the 80-bit x87 extended long double (GCC or Clang; MinGW-w64 on Windows)");

}  // namespace tallix
