#include "tools/transfer/transfer_run.h"

#include <memory>
#include <new>
#include <span>

namespace tallix::transfer {

namespace {

// The data block, zero bytes, aligned for reads and writes past the cache.
class DataBlock {
 public:
  explicit DataBlock(std::size_t length)
      : bytes_(new (std::align_val_t{kBlockAlignment}) std::byte[length]()), length_(length) {}
  std::span<std::byte> span() { return {bytes_.get(), length_}; }

 private:
  struct Release {
    void operator()(std::byte* bytes) const { ::operator delete[](bytes, std::align_val_t{kBlockAlignment}); }
  };
  std::unique_ptr<std::byte[], Release> bytes_;
  std::size_t length_;
};

std::string Failure(Access access, std::string_view what, const IoStatus& status, const std::string& path) {
  if (status.refusal != Refusal::kNone) return RefusalMessage(status.refusal, path);
  return std::string(access == Access::kWrite ? "Writing" : "Reading") + " failed " + std::string(what) + ": " +
         status.reason;
}

std::int64_t StepBytes(const RunSettings& settings) {
  return std::int64_t{settings.choice.fileSize} * settings.blockLength;
}

StepResult Failed(std::int64_t bytes, std::string failure) {
  StepResult result;
  result.outcome = StepOutcome::kFailed;
  result.figures.bytes = bytes;
  result.failure = std::move(failure);
  return result;
}

// One timed pass over the test file. The open is outside the timed interval;
// the flush to the device and the close are inside it.
StepResult TimedStep(FileSystem& files, Clock& clock, const std::string& path, Access access,
                     const RunSettings& settings, DataBlock& block, RunObserver& observer) {
  const Stage stage = access == Access::kWrite ? Stage::kWriting : Stage::kReading;
  const std::int32_t blocks = settings.choice.fileSize;
  const std::int64_t bytes = StepBytes(settings);
  IoStatus status;
  std::unique_ptr<TestFile> file = files.Open(path, access, status);
  if (!file || !status.ok) return Failed(bytes, Failure(access, "on opening the test file", status, path));
  const long double start = clock.Seconds();
  int percent = 0;
  for (std::int32_t i = 0; i < blocks; ++i) {
    if (observer.StopRequested()) return Failed(bytes, kStoppedMessage);
    if (access == Access::kWrite) {
      status = file->Write(block.span());
    } else {
      std::size_t got = 0;
      status = file->Read(block.span(), got);
      if (status.ok && got != block.span().size()) {
        status = IoStatus::Failed("the file is shorter than was written");
      }
    }
    if (!status.ok) {
      return Failed(bytes, Failure(access, "after " + std::to_string(i * std::int64_t{settings.blockLength}) + " bytes",
                                   status, path));
    }
    const int now = static_cast<int>((i + 1) * std::int64_t{100} / blocks);
    if (now != percent) observer.Progress(stage, percent = now);
  }
  if (access == Access::kWrite && !(status = file->Flush()).ok) {
    return Failed(bytes, Failure(access, "on flushing the file to the device", status, path));
  }
  if (!(status = file->Close()).ok) return Failed(bytes, Failure(access, "on closing the test file", status, path));
  StepResult result;
  result.outcome = StepOutcome::kMeasured;
  result.figures = ComputeFigures(bytes, clock.Seconds() - start);
  return result;
}

// True when the cache was cleared; else the observer is told and the test goes on.
bool ClearCache(FileSystem& files, const std::string& path, const RunSettings& settings, RunObserver& observer) {
  observer.StageStarted(Stage::kClearingCache);
  const std::string message = files.ClearCache(path, settings.cacheUnit);
  if (!message.empty()) observer.CacheNotCleared(message);
  return message.empty();
}

}  // namespace

std::optional<std::uint64_t> RoomForTestFile(FileSystem& files, const std::string& folder,
                                             const std::string& testFile) {
  const std::optional<std::uint64_t> free = files.FreeBytes(folder);
  if (!free) return std::nullopt;
  return *free + files.LeftOverBytes(testFile);
}

RunResult RunTransferSteps(FileSystem& files, Clock& clock, const std::string& testFile, const RunSettings& settings,
                           RunObserver& observer) {
  DataBlock block(static_cast<std::size_t>(settings.blockLength));
  RunResult run;
  observer.StageStarted(Stage::kWriting);
  IoStatus status;
  const std::unique_ptr<TestFileClaim> claim = files.Claim(testFile, status);
  if (!claim) {
    // Not this run's file: nothing is written to it, nor removed.
    run.write = Failed(StepBytes(settings), Failure(Access::kWrite, "on opening the test file", status, testFile));
    observer.StepDone(Column::kWriting, run.write);
    run.failure = run.write.failure;
    observer.StageStarted(Stage::kFinished);
    return run;
  }
  run.write = TimedStep(files, clock, testFile, Access::kWrite, settings, block, observer);
  observer.StepDone(Column::kWriting, run.write);
  if (run.write.outcome == StepOutcome::kMeasured && !observer.StopRequested()) {
    const bool cleared = ClearCache(files, testFile, settings, observer);
    observer.StageStarted(Stage::kReading);
    run.read = TimedStep(files, clock, testFile, Access::kRead, settings, block, observer);
    if (run.read.outcome == StepOutcome::kMeasured) {
      run.read.caveat = cleared ? files.CacheCaveat() : "file cache speed (the cache could not be cleared)";
    }
    observer.StepDone(Column::kReading, run.read);
    if (run.read.outcome == StepOutcome::kMeasured) ClearCache(files, testFile, settings, observer);
  }
  run.stopped = observer.StopRequested();
  run.failure = run.write.failure.empty() ? run.read.failure : run.write.failure;
  if (run.stopped && run.failure.empty()) run.failure = kStoppedMessage;
  observer.StageStarted(Stage::kDeleting);
  // A failed run leaves nothing behind, whatever was chosen.
  if (settings.choice.deleteWhenFinished || !run.failure.empty()) {
    const IoStatus removed = files.Remove(testFile);
    if (!removed.ok && run.failure.empty()) run.failure = "Deleting the test file failed: " + removed.reason;
  }
  observer.StageStarted(Stage::kFinished);
  return run;
}

}  // namespace tallix::transfer
