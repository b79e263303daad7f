// The 18-digit decimal conversion and FormatNumber with the display masks,
// against glibc's snprintf("%.17Le") on the same values in the same run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "services/format_mask.h"
#include "services/number_text.h"

namespace {

constexpr std::size_t kValueCount = 4096;

// Magnitudes from 1e-10 to 1e15, with full 64-bit mantissas: what a
// calculator sees after a division or two.
const std::vector<long double>& CalculatorValues() {
  static const std::vector<long double> values = [] {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<long double> mantissa(1.0L, 10.0L);
    std::vector<long double> result;
    for (std::size_t i = 0; i < kValueCount; ++i) {
      long double value = mantissa(random);
      const int exponent = int(random() % 26) - 10;
      for (int k = 0; k < (exponent < 0 ? -exponent : exponent); ++k) value = exponent < 0 ? value / 10 : value * 10;
      result.push_back(random() % 2 ? -value : value);
    }
    return result;
  }();
  return values;
}

// Every finite bit pattern equally likely: mostly huge and tiny exponents.
const std::vector<long double>& RandomBitValues() {
  static const std::vector<long double> values = [] {
    std::mt19937_64 random(2);
    std::vector<long double> result;
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::uint64_t mantissa = random() | (std::uint64_t(1) << 63);
      const unsigned signExponent = unsigned(random() % 32766 + 1) | (random() % 2 ? 0x8000u : 0u);
      unsigned char bytes[sizeof(long double)] = {};
      std::memcpy(bytes, &mantissa, 8);
      bytes[8] = static_cast<unsigned char>(signExponent & 0xFF);
      bytes[9] = static_cast<unsigned char>(signExponent >> 8);
      long double value;
      std::memcpy(&value, bytes, sizeof(value));
      result.push_back(value);
    }
    return result;
  }();
  return values;
}

template <const std::vector<long double>& (*Values)()>
void BM_ToDecimalDigits18(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tallix::ToDecimalDigits18(values[i++ % kValueCount]));
  }
}

template <const std::vector<long double>& (*Values)()>
void BM_Snprintf17Le(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.17Le", values[i++ % kValueCount]));
    benchmark::ClobberMemory();
  }
}

void BM_FormatNumber(benchmark::State& state, const char* mask) {
  const auto& values = CalculatorValues();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tallix::FormatNumber(values[i++ % kValueCount], mask));
  }
}

BENCHMARK_TEMPLATE(BM_ToDecimalDigits18, CalculatorValues)->Name("ToDecimalDigits18/calculator");
BENCHMARK_TEMPLATE(BM_Snprintf17Le, CalculatorValues)->Name("snprintf_17Le/calculator");
BENCHMARK_TEMPLATE(BM_ToDecimalDigits18, RandomBitValues)->Name("ToDecimalDigits18/random_bits");
BENCHMARK_TEMPLATE(BM_Snprintf17Le, RandomBitValues)->Name("snprintf_17Le/random_bits");
BENCHMARK_CAPTURE(BM_FormatNumber, floating, "###########0.##########");
BENCHMARK_CAPTURE(BM_FormatNumber, fixed2, "###########0.00");
BENCHMARK_CAPTURE(BM_FormatNumber, average, "#,.00");

}  // namespace

BENCHMARK_MAIN();
