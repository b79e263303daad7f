#pragma once
// The file calls a tape journal needs, one implementation per platform: a
// journal is opened without following links, locked for as long as its
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
// Empties the file; what is appended next starts it again.
bool Truncate(Handle handle);
// The whole file, up to `limit` bytes; false when it could not be read or is larger.
bool ReadAll(Handle handle, std::string& bytes, std::uint64_t limit);
// Unlocks and closes.
void Close(Handle handle);

}  // namespace tallix::journal_io
