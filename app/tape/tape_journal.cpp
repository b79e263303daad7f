#include "app/tape/tape_journal.h"

#include "app/settings/settings_temporaries.h"
#include "app/tape/journal_texts.h"
#include "services/file_io.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace tallix {
namespace {

namespace fs = std::filesystem;

// A path that cannot be converted becomes the empty path, which names no file:
// the call on it fails and touches nothing.
fs::path PathOf(const std::string& utf8) { return file_io::FsPath(utf8).value_or(fs::path()); }

// The settings' name without its extension: their journals' names start with it.
std::string JournalPrefix(const std::string& settingsPath) {
  return file_io::Utf8Path(PathOf(settingsPath).stem()).value_or("") + ".tape.";
}
constexpr std::string_view kJournalSuffix = ".journal";

// Empty when the settings' path cannot name a folder (not UTF-8): no journal then.
std::optional<fs::path> FolderOf(const std::string& settingsPath) {
  const auto settings = file_io::FsPath(settingsPath);
  if (!settings) return std::nullopt;
  return settings->has_parent_path() ? settings->parent_path() : fs::path(".");
}

// A start that leaves this much behind in the file empties it first: the
// records before the start will never be read again.
constexpr std::uint64_t kCompactAbove = std::uint64_t{1} << 20;

}  // namespace

bool IsJournalNameOf(const std::string& settingsPath, const std::string& fileName) {
  const std::string prefix = JournalPrefix(settingsPath);
  if (!fileName.starts_with(prefix) || !fileName.ends_with(kJournalSuffix)) return false;
  const std::string_view middle =
      std::string_view(fileName).substr(prefix.size(), fileName.size() - prefix.size() - kJournalSuffix.size());
  return !middle.empty() &&
         std::all_of(middle.begin(), middle.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

std::size_t RemoveStaleTemporariesWithJournals(const std::string& settingsPath) {
  return RemoveStaleTemporaries(settingsPath,
                                [&](const std::string& fileName) { return IsJournalNameOf(settingsPath, fileName); });
}

std::optional<LeftJournal> TakeLeftJournal(const std::string& settingsPath) {
  const auto folder = FolderOf(settingsPath);
  if (!folder) return std::nullopt;
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::error_code error;
  for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    const auto name = file_io::Utf8Path(it->path().filename());
    const auto path = file_io::Utf8Path(it->path());
    // A link planted under a journal's name is never followed (where the
    // system does not show it for one, the open refuses it).
    if (!name || !path || !IsJournalNameOf(settingsPath, *name) || !it->is_regular_file(ignored) ||
        it->is_symlink(ignored)) {
      continue;
    }
    found.emplace_back(fs::last_write_time(it->path(), ignored), *path);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [modified, path] : found) {
    LeftJournal left;
    left.path = path;
    // Held by a running window (its own, not to be touched), or no journal.
    left.handle = journal_io::OpenLocked(left.path);
    if (!left.handle) continue;
    std::string bytes;
    const bool read = file_io::ReadAll(left.handle, bytes, kMaxJournalBytes) == file_io::ReadOutcome::kRead;
    if (read) left.content = DecodeJournal(bytes);
    // Made by a window that stopped before it wrote its first start: nothing in it.
    if (read && !left.content && JournalHoldsNoStart(bytes)) {
      left.handle.Close();
      std::error_code ignored;
      fs::remove(PathOf(path), ignored);
      continue;
    }
    return left;
  }
  return std::nullopt;
}

std::string SetJournalAside(LeftJournal& journal) {
  std::string aside;
  for (int n = 0; n < 1000 && aside.empty(); ++n) {
    const std::string to = journal.path + (n == 0 ? ".unreadable" : "." + std::to_string(n) + ".unreadable");
    std::error_code error;
    if (fs::exists(fs::symlink_status(PathOf(to), error))) continue;
    // Only the file this process holds, never what the name may lead to.
    if (!journal_io::RenameHeld(journal.handle, journal.path, to)) break;
    aside = to;
  }
  journal.handle.Close();
  return aside;
}

std::unique_ptr<TapeJournal> TapeJournal::Create(const std::string& settingsPath, TapeLines tapeLines,
                                                 journal_io::Files& files) {
  std::random_device device;
  std::mt19937 random(device());
  const auto folder = FolderOf(settingsPath);
  for (int attempt = 0; folder && attempt < 100; ++attempt) {
    const std::string name = JournalPrefix(settingsPath) + std::to_string(random() % 1000000000) + "." +
                             std::to_string(attempt) + std::string(kJournalSuffix);
    const auto path = file_io::Utf8Path(*folder / PathOf(name));
    if (!path) return nullptr;
    journal_io::File handle = files.CreateLocked(*path);
    if (!handle) continue;
    std::unique_ptr<TapeJournal> journal(new TapeJournal(*path, std::move(handle), std::move(tapeLines), files));
    // At once: a window killed before its first start leaves a journal
    // known to hold nothing, rather than an empty file.
    const std::string heading = JournalFileHeading();
    if (files.Append(journal->handle_, heading)) {
      journal->size_ = heading.size();
    } else {
      journal->Fail();
    }
    return journal;
  }
  return nullptr;
}

std::unique_ptr<TapeJournal> TapeJournal::Adopt(LeftJournal&& left, const Engine& engine, std::size_t tapeLineCount,
                                                TapeLines tapeLines, journal_io::Files& files) {
  std::unique_ptr<TapeJournal> journal(
      new TapeJournal(std::move(left.path), std::move(left.handle), std::move(tapeLines), files));
  // The journal holds the record the engine replayed: it goes on from there.
  journal->engine_ = &engine;
  journal->revision_ = engine.recordRevision();
  journal->mark_ = JournalMark::Of(engine.record());
  journal->recordLines_ = engine.record().tapeLines;
  journal->journaledLines_ = tapeLineCount;
  journal->anewDue_ = !left.content || left.content->cutOff || !left.content->currentFormat;
  return journal;
}

TapeJournal::TapeJournal(std::string path, journal_io::File handle, TapeLines tapeLines, journal_io::Files& files)
    : path_(std::move(path)),
      handle_(std::move(handle)),
      tapeLines_(std::move(tapeLines)),
      files_(files),
      tag_(static_cast<unsigned long>(std::random_device()() % 1000000000)) {}

TapeJournal::~TapeJournal() {
  WriteOut(true);
  if (handle_) files_.Close(handle_);
}

void TapeJournal::RecordChanged(const Engine& engine) {
  engine_ = &engine;
  const InputRecord& record = engine.record();
  if (engine.recordRevision() != revision_) {
    // A record begun or replaced (Clear Tape, a loaded tape, a correction) is
    // written as a new start once the window shows it: at its next change,
    // or by FlushIfDue.
    revision_ = engine.recordRevision();
    recordLines_ = record.tapeLines;
    startDue_ = true;
    return;
  }
  // While failing, the record itself keeps what the journal has not: the
  // retry writes it whole.
  if (failing_) return;
  if (startDue_) return WriteOut(true);
  // The record itself holds what it gained: it is written out as one batch
  // when the journal goes to the file, so a key costs no more than this.
  if (record.tapeLines > recordLines_ && engine.state().itemCount == 0 && engine.state().pendingOp == Operator::None)
    calculationUnsaved_ = true;
  recordLines_ = record.tapeLines;
  if (calculationUnsaved_ && std::chrono::steady_clock::now() - lastFlush_ >= kCalculationFlushGap) {
    WriteOut(true);
  } else if (record.inputs.size() - mark_.inputs >= kJournalBatchInputs) {
    WriteOut(false);
  }
}

std::string TapeJournal::Start() {
  const InputRecord& record = engine_->record();
  // The whole tape: the lines before the record's (a loaded tape), then its own.
  const std::vector<std::string> lines = tapeLines_ ? tapeLines_(0) : std::vector<std::string>{};
  const std::size_t before = lines.size() > record.tapeLines ? lines.size() - record.tapeLines : 0;
  const JournalBatchEnd end{std::span<const std::string>(lines).subspan(before), engine_->state(), engine_->ShownNow()};
  journaledLines_ = lines.size();
  mark_ = JournalMark::Of(record);
  startDue_ = false;
  return EncodeJournalStart(record, std::span<const std::string>(lines).first(before), &end);
}

bool TapeJournal::WriteAnew() {
  std::string bytes = JournalFileHeading();
  if (engine_) bytes += Start();
  journal_io::File fresh;
  std::string freshPath;
  // A name left by a window killed while writing anew is skipped, not reused.
  for (int attempt = 0; attempt < 16 && !fresh; ++attempt) {
    freshPath = TemporaryPathFor(path_, tag_, ++serial_);
    fresh = files_.CreateLocked(freshPath);
  }
  if (!fresh) return false;
  if (!files_.Append(fresh, bytes) || !files_.Flush(fresh)) {
    files_.Close(fresh);
    std::error_code ignored;
    fs::remove(PathOf(freshPath), ignored);
    return false;
  }
  if (journal_io::kCloseBeforeReplace && handle_) files_.Close(handle_);
  if (!files_.Replace(freshPath, path_)) {
    files_.Close(fresh);
    if (!handle_) handle_ = files_.OpenLocked(path_);
    return false;
  }
  if (handle_) files_.Close(handle_);
  handle_ = std::move(fresh);
  size_ = bytes.size();
  unsynced_ = false;
  anewDue_ = false;
  return true;
}

void TapeJournal::Fail() {
  pending_.clear();
  lastAttempt_ = std::chrono::steady_clock::now();
  if (failing_) return;
  failing_ = true;
  told_ = false;
  reason_ = files_.FailureReason();
  SetNotice(std::move(notice_));
}

void TapeJournal::SetNotice(Notice notice) {
  notice_ = std::move(notice);
  if (failing_ && !told_ && notice_) {
    told_ = true;
    notice_(JournalFailingMessage(path_, reason_));
  }
}

void TapeJournal::WriteOut(bool toDisk) {
  if (failing_) return;
  if (engine_ && (anewDue_ || (startDue_ && size_ > kCompactAbove))) {
    // What the file holds before its last start would never be read again.
    if (!WriteAnew()) Fail();
  } else if (!handle_) {
    return;
  } else if (engine_ && startDue_) {
    pending_ = Start();
  } else if (engine_ && JournalMark::Of(engine_->record()).inputs != mark_.inputs) {
    const std::vector<std::string> lines = tapeLines_ ? tapeLines_(journaledLines_) : std::vector<std::string>{};
    const JournalBatchEnd end{lines, engine_->state(), engine_->ShownNow()};
    AppendJournalBatch(engine_->record(), mark_, pending_, &end);
    journaledLines_ += lines.size();
    mark_ = JournalMark::Of(engine_->record());
  }
  if (failing_) return;
  if (!pending_.empty()) {
    if (!files_.Append(handle_, pending_)) return Fail();
    size_ += pending_.size();
    pending_.clear();
    unsynced_ = true;
  }
  if (toDisk && unsynced_) {
    if (!files_.Flush(handle_)) return Fail();
    unsynced_ = false;
  }
  if (toDisk) {
    lastFlush_ = std::chrono::steady_clock::now();
    calculationUnsaved_ = false;
  }
}

void TapeJournal::FlushIfDue(std::chrono::steady_clock::time_point now) {
  if (failing_) {
    if (now - lastAttempt_ < kJournalRetryInterval) return;
    // What the file holds past its last whole batch is of no use: the whole
    // record goes to a new file.
    if (!WriteAnew()) return Fail();
    failing_ = false;
    lastFlush_ = std::chrono::steady_clock::now();
    calculationUnsaved_ = false;
    if (notice_) notice_(JournalSavedAgainMessage(path_));
    return;
  }
  const auto since = now - lastFlush_;
  const bool gathered = unsynced_ || (engine_ && JournalMark::Of(engine_->record()).inputs != mark_.inputs);
  if (((calculationUnsaved_ || startDue_ || anewDue_) && since >= kCalculationFlushGap) ||
      (gathered && since >= kJournalFlushInterval))
    WriteOut(true);
}

void TapeJournal::Remove() {
  if (!handle_) return;
  files_.Close(handle_);
  std::error_code ignored;
  fs::remove(PathOf(path_), ignored);
}

}  // namespace tallix
