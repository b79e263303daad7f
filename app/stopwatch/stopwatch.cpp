#include "app/stopwatch/stopwatch.h"

#include <algorithm>
#include <cstdint>

namespace tallix {

namespace {

std::string TwoDigits(std::int64_t value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

std::chrono::nanoseconds SteadyClock::Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

std::string StopwatchText(std::chrono::nanoseconds elapsed) {
  using std::chrono::duration_cast;
  const auto time = std::max(elapsed, std::chrono::nanoseconds::zero());
  const auto hours = duration_cast<std::chrono::hours>(time);
  const auto minutes = duration_cast<std::chrono::minutes>(time - hours);
  const auto seconds = duration_cast<std::chrono::seconds>(time - hours - minutes);
  const std::int64_t fraction = (time - hours - minutes - seconds).count();  // nanoseconds
  constexpr std::int64_t kHundredth = 10'000'000;
  std::int64_t hundredths = fraction / kHundredth;
  const std::int64_t remainder = fraction % kHundredth;
  if (remainder > kHundredth / 2 || (remainder == kHundredth / 2 && hundredths % 2 == 1)) ++hundredths;
  return TwoDigits(hours.count()) + ":" + TwoDigits(minutes.count()) + ":" + TwoDigits(seconds.count()) + ":" +
         TwoDigits(std::min<std::int64_t>(hundredths, 99));
}

void Stopwatch::StartStop() {
  if (running_) {
    Advance();
    Show();
  } else {
    lastReading_ = clock_.Now();
  }
  running_ = !running_;
  resetEnabled_ = !running_;
}

void Stopwatch::Reset() {
  if (running_) return;
  elapsed_ = std::chrono::nanoseconds::zero();
  resetEnabled_ = false;
  Show();
}

std::optional<std::string> Stopwatch::Lap() const {
  if (!running_) return std::nullopt;
  return text_;
}

bool Stopwatch::Tick() {
  if (running_) {
    Advance();
    Show();
  }
  const bool changed = text_ != textAtTick_;
  textAtTick_ = text_;
  return changed;
}

void Stopwatch::Advance() {
  const auto now = clock_.Now();
  if (now > lastReading_) elapsed_ += now - lastReading_;
  lastReading_ = now;
}

}  // namespace tallix
