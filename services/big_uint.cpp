#include "services/big_uint.h"

#include <algorithm>
#include <bit>

namespace tallix::detail {

BigUint::BigUint(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

namespace {

constexpr int kFivesPerStep = 13;  // 5^13 is the largest power of five in 32 bits
constexpr int kLargestCachedPower = 5000;

// 5^(13 j) for every j up to the largest power that a conversion needs;
// about 280 KB, built once on first use.
const std::vector<BigUint>& PowersOfFiveBySteps() {
  static const std::vector<BigUint> table = [] {
    std::vector<BigUint> powers;
    BigUint power(1);
    for (int exponent = 0; exponent <= kLargestCachedPower + kFivesPerStep; exponent += kFivesPerStep) {
      powers.push_back(power);
      power.MultiplySmall(1220703125u);
    }
    return powers;
  }();
  return table;
}

}  // namespace

BigUint BigUint::PowerOfFive(int exponent) {
  if (exponent > kLargestCachedPower) {
    BigUint result(1);
    result.MultiplyByPowerOfFive(exponent);
    return result;
  }
  BigUint result = PowersOfFiveBySteps()[std::size_t(exponent / kFivesPerStep)];
  result.MultiplyByPowerOfFive(exponent % kFivesPerStep);
  return result;
}

void BigUint::MultiplyByPowerOfFive(int exponent) {
  constexpr std::uint32_t kFiveToThe13 = 1220703125u;
  for (; exponent >= 13; exponent -= 13) MultiplySmall(kFiveToThe13);
  std::uint32_t rest = 1;
  for (; exponent > 0; --exponent) rest *= 5;
  MultiplySmall(rest);
}

void BigUint::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

int BigUint::BitLength() const {
  if (limbs_.empty()) return 0;
  return int(limbs_.size() - 1) * 32 + std::bit_width(limbs_.back());
}

void BigUint::MultiplySmall(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : limbs_) {
    const std::uint64_t product = std::uint64_t(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  Trim();
}

void BigUint::AddSmall(std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::size_t i = 0; carry != 0; ++i) {
    if (i == limbs_.size()) limbs_.push_back(0);
    const std::uint64_t sum = std::uint64_t(limbs_[i]) + carry;
    limbs_[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
}

void BigUint::Multiply(std::uint64_t factor) { Multiply(BigUint(factor)); }

void BigUint::Multiply(const BigUint& factor) {
  std::vector<std::uint32_t> result(limbs_.size() + factor.limbs_.size() + 1, 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < factor.limbs_.size(); ++j) {
      const std::uint64_t product = std::uint64_t(limbs_[i]) * factor.limbs_[j] + result[i + j] + carry;
      result[i + j] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    result[i + factor.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  limbs_ = std::move(result);
  Trim();
}

void BigUint::ShiftLeft(int bits) {
  if (limbs_.empty() || bits <= 0) return;
  const std::size_t whole = std::size_t(bits) / 32;
  const int part = bits % 32;
  if (part != 0) {
    std::uint32_t carry = 0;
    for (auto& limb : limbs_) {
      const std::uint32_t next = limb >> (32 - part);
      limb = (limb << part) | carry;
      carry = next;
    }
    if (carry != 0) limbs_.push_back(carry);
  }
  limbs_.insert(limbs_.begin(), whole, 0u);
}

void BigUint::Subtract(const BigUint& other) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::int64_t difference =
        std::int64_t(limbs_[i]) - borrow - (i < other.limbs_.size() ? std::int64_t(other.limbs_[i]) : 0);
    borrow = difference < 0 ? 1 : 0;
    if (difference < 0) difference += std::int64_t(1) << 32;
    limbs_[i] = static_cast<std::uint32_t>(difference);
  }
  Trim();
}

int Compare(const BigUint& a, const BigUint& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  }
  return 0;
}

unsigned __int128 BigUint::Bits128(int from) const {
  auto limbAt = [&](std::size_t index) -> std::uint64_t { return index < limbs_.size() ? limbs_[index] : 0; };
  unsigned __int128 result = 0;
  for (int chunk = 3; chunk >= 0; --chunk) {
    const auto position = std::size_t(from) + std::size_t(chunk) * 32;
    const std::size_t index = position / 32;
    const std::uint64_t pair = limbAt(index) | (limbAt(index + 1) << 32);
    result = (result << 32) | ((pair >> (position % 32)) & 0xFFFFFFFFu);
  }
  return result;
}

Division64 Divide64(const BigUint& numerator, const BigUint& denominator) {
  // Estimate from the leading bits, then correct: the estimate is never
  // below the true quotient and exceeds it by at most a few units.
  const int shift = std::max(0, denominator.BitLength() - 64);
  const unsigned __int128 top = numerator.Bits128(shift);
  const auto denominatorTop = static_cast<std::uint64_t>(denominator.Bits128(shift));
  unsigned __int128 estimate = top / denominatorTop;
  if (estimate > ~std::uint64_t(0)) estimate = ~std::uint64_t(0);
  Division64 result;
  result.quotient = static_cast<std::uint64_t>(estimate);
  BigUint product = denominator;
  product.Multiply(result.quotient);
  while (Compare(product, numerator) > 0) {
    product.Subtract(denominator);
    --result.quotient;
  }
  result.remainder = numerator;
  result.remainder.Subtract(product);
  while (Compare(result.remainder, denominator) >= 0) {
    result.remainder.Subtract(denominator);
    ++result.quotient;
  }
  return result;
}

int CompareHalf(const BigUint& remainder, const BigUint& denominator) {
  BigUint twice = remainder;
  twice.ShiftLeft(1);
  return Compare(twice, denominator);
}

}  // namespace tallix::detail
