#include "app/tape/tape_journal.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace tallix {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string JournalPrefix(const std::string& settingsPath) { return Utf8(PathOf(settingsPath).stem()) + ".tape."; }
constexpr std::string_view kJournalSuffix = ".journal";

fs::path FolderOf(const std::string& settingsPath) {
  const fs::path settings = PathOf(settingsPath);
  return settings.has_parent_path() ? settings.parent_path() : fs::path(".");
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
  return !middle.empty() && std::all_of(middle.begin(), middle.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

std::optional<LeftJournal> TakeLeftJournal(const std::string& settingsPath) {
  std::vector<std::pair<fs::file_time_type, fs::path>> found;
  std::error_code error;
  for (fs::directory_iterator it(FolderOf(settingsPath), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    // A link planted under a journal's name is never followed.
    if (!IsJournalNameOf(settingsPath, Utf8(it->path().filename())) || !it->is_regular_file(ignored) ||
        it->is_symlink(ignored)) {
      continue;
    }
    found.emplace_back(fs::last_write_time(it->path(), ignored), it->path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [modified, path] : found) {
    LeftJournal left;
    left.path = Utf8(path);
    // Held by a running window: its own, not to be touched.
    left.handle = journal_io::OpenLocked(left.path);
    if (left.handle == journal_io::kNoHandle) continue;
    std::string bytes;
    if (journal_io::ReadAll(left.handle, bytes, kMaxJournalBytes)) left.content = DecodeJournal(bytes);
    // Made by a window that stopped before it wrote its first start: nothing in it.
    if (!left.content && bytes.starts_with(kJournalHeading) && bytes.find("\n.\n") == std::string::npos) {
      journal_io::Close(std::exchange(left.handle, journal_io::kNoHandle));
      std::error_code ignored;
      fs::remove(path, ignored);
      continue;
    }
    return left;
  }
  return std::nullopt;
}

std::string SetJournalAside(LeftJournal& journal) {
  journal_io::Close(std::exchange(journal.handle, journal_io::kNoHandle));
  const fs::path from = PathOf(journal.path);
  for (int n = 0; n < 1000; ++n) {
    fs::path to = from;
    to += n == 0 ? ".unreadable" : "." + std::to_string(n) + ".unreadable";
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error))) continue;
    fs::rename(from, to, error);
    return error ? std::string() : Utf8(to);
  }
  return {};
}

std::unique_ptr<TapeJournal> TapeJournal::Create(const std::string& settingsPath, TapeLines tapeLines) {
  std::random_device device;
  std::mt19937 random(device());
  const fs::path folder = FolderOf(settingsPath);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = JournalPrefix(settingsPath) + std::to_string(random() % 1000000000) + "." +
                             std::to_string(attempt) + std::string(kJournalSuffix);
    const std::string path = Utf8(folder / PathOf(name));
    const journal_io::Handle handle = journal_io::CreateLocked(path);
    if (handle == journal_io::kNoHandle) continue;
    std::unique_ptr<TapeJournal> journal(new TapeJournal(path, handle, std::move(tapeLines)));
    journal->pending_ = JournalFileHeading();
    journal->startPending_ = journal->pending_.size();
    return journal;
  }
  return nullptr;
}

std::unique_ptr<TapeJournal> TapeJournal::Adopt(LeftJournal&& left, const Engine& engine, std::size_t tapeLineCount,
                                                TapeLines tapeLines) {
  std::unique_ptr<TapeJournal> journal(
      new TapeJournal(std::move(left.path), std::exchange(left.handle, journal_io::kNoHandle), std::move(tapeLines)));
  // The journal holds the record the engine replayed: it goes on from there.
  journal->engine_ = &engine;
  journal->revision_ = engine.recordRevision();
  journal->mark_ = JournalMark::Of(engine.record());
  journal->recordLines_ = engine.record().tapeLines;
  journal->journaledLines_ = tapeLineCount;
  return journal;
}

TapeJournal::TapeJournal(std::string path, journal_io::Handle handle, TapeLines tapeLines)
    : path_(std::move(path)), handle_(handle), tapeLines_(std::move(tapeLines)) {}

TapeJournal::~TapeJournal() {
  if (handle_ == journal_io::kNoHandle) return;
  WriteOut(true);
  journal_io::Close(handle_);
}

void TapeJournal::RecordChanged(const Engine& engine) {
  if (failed_) return;
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

void TapeJournal::AppendStart() {
  const InputRecord& record = engine_->record();
  // What the old record gained since the last write is of no use: the new
  // start replaces it.
  pending_.resize(startPending_);
  if (size_ > kCompactAbove) {
    if (!journal_io::Truncate(handle_)) {
      failed_ = true;
      return;
    }
    size_ = 0;
    pending_ = JournalFileHeading();
  }
  // The whole tape: the lines before the record's (a loaded tape), then its own.
  const std::vector<std::string> lines = tapeLines_ ? tapeLines_(0) : std::vector<std::string>{};
  const std::size_t before = lines.size() > record.tapeLines ? lines.size() - record.tapeLines : 0;
  const JournalBatchEnd end{std::span<const std::string>(lines).subspan(before), engine_->state(), engine_->ShownNow()};
  pending_ += EncodeJournalStart(record, std::span<const std::string>(lines).first(before), &end);
  journaledLines_ = lines.size();
  mark_ = JournalMark::Of(record);
  startDue_ = false;
}

void TapeJournal::WriteOut(bool toDisk) {
  if (failed_ || handle_ == journal_io::kNoHandle) return;
  if (engine_ && startDue_) {
    AppendStart();
    if (failed_) return;
  } else if (engine_ && JournalMark::Of(engine_->record()).inputs != mark_.inputs) {
    const std::vector<std::string> lines = tapeLines_ ? tapeLines_(journaledLines_) : std::vector<std::string>{};
    const JournalBatchEnd end{lines, engine_->state(), engine_->ShownNow()};
    AppendJournalBatch(engine_->record(), mark_, pending_, &end);
    journaledLines_ += lines.size();
    mark_ = JournalMark::Of(engine_->record());
  }
  if (!pending_.empty()) {
    if (!journal_io::Append(handle_, pending_)) {
      failed_ = true;
      return;
    }
    size_ += pending_.size();
    pending_.clear();
    unsynced_ = true;
  }
  startPending_ = 0;
  if (toDisk && unsynced_) {
    failed_ = !journal_io::Flush(handle_);
    unsynced_ = false;
  }
  if (toDisk) {
    lastFlush_ = std::chrono::steady_clock::now();
    calculationUnsaved_ = false;
  }
}

void TapeJournal::FlushIfDue(std::chrono::steady_clock::time_point now) {
  const auto since = now - lastFlush_;
  const bool gathered = unsynced_ || (engine_ && JournalMark::Of(engine_->record()).inputs != mark_.inputs);
  if (((calculationUnsaved_ || startDue_) && since >= kCalculationFlushGap) ||
      (gathered && since >= kJournalFlushInterval))
    WriteOut(true);
}

void TapeJournal::Remove() {
  if (handle_ == journal_io::kNoHandle) return;
  journal_io::Close(std::exchange(handle_, journal_io::kNoHandle));
  std::error_code ignored;
  fs::remove(PathOf(path_), ignored);
}

}  // namespace tallix
