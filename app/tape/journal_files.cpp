#include "app/settings/settings_io.h"
#include "app/tape/journal_io.h"

namespace tallix::journal_io {

bool Files::Replace(const std::string& from, const std::string& to) { return MoveFileOver(from, to); }

std::string Files::FailureReason() { return LastFileErrorText(); }

Files& SystemFiles() {
  static Files files;
  return files;
}

}  // namespace tallix::journal_io
