#pragma once
// The figures of one step of the transfer test and their texts. Every count
// is 64-bit: a file of 2^31 MiB is 2^51 bytes, today's disks move more than
// 2^31 bytes per second, and a 32-bit bit rate overflows at 256 MiB/s.

#include <array>
#include <cstdint>
#include <string>

namespace tallix::transfer {

struct StepFigures {
  std::int64_t bytes = 0;  // moved by the step ("Packet length")
  long double elapsed = 0;
  std::int64_t bytesPerSecond = 0;
  std::int64_t bitsPerSecond = 0;
  // The clock saw no time pass (or a rate beyond 64 bits): no rate to show.
  bool tooFast = false;
};

StepFigures ComputeFigures(std::int64_t bytes, long double elapsed);

enum class StepOutcome { kNotRun, kMeasured, kFailed };

struct StepResult {
  StepOutcome outcome = StepOutcome::kNotRun;
  StepFigures figures;
  std::string failure;  // kFailed: what failed and why
  std::string caveat;   // kMeasured: why the figure may be the file cache's
};

// Packet length, time to complete, bytes per second, bits per second, Mbps.
using ColumnTexts = std::array<std::string, 5>;

// As the window and the report show them ("104,857,600", "2.5000000", ...).
// A failed step shows its byte count and "failed", never a rate; a step too
// fast for the clock says so instead of a rate.
ColumnTexts ColumnFieldTexts(const StepResult& result);

inline constexpr char kFailedText[] = "failed";
inline constexpr char kTooFastText[] = "too fast to measure";

}  // namespace tallix::transfer
