// Journals beside a real settings file: kept as a session grows, taken over
// by the next start when their window is gone, left alone while it runs, set
// aside (never deleted) when they cannot be read.
#include "app/tape/tape_journal.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "app/settings/settings_temporaries.h"
#include "app/tape/journal_texts.h"
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

  explicit Session(const std::string& settingsPath, journal_io::Files& files = journal_io::SystemFiles()) {
    engine.Start({});
    journal = TapeJournal::Create(
        settingsPath,
        [this](std::size_t first) {
          return std::vector<std::string>(
              host.tape.begin() + static_cast<std::ptrdiff_t>(std::min(first, host.tape.size())), host.tape.end());
        },
        files);
    engine.SetRecordObserver(journal.get());
    journal->RecordChanged(engine);
    // The start is written a moment later, once the window shows it.
    journal->FlushIfDue(std::chrono::steady_clock::now() + kCalculationFlushGap);
  }
  void Keys(std::initializer_list<Key> keys) {
    for (const Key key : keys) engine.PressKey(key);
  }
  // Ends a calculation and lets the journal write it.
  void Flush() { journal->FlushIfDue(std::chrono::steady_clock::now() + kJournalFlushInterval); }
  // The tape the journal on disk gives back.
  std::optional<std::vector<std::string>> TapeOnDisk() const {
    const auto read = DecodeJournal(ReadBytes(journal->path()));
    if (!read || !read->end) return std::nullopt;
    std::vector<std::string> lines = read->linesBefore;
    lines.insert(lines.end(), read->end->lines.begin(), read->end->lines.end());
    return lines;
  }
};

// The system's file calls, but for one kind that fails on demand, as on a
// full disk.
struct FailingFiles final : journal_io::Files {
  enum class Call { kNone, kCreate, kAppend, kFlush, kReplace };
  Call failing = Call::kNone;
  journal_io::File CreateLocked(const std::string& path) override {
    return failing == Call::kCreate ? journal_io::File() : Files::CreateLocked(path);
  }
  bool Append(const journal_io::File& handle, std::string_view bytes) override {
    return failing != Call::kAppend && Files::Append(handle, bytes);
  }
  bool Flush(const journal_io::File& handle) override { return failing != Call::kFlush && Files::Flush(handle); }
  bool Replace(const std::string& from, const std::string& to) override {
    if (failing != Call::kReplace) return Files::Replace(from, to);
    fs::remove(settings_test::FromUtf8(from));  // as the system's does
    return false;
  }
  std::string FailureReason() override { return "No space left on device"; }
};

std::size_t FilesIn(const TempFolder& folder) {
  const fs::path where = settings_test::FromUtf8(folder.File("x")).parent_path();
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), fs::directory_iterator()));
}

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

#ifdef _WIN32
// A name Windows allows that has no UTF-8 form (a lone surrogate) beside the
// settings: the start passes over it, neither stopping nor taking it for
// another file.
TEST(TapeJournal, ANameWithoutUtf8FormBesideTheSettingsIsPassedOver) {
  TempFolder folder;
  std::string left;
  {
    Session gone(folder.File());
    left = gone.journal->path();
    gone.engine.SetRecordObserver(nullptr);
  }
  const std::wstring odd = settings_test::FromUtf8(folder.File("notes")).wstring() + L"\xD800.txt";
  const HANDLE file = CreateFileW(odd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) GTEST_SKIP() << "this system keeps no such name (Wine refuses one)";
  CloseHandle(file);
  const auto taken = TakeLeftJournal(folder.File());
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(taken->path, left);
  EXPECT_EQ(RemoveStaleTemporariesWithJournals(folder.File()), 0u);
}
#endif

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
#ifndef _WIN32
  // A second name of a file elsewhere is no journal either.
  const std::string other = folder.File("other.txt");
  WriteBytes(other, "precious too");
  fs::create_hard_link(settings_test::FromUtf8(other), settings_test::FromUtf8(folder.File("Tallix.tape.3.0.journal")));
  EXPECT_FALSE(TakeLeftJournal(folder.File()).has_value());
  EXPECT_EQ(ReadBytes(other), "precious too");
#endif
  // Setting aside renames the file taken, never another put under its name since.
  WriteBytes(junk, "not a journal either\n");
  left = TakeLeftJournal(folder.File());
  ASSERT_TRUE(left.has_value());
  fs::rename(settings_test::FromUtf8(junk), settings_test::FromUtf8(junk + ".moved"));
  WriteBytes(junk, "someone else's");
  EXPECT_EQ(SetJournalAside(*left), "");
  EXPECT_EQ(ReadBytes(junk), "someone else's");
  EXPECT_TRUE(IsJournalNameOf(folder.File(), "Tallix.tape.12.3.journal"));
  EXPECT_FALSE(IsJournalNameOf(folder.File(), "Tallix.tape.12.3.journal.unreadable"));
  EXPECT_FALSE(IsJournalNameOf(folder.File(), "Other.tape.1.0.journal"));
}

// A window killed before its first start leaves a journal with nothing in it
// (its heading, or nothing at all when killed sooner): removed at the next
// start without a word.
TEST(TapeJournal, AJournalWithNothingInItIsRemovedSilently) {
  TempFolder folder;
  std::string path;
  {
    auto journal = TapeJournal::Create(folder.File(), {});
    ASSERT_NE(journal, nullptr);
    path = journal->path();
    EXPECT_TRUE(JournalHoldsNoStart(ReadBytes(path)));
    EXPECT_FALSE(ReadBytes(path).empty());
  }
  const std::string empty = folder.File("Tallix.tape.5.0.journal");
  WriteBytes(empty, "");
  EXPECT_FALSE(TakeLeftJournal(folder.File()).has_value());
  EXPECT_EQ(FilesIn(folder), 0u);
}

// A window killed while it wrote its journal anew leaves the new file behind:
// the start-up clean-up removes it once stale, as it does Tallix.ini's.
TEST(TapeJournal, StaleTemporariesOfJournalsAreRemovedAtStartUp) {
  TempFolder folder;
  Session window(folder.File());
  const std::string& journal = window.journal->path();
  const std::string stale[] = {TemporaryPathFor(journal, 4242, 1), TemporaryPathFor(folder.File(), 4242, 1)};
  const std::string kept[] = {folder.File("Other.tape.1.0.journal.4242.1.tmp"),
                              folder.File("Tallix.tape.x.journal.1.1.tmp"),
                              TemporaryPathFor(journal, 4242, 2)};  // the last one in flight
  const auto old = fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1);
  for (const std::string& path : stale) WriteBytes(path, "x");
  for (const std::string& path : kept) WriteBytes(path, "x");
  for (const std::string& path : stale) fs::last_write_time(settings_test::FromUtf8(path), old);
  for (const std::string& path : std::span(kept).first(2)) fs::last_write_time(settings_test::FromUtf8(path), old);

  EXPECT_EQ(RemoveStaleTemporariesWithJournals(folder.File()), 2u);
  for (const std::string& path : stale) EXPECT_FALSE(fs::exists(settings_test::FromUtf8(path))) << path;
  for (const std::string& path : kept) EXPECT_TRUE(fs::exists(settings_test::FromUtf8(path))) << path;
  EXPECT_TRUE(fs::exists(settings_test::FromUtf8(journal)));
}

// A full disk: said once, the tape kept in memory and the whole of it
// written anew once the disk takes writes again.
TEST(TapeJournal, AFailedWriteIsSaidOnceAndTriedAgainUntilTheTapeIsSaved) {
  TempFolder folder;
  FailingFiles files;
  Session window(folder.File(), files);
  std::vector<std::string> notices;
  window.journal->SetNotice([&](const std::string& text) { notices.push_back(text); });
  window.Keys({Key::D1, Key::Plus, Key::D2, Key::Equals});
  window.Flush();
  for (const auto call : {FailingFiles::Call::kAppend, FailingFiles::Call::kFlush}) {
    const auto saved = window.host.tape;
    files.failing = call;
    const auto before = std::chrono::steady_clock::now();
    window.Keys({Key::D3, Key::Plus, Key::D4, Key::Equals});
    window.Flush();
    window.Keys({Key::D5, Key::Plus});
    window.Flush();
    EXPECT_TRUE(window.journal->failing());
    EXPECT_EQ(notices, std::vector<std::string>{JournalFailingMessage(window.journal->path(), files.FailureReason())});
    // A crash now brings back at least the tape as it was saved last.
    const auto onDisk = window.TapeOnDisk();
    ASSERT_TRUE(onDisk.has_value());
    EXPECT_TRUE(onDisk->size() >= saved.size() && std::equal(saved.begin(), saved.end(), onDisk->begin()));
    // Not tried again sooner than the interval, and still failing, not said again.
    window.journal->FlushIfDue(before + kJournalRetryInterval - std::chrono::milliseconds(1));
    window.journal->FlushIfDue(std::chrono::steady_clock::now() + kJournalRetryInterval);
    EXPECT_EQ(notices.size(), 1u);
    files.failing = FailingFiles::Call::kNone;
    window.journal->FlushIfDue(std::chrono::steady_clock::now() + 2 * kJournalRetryInterval);
    EXPECT_FALSE(window.journal->failing());
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1], JournalSavedAgainMessage(window.journal->path()));
    EXPECT_EQ(window.TapeOnDisk(), window.host.tape);
    notices.clear();
    window.Keys({Key::D6, Key::Equals});
    window.Flush();
    EXPECT_EQ(window.TapeOnDisk(), window.host.tape);
    EXPECT_EQ(FilesIn(folder), 1u);
  }
  window.engine.SetRecordObserver(nullptr);
}

// A journal that holds much before its last start is written anew beside
// itself and put in its place: stopped at any step of that, as by a crash,
// the journal on disk still gives the whole tape as last saved.
TEST(TapeJournal, ACompactionStoppedAtAnyStepLeavesTheTapeWhole) {
  for (const auto step : {FailingFiles::Call::kCreate, FailingFiles::Call::kAppend, FailingFiles::Call::kFlush,
                          FailingFiles::Call::kReplace}) {
    TempFolder folder;
    FailingFiles files;
    Session window(folder.File(), files);
    window.host.tape.assign(30000, std::string(60, 'x'));  // far more than is left behind in place
    window.engine.OnTapeLoaded(0);
    window.Keys({Key::D1, Key::Plus});
    window.Flush();
    const auto saved = window.host.tape;
    const auto bigger = fs::file_size(settings_test::FromUtf8(window.journal->path()));
    files.failing = step;
    window.host.tape = {"a short tape"};
    window.engine.OnTapeLoaded(0);
    window.Keys({Key::D2, Key::Plus});
    window.Flush();
    EXPECT_TRUE(window.journal->failing());
    EXPECT_EQ(window.TapeOnDisk(), saved);
    EXPECT_EQ(FilesIn(folder), 1u);
    files.failing = FailingFiles::Call::kNone;
    window.journal->FlushIfDue(std::chrono::steady_clock::now() + kJournalRetryInterval);
    EXPECT_EQ(window.TapeOnDisk(), window.host.tape);
    EXPECT_LT(fs::file_size(settings_test::FromUtf8(window.journal->path())), bigger);
    EXPECT_EQ(FilesIn(folder), 1u);
    window.engine.SetRecordObserver(nullptr);
  }
}

}  // namespace
}  // namespace tallix
