// Journals of the versions before today's: read with the fields added since at
// their defaults, and made again by today's engine.
#include <gtest/gtest.h>

#include <string>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "engine/record_journal.h"

namespace tallix {
namespace {

// As Tallix wrote it before the rounding switch and the grand total (version
// 2): at 2 decimals 12.345 + 2 ÷ 3 =, M+, then at 1 decimal 7 - 9.25 =.
const std::string kVersion2Journal =
    "TALLIX TAPE JOURNAL 2\n"
    "S ' 0 00000000000000000000 00000000000000000000 00000000000000000000 0 0 1 0 0 2 2 1 0 00000000"
    " 0 ' ' 00000000000000000000 00000000000000000000 18 0 0 0 0\n"
    "W '0.00 '%200%20Items '%20AVG%20=%200.00 '%20M1 ' 0\n"
    ". B2B8E754\n"
    "E ' 0 00000000000000000000 00000000000000000000 00000000000000000000 0 0 1 0 0 2 2 1 0 00000000"
    " 0 ' ' 00000000000000000000 00000000000000000000 18 0 0 0 0 '0.00 '%200%20Items"
    " '%20AVG%20=%200.00 '%20M1 ' 0\n"
    ". 46966DD5\n"
    "I 0 1 3\n"
    "I 0 2 1\n"
    "I 0 16 1\n"
    "I 0 3 1\n"
    "I 0 4 1\n"
    "I 0 5 1\n"
    "I 0 22 0\n"
    "I 0 2 3\n"
    "I 0 25 0\n"
    "I 0 3 3\n"
    "I 0 26 0\n"
    "O '12.35%20%20\n"
    "O '2.00%20+\n"
    "O '3.00%20\xF7\n"
    "O '--------------------------\n"
    "O '4.78%20=\n"
    "O '\n"
    "E ' 0 00000000000000C00040 00000000000000000000 11111111111111990140 0 0 0 0 0 2 2 1 0 00000000"
    " 0 ' ' 00000000000000000000 00000000000000000000 18 0 0 0 5 '4.78 '%20%203%20Items"
    " '%20AVG%20=%20n/a '%20M1 ' 0\n"
    ". 8A615423\n"
    "I 0 31 0\n"
    "O '4.78%20M+\n"
    "E ' 0 00000000000000C00040 00000000000000000000 11111111111111990140 0 0 0 0 0 2 2 1 0 00000000"
    " 0 '4.78 ' C3F5285C8FC2F5980140 00000000000000000000 18 0 0 0 6 '4.78 '%20%203%20Items"
    " '%20AVG%20=%20n/a '%20M1%20=%204.78 ' 0\n"
    ". F462E4F2\n"
    "I 3 1 0\n"
    "E ' 0 00000000000000C00040 00000000000000000000 11111111111111990140 0 0 0 0 0 1 1 1 0 00000000"
    " 0 '4.78 ' C3F5285C8FC2F5980140 00000000000000000000 18 0 0 0 6 '4.8 '%20%203%20Items"
    " '%20AVG%20=%20n/a '%20M1%20=%204.78 ' 0\n"
    ". 73416E19\n"
    "I 0 7 3\n"
    "I 0 23 0\n"
    "I 0 9 3\n"
    "I 0 16 1\n"
    "I 0 2 1\n"
    "I 0 5 1\n"
    "I 0 26 0\n"
    "O '7.0%20%20\n"
    "O '9.3%20-\n"
    "O '--------------------------\n"
    "O '-2.2%20=\n"
    "O '\n"
    "E ' 0 00000000000000940240 00000000000000000000 000000000000009000C0 0 0 1 0 0 1 1 1 0 00000000"
    " 0 '4.78 ' C3F5285C8FC2F5980140 00000000000000000000 18 0 0 0 11 '-2.2 '%20%202%20Items"
    " '%20AVG%20=%20-1.12 '%20M1%20=%204.78 ' 0\n"
    ". A78142C8\n";

TEST(JournalVersions, Version2ReadsWithTheRoundingAndGrandTotalAtTheirDefaults) {
  const auto read = DecodeJournal(kVersion2Journal);
  ASSERT_TRUE(read.has_value());
  EXPECT_FALSE(read->currentFormat);
  EXPECT_FALSE(read->cutOff);
  ASSERT_TRUE(read->end.has_value());
  for (const EngineState& state : {read->record.start, read->end->state}) {
    EXPECT_EQ(state.rounding, RoundingRule::kHalfEven);
    EXPECT_FALSE(state.grandTotalOn || state.grandTotalPressed);
    EXPECT_EQ(state.grandTotal, Exact<Real>(0));
  }
  EXPECT_EQ(read->end->lines[4], "4.78 =");

  // Today's engine makes the same tape, display and panes from its record.
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Replay(read->record);
  EXPECT_EQ(host.tape, read->end->lines);
  EXPECT_EQ(engine.ShownNow(), read->end->shown);
  EXPECT_EQ(engine.state(), read->end->state);

  // Written again in today's format, it reads back the same.
  const JournalBatchEnd end{host.tape, engine.state(), engine.ShownNow()};
  const auto again = DecodeJournal(JournalFileHeading() + EncodeJournalStart(engine.record(), {}, &end));
  ASSERT_TRUE(again.has_value() && again->end.has_value());
  EXPECT_TRUE(again->currentFormat);
  EXPECT_EQ(again->record.inputs, read->record.inputs);
  EXPECT_EQ(again->end->state, read->end->state);
}

TEST(JournalVersions, TodaysHeadingWantsEveryField) {
  std::string bytes = kVersion2Journal;
  bytes.replace(0, kJournalHeading.size(), kJournalHeading);
  EXPECT_FALSE(DecodeJournal(bytes).has_value());
}

}  // namespace
}  // namespace tallix
