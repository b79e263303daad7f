#pragma once
// What the transfer test needs of the file system and of a clock, so that its
// steps run the same on Windows, on Linux and on the fakes of its tests.
// Paths are UTF-8. Every call says whether it worked and, if not, the
// system's words for why, so that no figure is ever shown for work that failed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "services/file_io.h"

namespace tallix::transfer {

// Why a name in the folder is not taken as the test file. A shared folder
// lets anyone put a link, a second name of another file, a pipe or a file of
// their own where the test file goes; none of them is ever written, read
// through or removed. Another run's file is kInUse, and a path that is not
// valid UTF-8 (kBadName) is refused rather than made to name another file.
using Refusal = file_io::Refusal;

struct IoStatus {
  bool ok = true;
  std::string reason;  // the system's words when !ok
  Refusal refusal = Refusal::kNone;

  static IoStatus Failed(std::string why) { return {false, std::move(why)}; }
  static IoStatus Refused(Refusal why) { return {false, {}, why}; }
};

// The test file while a step has it open. Destroying it closes it without
// looking at the outcome (the failure paths); Close reports it.
class TestFile {
 public:
  virtual ~TestFile() = default;
  // The whole buffer, or a failure.
  virtual IoStatus Write(std::span<const std::byte> data) = 0;
  // Up to buffer.size() bytes into `got`; fewer only at the end of the file.
  virtual IoStatus Read(std::span<std::byte> buffer, std::size_t& got) = 0;
  // Until what was written is on the device, not in the system's cache.
  virtual IoStatus Flush() = 0;
  virtual IoStatus Close() = 0;
};

enum class Access { kWrite, kRead };

// Data blocks start on this boundary so that a file system may move them
// straight between the device and memory, past its cache.
inline constexpr std::size_t kBlockAlignment = 4096;

// The test file held by one run from before its write until after its
// removal: meanwhile another run cannot hold it.
class TestFileClaim {
 public:
  virtual ~TestFileClaim() = default;
  // Whether this run made the file (else it was left over from an earlier one).
  virtual bool Created() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates the test file when missing (never through a link) and holds it for
  // the run; refuses a name that is not a plain file of the user's own, and
  // one that another run holds.
  virtual std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) = 0;
  // Opens the claimed test file for reading and writing, never truncated, so
  // that a left-over file is written over from its start; refused as Claim
  // refuses, should the name have been replaced since.
  virtual std::unique_ptr<TestFile> Open(const std::string& path, Access access, IoStatus& status) = 0;
  // Drops the file from the system's file cache. Empty text on success, else
  // the message for the user.
  virtual std::string ClearCache(const std::string& path, std::int32_t cacheUnit) = 0;
  // Removes the name (a link itself, never what it points to).
  virtual IoStatus Remove(const std::string& path) = 0;
  // Bytes a new file in `folder` may still take; nullopt when unknown.
  virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) = 0;
  // The bytes a left-over test file holds, which a run writes over in place
  // rather than taking anew; 0 when there is none, or it would be refused.
  virtual std::uint64_t LeftOverBytes(const std::string& path) = 0;
  // Why read figures are the file cache's speed rather than the device's;
  // empty when the cache is really bypassed.
  virtual std::string CacheCaveat() const = 0;
};

// A monotonic clock in seconds from any fixed origin.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual long double Seconds() = 0;
};

// The system's steady high-resolution clock.
class SteadyClock final : public Clock {
 public:
  long double Seconds() override;
};

// The platform's file system: Win32 in the Windows build, POSIX elsewhere.
std::unique_ptr<FileSystem> SystemFileSystem();

}  // namespace tallix::transfer
