// The tape journal's file calls alike on every system: a journal is a
// regular file of one name, opened without following a link and locked
// while its window runs; Files, the calls a running journal writes with.
#include "app/settings/settings_io.h"
#include "app/tape/journal_io.h"

namespace tallix::journal_io {
namespace {

// Opened without DELETE (file_io never asks it): a handle with it would keep
// every reader that does not share deletion (most programs) from the journal
// while its window runs.
File Locked(const std::string& path, file_io::Create create) {
  File file =
      file_io::Open(path, {.access = file_io::Access::kReadWrite, .create = create, .oneName = true, .append = true})
          .file;
  if (file && file_io::TryLock(file) != file_io::LockOutcome::kLocked) file.Close();
  return file;
}

}  // namespace

File CreateLocked(const std::string& path) { return Locked(path, file_io::Create::kNew); }

File OpenLocked(const std::string& path) { return Locked(path, file_io::Create::kNo); }

bool Files::Replace(const std::string& from, const std::string& to) { return MoveFileOver(from, to); }

std::string Files::FailureReason() { return LastFileErrorText(); }

Files& SystemFiles() {
  static Files files;
  return files;
}

}  // namespace tallix::journal_io
