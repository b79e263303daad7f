// Load Tape a slice at a time, as the window does for long tapes, ends where
// applying the whole file at once ends.
#include "app/tape/apply_loaded_tape.h"

#include <gtest/gtest.h>

#include "engine/basic_host.h"
#include "engine/memory_settings.h"

namespace tallix {
namespace {

struct Calculator {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine{host, settings};
};

TEST(LoadedTapeApplier, SlicesEndAsTheWholeTapeAtOnceAndTheDisplayChangesLast) {
  LoadedTape tape;
  for (int i = 0; i < 10; ++i) tape.lines.push_back(std::to_string(i) + " +");
  tape.displayText = "45";
  tape.lastTotal = 45;

  Calculator atOnce, sliced;
  ApplyLoadedTape(tape, atOnce.engine, atOnce.host);

  LoadedTapeApplier applier(tape, sliced.engine, sliced.host);
  const std::string displayBefore = sliced.host.display;
  EXPECT_FALSE(applier.Step(4));
  EXPECT_FALSE(applier.Step(4));
  EXPECT_EQ(applier.linesApplied(), 8u);
  EXPECT_EQ(sliced.host.display, displayBefore);
  EXPECT_TRUE(applier.Step(4));
  EXPECT_TRUE(applier.Step(4));  // nothing more to do, nothing done twice

  EXPECT_EQ(sliced.host.tape, atOnce.host.tape);
  EXPECT_EQ(sliced.host.display, "45");
  EXPECT_EQ(sliced.engine.state().lastTotal, atOnce.engine.state().lastTotal);
}

}  // namespace
}  // namespace tallix
