#pragma once
// The temporary files a write creates beside Tallix.ini or a tape, and the
// clean-up of those a writer that died mid-write left behind.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tallix {

// `path` + "." + process id + "." + serial + ".tmp": unique per writer and
// attempt, and recognisable as ours afterwards.
std::string TemporaryPathFor(const std::string& path, unsigned long processId, unsigned serial);

// A temporary is stale once nothing has touched it for this long; a write in
// flight touches its temporary continuously and takes well under a second.
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// Names of files in the folder of `settingsPath` that are written through
// temporaries of their own, as the tape journals are.
using TemporaryOwners = std::function<bool(const std::string& fileName)>;

// Removes the temporaries of `settingsPath` (named as by TemporaryPathFor,
// after the file a link leads to), and those of the files beside it that
// `alsoOf` names, that have not been modified for kStaleTemporaryAge. It
// holds the writers' lock meanwhile, so no write of another process is in
// flight, and does nothing when the lock cannot be had. Other files are never
// touched. Returns how many were removed. Meant for start-up, before the
// first write, and for a write that does not hold the lock itself.
std::size_t RemoveStaleTemporaries(const std::string& settingsPath, const TemporaryOwners& alsoOf = {});

}  // namespace tallix
