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

namespace tallix::transfer {

struct IoStatus {
  bool ok = true;
  std::string reason;  // the system's words when !ok

  static IoStatus Failed(std::string why) { return {false, std::move(why)}; }
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

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens the test file for reading and writing, created when missing and
  // never truncated, so that a left-over file is written over from its start.
  virtual std::unique_ptr<TestFile> Open(const std::string& path, Access access, IoStatus& status) = 0;
  // Drops the file from the system's file cache. Empty text on success, else
  // the message for the user.
  virtual std::string ClearCache(const std::string& path, std::int32_t cacheUnit) = 0;
  virtual IoStatus Remove(const std::string& path) = 0;
  // Bytes a new file in `folder` may still take; nullopt when unknown.
  virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) = 0;
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
