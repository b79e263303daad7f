#pragma once
// The file calls a tape journal needs, on top of the safe opens of
// services/file_io.h: a journal is opened without following links (a name
// that is a link, or one of several names of a file, is no journal), locked
// for as long as its window runs (the system drops the lock when the window
// dies), appended to and flushed to the disk. Paths are UTF-8.
#include <string>
#include <string_view>

#include "services/file_io.h"

namespace tallix::journal_io {

using file_io::File;

// A new file at `path` (never one that exists), locked. Empty on failure.
File CreateLocked(const std::string& path);
// An existing regular file at `path` (not a link), locked; empty when it
// cannot be opened or another process holds its lock.
File OpenLocked(const std::string& path);

bool Append(const File& file, std::string_view bytes);
bool Flush(const File& file);
// Renames the file `file` holds, found at `from`, to `to` when nothing is
// there: only that file, never what else `from` may name by then.
bool RenameHeld(const File& file, const std::string& from, const std::string& to);

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
  virtual File CreateLocked(const std::string& path) { return journal_io::CreateLocked(path); }
  virtual File OpenLocked(const std::string& path) { return journal_io::OpenLocked(path); }
  virtual bool Append(const File& file, std::string_view bytes) { return journal_io::Append(file, bytes); }
  virtual bool Flush(const File& file) { return journal_io::Flush(file); }
  // Puts the file at `from` in the place of the one at `to` in one step, as
  // Tallix.ini is replaced: `to` holds the old or the new file, whole.
  virtual bool Replace(const std::string& from, const std::string& to);
  // Unlocks and closes.
  virtual void Close(File& file) { file.Close(); }
  // The system's words for why the last call failed.
  virtual std::string FailureReason();
};

Files& SystemFiles();

}  // namespace tallix::journal_io
