#include "tools/transfer/transfer_texts.h"

#include <algorithm>

namespace tallix::transfer {

std::string_view StageText(Stage stage) {
  switch (stage) {
    case Stage::kWriting: return "Writing Data...";
    case Stage::kClearingCache: return "Clearing File Cache...";
    case Stage::kReading: return "Reading Data...";
    case Stage::kDeleting: return "Deleting Data...";
    case Stage::kFinished: break;
  }
  return "Finished";
}

std::string StageProgressText(Stage stage, int percent) {
  return std::string(StageText(stage)) + " " + std::to_string(percent) + "%";
}

std::string TestFilePath(std::string_view folder, char separator) {
  return std::string(folder) + separator + kTestFileName;
}

std::string RefusalMessage(Refusal refusal, std::string_view path) {
  const std::string file(path);
  switch (refusal) {
    case Refusal::kLink: return file + " is a link; the test leaves it alone";
    case Refusal::kManyNames: return file + " has another name (a hard link); the test leaves it alone";
    case Refusal::kFolder:
    case Refusal::kNotRegular: return file + " is not a regular file; the test leaves it alone";
    case Refusal::kBadName: return file + " is not a valid file name; the test leaves it alone";
    case Refusal::kOtherOwner: return file + " belongs to another user; the test leaves it alone";
    case Refusal::kInUse:
      return "Another transfer test is running in " +
             file.substr(0, file.size() - std::min(file.size(), sizeof kTestFileName));
    case Refusal::kNone: break;
  }
  return file;
}

std::string FlushErrorMessage(std::string_view path, std::string_view reason) {
  return "Flushing " + std::string(path) + " to the device failed: " + std::string(reason);
}

std::string DropErrorMessage(std::string_view path, std::string_view reason) {
  return "Dropping " + std::string(path) + " from the file cache failed: " + std::string(reason);
}

std::string UnableToFindMessage(std::string_view path) { return "Unable to find " + std::string(path); }

std::string OpenErrorMessage(std::uint32_t systemError) {
  return " " + std::to_string(systemError) + " Unknown error on opening file";
}

std::string AllocationErrorMessage(std::uint32_t systemError) {
  return " " + std::to_string(systemError) + " Unknown error allocating memory for file reading";
}

}  // namespace tallix::transfer
