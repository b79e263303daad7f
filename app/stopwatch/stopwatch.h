#pragma once
// The stopwatch of the main window's bottom bar: Start/Stop, Lap and Reset,
// and the time text "HH:MM:SS:hh" the window shows. It runs whether or not
// the bar is shown. The window shows text() after StartStop and Reset, and
// after each Tick of its 50-millisecond timer that says the text changed.
//
// Time is measured on a monotonic clock, never the time of day, so that a
// daylight-saving change, midnight or the user setting the clock neither adds
// nor takes away time. Each reading adds only the time passed since the
// previous one, so a late tick (a modal window, a busy handler) loses nothing.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  // Time since some fixed point; it never jumps with the time of day.
  virtual std::chrono::nanoseconds Now() = 0;
};

// std::chrono::steady_clock: QueryPerformanceCounter on Windows.
class SteadyClock final : public MonotonicClock {
 public:
  std::chrono::nanoseconds Now() override;
};

// Hours, minutes, seconds and hundredths, each of at least two digits and
// joined by ":"; hours run on past 99 ("100:00:00:00"). Hundredths are rounded
// to the nearest, halves to even, but never up into the next second.
std::string StopwatchText(std::chrono::nanoseconds elapsed);

inline constexpr std::string_view kLapSymbol = "LAP";

class Stopwatch {
 public:
  explicit Stopwatch(MonotonicClock& clock) : clock_(clock) {}

  // Starts, or stops keeping the time so far; a later start continues from it.
  // Stopping shows the exact time at the stop.
  void StartStop();
  // While stopped: back to zero, shown at once.
  void Reset();
  // While running: the number text of the lap's tape line, the time shown now
  // (AppendTapeLine(*Lap(), kLapSymbol) writes "00:01:05:20 LAP").
  std::optional<std::string> Lap() const;
  // Brings a running time up to date; true when text() differs from what it
  // was after the previous Tick.
  bool Tick();

  bool running() const { return running_; }
  // The caption of the start key, which tells the state.
  std::string_view startCaption() const { return running_ ? "Stop" : "Start"; }
  bool lapEnabled() const { return running_; }
  // Only while stopped after a run that has not been reset.
  bool resetEnabled() const { return resetEnabled_; }
  const std::string& text() const { return text_; }

 private:
  // Adds the time since the previous reading; a clock that goes back adds nothing.
  void Advance();
  void Show() { text_ = StopwatchText(elapsed_); }

  MonotonicClock& clock_;
  bool running_ = false;
  bool resetEnabled_ = false;
  std::chrono::nanoseconds elapsed_{0};
  std::chrono::nanoseconds lastReading_{0};
  std::string text_ = "00:00:00:00";
  std::string textAtTick_ = text_;
};

}  // namespace tallix
