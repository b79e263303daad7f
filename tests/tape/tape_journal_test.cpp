// Journals beside a real settings file: kept as a session grows, taken over
// by the next start when their window is gone, left alone while it runs, set
// aside (never deleted) when they cannot be read.
#include "app/tape/tape_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/basic_host.h"
#include "engine/memory_settings.h"
#include "tests/settings/temp_folder.h"

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;
namespace fs = std::filesystem;

// A window's engine with its journal, as the main window keeps them.
struct Session {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine{host, settings};
  std::unique_ptr<TapeJournal> journal;

  explicit Session(const std::string& settingsPath) {
    engine.Start({});
    journal = TapeJournal::Create(settingsPath, [this](std::size_t first) {
      return std::vector<std::string>(host.tape.begin() + static_cast<std::ptrdiff_t>(std::min(first, host.tape.size())),
                                      host.tape.end());
    });
    engine.SetRecordObserver(journal.get());
    journal->RecordChanged(engine);
    // The start is written a moment later, once the window shows it.
    journal->FlushIfDue(std::chrono::steady_clock::now() + kCalculationFlushGap);
  }
  void Keys(std::initializer_list<Key> keys) {
    for (const Key key : keys) engine.PressKey(key);
  }
};

TEST(TapeJournal, ALeftJournalGivesTheSameTapeAgain) {
  TempFolder folder;
  std::string path;
  std::vector<std::string> tape;
  std::string display;
  {
    Session window(folder.File());
    window.Keys({Key::D1, Key::D2, Key::Plus, Key::D3, Key::Equals});
    window.host.tape.push_back("a loaded line");  // lines before the next record
    window.engine.OnTapeLoaded(15);
    window.Keys({Key::D4, Key::Plus, Key::D5, Key::Plus});
    path = window.journal->path();
    tape = window.host.tape;
    display = window.host.display;
    window.engine.SetRecordObserver(nullptr);
  }  // gone without removing its journal, as a killed window is
  ASSERT_TRUE(fs::exists(settings_test::FromUtf8(path)));

  auto left = TakeLeftJournal(folder.File());
  ASSERT_TRUE(left.has_value());
  ASSERT_TRUE(left->content.has_value());
  EXPECT_EQ(left->path, path);
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Start({});
  host.tape = left->content->linesBefore;
  engine.Replay(left->content->record);
  EXPECT_EQ(host.tape, tape);
  EXPECT_EQ(host.display, display);
  // The same without a replay: the lines it wrote and where it stood.
  ASSERT_TRUE(left->content->end.has_value());
  BasicEngineHost adopted;
  Engine adopting(adopted, settings);
  adopted.tape = left->content->linesBefore;
  adopted.tape.insert(adopted.tape.end(), left->content->end->lines.begin(), left->content->end->lines.end());
  adopting.AdoptRecord(left->content->record, left->content->end->state, left->content->end->shown,
                       left->content->end->lines.size());
  EXPECT_EQ(adopted.tape, tape);
  EXPECT_EQ(adopted.display, display);
  EXPECT_EQ(adopting.record().inputs, engine.record().inputs);
  EXPECT_EQ(adopting.record().tapeLines, engine.record().tapeLines);

  // Taken over, it goes on; removed at a normal exit, nothing is left.
  auto journal = TapeJournal::Adopt(std::move(*left), engine, host.tape.size(), {});
  engine.SetRecordObserver(journal.get());
  engine.PressKey(Key::Equals);
  engine.SetRecordObserver(nullptr);
  const auto again = DecodeJournal(ReadBytes(path));
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->record.inputs, engine.record().inputs);
  journal->Remove();
  EXPECT_FALSE(fs::exists(settings_test::FromUtf8(path)));
}

// What was typed reaches the file within two seconds, a finished
// calculation within a quarter of a second.
TEST(TapeJournal, EntriesReachTheFileByTheClock) {
  TempFolder folder;
  Session window(folder.File());
  const auto inputsInFile = [&] {
    const auto read = DecodeJournal(ReadBytes(window.journal->path()));
    return read ? read->record.inputs.size() : 999;
  };
  window.Keys({Key::D1, Key::D2, Key::Plus});
  EXPECT_EQ(inputsInFile(), 0u);
  const auto now = std::chrono::steady_clock::now();
  window.journal->FlushIfDue(now);
  EXPECT_EQ(inputsInFile(), 0u);
  window.journal->FlushIfDue(now + kJournalFlushInterval);
  EXPECT_EQ(inputsInFile(), 3u);
  window.Keys({Key::D3, Key::Equals});
  const auto later = std::chrono::steady_clock::now();
  if (inputsInFile() == 3u) {  // ended within the gap of the flush before
    window.journal->FlushIfDue(later + kCalculationFlushGap);
  }
  EXPECT_EQ(inputsInFile(), 5u);
  window.engine.SetRecordObserver(nullptr);
}

TEST(TapeJournal, TheMostRecentJournalNoRunningWindowHoldsIsTaken) {
  TempFolder folder;
  Session running(folder.File());
  std::string older, newer;
  for (std::string* path : {&older, &newer}) {
    Session gone(folder.File());
    *path = gone.journal->path();
    gone.engine.SetRecordObserver(nullptr);
  }
  fs::last_write_time(settings_test::FromUtf8(older), fs::file_time_type::clock::now() - std::chrono::hours(1));
  const auto taken = TakeLeftJournal(folder.File());
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(taken->path, newer);
  // The running window's and the one just taken are held: the older is next.
  const auto next = TakeLeftJournal(folder.File());
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->path, older);
  EXPECT_FALSE(TakeLeftJournal(folder.File()).has_value());
  EXPECT_NE(running.journal->path(), newer);
}

TEST(TapeJournal, AnUnreadableJournalIsSetAsideAndLinksAreNeverFollowed) {
  TempFolder folder;
  const std::string junk = folder.File("Tallix.tape.1.0.journal");
  WriteBytes(junk, "not a journal\n");
#ifndef _WIN32
  const std::string target = folder.File("elsewhere.txt");
  WriteBytes(target, "precious");
  fs::create_symlink(settings_test::FromUtf8(target), settings_test::FromUtf8(folder.File("Tallix.tape.2.0.journal")));
#endif
  auto left = TakeLeftJournal(folder.File());
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(left->path, junk);
  EXPECT_FALSE(left->content.has_value());
  const std::string aside = SetJournalAside(*left);
  EXPECT_EQ(aside, junk + ".unreadable");
  EXPECT_EQ(ReadBytes(aside), "not a journal\n");
  EXPECT_FALSE(TakeLeftJournal(folder.File()).has_value());
#ifndef _WIN32
  EXPECT_EQ(ReadBytes(target), "precious");
#endif
  EXPECT_TRUE(IsJournalNameOf(folder.File(), "Tallix.tape.12.3.journal"));
  EXPECT_FALSE(IsJournalNameOf(folder.File(), "Tallix.tape.12.3.journal.unreadable"));
  EXPECT_FALSE(IsJournalNameOf(folder.File(), "Other.tape.1.0.journal"));
}

}  // namespace
}  // namespace tallix
