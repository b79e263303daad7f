// The stopwatch on a clock the test moves.
#include "app/stopwatch/stopwatch.h"

#include <gtest/gtest.h>

namespace tallix {
namespace {

using namespace std::chrono_literals;

class FakeClock : public MonotonicClock {
 public:
  std::chrono::nanoseconds Now() override { return now; }
  std::chrono::nanoseconds now = 1h;
};

TEST(StopwatchText, FieldsOfTwoDigitsHoursPast99AndHundredthsThatNeverRoundUpAMinute) {
  EXPECT_EQ(StopwatchText(0ns), "00:00:00:00");
  EXPECT_EQ(StopwatchText(1h + 2min + 3s + 450ms), "01:02:03:45");
  EXPECT_EQ(StopwatchText(100h), "100:00:00:00");
  EXPECT_EQ(StopwatchText(59s + 996ms), "00:00:59:99");
  EXPECT_EQ(StopwatchText(1s + 5ms), "00:00:01:00");  // a half, to even
  EXPECT_EQ(StopwatchText(1s + 15ms), "00:00:01:02");
  EXPECT_EQ(StopwatchText(1s + 5000001ns), "00:00:01:01");
}

TEST(Stopwatch, StartStopLapAndReset) {
  FakeClock clock;
  Stopwatch watch(clock);
  EXPECT_EQ(watch.startCaption(), "Start");
  EXPECT_FALSE(watch.lapEnabled());
  EXPECT_FALSE(watch.resetEnabled());
  EXPECT_FALSE(watch.Lap());
  EXPECT_FALSE(watch.Tick());

  watch.StartStop();
  EXPECT_EQ(watch.startCaption(), "Stop");
  EXPECT_TRUE(watch.lapEnabled());
  EXPECT_FALSE(watch.resetEnabled());
  clock.now += 7450ms;
  EXPECT_TRUE(watch.Tick());
  EXPECT_EQ(watch.Lap(), "00:00:07:45");
  EXPECT_FALSE(watch.Tick());
  watch.Reset();  // not while running
  clock.now += 30ms;
  watch.StartStop();  // the time at the stop, not at the last tick
  EXPECT_EQ(watch.text(), "00:00:07:48");
  EXPECT_TRUE(watch.resetEnabled());
  EXPECT_FALSE(watch.lapEnabled());

  clock.now += 1h;  // stopped time does not count
  watch.Tick();
  watch.StartStop();
  clock.now += 1s;
  watch.Tick();
  EXPECT_EQ(watch.text(), "00:00:08:48");

  watch.StartStop();
  watch.Reset();
  EXPECT_EQ(watch.text(), "00:00:00:00");
  EXPECT_FALSE(watch.resetEnabled());
  EXPECT_TRUE(watch.Tick());
  watch.StartStop();
  clock.now += 2s;
  watch.Tick();
  EXPECT_EQ(watch.text(), "00:00:02:00");
}

TEST(Stopwatch, CountsOnlyTheTimeThatPassedWhateverTheClockDoes) {
  FakeClock clock;
  Stopwatch watch(clock);
  watch.StartStop();
  clock.now += 100h;  // one late tick loses nothing
  watch.Tick();
  EXPECT_EQ(watch.text(), "100:00:00:00");

  clock.now -= 1h;  // a clock set back
  EXPECT_FALSE(watch.Tick());
  clock.now += 1s;
  watch.Tick();
  EXPECT_EQ(watch.text(), "100:00:01:00");

  SteadyClock steady;
  const auto first = steady.Now();
  EXPECT_LE(first, steady.Now());
}

}  // namespace
}  // namespace tallix
