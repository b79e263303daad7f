#include "tools/transfer/transfer_texts.h"

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

std::string UnableToFindMessage(std::string_view path) { return "Unable to find " + std::string(path); }

std::string OpenErrorMessage(std::uint32_t systemError) {
  return " " + std::to_string(systemError) + " Unknown error on opening file";
}

std::string AllocationErrorMessage(std::uint32_t systemError) {
  return " " + std::to_string(systemError) + " Unknown error allocating memory for file reading";
}

}  // namespace tallix::transfer
