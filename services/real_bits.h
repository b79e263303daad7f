#pragma once
// The 80-bit extended layout, read and written bit by bit so that no conversion
// depends on the C library's long double support (which MinGW gets wrong).

#include <cstdint>
#include <cstring>

#include "services/real.h"

namespace tallix::detail {

inline constexpr int kExponentBias = 16383;
inline constexpr int kMaxBiasedExponent = 32767;
// The binary exponent of the lowest mantissa bit of the smallest subnormal.
inline constexpr int kMinUnitExponent = 1 - kExponentBias - 63;

struct RealParts {
  bool negative = false;
  std::uint64_t mantissa = 0;  // explicit integer bit included
  int unitExponent = 0;        // value = mantissa * 2^unitExponent
};

inline RealParts Decompose(Real value) {
  unsigned char bytes[sizeof(Real)] = {};
  std::memcpy(bytes, &value, sizeof(Real));
  RealParts parts;
  std::memcpy(&parts.mantissa, bytes, 8);
  const unsigned signExponent = bytes[8] | (unsigned(bytes[9]) << 8);
  parts.negative = (signExponent & 0x8000u) != 0;
  const int biased = int(signExponent & 0x7FFFu);
  parts.unitExponent = (biased == 0 ? 1 : biased) - kExponentBias - 63;
  return parts;
}

// Builds the value mantissa * 2^unitExponent. The caller has rounded the
// mantissa to 64 bits; a mantissa without its top bit set must sit at the
// subnormal exponent. Exponents above the range give an infinity.
inline Real Compose(bool negative, std::uint64_t mantissa, int unitExponent) {
  int biased = 0;
  if (mantissa >> 63) {
    const long long wide = (long long)unitExponent + 63 + kExponentBias;
    if (wide >= kMaxBiasedExponent) {
      biased = kMaxBiasedExponent;
      mantissa = std::uint64_t(1) << 63;
    } else {
      biased = int(wide);
    }
  } else if (mantissa == 0) {
    biased = 0;
  }
  unsigned char bytes[sizeof(Real)] = {};
  std::memcpy(bytes, &mantissa, 8);
  const unsigned signExponent = unsigned(biased) | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<unsigned char>(signExponent & 0xFF);
  bytes[9] = static_cast<unsigned char>(signExponent >> 8);
  Real value;
  std::memcpy(&value, bytes, sizeof(Real));
  return value;
}

inline bool IsFinite(Real value) {
  unsigned char bytes[sizeof(Real)] = {};
  std::memcpy(bytes, &value, sizeof(Real));
  return ((bytes[8] | (unsigned(bytes[9]) << 8)) & 0x7FFFu) != 0x7FFFu;
}

inline bool IsNaN(Real value) { return !IsFinite(value) && (Decompose(value).mantissa << 1) != 0; }

}  // namespace tallix::detail
