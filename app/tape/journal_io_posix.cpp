// The tape journal's file calls that differ on POSIX systems: appends go to
// the end through O_APPEND, flushes are fdatasync, and a rename checks that
// the name still leads to the file held.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/tape/journal_io.h"

namespace tallix::journal_io {

bool Append(const File& file, std::string_view bytes) { return file_io::WriteAll(file, bytes); }

bool Flush(const File& file) { return fdatasync(static_cast<int>(file.native())) == 0; }

bool RenameHeld(const File& file, const std::string& from, const std::string& to) {
  struct stat held {
  }, named{}, there{};
  if (fstat(static_cast<int>(file.native()), &held) != 0 || lstat(from.c_str(), &named) != 0) return false;
  if (!S_ISREG(named.st_mode) || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
    errno = EPERM;
    return false;
  }
  if (lstat(to.c_str(), &there) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace tallix::journal_io
