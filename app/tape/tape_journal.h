#pragma once
// The tape journal of a window: what made its tape, appended to a file beside
// Tallix.ini as the tape grows, so that a window that did not close normally
// (killed, crashed, a power cut) comes back with its tape at the next start.
// Each window keeps its own journal, locked while it runs; a start takes over
// the most recent journal no running window holds. Paths are UTF-8.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tape/journal_io.h"
#include "engine/engine.h"
#include "engine/record_journal.h"

namespace tallix {

// A journal is written to disk at the end of each calculation on the tape and
// otherwise at least this often while it has unwritten entries; between those
// it gathers them in memory (a write per key would cost more than the key).
inline constexpr std::chrono::seconds kJournalFlushInterval{2};
// A calculation that ends sooner than this after the last flush (keys sent by
// a program, not typed) is flushed this long after it, by FlushIfDue.
inline constexpr std::chrono::milliseconds kCalculationFlushGap{250};
// ... or once the record has gained this many inputs since.
inline constexpr std::size_t kJournalBatchInputs = 4096;
// A write that failed is tried again this often, the whole record written
// anew once it succeeds.
inline constexpr std::chrono::seconds kJournalRetryInterval{2};
// Larger journals are not read back: they are not ours.
inline constexpr std::uint64_t kMaxJournalBytes = std::uint64_t{512} << 20;

// Journals beside `settingsPath` are named after it: "Tallix.ini" has
// "Tallix.tape.<random number>.<attempt>.journal".
bool IsJournalNameOf(const std::string& settingsPath, const std::string& fileName);

// The temporaries that writers killed mid-write left beside the settings:
// Tallix.ini's and those of journals written anew (RemoveStaleTemporaries;
// a journal's new file is made only where nothing is, so a stale one is
// never taken up again). For start-up.
std::size_t RemoveStaleTemporariesWithJournals(const std::string& settingsPath);

// A journal left by a window that is gone, now held by this one.
struct LeftJournal {
  std::string path;
  journal_io::File handle;
  std::optional<ReadJournal> content;  // nullopt: it cannot be read
};

// The most recent journal beside the settings that no running window holds,
// taken (locked); nullopt when there is none.
std::optional<LeftJournal> TakeLeftJournal(const std::string& settingsPath);

// Renames a journal that cannot be read to "<name>.unreadable" (a number
// added when that exists), so that it is never read again and never lost.
// The new path, or empty when the rename failed.
std::string SetJournalAside(LeftJournal& journal);

class TapeJournal final : public RecordObserver {
 public:
  // The tape's lines from line `first` on: a start of the journal holds the
  // whole tape, each batch the lines written since the batch before.
  using TapeLines = std::function<std::vector<std::string>(std::size_t first)>;

  // Tells the user something about the journal (JournalFailingMessage,
  // JournalSavedAgainMessage).
  using Notice = std::function<void(const std::string& text)>;

  // A new journal beside the settings, its heading written; nullptr when
  // none can be made (the folder cannot be written).
  static std::unique_ptr<TapeJournal> Create(const std::string& settingsPath, TapeLines tapeLines,
                                             journal_io::Files& files = journal_io::SystemFiles());
  // Goes on with a journal taken over, whose record `engine` now holds and
  // whose `tapeLineCount` lines the tape now shows. One cut off or of an
  // older format is written anew first: batches appended to it would not
  // read back.
  static std::unique_ptr<TapeJournal> Adopt(LeftJournal&& journal, const Engine& engine, std::size_t tapeLineCount,
                                            TapeLines tapeLines, journal_io::Files& files = journal_io::SystemFiles());
  ~TapeJournal();  // closes it and leaves it there
  TapeJournal(const TapeJournal&) = delete;
  TapeJournal& operator=(const TapeJournal&) = delete;

  // A record begun or replaced appends a new start at its next change (the
  // window then shows it); what a record gains is appended as one batch when
  // a calculation ended on the tape; FlushIfDue writes what is left. The
  // engine must outlive the journal.
  void RecordChanged(const Engine& engine) override;
  // Writes to disk what is not yet, once kJournalFlushInterval has passed,
  // or kCalculationFlushGap when a calculation ended meanwhile. Called by
  // the window's timer.
  void FlushIfDue(std::chrono::steady_clock::time_point now);
  // Closes the journal and removes it: a normal exit that keeps no tape.
  void Remove();
  // A failure met before the notice was set is told now.
  void SetNotice(Notice notice);

  const std::string& path() const { return path_; }
  // A write failed and the journal is behind the tape: the record is kept
  // in memory and written anew every kJournalRetryInterval until it succeeds.
  bool failing() const { return failing_; }

 private:
  TapeJournal(std::string path, journal_io::File handle, TapeLines tapeLines, journal_io::Files& files);
  // Appends what was gathered (a start, when one is due); `toDisk` also
  // flushes the file to the disk.
  void WriteOut(bool toDisk);
  // The whole tape as a start, from the engine's record.
  std::string Start();
  // The whole record written to a new file that then takes the journal's
  // place in one step, so that the journal on disk is always whole: used to
  // leave behind what a file holds before its last start, and after a failure.
  bool WriteAnew();
  void Fail();

  std::string path_;
  journal_io::File handle_;
  TapeLines tapeLines_;
  journal_io::Files& files_;
  Notice notice_;
  unsigned long tag_;  // with serial_, names the new files of WriteAnew
  unsigned serial_ = 0;
  std::size_t journaledLines_ = 0;  // the tape's lines the journal holds
  std::uint64_t revision_ = ~std::uint64_t{0};
  JournalMark mark_;
  std::size_t recordLines_ = 0;     // the record's tape lines at its last change
  const Engine* engine_ = nullptr;  // whose record it keeps; outlives the journal
  std::string pending_;             // entries not yet handed to the file
  std::uint64_t size_ = 0;
  bool unsynced_ = false;
  bool failing_ = false;  // the last write failed
  bool told_ = false;     // ... and the user was told
  std::string reason_;    // the system's words for it
  bool anewDue_ = false;  // the next write is WriteAnew
  std::chrono::steady_clock::time_point lastAttempt_{};
  bool calculationUnsaved_ = false;  // a calculation ended since the last flush
  bool startDue_ = false;            // the record began again or was replaced
  std::chrono::steady_clock::time_point lastFlush_{};
};

}  // namespace tallix
