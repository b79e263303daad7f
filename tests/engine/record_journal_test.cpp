// The tape journal: written as random sessions grow, read back and replayed
// into a fresh engine, it makes the same tape; cut off anywhere, it gives
// what it held up to its last whole batch; anything else is no journal.
#include "engine/record_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "tests/engine/random_session.h"

namespace tallix {
namespace {

// Keeps a journal of an engine's record as the window does: a start when the
// record begins again, else what it gained.
class JournalKeeper {
 public:
  JournalKeeper(const Engine& engine, const BasicEngineHost& host) : engine_(engine), host_(host) {}
  void Sync() {
    const InputRecord& record = engine_.record();
    const std::span<const std::string> tape(host_.tape);
    if (engine_.recordStarts() != starts_) {
      starts_ = engine_.recordStarts();
      const std::size_t before = tape.size() - record.tapeLines;
      const JournalBatchEnd end{tape.subspan(before), engine_.state(), engine_.ShownNow()};
      if (bytes.empty()) bytes = JournalFileHeading();
      bytes += EncodeJournalStart(record, tape.first(before), &end);
    } else {
      const JournalBatchEnd end{tape.subspan(journaled_), engine_.state(), engine_.ShownNow()};
      AppendJournalBatch(record, mark_, bytes, &end);
    }
    journaled_ = tape.size();
    mark_ = JournalMark::Of(record);
    batchEnds.push_back(bytes.size());
  }
  std::string bytes;
  std::vector<std::size_t> batchEnds;

 private:
  const Engine& engine_;
  const BasicEngineHost& host_;
  std::uint64_t starts_ = ~std::uint64_t{0};
  JournalMark mark_;
  std::size_t journaled_ = 0;
};

// The tape, display and state a journal gives in a fresh engine.
struct Restored {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine{host, settings};
  explicit Restored(const ReadJournal& journal) {
    host.tape = journal.linesBefore;
    engine.Replay(journal.record);
  }
};

TEST(RecordJournal, WrittenAsTheSessionGrewItGivesTheSameTape) {
  std::mt19937 random(20261208);
  for (int session = 0; session < 3000; ++session) {
    RandomWorldHost host(random);
    MemorySettings settings;
    Engine engine(host, settings);
    EngineSettings start;
    start.calcMode = static_cast<int>(random() % 2);
    start.taxRate = 8.25f;
    if (random() % 3 == 0) start.memoryText[1] = "5", start.memoryValue[1] = 5;
    engine.Start(start);
    if (random() % 4 == 0) {
      host.tape = {"Loaded 1", "  12.50 +", "%odd line\r"};
      engine.OnTapeLoaded(12.5L);
    }
    JournalKeeper journal(engine, host);
    journal.Sync();
    for (int i = 1 + static_cast<int>(random() % 40); i > 0; --i) {
      RandomInput(engine, random);
      journal.Sync();
    }

    const auto read = DecodeJournal(journal.bytes);
    ASSERT_TRUE(read.has_value()) << "session " << session;
    EXPECT_FALSE(read->cutOff);
    Restored restored(*read);
    ASSERT_EQ(restored.host.tape, host.tape) << "session " << session;
    ASSERT_EQ(restored.host.display, host.display) << "session " << session;
    ASSERT_EQ(restored.host.items, host.items) << "session " << session;
    ASSERT_EQ(restored.host.memory, host.memory) << "session " << session;
    ASSERT_TRUE(SameState(restored.engine.state(), engine.state())) << "session " << session;
    ASSERT_EQ(restored.engine.record().inputs, engine.record().inputs);
    // Without a replay: the lines as written and the calculator where it stood.
    ASSERT_TRUE(read->end.has_value()) << "session " << session;
    std::vector<std::string> lines = read->linesBefore;
    lines.insert(lines.end(), read->end->lines.begin(), read->end->lines.end());
    ASSERT_EQ(lines, host.tape) << "session " << session;
    ASSERT_TRUE(SameState(read->end->state, engine.state())) << "session " << session;
    ASSERT_EQ(read->end->shown, engine.ShownNow()) << "session " << session;
  }
}

TEST(RecordJournal, CutOffAnywhereItGivesItsLastWholeBatch) {
  std::mt19937 random(7);
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Start({});
  JournalKeeper journal(engine, host);
  journal.Sync();
  for (const Key key : {Key::D1, Key::D2, Key::Plus, Key::D3, Key::Point, Key::D5, Key::Equals}) {
    engine.PressKey(key);
    journal.Sync();
  }
  engine.PasteDisplay();  // a batch with a text
  journal.Sync();
  engine.PressKey(Key::Plus);
  journal.Sync();

  for (std::size_t cut = 0; cut <= journal.bytes.size(); ++cut) {
    const auto read = DecodeJournal(std::string_view(journal.bytes).substr(0, cut));
    // The batches written completely before the cut.
    const auto whole = std::upper_bound(journal.batchEnds.begin(), journal.batchEnds.end(), cut);
    if (whole == journal.batchEnds.begin()) {
      // At most the start, without what came after it.
      if (read) {
        EXPECT_TRUE(read->record.inputs.empty() && !read->end) << "cut at " << cut;
      }
      continue;
    }
    ASSERT_TRUE(read.has_value()) << "cut at " << cut;
    EXPECT_EQ(read->cutOff, cut != *(whole - 1));
    const std::size_t batches = static_cast<std::size_t>(whole - journal.batchEnds.begin());
    // The first batch is the start; each later one holds one input.
    EXPECT_EQ(read->record.inputs.size(), batches - 1) << "cut at " << cut;
  }
}

TEST(RecordJournal, TextsAndValuesComeBackBitForBit) {
  InputRecord record;
  record.start.entryText = "1 2%3\n\r\t\x80\xff";
  record.start.memoryValue[0] = 1.0L / 3;
  record.start.lastTotal = -0.0L;
  record.start.taxRate = 8.25f;
  record.startTexts.display = "  -1,234.50";
  record.texts = {"", " a b ", "%", "\x01"};
  record.answers = {true, false};
  record.inputs = {{.kind = EngineInput::Kind::PasteDisplay, .startsEntry = true},
                   {.kind = EngineInput::Kind::SetTaxRate, .typesEntry = true, .keepsEntry = true, .value = -12345}};
  const auto read =
      DecodeJournal(JournalFileHeading() + EncodeJournalStart(record, std::vector<std::string>{"", "x  y"}));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->record.start.entryText, record.start.entryText);
  EXPECT_TRUE(SameBits(read->record.start.memoryValue[0], record.start.memoryValue[0]));
  EXPECT_TRUE(std::signbit(read->record.start.lastTotal));
  EXPECT_EQ(read->record.start.taxRate, 8.25f);
  EXPECT_EQ(read->record.startTexts, record.startTexts);
  EXPECT_EQ(read->record.texts, record.texts);
  EXPECT_EQ(read->record.answers, record.answers);
  EXPECT_EQ(read->record.inputs, record.inputs);
  EXPECT_EQ(read->linesBefore, (std::vector<std::string>{"", "x  y"}));
}

TEST(RecordJournal, AnythingElseIsNoJournal) {
  const std::string good = JournalFileHeading() + EncodeJournalStart(InputRecord{}, {});
  ASSERT_TRUE(DecodeJournal(good).has_value());
  for (const std::string& bad : {std::string(), std::string("junk\n.\n"), "TALLIX TAPE JOURNAL 2\n" + good.substr(22),
                                good + "I 99 0 0\n.\n", good + "T unquoted\n.\n", good + "A 2\n.\n",
                                good + "Q\n.\n", std::string(good).replace(good.find("\nS ") + 3, 1, "x")}) {
    EXPECT_FALSE(DecodeJournal(bad).has_value()) << bad;
  }
  std::mt19937 random(3);
  for (int i = 0; i < 2000; ++i) {
    std::string noise = good;
    noise[random() % noise.size()] = static_cast<char>(random());
    (void)DecodeJournal(noise);  // never crashes, whatever it answers
  }
}

}  // namespace
}  // namespace tallix
