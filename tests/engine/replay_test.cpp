// The record of what made the tape, replayed into a fresh engine, makes the
// same tape, display, panes, memory banks and state: on random sessions of
// every kind of input, including the outside world's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "engine/basic_host.h"
#include "engine/deferred_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "engine/virtual_keys.h"
#include "tests/engine/calculator_fixture.h"
#include "tests/engine/random_session.h"

namespace tallix {
namespace {

// A hundred thousand sessions in four parts of their own seeds, so that the
// test command's shards run them side by side.
class RandomSessions : public ::testing::TestWithParam<int> {};

TEST_P(RandomSessions, ComeOutTheSameInAFreshEngine) {
  std::mt19937 random(20261207 + GetParam());
  constexpr int kSessions = 25000;
  for (int session = 0; session < kSessions; ++session) {
    RandomWorldHost host(random);
    MemorySettings settings;
    Engine engine(host, settings);
    EngineSettings start;
    start.calcMode = static_cast<int>(random() % 2);
    start.displayMode = static_cast<std::uint8_t>(random() % 14);
    start.decimalSetting = static_cast<std::uint8_t>(random() % 11);
    start.digitGrouping = random() % 2;
    start.autoDecimal = random() % 4 == 0;
    start.taxRate = 8.25f;
    start.laptopKeys = random() % 3 == 0;
    if (random() % 3 == 0) start.banks.text[0] = "5", start.banks.value[0] = 5;
    engine.Start(start);

    std::size_t tapeAtRecordStart = host.tape.size();
    const int inputs = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < inputs; ++i) {
      RandomInput(engine, random);
      if (engine.record().inputs.empty()) tapeAtRecordStart = host.tape.size();
    }

    const auto recordStart = host.tape.begin() + static_cast<std::ptrdiff_t>(tapeAtRecordStart);
    BasicEngineHost again;
    again.tape.assign(host.tape.begin(), recordStart);  // as a window keeps them
    MemorySettings againSettings;
    Engine replayed(again, againSettings);
    replayed.Replay(engine.record());

    const std::vector<std::string> tape(recordStart, host.tape.end());
    ASSERT_EQ(again.tape, host.tape) << "session " << session;
    ASSERT_EQ(again.display, host.display) << "session " << session;
    ASSERT_EQ(again.items, host.items) << "session " << session;
    ASSERT_EQ(again.average, host.average) << "session " << session;
    ASSERT_EQ(again.memory, host.memory) << "session " << session;
    ASSERT_EQ(again.numLock, host.numLock) << "session " << session;
    ASSERT_EQ(again.bank2Shown, host.bank2Shown) << "session " << session;
    ASSERT_TRUE(SameState(replayed.state(), engine.state())) << "session " << session;
    ASSERT_EQ(replayed.record().inputs, engine.record().inputs);
    ASSERT_EQ(engine.record().tapeLines, tape.size()) << "session " << session;
    ASSERT_EQ(replayed.record().tapeLines, tape.size()) << "session " << session;
  }
}
INSTANTIATE_TEST_SUITE_P(Replay, RandomSessions, ::testing::Range(0, 4));

// A window replays a long record through a host that shows only where it ends.
TEST(Replay, ThroughADeferredHostTheWindowEndsAsIfEveryStepHadBeenShown) {
  std::mt19937 random(7);
  for (int session = 0; session < 3000; ++session) {
    RandomWorldHost host(random);
    MemorySettings settings;
    Engine engine(host, settings);
    EngineSettings start;
    start.displayMode = static_cast<std::uint8_t>(random() % 14);
    engine.Start(start);
    for (int i = 0, inputs = 1 + static_cast<int>(random() % 40); i < inputs; ++i) RandomInput(engine, random);

    testing::RecordingHost shownEachStep, shownAtEnd;
    shownAtEnd.tape = shownEachStep.tape = {"a loaded line"};
    MemorySettings settingsA, settingsB;
    Engine direct(shownEachStep, settingsA), deferredEngine(shownAtEnd, settingsB);
    direct.Replay(engine.record());
    DeferredHost deferred(shownAtEnd, shownAtEnd.tape.size());
    deferredEngine.Replay(engine.record(), {.afterInput = {}, .via = &deferred});
    EXPECT_TRUE(shownAtEnd.tape.size() == 1 && shownAtEnd.display == "0") << "nothing shown before the end";
    shownAtEnd.tape.resize(deferred.FirstLine());
    shownAtEnd.tape.insert(shownAtEnd.tape.end(), deferred.Lines().begin(), deferred.Lines().end());
    deferred.ShowOnTarget();

    ASSERT_EQ(shownAtEnd.tape, shownEachStep.tape) << "session " << session;
    ASSERT_EQ(std::tie(shownAtEnd.display, shownAtEnd.items, shownAtEnd.average, shownAtEnd.memory, shownAtEnd.numLock,
                       shownAtEnd.bank2Shown),
              std::tie(shownEachStep.display, shownEachStep.items, shownEachStep.average, shownEachStep.memory,
                       shownEachStep.numLock, shownEachStep.bank2Shown))
        << "session " << session;
    ASSERT_TRUE(
        std::equal(std::begin(shownAtEnd.enabled), std::end(shownAtEnd.enabled), std::begin(shownEachStep.enabled)));
    ASSERT_EQ(std::tie(shownAtEnd.checkedSystem, shownAtEnd.checkedDecimals, shownAtEnd.groupingChecked,
                       shownAtEnd.autoDecimalChecked, shownAtEnd.selectedLine),
              std::tie(shownEachStep.checkedSystem, shownEachStep.checkedDecimals, shownEachStep.groupingChecked,
                       shownEachStep.autoDecimalChecked, shownEachStep.selectedLine))
        << "session " << session;
    ASSERT_TRUE(SameState(deferredEngine.state(), direct.state()));
    ASSERT_EQ(deferredEngine.record().inputs, engine.record().inputs);
  }
}

TEST(Replay, TheRecordStartsAgainAtClearTapeAndAtALoadedTape) {
  std::mt19937 random(1);
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Start({});
  engine.PressKey(Key::D5);
  engine.PressKey(Key::Plus);
  EXPECT_EQ(engine.record().inputs.size(), 2u);

  host.answerYes = false;
  engine.PressKey(Key::ClearTape);
  EXPECT_EQ(engine.record().inputs.size(), 3u) << "a tape kept is still recorded";
  host.answerYes = true;
  engine.PressKey(Key::ClearTape);
  EXPECT_TRUE(engine.record().inputs.empty());
  EXPECT_EQ(engine.record().startTexts.items, host.items);

  engine.PressKey(Key::D7);
  engine.OnTapeLoaded(12);
  EXPECT_TRUE(engine.record().inputs.empty());
  EXPECT_TRUE(SameBits(engine.record().start.lastTotal, 12));
}

}  // namespace
}  // namespace tallix
