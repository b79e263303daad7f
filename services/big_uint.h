#pragma once
// A small unsigned big integer, just enough for exact decimal <-> binary
// conversion of 80-bit values: products with powers of 2 and 5, comparison,
// and division whose quotient fits in 64 bits.

#include <cstdint>
#include <vector>

namespace tallix::detail {

class BigUint {
 public:
  BigUint() = default;
  explicit BigUint(std::uint64_t value);

  static BigUint PowerOfFive(int exponent);

  bool IsZero() const { return limbs_.empty(); }
  int BitLength() const;

  void MultiplySmall(std::uint32_t factor);
  void MultiplyByPowerOfFive(int exponent);
  void AddSmall(std::uint32_t addend);
  void Multiply(std::uint64_t factor);
  void Multiply(const BigUint& factor);
  void ShiftLeft(int bits);
  void Subtract(const BigUint& other);  // requires *this >= other

  // The 128 bits starting at bit `from` (bits beyond the end read as 0).
  unsigned __int128 Bits128(int from) const;

  friend int Compare(const BigUint& a, const BigUint& b);

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first
};

// Quotient and remainder of numerator / denominator, where the quotient is
// known to be below 2^64.
struct Division64 {
  std::uint64_t quotient = 0;
  BigUint remainder;
};
Division64 Divide64(const BigUint& numerator, const BigUint& denominator);

// Signed comparison of twice the remainder with the denominator: the rounding
// direction of a quotient (-1 below half, 0 exactly half, +1 above half).
int CompareHalf(const BigUint& remainder, const BigUint& denominator);

}  // namespace tallix::detail
