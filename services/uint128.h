#pragma once
// The compiler's 128-bit unsigned integer (GCC and Clang, MinGW included).

#include <bit>
#include <cstdint>

namespace tallix::detail {

using U128 = unsigned __int128;

inline int BitWidth128(U128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

}  // namespace tallix::detail
