#pragma once
// The file calls a tape journal needs, one implementation per platform: a
// journal is opened without following links (a name that is a link, or one
// of several names of a file, is no journal), locked for as long as its
// window runs (the system drops the lock when the window dies), appended to
// and flushed to the disk. Paths are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace tallix::journal_io {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// A new file at `path` (never one that exists), locked. kNoHandle on failure.
Handle CreateLocked(const std::string& path);
// An existing regular file at `path` (not a link), locked; kNoHandle when it
// cannot be opened or another process holds its lock.
Handle OpenLocked(const std::string& path);
// Whether a process holds the lock of the journal at `path`.
bool IsHeld(const std::string& path);

bool Append(Handle handle, std::string_view bytes);
bool Flush(Handle handle);
// The whole file, up to `limit` bytes; false when it could not be read or is larger.
bool ReadAll(Handle handle, std::string& bytes, std::uint64_t limit);
// Renames the file `handle` holds, found at `from`, to `to` when nothing is
// there: only that file, never what else `from` may name by then.
bool RenameHeld(Handle handle, const std::string& from, const std::string& to);
// Unlocks and closes.
void Close(Handle handle);

// Windows replaces no file that is open, not even by its own process: a
// journal is let go just before a new one takes its place.
#ifdef _WIN32
inline constexpr bool kCloseBeforeReplace = true;
#else
inline constexpr bool kCloseBeforeReplace = false;
#endif

// The calls a running journal writes with. The system's by default; a test
// puts in calls that fail on demand, as a full disk does.
class Files {
 public:
  virtual ~Files() = default;
  virtual Handle CreateLocked(const std::string& path) { return journal_io::CreateLocked(path); }
  virtual Handle OpenLocked(const std::string& path) { return journal_io::OpenLocked(path); }
  virtual bool Append(Handle handle, std::string_view bytes) { return journal_io::Append(handle, bytes); }
  virtual bool Flush(Handle handle) { return journal_io::Flush(handle); }
  // Puts the file at `from` in the place of the one at `to` in one step, as
  // Tallix.ini is replaced: `to` holds the old or the new file, whole.
  virtual bool Replace(const std::string& from, const std::string& to);
  virtual void Close(Handle handle) { journal_io::Close(handle); }
  // The system's words for why the last call failed.
  virtual std::string FailureReason();
};

Files& SystemFiles();

}  // namespace tallix::journal_io
