// The tape journal: written as random sessions grow, read back and replayed
// into a fresh engine, it makes the same tape; cut off anywhere, it gives
// what it held up to its last whole batch; anything else is no journal.
#include "engine/record_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "services/crc32.h"
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

// The same journal as version 1 wrote it: no checksums.
std::string WithoutChecksums(const std::string& bytes) {
  std::string out(kJournalHeadingVersion1);
  for (std::size_t at = kJournalHeading.size(), end; at < bytes.size(); at = end) {
    end = std::min(bytes.find('\n', at + 1), bytes.size());
    const std::string_view line = std::string_view(bytes).substr(at, end - at);
    out += line.starts_with("\n. ") ? "\n." : line;
  }
  return out;
}

// Lines sealed as a whole batch of today's format.
std::string Sealed(std::string lines) {
  lines += '.';
  char sum[16];
  std::snprintf(sum, sizeof sum, " %08X\n", static_cast<unsigned>(Crc32(lines)));
  return lines + sum;
}

bool SameRead(const ReadJournal& a, const ReadJournal& b) {
  const bool sameEnd = a.end.has_value() == b.end.has_value() &&
                       (!a.end || (a.end->lines == b.end->lines && SameState(a.end->state, b.end->state) &&
                                   a.end->shown == b.end->shown));
  return sameEnd && a.record.inputs == b.record.inputs && a.record.texts == b.record.texts &&
         a.record.answers == b.record.answers && SameState(a.record.start, b.record.start) &&
         a.record.startTexts == b.record.startTexts && a.linesBefore == b.linesBefore;
}

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
    if (random() % 3 == 0) start.banks.text[1] = "5", start.banks.value[1] = 5;
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
    // A journal of the format before checksums reads the same.
    const auto old = DecodeJournal(WithoutChecksums(journal.bytes));
    ASSERT_TRUE(old.has_value()) << "session " << session;
    ASSERT_TRUE(SameRead(*old, *read)) << "session " << session;
    ASSERT_FALSE(old->currentFormat);
  }
}

// A damaged disk: whatever one flipped bit makes of a journal, it reads as
// no journal or as the journal cut off after some whole batch, never as
// another tape.
TEST(RecordJournal, AFlippedBitNeverGivesAnotherTape) {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Start({});
  host.tape = {"Loaded 1", "  12.50 +"};
  engine.OnTapeLoaded(12.5L);
  JournalKeeper journal(engine, host);
  journal.Sync();
  for (const Key key : {Key::D1, Key::D2, Key::Plus, Key::D3, Key::Equals}) {
    engine.PressKey(key);
    journal.Sync();
  }
  engine.PasteDisplay();
  journal.Sync();
  const std::string& bytes = journal.bytes;
  std::vector<ReadJournal> prefixes;
  for (std::size_t cut = 0; cut <= bytes.size(); cut = bytes.find('\n', cut) + 1) {
    if (auto read = DecodeJournal(std::string_view(bytes).substr(0, cut))) prefixes.push_back(std::move(*read));
    if (cut == bytes.size()) break;
  }
  ASSERT_FALSE(prefixes.empty());
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const int bit = static_cast<int>(at % 8);  // each bit of a byte in turn along the file
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ (1 << bit));
    const auto read = DecodeJournal(damaged);
    if (!read) continue;
    ASSERT_TRUE(std::any_of(prefixes.begin(), prefixes.end(), [&](const ReadJournal& p) { return SameRead(p, *read); }))
        << "bit " << bit << " of byte " << at;
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

// Each field of the state changed on its own, a zero only in its sign: the
// state's equality tells it apart, and the journal brings it back.
TEST(RecordJournal, EveryFieldOfTheStateIsComparedAndCarried) {
  const auto change = [](auto& field) {
    using Field = std::remove_cvref_t<decltype(field)>;
    if constexpr (requires { field.number; }) {
      field = -field.number;
    } else if constexpr (std::is_same_v<Field, std::string>) {
      field += 'x';
    } else if constexpr (std::is_same_v<Field, bool>) {
      field = !field;
    } else if constexpr (std::is_enum_v<Field>) {
      field = static_cast<Field>(1);
    } else {
      ++field;
    }
  };
  for (int which = 0, fields = 1; which < fields; ++which) {
    InputRecord record;
    fields = 0;
    VisitStateFields(record.start, [&](auto& field) {
      if (fields++ == which) change(field);
    });
    EXPECT_NE(record.start, EngineState()) << "field " << which;
    const auto read = DecodeJournal(JournalFileHeading() + EncodeJournalStart(record, {}));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->record.start, record.start) << "field " << which;
  }
  EngineState nan;
  nan.total = std::nanl("");
  EXPECT_EQ(nan, EngineState(nan));
}

TEST(RecordJournal, TextsAndValuesComeBackBitForBit) {
  InputRecord record;
  record.start.entryText = "1 2%3\n\r\t\x80\xff";
  record.start.banks.value[0] = 1.0L / 3;
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
  EXPECT_EQ(read->record.start.banks, record.start.banks);
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
  const std::string old = WithoutChecksums(good);
  ASSERT_TRUE(DecodeJournal(old).has_value());
  for (const std::string& bad : {std::string(), std::string("junk\n.\n"), "TALLIX TAPE JOURNAL 9\n" + good.substr(22),
                                 std::string(good).replace(good.find("\nS ") + 3, 1, "x")}) {
    EXPECT_FALSE(DecodeJournal(bad).has_value()) << bad;
  }
  // Whole batches, today's and of the old format, of lines that are no journal's.
  for (const std::string lines : {"I 99 0 0\n", "T unquoted\n", "A 2\n", "Q\n"}) {
    EXPECT_FALSE(DecodeJournal(good + Sealed(lines)).has_value()) << lines;
    EXPECT_FALSE(DecodeJournal(old + lines + ".\n").has_value()) << lines;
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
