#pragma once
// The steps of one transfer test, once the folder and the size are chosen:
// write the test file and flush it to the device, clear it from the file
// cache, read it back, clear it again and delete it, timing the write and the
// read on a monotonic clock. Each file operation is checked; a step that
// fails shows no rate, and the test file is then removed whatever was chosen.
// A test file that is not this run's to use (a link, another run's) is left
// alone: nothing is written to it, nor removed.

#include <cstdint>
#include <optional>
#include <string>

#include "tools/transfer/transfer_figures.h"
#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_options.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

struct RunSettings {
  std::int32_t blockLength = 1 << 20;  // bytes per write or read
  std::int32_t cacheUnit = 1 << 16;    // granularity of the cache-clearing buffer
  TransferChoice choice;
};

enum class Column { kWriting = 1, kReading = 2 };

// Told of the run as it goes, so that a window can repaint between steps.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void StageStarted(Stage stage) = 0;
  // Whole percent of the current step's blocks, told when it changes.
  virtual void Progress(Stage stage, int percent) = 0;
  virtual void StepDone(Column column, const StepResult& result) = 0;
  // The cache could not be cleared; the test goes on.
  virtual void CacheNotCleared(const std::string& message) = 0;
  // Asked between blocks: true ends the run, which then removes its file.
  virtual bool StopRequested() { return false; }
};

struct RunResult {
  StepResult write;
  StepResult read;
  // The first thing that failed, with why; empty after a clean run.
  std::string failure;
  bool stopped = false;  // by StopRequested
};

// The bytes a test file in `folder` may take: the free space and what a
// left-over test file, written over in place, already holds; nullopt when unknown.
std::optional<std::uint64_t> RoomForTestFile(FileSystem& files, const std::string& folder, const std::string& testFile);

RunResult RunTransferSteps(FileSystem& files, Clock& clock, const std::string& testFile, const RunSettings& settings,
                           RunObserver& observer);

}  // namespace tallix::transfer
